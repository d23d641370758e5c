#include "formats/text/BlockFinder.h"
#include "support/Window.h"

namespace tessera {
namespace {

using Result = BlockSearch::Result;

using BlockFinder = test::WindowFixture;

// Blocks as Tessera writes them are found between other text; a name defined by other text, or
// by a block whose lines were changed, is refused with the first line that differs.
TEST_F(BlockFinder, FindsOnlyBlocksLaidOutAsWritten) {
    loadBmp("ship.bmp", test::Picture::pattern(5, 3, 8));
    const std::string withPalette = convert("block.h");
    form.textOptions.align = 4096;
    loadWav({1, 2, 3}, {.bits = 8}, "ship.wav");
    form.txtVar.Text() = "ship";
    const std::string sound = convert("block.h");
    std::string lineFeeds = sound;
    std::erase(lineFeeds, '\r');
    const std::string before = "int shipment[2];\r\n// ship[1] in a comment\r\n\r\n\r\n\r\n";
    const std::string after = "\r\n\r\n\r\nint ships[] = {1};\r\n";
    const int firstLine = 6;  // of the block, after `before`
    const struct {
        std::string block;
        Result result;
        int line = 0;
        bool includesGraphics = false;
    } rows[] = {
        {withPalette, Result::Found, 0, true},
        {sound, Result::Found},
        {"", Result::None},
        {"const int ship[3] = {1, 2, 3};\r\n", Result::Unmatched, firstLine},
        {lineFeeds, Result::Unmatched, firstLine},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.block.substr(0, 300));
        const BlockSearch found = findBlock(before + r.block + after, "ship");
        EXPECT_EQ(found.result, r.result);
        EXPECT_EQ(found.line, r.line);
        if (r.result == Result::Found) {
            EXPECT_EQ(found.begin, before.size());
            EXPECT_EQ(found.end, before.size() + r.block.size());
            EXPECT_EQ(found.includesGraphics, r.includesGraphics);
        }
    }
}

}  // namespace
}  // namespace tessera
