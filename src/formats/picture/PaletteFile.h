// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/picture/ColourReduction.h"

namespace tessera {

class InputFile;

// The palette a file holds, as colour words in its order and count: the colour table of an
// 8-bit BMP or PNG, a GIMP palette (.gpl), a JASC palette (.pal) or C text holding one
// GP_PALETTEENTRY array as Tessera writes it. The kind is told from the file's first bytes.
// Throws TesseraError with the reason when it holds no such palette (a true-colour picture,
// several palette arrays, a colour out of range, more than 256 colours).
std::vector<ColourWord> readPaletteFile(const InputFile& in);

// The kinds a palette is written as, told by the output's ending (any case): .h and .c get C
// text, .gpl and .pal the palette files of the same names, .png a swatch picture.
enum class PaletteFileKind { CText, Gimp, Jasc, Png, Unknown };
PaletteFileKind paletteFileKind(std::string_view path);

// Each colour's 5-bit channels are written as 8 bits, their top bits repeated, so reading the
// file back gives the same GP32 colours.
std::string gimpPaletteText(const std::vector<ColourWord>& palette, const std::string& name);
std::string jascPaletteText(const std::vector<ColourWord>& palette);
// A palette PNG 16 pixels wide, pixel k of index k (the rest of the last row 0).
std::string swatchPng(const std::vector<ColourWord>& palette);
inline constexpr int kSwatchWidth = 16;

}  // namespace tessera
