// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// The forms runtime's number conversions that the RAW dialog's values go through.

// The number at the start of a text (blanks, tabs and line feeds skipped, as the runtime's Val
// does; 0 when there is none), rounded to a whole number with halves going to the even
// neighbour. Empty when the result does not fit the range asked for.
std::optional<std::int32_t> valToInt32(std::string_view text);
std::optional<std::int16_t> valToInt16(std::string_view text);

}  // namespace tessera
