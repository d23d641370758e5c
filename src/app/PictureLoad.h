// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/picture/PictureInfo.h"

namespace tessera {

// A bitmap or a PNG, told apart by their first bytes, whatever the file's name says; anything
// else is refused (TesseraError), before any of its numbers is shown.
PictureInfo describedPicture(const InputFile& in);

}  // namespace tessera
