// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace tessera {

struct ConverterState;

// A RAW file holds nothing but its pixels, so a length that does not match the size typed is
// most likely a wrong size. Its length and the length the size needs, when they differ and the
// picture would be converted as typed; nothing for any other picture, or one refused anyway.
struct RawLengthMismatch {
    std::int64_t length = 0;
    std::int64_t needed = 0;
};
std::optional<RawLengthMismatch> rawLengthMismatch(const ConverterState& state);

}  // namespace tessera
