#include <filesystem>

#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

constexpr const char* kDone = "Convertion done successfully :)";

// The picture convert buttons end to end: save dialog, questions, writer, messages, the bar.
using PictureCommands = test::WindowFixture;

TEST_F(PictureCommands, NewFilesAskBeforeOverwritingAndAddedOnesAlways) {
    loadBmp("pic.bmp", Picture::pattern(4, 4, 8));
    const std::string fresh = convert("pic.h");  // no file yet: no question
    EXPECT_EQ(ui.proposedNames.back(), "pic");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kDone});
    EXPECT_EQ(form.lblPercent.Width, 0);
    test::writeText(dir.path("pic.h"), "old");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(convert("pic.h"), "old");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(ui.texts().back(), "Do you want to OVERWRITE this file :\r\npic.h  ?!?");
    EXPECT_EQ(convert("pic.h"), fresh);

    // Adding: three line ends; asked even when the file does not exist. A file that had no text
    // gets the palette's include line, as a new file does; one with text is assumed to have it.
    const std::string added = convert("new.h", true);
    EXPECT_EQ(ui.messages.end()[-2].text, "Do you want to ADD data to this file :\r\nnew.h  ?!?");
    EXPECT_EQ(ui.messages.end()[-2].style, MsgStyle::YesNoQuestion);
    EXPECT_EQ(ui.texts().back(), kDone);
    EXPECT_EQ(added, "\r\n\r\n\r\n" + fresh);
    const std::string include = "#include \"gpgraphic.h\"\r\n";
    test::writeText(dir.path("game.h"), "int score;");
    ui.questionAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    convert("game.h", true);
    EXPECT_EQ(convert("game.h", true),
              "int score;" + std::string(added).erase(added.find(include), include.size()));
}

// Adding an array the file already holds asks to replace it: No writes nothing, Yes puts the
// new block where the old one was and keeps every other byte. A block edited by hand is left
// alone with the line that gives it away.
TEST_F(PictureCommands, AddingANameTheFileHoldsReplacesItsBlockWhenAsked) {
    const std::string game = dir.path("game.h");
    test::writeText(game, "int score;\r\n");
    loadBmp("tile.bmp", Picture::pattern(2, 2, 24));
    convert("game.h", true);
    loadBmp("pic.bmp", Picture::pattern(4, 4, 8));
    const std::string first = convert("game.h", true);
    loadBmp("tile.bmp", Picture::pattern(3, 5, 24));  // same name, another picture
    ui.messages.clear();
    ui.questionAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    EXPECT_EQ(convert("game.h", true), first);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{
                  "Do you want to ADD data to this file :\r\ngame.h  ?!?",
                  "Do you want to REPLACE the array tile in this file :\r\ngame.h  ?!?"}));
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoQuestion);

    const std::string replaced = convert("game.h", true);
    const std::string newTile = convert("alone.h");
    const auto picAt = first.rfind("\r\n\r\n\r\n", first.find("convertion of pic.bmp"));
    EXPECT_EQ(replaced, "int score;\r\n\r\n\r\n\r\n" + newTile + first.substr(picAt));

    std::string edited = replaced;
    edited.replace(edited.find("0x"), 2, "0X");  // the first literal of the tile's array
    test::writeText(game, edited);
    ui.messages.clear();
    EXPECT_EQ(convert("game.h", true), edited);
    EXPECT_EQ(ui.texts().back(), "Can't write this file :(\r\n" + game +
                                     ": it already defines tile, but line 24 is not as Tessera "
                                     "writes it");
}

TEST_F(PictureCommands, OnlyDotHAndDotCInEitherCaseAreText) {
    loadBmp("pic.bmp", Picture::pattern(3, 2, 8));
    const std::string gpg = convert("pic.gpg");
    for (const char* name : {"a.h", "b.c", "c.H", "d.C", "e.Hh", "f.hpp", "g.txt"})
        EXPECT_EQ(convert(name).rfind(std::string(name).size() == 3 ? "/////" : gpg, 0), 0u)
            << name;
}

TEST_F(PictureCommands, GpgOfTheThreeByTwoExampleAndItsProgress) {
    loadBmp("pic.bmp", make(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    test::writeFile(dir.path("pic.gpg"), Bytes(100, 0xEE));  // a longer old file is replaced whole
    const Bytes gpg{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0};
    EXPECT_EQ(convert("pic.gpg"), std::string(gpg.begin(), gpg.end()));
    loadBmp("big.bmp", Picture::pattern(32, 32, 8));  // 1024 indices
    convert("big.gpg");
    EXPECT_EQ(std::vector<double>(ui.progress.end() - 4, ui.progress.end()),
              (std::vector<double>{1415, 1915, 2415, 0}));
}

TEST_F(PictureCommands, RefusalsShowTheirMessageAndWriteNothing) {
    const std::string pal = "Can't export palette\r\n with \".GPG\" Files :(",
                      add = "Can't ADD with \".GPG\" Files :(",
                      gpg24 = "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :(",
                      depth = "Only 8 and 24 bits pictures can be converted :(",
                      no = "Can't convert this picture :(\r\n",
                      size = no + "Its width and height must be more than 0.",
                      big = no +
                            "It is too big: more than 67108864 pixels once its columns are "
                            "padded.",
                      colours = no + "Its colour table claims more than 256 colours.",
                      packed = no +
                               "Its pixels are packed in a way this tool does not read (only "
                               "plain pixels, 8 bits RLE and 24 bits with the usual colour "
                               "masks are read).";
    using Patch = std::vector<std::pair<std::size_t, std::uint32_t>>;  // header fields changed
    using Row = std::tuple<const char*, bool, bool, int, Patch, std::string>;  // add, only palette
    for (const auto& [name, add, onlyPalette, bpp, patch, message] :
         {Row{"x.gpg", false, true, 8, {}, pal}, Row{"x.gpg", true, true, 8, {}, pal},
          Row{"x.gpg", true, false, 8, {}, add}, Row{"x.gpg", false, false, 24, {}, gpg24},
          Row{"x.gpg", false, false, 8, {{28, 16}}, depth},
          Row{"x.h", false, false, 8, {{18, 0}}, size},
          Row{"x.h", false, false, 24, {{18, 0xFFFFFFFE}}, size},
          Row{"x.h", false, false, 8, {{18, 8193}, {22, 8192}}, big},
          Row{"x.h", false, false, 24, {{18, 0x7FFFFFFF}, {22, 0x80000000}}, big},
          Row{"x.h", false, false, 8, {{46, 300}}, colours},
          Row{"x.h", false, false, 24, {{30, 1}}, packed}}) {
        Bytes b = test::buildBmp(Picture::pattern(2, 2, bpp));
        for (const auto& [at, value] : patch)
            test::putLe32(b, at, value);
        loadFile("p.bmp", b);
        form.chkOnlyPal.setValue(onlyPalette ? 1 : 0);
        ui.messages.clear();
        convert(name, add);
        EXPECT_FALSE(std::filesystem::exists(dir.path(name))) << message;
        EXPECT_EQ(ui.texts().size(), add ? 2u : 1u) << message;
        EXPECT_EQ(ui.texts().back(), message);
    }
}

}  // namespace
}  // namespace tessera
