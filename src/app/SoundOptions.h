// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rate, channels and depth a sound is written at, as the window's "Sound options..." and the
// command line's options set them: the formats layer's own description, which the drivers see
// through the model.
#include "../formats/sound/SoundTarget.h"
