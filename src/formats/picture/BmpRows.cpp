// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/BmpRows.h"

#include <bit>

namespace tessera {

void unpackIndices(std::span<const std::uint8_t> stored, int bitsPerPixel,
                   std::span<std::uint8_t> row) {
    const int perByte = 8 / bitsPerPixel;
    const auto mask = static_cast<std::uint8_t>((1u << bitsPerPixel) - 1);
    for (std::size_t j = 0; j < row.size(); ++j) {
        const std::uint8_t byte = stored[j / static_cast<std::size_t>(perByte)];
        const int shift = 8 - bitsPerPixel * (static_cast<int>(j % perByte) + 1);
        row[j] = static_cast<std::uint8_t>(byte >> shift & mask);
    }
}

BitFieldPixels::BitFieldPixels(const std::uint32_t (&masks)[3], int bitsPerPixel)
    : masks_{masks[0], masks[1], masks[2]}, bytesPerPixel_(bitsPerPixel / 8) {
    for (int c = 0; c < 3; ++c) {
        Channel& ch = channels_[c];
        ch.shift = masks[c] == 0 ? 0 : std::countr_zero(masks[c]);
        ch.width = std::popcount(masks[c]);
        for (std::uint32_t v = 0; ch.width > 0 && ch.width < 8 && v < (1u << ch.width); ++v) {
            std::uint32_t repeated = 0;
            int have = 0;
            for (; have < 8; have += ch.width)
                repeated = repeated << ch.width | v;
            ch.widened[v] = static_cast<std::uint8_t>(repeated >> (have - 8));
        }
    }
}

std::uint8_t BitFieldPixels::Channel::value(std::uint32_t pixel, std::uint32_t mask) const {
    const std::uint32_t v = (pixel & mask) >> shift;
    if (width >= 8)
        return static_cast<std::uint8_t>(v >> (width - 8));
    return widened[v];
}

void BitFieldPixels::widen(std::span<const std::uint8_t> stored,
                           std::span<std::uint8_t> row) const {
    const std::size_t width = row.size() / 3;
    for (std::size_t j = 0; j < width; ++j) {
        const std::uint8_t* p = stored.data() + j * static_cast<std::size_t>(bytesPerPixel_);
        std::uint32_t pixel = p[0] | std::uint32_t{p[1]} << 8;
        if (bytesPerPixel_ == 4)
            pixel |= std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
        for (int c = 0; c < 3; ++c)  // blue, green, red, as a 24-bit bitmap stores them
            row[3 * j + static_cast<std::size_t>(c)] = channels_[2 - c].value(pixel, masks_[2 - c]);
    }
}

}  // namespace tessera
