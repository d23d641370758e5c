// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "formats/Progress.h"
#include "formats/sound/SoundSamples.h"

namespace tessera {

class OutputFile;

// A .sef file is what the GP32 sound player loads as it stands: "sef ", the byte length of the
// samples that follow (little-endian), then the unsigned samples, stereo still interleaved.
// `progress` hears of every 2048 samples.
void writeSef(OutputFile& out, SampleBlocks& samples, const SampleLayout& layout,
              const Progress& progress);

}  // namespace tessera
