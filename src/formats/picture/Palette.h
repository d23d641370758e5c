// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "formats/picture/PictureInfo.h"

namespace tessera {

// The colour table of an 8-bit picture (a bitmap of 1 to 8 bits, an indexed or grey PNG) as GP32
// colours, in the file's order and count. Throws
// TesseraError when the header's count cannot size a table of 8-bit indices.
std::vector<std::uint16_t> readPalette(const InputFile& in, const PictureInfo& info,
                                       std::int32_t fillBit);

}  // namespace tessera
