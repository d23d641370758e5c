// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "formats/Progress.h"

namespace tessera {

class TextStream;
struct TextOutput;

// What opens a picture's block of C text: the comment block and the size defines.
struct PictureHeading {
    std::string title;  // the converted file's name
    std::string name;   // the array name
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive: a top-down bitmap is written as its twin
    int gp32Mode = 16;        // 8 for palette indices, 16 for colours
};

void writePictureHeading(TextStream& out, const PictureHeading& heading);

// The `_palnb` define and the GP_PALETTEENTRY array. A new file includes the SDK's graphics
// header first; a file being added to already does.
void writePaletteText(const TextOutput& out, const std::string& name,
                      std::span<const std::uint16_t> palette, bool includeGraphicsHeader);

// The pixel arrays; `progress` hears of the lines of 16 literals written, a chunk at a time.
void writeColourArray(const TextOutput& out, const std::string& name,
                      std::span<const std::uint16_t> colours, const Progress& progress);
void writeIndexArray(const TextOutput& out, const std::string& name,
                     std::span<const std::uint8_t> indices, const Progress& progress);

}  // namespace tessera
