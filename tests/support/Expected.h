// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "support/Builders.h"

namespace tessera::test {

using U32s = std::vector<std::uint32_t>;

// What a picture must become, worked out from the test's Picture alone.

// GP32 colour from its definition: five bits each of red, green, blue, then the fill bit.
inline std::uint32_t gp32(const std::array<std::uint8_t, 3>& c, int fill) {
    return (c[0] >> 3 << 11) | (c[1] >> 3 << 6) | (c[2] >> 3 << 1) | std::uint32_t(fill);
}
inline std::uint32_t gp32(std::uint32_t rgb, int fill) {
    return gp32({std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)}, fill);
}

// The picture in screen order: columns from the left, each from the bottom row up, padded to a
// multiple of 4 after the top pixel (bitmaps) or before the bottom pixel (RAW).
inline U32s screenOrder(const Picture& p, bool raw, int fill) {
    const U32s pad((4 - p.height % 4) % 4, p.bpp == 24 ? gp32(0u, fill) : 0);
    U32s out;
    for (int col = 0; col < p.width; ++col) {
        const auto columnStart = static_cast<std::ptrdiff_t>(out.size());
        for (int row = p.height - 1; row >= 0; --row)
            out.push_back(p.bpp == 24 ? gp32(p.at(row, col), fill) : p.at(row, col));
        const auto padAt = raw ? out.begin() + columnStart : out.end();
        out.insert(padAt, pad.begin(), pad.end());
    }
    return out;
}

inline U32s paletteColours(const Picture& p, int fill) {
    U32s out;
    for (const auto& c : p.palette)
        out.push_back(gp32(c, fill));
    return out;
}

// A picture of the given size and depth with the given pixels (rows from the top).
inline Picture makePicture(int width, int height, int bpp, U32s pixels) {
    Picture p = Picture::pattern(1, 1, bpp);
    p.width = width;
    p.height = height;
    p.pixels = std::move(pixels);
    return p;
}

}  // namespace tessera::test
