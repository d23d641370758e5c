// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/sound/SampleNarrowing.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tessera {

namespace {

// Full scale is 1.0; louder samples are clipped rather than wrapped, and NaN is silence.
std::int16_t fromFloat(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
}

double floatAt(const std::uint8_t* p, int storedBytes) {
    if (storedBytes == 4) {
        std::uint32_t bits = p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
        return std::bit_cast<float>(bits);
    }
    std::uint64_t bits = 0;
    for (int b = 7; b >= 0; --b)
        bits = bits << 8 | p[b];
    return std::bit_cast<double>(bits);
}

}  // namespace

void narrowTo16(std::span<const std::uint8_t> stored, int storedBytes, bool floating,
                std::span<std::uint8_t> out) {
    const std::size_t size = static_cast<std::size_t>(storedBytes);
    const std::size_t count = out.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = stored.data() + i * size;
        if (floating) {
            const auto v = static_cast<std::uint16_t>(fromFloat(floatAt(p, storedBytes)));
            out[2 * i] = static_cast<std::uint8_t>(v & 0xFF);
            out[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
        } else {  // the top two bytes of a little-endian integer are its top 16 bits
            out[2 * i] = p[size - 2];
            out[2 * i + 1] = p[size - 1];
        }
    }
}

}  // namespace tessera
