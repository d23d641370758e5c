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

// An array whose count is not the one its #define gives is not a block as Tessera writes it.
TEST_F(BlockFinder, CountsMustAgreeWithTheirDefines) {
    loadWav({1, 2, 3}, {.bits = 8}, "ship.wav");
    const std::string sound = convert("block.h");
    std::string recounted = sound;
    recounted.replace(recounted.find("_length      3"), 14, "_length      4");
    EXPECT_EQ(findBlock(sound, "ship").result, Result::Found);
    EXPECT_EQ(findBlock(recounted, "ship").result, Result::Unmatched);
}

}  // namespace
}  // namespace tessera
