#include <filesystem>

#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;
using test::U32s;
using Strings = std::vector<std::string>;

constexpr const char* kDone = "Convertion done successfully :)";

std::string pictureBlock(const std::string& title, int width, int height, int mode) {
    return test::WindowFixture::commentBlock(
        title, "// Width     = " + std::to_string(width) +
                   "\r\n// Heigth    = " + std::to_string(height) +
                   "\r\n// GP32 Mode = " + std::to_string(mode) + " Bits per Pixel\r\n");
}

// The picture side of the window end to end: load, the convert buttons, their questions, the
// text and .gpg writers, the messages and the bar.
using PictureWindow = test::WindowFixture;

TEST_F(PictureWindow, WhiteTwoByFourWithTheIntensityBit) {
    loadBmp("pic.bmp", test::makePicture(2, 4, 24, U32s(8, 0xFFFFFF)));
    EXPECT_EQ(convert("out.h"),
              pictureBlock("pic.bmp", 2, 4, 16) +
                  "#define pic_width      2\r\n#define pic_height     4\r\n\r\n"
                  "const unsigned short pic[8] = {\r\n      0xFFFF, 0xFFFF, 0xFFFF, "
                  "0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF\r\n};\r\n");
}

TEST_F(PictureWindow, TilesWithPaletteAndPixels) {
    // Two colours, black and white; each column reads 0, 1, 0, 1 from the bottom up.
    Picture p = test::makePicture(4, 4, 8, {1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0});
    p.palette = {{0, 0, 0}, {255, 255, 255}};
    loadBmp("tiles.bmp", p);
    const std::string head = pictureBlock("tiles.bmp", 4, 4, 8) +
                             "#define tiles_width      4\r\n#define tiles_height     4\r\n\r\n";
    const std::string palette =
        "#define tiles_palnb      2\r\n\r\n#include \"gpgraphic.h\"\r\n\r\n"
        "GP_PALETTEENTRY tiles_Pal[2] = {\r\n      0x1, 0xFFFF\r\n};\r\n\r\n\r\n";
    const std::string pixels =
        "const unsigned char tiles[16] = {\r\n"
        "      0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1\r\n"
        "      \r\n};\r\n";
    EXPECT_EQ(convert("out.h"), head + palette + pixels);

    // Palette only: the pixels are not even converted, so the bar never moves. Then neither.
    form.chkOnlyPal.click();
    ui.progress.clear();
    EXPECT_EQ(convert("out.h"), head + palette);
    EXPECT_TRUE(ui.progress.empty());
    form.chkPal.setValue(0);
    EXPECT_EQ(convert("out.h"), head);
}

TEST_F(PictureWindow, RawPicturesConvertFirstAndNeverGetAPalette) {
    loadRaw("scan.raw", test::makePicture(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(convert("out.h"), pictureBlock("scan.raw", 3, 2, 8) +
                                    "#define scan_width      3\r\n#define scan_height     2\r\n\r\n"
                                    "const unsigned char scan[12] = {\r\n      0x0, 0x0, 0x4, 0x1, "
                                    "0x0, 0x0, 0x5, 0x2, 0x0, 0x0, 0x6, 0x3\r\n};\r\n");
}

TEST_F(PictureWindow, LoadDescribesTheBitmapOrRefusesIt) {
    loadBmp("photo.bmp", Picture::pattern(320, 240, 24));
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nphoto.bmp\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 24\r\n"
              " Length : 230400");
    EXPECT_EQ(form.txtVar.Text(), "photo");
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load BMP File");
    loadFile("fake.bmp", {0x89, 'P', 'N', 'G'});
    EXPECT_EQ(ui.texts(), Strings{"Can't open this kind of image file...\r\nIt is no picture this "
                                  "tool knows; BMP, PNG and RAW pictures are read (`convert IN "
                                  "OUT.png` writes a PNG copy)."});
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

TEST_F(PictureWindow, RawDialogValuesBecomeNumbers) {
    test::writeFile(dir.path("scan.Raw"), Bytes(1000, 7));
    // Closed before any OK, the hidden labels still say 0; halves go to even; the leading number
    // or 0; closed after an OK, the last values stay. Each dialog opens with the defaults.
    struct Row {
        test::ScriptedUi::RawAnswer answer;
        int width;
        int height;
        int bpp;
    };
    const Row rows[] = {
        {.answer = {.ok = false}, .width = 0, .height = 0, .bpp = 0},
        {.answer = {}, .width = 320, .height = 240, .bpp = 8},
        {.answer = {.width = "320.5", .height = "321.5", .bits24 = true},
         .width = 320,
         .height = 322,
         .bpp = 24},
        {.answer = {.width = "abc", .height = "12px"}, .width = 0, .height = 12, .bpp = 8},
        {.answer = {.width = "7", .ok = false}, .width = 0, .height = 12, .bpp = 8},
    };
    for (const Row& row : rows) {
        ui.rawAnswers.push_back(row.answer);
        ui.openWith(dir.path("scan.Raw"));
        form.cmdBMPLoad.click();
        EXPECT_EQ(form.state.lngWidth, row.width);
        EXPECT_EQ(form.state.lngHeight, row.height);
        EXPECT_EQ(form.state.intBpp, row.bpp);
    }
    EXPECT_EQ(ui.rawDefaultsSeen, Strings(5, "320x240x8"));
    ui.rawAnswers.push_back({.width = "99999999999"});
    ui.openWith(dir.path("scan.Raw"));
    form.cmdBMPLoad.click();
    EXPECT_EQ(ui.texts().back(),
              "Can't use this picture size :(\r\nThe width \"99999999999\" is out of range.");
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

TEST_F(PictureWindow, NewFilesAskBeforeOverwritingAndAddedOnesAlways) {
    loadBmp("pic.bmp", Picture::pattern(4, 4, 8));
    const std::string fresh = convert("pic.h");  // no file yet: no question
    EXPECT_EQ(ui.proposedNames.back(), "pic");
    EXPECT_EQ(ui.texts(), Strings{kDone});
    EXPECT_EQ(form.lblPercent.Width, 0);
    test::writeText(dir.path("pic.h"), "old");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(convert("pic.h"), "old");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(ui.texts().back(), "Do you want to OVERWRITE this file :\r\npic.h  ?!?");
    EXPECT_EQ(convert("pic.h"), fresh);

    // Adding to a file: three line ends, then the block without the include line.
    test::writeText(dir.path("game.h"), "int score;");
    ui.questionAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_EQ(convert("game.h", true), "int score;");
    EXPECT_EQ(ui.messages.back().text, "Do you want to ADD data to this file :\r\ngame.h  ?!?");
    EXPECT_EQ(ui.messages.back().style, MsgStyle::YesNoQuestion);
    const std::string include = "#include \"gpgraphic.h\"\r\n";
    std::string withoutInclude = fresh;
    withoutInclude.erase(fresh.find(include), include.size());
    EXPECT_EQ(convert("game.h", true), "int score;\r\n\r\n\r\n" + withoutInclude);
    EXPECT_EQ(ui.texts().back(), kDone);
}

TEST_F(PictureWindow, GpgOfTheThreeByTwoExampleAndItsProgress) {
    loadBmp("pic.bmp", test::makePicture(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    test::writeFile(dir.path("pic.gpg"), Bytes(100, 0xEE));  // a longer old file is replaced whole
    const Bytes gpg{0x67, 0x70, 0x67, 0x20, 12, 0, 0, 0, 4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0};
    EXPECT_EQ(convert("pic.gpg"), std::string(gpg.begin(), gpg.end()));
    // Only names ending in .h or .c, in either case, get C text.
    EXPECT_EQ(convert("pic.GPG"), convert("pic.txt"));
    EXPECT_TRUE(convert("pic.C").starts_with("/////"));
    loadBmp("big.bmp", Picture::pattern(32, 32, 8));  // 1024 indices
    convert("big.gpg");
    EXPECT_EQ(std::vector<double>(ui.progress.end() - 4, ui.progress.end()),
              (std::vector<double>{1415, 1915, 2415, 0}));
}

TEST_F(PictureWindow, RefusalsShowTheirMessageAndWriteNothing) {
    const std::string no = "Can't convert this picture :(\r\n";
    struct Row {
        std::string output;
        bool add = false;
        bool onlyPalette = false;
        int bpp = 8;
        std::vector<std::pair<std::size_t, std::uint32_t>> headerFields = {};
        std::string message;
    };
    const Row rows[] = {
        {.output = "x.gpg",
         .onlyPalette = true,
         .message = "Can't export palette\r\n with \".GPG\" Files :("},
        {.output = "x.gpg", .add = true, .message = "Can't ADD with \".GPG\" Files :("},
        {.output = "x.gpg",
         .bpp = 24,
         .message = "Only 8 bits pictures can be\r\nconverted in a \".GPG\" file :("},
        {.output = "x.gpg",
         .headerFields = {{28, 2}},
         .message = no + "It has 2 bits per pixel; bitmaps of 1, 4, 8, 16, 24 and 32 bits are "
                         "read (`convert IN.bmp BMP3:OUT.bmp` writes a plain 24-bit copy)."},
        {.output = "x.h",
         .headerFields = {{18, 0}},
         .message = no + "Its width and height must be more than 0."},
        {.output = "x.h",
         .bpp = 24,
         .headerFields = {{18, 0x7FFFFFFF}, {22, 0x80000000}},
         .message = no + "It is too big: more than 67108864 pixels once its columns are padded."},
        {.output = "x.h",
         .headerFields = {{46, 300}},
         .message = no + "Its colour table claims more than 256 colours."},
        {.output = "x.h",
         .bpp = 24,
         .headerFields = {{30, 1}},
         .message = no +
                    "Its 24 bits pixels are packed in a way this tool does not read (compression "
                    "1); plain pixels, RLE at 4 and 8 bits and bit fields at 16 and 32 bits are "
                    "read (`convert IN.bmp BMP3:OUT.bmp` writes a plain 24-bit copy)."},
    };
    for (const Row& row : rows) {
        Bytes b = test::buildBmp(Picture::pattern(2, 2, row.bpp));
        for (const auto& [at, value] : row.headerFields)
            test::putLe32(b, at, value);
        loadFile("p.bmp", b);
        form.chkOnlyPal.setValue(row.onlyPalette ? 1 : 0);
        ui.messages.clear();
        convert(row.output, row.add);
        EXPECT_FALSE(std::filesystem::exists(dir.path(row.output))) << row.message;
        EXPECT_EQ(ui.texts().back(), row.message);
    }
}

// A picture rewritten after its load is not mixed with what the load learned of it.
TEST_F(PictureWindow, AFileChangedSinceItsLoadIsRefused) {
    const std::string path = loadBmp("pic.bmp", Picture::pattern(4, 4, 24));
    test::writeFile(path, test::buildBmp(Picture::pattern(4, 5, 24)));  // a row more
    convert("pic.h");
    EXPECT_FALSE(std::filesystem::exists(dir.path("pic.h")));
    EXPECT_NE(ui.texts().back().find("load it again"), std::string::npos) << ui.texts().back();
}

}  // namespace
}  // namespace tessera
