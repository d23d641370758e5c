// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace tessera {

// Unpacks a stored bitmap row of 1- or 4-bit indices (the leftmost pixel in the high bits) into
// one index a byte, which is what the GP32's 8-bit screen takes.
void unpackIndices(std::span<const std::uint8_t> stored, int bitsPerPixel,
                   std::span<std::uint8_t> row);

// Widens 16- or 32-bit bit-field pixels to blue, green, red bytes. Each channel is widened by
// repeating its top bits, so a 5-bit channel comes back as exactly its 5 bits in the GP32's
// 5-bit colour, and full white stays full white.
class BitFieldPixels {
  public:
    BitFieldPixels(const std::uint32_t (&masks)[3], int bitsPerPixel);
    void widen(std::span<const std::uint8_t> stored, std::span<std::uint8_t> row) const;

  private:
    struct Channel {
        int shift = 0;
        int width = 0;
        std::uint8_t widened[256] = {};  // for channels of up to 8 bits
        std::uint8_t value(std::uint32_t pixel, std::uint32_t mask) const;
    };
    Channel channels_[3];
    std::uint32_t masks_[3];
    int bytesPerPixel_;
};

}  // namespace tessera
