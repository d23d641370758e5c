// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tessera {

// A file's title without its last four characters (the extension with its dot, in the usual
// case): the proposed array or file name. A title shorter than that proposes nothing. The sound
// kinds with four-letter extensions (.flac, .aiff, .aifc, .opus) lose their five.
std::string withoutExtension(std::string_view title);

// File kinds go by the last characters of the name, whatever their case: "photo.Bmp" is a BMP.
bool hasKind(std::string_view path, std::string_view threeLetters);
// A name that says sound: .wav and the kinds the container library reads.
bool hasSoundName(std::string_view path);
// ".h" and ".c" outputs get C text; every other name gets the binary format.
bool isTextOutput(std::string_view path);
// The name a dialog gives as the file's title: the last part of its path.
std::string titleOf(const std::string& path);
// The output name that stands for the standard output (C text only).
inline constexpr const char* kStandardOutputName = "-";

}  // namespace tessera
