// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "formats/text/BlockFinder.h"
#include "support/Window.h"

namespace tessera {
namespace {

using Result = BlockSearch::Result;

using BlockFinder = test::WindowFixture;

// Blocks as Tessera writes them are found between other text, aligned or not; a name defined by
// other text, or by a block whose lines were changed, is refused with the first line that differs.
TEST_F(BlockFinder, FindsOnlyBlocksLaidOutAsWritten) {
    loadBmp("ship.bmp", test::Picture::pattern(5, 3, 8));
    const std::string withPalette = convert("block.h");
    form.textOptions.align = 4096;
    loadWav({1, 2, 3}, {.bits = 8}, "ship.wav");
    form.txtVar.Text() = "ship";
    const std::string sound = convert("block.h");
    const std::string before = "int shipment[2];\r\n// ship[1] in a comment\r\n\r\n\r\n\r\n";
    const std::string after = "\r\n\r\n\r\nint ships[] = {1};\r\n";
    for (const auto& [block, graphics] : {std::pair{withPalette, true}, {sound, false}}) {
        const BlockSearch found = findBlock(before + block + after, "ship");
        EXPECT_EQ(found.result, Result::Found);
        EXPECT_EQ(found.begin, before.size());
        EXPECT_EQ(found.end, before.size() + block.size());
        EXPECT_EQ(found.includesGraphics, graphics);
    }
    std::string lineFeeds = sound;
    std::erase(lineFeeds, '\r');
    for (const std::string& other :
         {std::string("const int ship[3] = {1, 2, 3};\r\n"), lineFeeds}) {
        const BlockSearch refused = findBlock(before + other + after, "ship");
        EXPECT_EQ(refused.result, Result::Unmatched);
        EXPECT_EQ(refused.line, 6);  // the block's first, after `before`
    }
    EXPECT_EQ(findBlock(before + after, "ship").result, Result::None);
}

// The line of `text` holding the first `part`.
int lineOf(const std::string& text, const std::string& part) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + text.find(part), '\n'));
}

std::string edited(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// What shows of a hand edit: a block is ours only when every line is what Tessera writes for the
// values it holds. Each row edits one line of a block and names the first line found wrong (0:
// the edited one). A name met elsewhere in the file, as a second definition or as a macro where
// the block has an array (or the other way round), is refused with its line.
TEST_F(BlockFinder, EditsThatShowAndNamesMetElsewhereAreRefusedWithTheirLine) {
    loadBmp(
        "four.bmp",
        {4, 2, 8, {0, 1, 2, 3, 3, 2, 1, 0}, {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}}});
    form.txtVar.Text() = "ship";
    const std::string indexed = convert("i.h");
    loadBmp("white.bmp", {2, 2, 24, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, {}});
    form.txtVar.Text() = "ship";
    const std::string colours = convert("c.h");  // 0xFFFF, 0xFFFF and the padding 0x1, 0x1
    form.txtVar.Text() = "ship_width";
    const std::string named = convert("w.h");
    loadWav({1, 2, 3}, {.bits = 8}, "ship.wav");
    form.txtVar.Text() = "ship";
    const std::string sound = convert("s.h");
    ASSERT_EQ(findBlock(indexed, "ship").result, Result::Found);
    struct Row {
        std::string name;
        const std::string& block;
        std::string from, to;
        int line = 0;
    };
    const Row rows[] = {
        {"width in the comment", indexed, "// Width     = 4", "// Width     = 5"},
        {"height in its define", indexed, "ship_height     2", "ship_height     3", 7},
        {"depth in the comment", colours, "GP32 Mode = 16", "GP32 Mode = 8"},
        {"a note in the credits", sound, "Zorvane :", "Zorvane : (edited)"},
        {"index beyond the palette", indexed, "      0x3, 0x0", "      0x4, 0x0"},
        {"a leading zero", indexed, "      0x3, 0x0", "      0x03, 0x0"},
        {"another intensity bit", colours, "0xFFFF, 0xFFFF, 0x1", "0xFFFF, 0xFFFE, 0x1"},
        {"lower case", colours, "0xFFFF, 0xFFFF, 0x1", "0xffff, 0xFFFF, 0x1"},
        {"sound mode", sound, "// Mode = Mono", "// Mode = mono"},
        {"sound depth", sound, "// Data = 8 bits", "// Data = 16 bits"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = edited(row.block, row.from, row.to);
        const BlockSearch found = findBlock(text, "ship");
        EXPECT_EQ(found.result, Result::Unmatched);
        EXPECT_EQ(found.line, row.line != 0 ? row.line : lineOf(text, row.to));
    }
    const std::string gap = "\r\n\r\n\r\n";
    const BlockSearch twice = findBlock(indexed + gap + colours, "ship");
    EXPECT_EQ(twice.result, Result::Twice);
    EXPECT_EQ(twice.line, lineOf(indexed + gap + colours, "#define ship_width      2"));
    const BlockSearch macro = findBlock("#define ship 3\r\n" + gap + colours, "ship");
    EXPECT_EQ(macro.result, Result::Collision);
    EXPECT_EQ(macro.line, 1);
    EXPECT_TRUE(macro.otherIsMacro);
    const BlockSearch meets = findBlock(colours, "ship_width");  // its array, their macro
    EXPECT_EQ(meets.result, Result::Collision);
    EXPECT_EQ(meets.other, "ship_width");
    EXPECT_EQ(meets.line, lineOf(colours, "#define ship_width"));
    const BlockSearch met = findBlock(named, "ship");  // its macro, their array
    EXPECT_EQ(met.result, Result::Collision);
    EXPECT_FALSE(met.otherIsMacro);
    EXPECT_EQ(met.line, lineOf(named, "const unsigned short ship_width["));
}

// An array whose count is not the one its #define gives is not a block as Tessera writes it.
TEST_F(BlockFinder, CountsMustAgreeWithTheirDefines) {
    loadWav({1, 2, 3}, {.bits = 8}, "ship.wav");
    const std::string sound = convert("block.h");
    std::string recounted = sound;
    recounted.replace(recounted.find("ship[3]"), 7, "ship[4]");  // the define and values say 3
    EXPECT_EQ(findBlock(sound, "ship").result, Result::Found);
    EXPECT_EQ(findBlock(recounted, "ship").result, Result::Unmatched);
}

}  // namespace
}  // namespace tessera
