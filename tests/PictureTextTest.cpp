#include "support/Window.h"

namespace tessera {
namespace {

using test::Picture;
using test::U32s;

std::string pictureBlock(const std::string& title, int width, int height, int mode) {
    return test::WindowFixture::commentBlock(
        title, "// Width     = " + std::to_string(width) +
                   "\r\n// Heigth    = " + std::to_string(height) +
                   "\r\n// GP32 Mode = " + std::to_string(mode) + " Bits per Pixel\r\n");
}

struct PictureText : test::WindowFixture {};

TEST_F(PictureText, WhiteTwoByFourWithTheIntensityBit) {
    loadBmp("pic.bmp", make(2, 4, 24, U32s(8, 0xFFFFFF)));
    EXPECT_EQ(convert("out.h"),
              pictureBlock("pic.bmp", 2, 4, 16) +
                  "#define pic_width      2\r\n#define pic_height     4\r\n\r\n"
                  "const unsigned short pic[8] = {\r\n      0xFFFF, 0xFFFF, 0xFFFF, "
                  "0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF\r\n};\r\n");
}

TEST_F(PictureText, TilesWithPaletteAndPixels) {
    // Two colours, black and white; each column reads 0, 1, 0, 1 from the bottom up.
    Picture p = make(4, 4, 8, {1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0});
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

    // Palette only: the pixels are not even converted. Then neither.
    form.chkOnlyPal.click();
    form.state.lngCount = -7;
    EXPECT_EQ(convert("out.h"), head + palette);
    EXPECT_EQ(form.state.lngCount, -7);
    form.chkPal.setValue(0);
    EXPECT_EQ(convert("out.h"), head);
}

TEST_F(PictureText, RawPicturesConvertFirstAndNeverGetAPalette) {
    loadRaw("scan.raw", make(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(convert("out.h"), pictureBlock("scan.raw", 3, 2, 8) +
                                    "#define scan_width      3\r\n#define scan_height     2\r\n\r\n"
                                    "const unsigned char scan[12] = {\r\n      0x0, 0x0, 0x4, 0x1, "
                                    "0x0, 0x0, 0x5, 0x2, 0x0, 0x0, 0x6, 0x3\r\n};\r\n");
}

TEST_F(PictureText, DescribesTheBitmapOrRefusesIt) {
    loadBmp("photo.bmp", Picture::pattern(320, 240, 24));
    EXPECT_EQ(form.lblBMPName.Caption,
              "Image Name : \r\nphoto.bmp\r\n\r\n Width  : 320\r\n Height : 240\r\n BPP    : 24\r\n"
              " Length : 230400");
    EXPECT_EQ(form.txtVar.Text(), "photo");
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load BMP File");
    loadBmp("tiles.bmp", Picture::pattern(4, 4, 8));  // colour count field 0 means 256
    EXPECT_EQ(form.state.lngPalCount, 256);
    loadFile("fake.bmp", {0x89, 'P', 'N', 'G'});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "Can't open this kind of image file...\r\nIt is no picture this "
                              "tool knows; BMP, PNG and RAW pictures are read (`convert IN "
                              "OUT.png` writes a PNG copy)."});
}

TEST_F(PictureText, RawDialogValuesBecomeNumbers) {
    test::writeFile(dir.path("scan.Raw"), test::Bytes(1000, 7));
    auto loadScan = [&](test::ScriptedUi::RawAnswer a) {
        ui.rawAnswers.push_back(a);
        ui.openWith(dir.path("scan.Raw"));
        form.cmdBMPLoad.click();
    };
    // Closed before any OK, the hidden labels still say 0; halves go to even; the leading number
    // or 0; closed after an OK, the last values stay. Each dialog opens with the defaults.
    using Row = std::tuple<test::ScriptedUi::RawAnswer, int, int, int>;  // width, height, bpp
    for (const auto& [answer, width, height, bpp] :
         {Row{{.ok = false}, 0, 0, 0}, Row{{}, 320, 240, 8},
          Row{{.width = "320.5", .height = "321.5", .bits24 = true}, 320, 322, 24},
          Row{{.width = "abc", .height = "12px"}, 0, 12, 8},
          Row{{.width = "7", .ok = false}, 0, 12, 8}}) {
        loadScan(answer);
        EXPECT_EQ(std::tuple(form.state.lngWidth, form.state.lngHeight, form.state.intBpp),
                  std::tuple(width, height, bpp));
        if (width == 320 && bpp == 8) {
            EXPECT_EQ(form.lblBMPName.Caption,
                      "Image Name : \r\nscan.Raw\r\n\r\n Width  : 320\r\n"
                      " Height : 240\r\n BPP    : 8\r\n Length : 1000");
        }
    }
    EXPECT_EQ(ui.rawDefaultsSeen, std::vector<std::string>(5, "320x240x8"));
    loadScan({.width = "99999999999"});
    EXPECT_EQ(ui.texts().back(),
              "Can't use this picture size :(\r\nThe width \"99999999999\" is out of range.");
    EXPECT_FALSE(form.cmdBMPConvert.Enabled);
}

}  // namespace
}  // namespace tessera
