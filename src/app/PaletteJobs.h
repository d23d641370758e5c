// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "../formats/picture/ColourReduction.h"

namespace tessera {

// A failure of a job over several files, with the file it is about.
struct FileFailure {
    std::string file;
    std::string text;
};

// The palette of FILE to map pictures onto (see formats/picture/PaletteFile.h).
struct PaletteOf {
    std::vector<ColourWord> palette;
    std::optional<FileFailure> failure;
};
PaletteOf readPaletteOf(const std::string& path);

// One palette for several pictures, written as `output` by its ending (.h, .c, .gpl, .pal,
// .png). The inputs are counted together, so their order changes nothing.
struct PaletteJob {
    std::string output;
    std::vector<std::string> inputs;
    PaletteOptions options;  // colours and the transparent colour
    std::string name;        // the array name of C text and the palette's name in a .gpl
    int fillBit = 1;         // of the colours written as C text
};
std::optional<FileFailure> makePalette(const PaletteJob& job);

// Whether `path` ends in a kind a palette is written as.
bool isPaletteOutput(const std::string& path);

}  // namespace tessera
