#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessera {

// The forms runtime's text and number conversions that the commands rely on.

// The number at the start of a text (blanks, tabs and line feeds skipped, as the runtime's Val
// does; 0 when there is none), rounded to a whole number with halves going to the even
// neighbour. Empty when the result does not fit the range asked for.
std::optional<std::int32_t> valToInt32(std::string_view text);
std::optional<std::int16_t> valToInt16(std::string_view text);

// Upper-case hexadecimal without leading zeros and without prefix; zero is "0".
std::string hexText(std::uint32_t value);

// A file's title without its last four characters (the extension with its dot, in the usual
// case): the proposed array or file name. A title shorter than that proposes nothing.
std::string withoutExtension(std::string_view title);

// The name of a path without its folders.
std::string fileTitleOf(std::string_view path);

// File kinds go by the last characters of the name, whatever their case: "photo.Bmp" is a BMP.
bool hasKind(std::string_view path, std::string_view threeLetters);
// ".h" and ".c" outputs get C text; every other name gets the binary format.
bool isTextOutput(std::string_view path);

}  // namespace tessera
