// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "formats/picture/ColourDiffusion.h"
#include "formats/picture/ColourReduction.h"
#include "formats/picture/PaletteFile.h"
#include "platform/InputFile.h"
#include "support/Files.h"

namespace tessera {
namespace {

ColourCounts countsOf(std::initializer_list<ColourWord> words) {
    ColourCounts counts;
    for (const ColourWord w : words)
        ++counts.pixels[w];
    return counts;
}

// Green 9 and red 15 with blue 7 are equally bright (5283 in the weighed sum): the palette puts
// the lower colour word first, so the same colours give the same bytes on any machine.
TEST(ColourReduction, EquallyBrightColoursGoByTheirWord) {
    const ColourWord green = colourWord(0, 9, 0), purple = colourWord(15, 0, 7);
    const std::vector<ColourWord> expected{green, purple};
    EXPECT_EQ(choosePalette(countsOf({purple, green}), {.colours = 2}), expected);
}

// Colours that fit are kept as they are; one more than fits is reduced to the number asked.
TEST(ColourReduction, ExactlyAsManyColoursAsAskedAreKept) {
    const ColourWord a = colourWord(2, 3, 4), b = colourWord(20, 3, 4), c = colourWord(31, 31, 31);
    EXPECT_EQ(choosePalette(countsOf({a, b, c}), {.colours = 3}), (std::vector{a, b, c}));
    EXPECT_EQ(choosePalette(countsOf({a, b, c}), {.colours = 2}).size(), 2u);
    const PaletteOptions clear{.colours = 3, .transparent = colourWord(31, 0, 31)};
    EXPECT_EQ(choosePalette(countsOf({a, b, c}), clear).size(), 3u);
}

// Entry 0 is the transparent colour's: a visible colour next to it takes the nearest other one.
TEST(ColourReduction, VisibleColoursNeverTakeTheTransparentEntry) {
    const ColourWord magenta = colourWord(31, 0, 31), grey = colourWord(16, 16, 16);
    const std::vector<ColourWord> palette{magenta, grey, colourWord(31, 0, 20)};
    const PaletteOptions options{.target = palette, .transparent = magenta};
    EXPECT_EQ(entryOf(palette, options, colourWord(30, 0, 31)), 2);
    EXPECT_EQ(indexTable(palette, options)[kSeeThrough], 0);
}

// A single column of grey between a black and a white entry: only the error carried down the
// column mixes the two, half and half.
TEST(ColourReduction, DitherCarriesTheErrorAlongTheColumn) {
    const std::vector<ColourWord> palette{colourWord(0, 0, 0), colourWord(31, 31, 31)};
    const PaletteOptions options{.target = palette, .dither = true};
    const IndexTable table = indexTable(palette, options);
    std::vector<int> entries(8, -1);
    diffuse(
        {.width = 1, .height = 8, .columnLength = 8, .first = 0}, palette, table,
        [](std::int64_t) { return colourWord(16, 16, 16); },
        [&](std::int64_t k, std::uint8_t e) { entries[static_cast<std::size_t>(k)] = e; });
    EXPECT_EQ(std::count(entries.begin(), entries.end(), 1), 4);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), 0), 4);
}

// A file that declares the palette array before defining it (a header and its data in one) holds
// one palette, not two.
TEST(PaletteFile, AnExternDeclarationIsNoSecondPalette) {
    test::TempDir dir;
    const std::string path = dir.path("pal.h");
    test::writeText(path,
                    "extern GP_PALETTEENTRY ship_Pal[2];\r\n"
                    "GP_PALETTEENTRY ship_Pal[2] = {\r\n      0x0, 0xFFFF\r\n};\r\n");
    EXPECT_EQ(readPaletteFile(InputFile(path)), (std::vector<ColourWord>{0x0, 0xFFFE}));
}

}  // namespace
}  // namespace tessera
