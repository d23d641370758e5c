// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

std::string pictureBlock(const std::string& title, int width, int height, int mode) {
    return test::WindowFixture::commentBlock(
        title, "// Width     = " + std::to_string(width) +
                   "\r\n// Heigth    = " + std::to_string(height) +
                   "\r\n// GP32 Mode = " + std::to_string(mode) + " Bits per Pixel\r\n");
}

// The picture side of the window end to end: load, the convert buttons, their questions, the
// text and .gpg writers, the messages and the bar.
using PictureWindow = test::WindowFixture;

// The .gpg file: its tag, the number of indices, the indices in screen order; the bar moves every
// 512 indices written.
TEST_F(PictureWindow, WorkedExampleGpg) {
    loadBmp("pic.bmp", test::makePicture(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    test::writeFile(dir.path("pic.gpg"), Bytes(100, 0xEE));  // a longer old file is replaced whole
    const Bytes gpg{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0};
    EXPECT_EQ(convert("pic.gpg"), std::string(gpg.begin(), gpg.end()));
    loadBmp("big.bmp", Picture::pattern(32, 32, 8));  // 1024 indices
    convert("big.gpg");
    EXPECT_EQ(std::vector<double>(ui.progress.end() - 4, ui.progress.end()),
              (std::vector<double>{1415, 1915, 2415, 0}));
}

TEST_F(PictureWindow, WorkedExample24BitText) {
    loadBmp("pic.bmp", test::makePicture(2, 4, 24, test::U32s(8, 0xFFFFFF)));
    EXPECT_EQ(convert("out.h"),
              pictureBlock("pic.bmp", 2, 4, 16) +
                  "#define pic_width      2\r\n#define pic_height     4\r\n\r\n"
                  "const unsigned short pic[8] = {\r\n      0xFFFF, 0xFFFF, 0xFFFF, "
                  "0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF\r\n};\r\n");
}

// RAW pictures pad each column before its bottom pixel and never get a palette.
TEST_F(PictureWindow, WorkedExampleRawText) {
    loadRaw("scan.raw", test::makePicture(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(convert("out.h"), pictureBlock("scan.raw", 3, 2, 8) +
                                    "#define scan_width      3\r\n#define scan_height     2\r\n\r\n"
                                    "const unsigned char scan[12] = {\r\n      0x0, 0x0, 0x4, 0x1, "
                                    "0x0, 0x0, 0x5, 0x2, 0x0, 0x0, 0x6, 0x3\r\n};\r\n");
}

// Two colours, black and white; each column reads 0, 1, 0, 1 from the bottom up. The palette
// alone, then neither.
struct PaletteExample : test::WindowFixture {
    Picture p = [] {
        Picture p = test::makePicture(4, 4, 8, {1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0});
        p.palette = {{0, 0, 0}, {255, 255, 255}};
        return p;
    }();
    const std::string head = pictureBlock("tiles.bmp", 4, 4, 8) +
                             "#define tiles_width      4\r\n#define tiles_height     4\r\n\r\n";
    const std::string palette =
        "#define tiles_palnb      2\r\n\r\n#include \"gpgraphic.h\"\r\n\r\n"
        "GP_PALETTEENTRY tiles_Pal[2] = {\r\n      0x1, 0xFFFF\r\n};\r\n\r\n\r\n";
};

TEST_F(PaletteExample, PaletteAndPixels) {
    loadBmp("tiles.bmp", p);
    const std::string pixels =
        "const unsigned char tiles[16] = {\r\n"
        "      0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1\r\n"
        "      \r\n};\r\n";
    EXPECT_EQ(convert("out.h"), head + palette + pixels);
}

// Palette only: the pixels are not even converted, so the bar never moves (it is only put back
// to its start). Then neither: a new load unlocks "Generate Palette", which can then be cleared.
TEST_F(PaletteExample, PaletteOnlyThenNeither) {
    loadBmp("tiles.bmp", p);
    form.chkOnlyPal.click();
    ui.progress.clear();
    EXPECT_EQ(convert("out.h"), head + palette);
    EXPECT_EQ(ui.progress, std::vector<double>(ui.progress.size(), 0.0));
    loadBmp("tiles.bmp", p);
    EXPECT_TRUE(form.chkPal.Enabled);
    form.chkPal.click();
    EXPECT_EQ(convert("out.h"), head);
}

// A picture rewritten after its load is not mixed with what the load learned of it.
TEST_F(PictureWindow, LoadDescribesTheBitmapOrRefusesIt) {
    const std::string path = loadBmp("photo.bmp", Picture::pattern(320, 240, 24));
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nphoto.bmp\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 24\r\n"
              " Length : 230400");
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load BMP File");
    test::writeFile(path, test::buildBmp(Picture::pattern(320, 241, 24)));  // a row more
    EXPECT_EQ(convert("photo.h"), "");
    EXPECT_NE(ui.texts().back().find("load it again"), std::string::npos) << ui.texts().back();
}

TEST_F(PictureWindow, RawDialogValuesBecomeNumbers) {
    test::writeFile(dir.path("scan.Raw"), Bytes(1000, 7));
    // Closed before any OK, the hidden labels still say 0; halves go to even; the leading number
    // or 0. Each dialog opens with the defaults.
    const std::pair<test::ScriptedUi::RawAnswer, std::string> rows[] = {
        {{.ok = false}, "0x0x0"},
        {{.width = "320.5", .height = "321.5", .bits24 = true}, "320x322x24"},
        {{.width = "abc", .height = "12px"}, "0x12x8"},
    };
    for (const auto& [answer, size] : rows) {
        ui.rawAnswers.push_back(answer);
        ui.openWith(dir.path("scan.Raw"));
        form.cmdBMPLoad.click();
        const ConverterState& s = form.state;
        EXPECT_EQ(std::to_string(s.lngWidth()) + "x" + std::to_string(s.lngHeight()) + "x" +
                      std::to_string(s.intBpp()),
                  size);
    }
    EXPECT_EQ(ui.rawDefaultsSeen, std::vector<std::string>(3, "320x240x8"));
}

TEST_F(PictureWindow, QuestionsBeforeOverwritingAddingAndReplacing) {
    loadBmp("pic.bmp", Picture::pattern(4, 4, 8));
    const std::string fresh = convert("pic.h");  // no file yet: no question
    test::writeText(dir.path("pic.h"), "old");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(convert("pic.h"), "old");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(ui.texts().back(), "Do you want to OVERWRITE this file :\r\npic.h  ?!?");
    EXPECT_EQ(convert("pic.h"), fresh);

    // Adding: three line ends, then the block, with the palette's include line where the file
    // has none before it (the graphics header tests show one that has).
    EXPECT_EQ(convert("new.h", true), "\r\n\r\n\r\n" + fresh);
    const std::string game = dir.path("game.h");
    test::writeText(game, "int score;");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(convert("game.h", true), "int score;");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoQuestion);
    const std::string added = "int score;\r\n\r\n\r\n" + fresh;
    EXPECT_EQ(convert("game.h", true), added);

    // Adding an array the file already holds asks to replace it: No writes nothing, Yes puts the
    // new block where the old one was and keeps every other byte. A block edited by hand is
    // left alone with the line that gives it away.
    test::writeText(game, added + "int lives;\r\n");
    loadBmp("pic.bmp", Picture::pattern(3, 5, 24));  // same name, another picture
    ui.messages.clear();
    ui.questionAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    EXPECT_EQ(convert("game.h", true), added + "int lives;\r\n");
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{
                  "Do you want to ADD data to this file :\r\ngame.h  ?!?",
                  "Do you want to REPLACE the array pic in this file :\r\ngame.h  ?!?"}));
    std::string edited = convert("game.h", true);
    EXPECT_EQ(edited, "int score;\r\n\r\n\r\n" + convert("alone.h") + "int lives;\r\n");
    edited.replace(edited.find("0x"), 2, "0X");  // the first literal of the new array
    test::writeText(game, edited);
    EXPECT_EQ(convert("game.h", true), edited);
    EXPECT_EQ(ui.texts().back(), "Can't write this file :(\r\n" + game +
                                     ": it already defines pic, but line 23 is not as Tessera "
                                     "writes it");
}

}  // namespace
}  // namespace tessera
