// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "formats/Progress.h"

namespace tessera {

class OutputFile;

// A .gpg file: the tag the GP32 loader looks for, the index count (little-endian), then the
// 8-bit indices in screen order. `progress` hears of every whole block of 512 indices.
void writeGpg(OutputFile& out, std::span<const std::uint8_t> indices, const Progress& progress);

}  // namespace tessera
