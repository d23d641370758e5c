#include "WindowFixture.h"
#include "export/CommentBlock.h"

namespace tessera {
namespace {

using test::Picture;
using test::U32s;

std::string commentBlock(const std::string& title, int width, int height, int mode) {
    return "/////////////////////////////////////////\r\n//\r\n// Header file for GP32\r\n//\r\n"
           "// convertion of " +
           title + " file :\r\n// Width     = " + std::to_string(width) +
           "\r\n// Heigth    = " + std::to_string(height) +
           "\r\n// GP32 Mode = " + std::to_string(mode) +
           " Bits per Pixel\r\n//\r\n// with Tessera coded by Zorvane :\r\n"
           "//    " +
           kProjectPage + "\r\n//    " + kProjectContact +
           "\r\n//\r\n/////////////////////////////////////////\r\n\r\n";
}

struct PictureText : test::WindowFixture {};

TEST_F(PictureText, WhiteTwoByFourWithTheIntensityBit) {
    loadBmp("pic.bmp", make(2, 4, 24, U32s(8, 0xFFFFFF)));
    EXPECT_EQ(writeText(), commentBlock("pic.bmp", 2, 4, 16) +
                               "#define pic_width      2\r\n#define pic_height     4\r\n\r\n"
                               "const unsigned short pic[8] = {\r\n      0xFFFF, 0xFFFF, 0xFFFF, "
                               "0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF\r\n};\r\n");
}

TEST_F(PictureText, TilesWithPaletteAndPixels) {
    // Two colours, black and white; each column reads 0, 1, 0, 1 from the bottom up.
    Picture p = make(4, 4, 8, {1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0});
    p.palette = {{0, 0, 0}, {255, 255, 255}};
    loadBmp("tiles.bmp", p);
    const std::string head = commentBlock("tiles.bmp", 4, 4, 8) +
                             "#define tiles_width      4\r\n#define tiles_height     4\r\n\r\n";
    const std::string palette =
        "GP_PALETTEENTRY tiles_Pal[2] = {\r\n      0x1, 0xFFFF\r\n};\r\n\r\n\r\n";
    const std::string pixels =
        "const unsigned char tiles[16] = {\r\n"
        "      0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1\r\n"
        "      \r\n};\r\n";
    const std::string define = "#define tiles_palnb      2\r\n\r\n";
    EXPECT_EQ(writeText(), head + define + "#include \"gpgraphic.h\"\r\n\r\n" + palette + pixels);
    form.state.bAddMode = -1;  // added to a file that already includes the graphics header
    EXPECT_EQ(writeText(), head + define + "\r\n" + palette + pixels);

    // Palette only: the pixels are not even converted. Then neither.
    form.state.bAddMode = 0;
    form.chkOnlyPal.click();
    form.state.lngCount = -7;
    EXPECT_EQ(writeText(), head + define + "#include \"gpgraphic.h\"\r\n\r\n" + palette);
    EXPECT_EQ(form.state.lngCount, -7);
    form.chkPal.setValue(0);
    EXPECT_EQ(writeText(), head);
}

TEST_F(PictureText, RawPicturesConvertFirstAndNeverGetAPalette) {
    loadRaw("scan.raw", make(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(writeText(), commentBlock("scan.raw", 3, 2, 8) +
                               "#define scan_width      3\r\n#define scan_height     2\r\n\r\n"
                               "const unsigned char scan[12] = {\r\n      0x0, 0x0, 0x4, 0x1, "
                               "0x0, 0x0, 0x5, 0x2, 0x0, 0x0, 0x6, 0x3\r\n};\r\n");
}

}  // namespace
}  // namespace tessera
