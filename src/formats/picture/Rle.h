// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tessera {

class InputFile;

// Decodes RLE8 or RLE4 bitmap data starting at `offset` into `rows`: `height` rows of `width`
// indices in the order the file stores them. Pixels the data skips or never reaches stay 0; pixels
// it puts outside the picture are dropped; the data ends at its end-of-bitmap mark or at the end of
// the file, whichever comes first. RLE4 runs and literals hold two indices a byte, the high nibble
// first.
std::vector<std::uint8_t> decodeRle(const InputFile& in, std::int64_t offset, std::int64_t width,
                                    std::int64_t height, int bitsPerPixel);

}  // namespace tessera
