// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace tessera {

// Turns stored samples of `storedBytes` bytes (24- or 32-bit integers, 32- or 64-bit floats,
// little-endian) into signed 16-bit little-endian samples in `out`, two bytes a sample.
void narrowTo16(std::span<const std::uint8_t> stored, int storedBytes, bool floating,
                std::span<std::uint8_t> out);

}  // namespace tessera
