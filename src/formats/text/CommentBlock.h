// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/TextStream.h"

namespace tessera {

// Where users of the generated files find us: lines 11 and 12 of every comment block.
inline constexpr const char* kProjectPage = "https://tessera.example.org";
inline constexpr const char* kProjectContact = "contact@tessera.example.org";
inline constexpr const char* kCommentFrame = "/////////////////////////////////////////";
inline constexpr const char* kCommentTitle = "// Header file for GP32";
inline constexpr const char* kCommentCredits = "// with Tessera coded by Zorvane :";
// The line naming the converted file: "// convertion of TITLE file :".
inline constexpr const char* kCommentSource = "// convertion of ";
inline constexpr const char* kCommentSourceEnd = " file :";
// The three description lines after it: a label, the value, then its unit.
inline constexpr const char* kWidthLabel = "// Width     = ";
inline constexpr const char* kHeightLabel = "// Heigth    = ";
inline constexpr const char* kModeLabel = "// GP32 Mode = ";
inline constexpr const char* kModeUnit = " Bits per Pixel";
inline constexpr const char* kFreqLabel = "// Freq = ";
inline constexpr const char* kFreqUnit = "kHz";
inline constexpr const char* kSoundModeLabel = "// Mode = ";
inline constexpr const char* kDataLabel = "// Data = ";
inline constexpr const char* kDataUnit = " bits";

// A file name as a line of text: a line end would let the rest of the name out of a `//`
// comment (and break the window's description), so every control character becomes '?'.
std::string printableTitle(std::string_view title);

// The fifteen-line comment block that opens every block of generated C text: a frame of 41
// slashes, the converted file's title, the description lines of the picture or sound, the
// credits, and one empty line.
void writeCommentBlock(TextStream& out, const std::string& title,
                       std::initializer_list<std::string> description);

}  // namespace tessera
