#include <string>

#include "PictureFixture.h"
#include "export/CommentBlock.h"

namespace tessera {
namespace {

using test::BmpOptions;
using test::Picture;

std::string commentBlock(const std::string& title, int width, int height, int mode) {
    return "/////////////////////////////////////////\r\n//\r\n// Header file for GP32\r\n//\r\n"
           "// convertion of " +
           title + " file :\r\n// Width     = " + std::to_string(width) +
           "\r\n// Heigth    = " + std::to_string(height) +
           "\r\n// GP32 Mode = " + std::to_string(mode) +
           " Bits per Pixel\r\n//\r\n// with Tessera coded by Zorvane :\r\n//    " + kProjectPage +
           "\r\n//    " + kProjectContact +
           "\r\n//\r\n/////////////////////////////////////////\r\n\r\n";
}

Picture filled(int width, int height, int bpp, std::uint32_t (*pixel)(int row, int col)) {
    Picture p;
    p.width = width;
    p.height = height;
    p.bpp = bpp;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            p.pixels.push_back(pixel(r, c));
    return p;
}

struct PictureText : test::PictureFixture {};

TEST_F(PictureText, WhiteTwoByFourWithTheIntensityBit) {
    loadBmp("pic.bmp", filled(2, 4, 24, [](int, int) -> std::uint32_t { return 0xFFFFFF; }));
    form.optFill1.select();
    EXPECT_EQ(writeText(), commentBlock("pic.bmp", 2, 4, 16) +
                               "#define pic_width      2\r\n#define pic_height     4\r\n\r\n"
                               "const unsigned short pic[8] = {\r\n"
                               "      0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, "
                               "0xFFFF\r\n};\r\n");
}

TEST_F(PictureText, TilesWithPaletteAndPixels) {
    // Two colours, black and white; each column reads 0, 1, 0, 1 from the bottom up.
    Picture p = filled(4, 4, 8, [](int row, int) -> std::uint32_t { return row % 2 == 0; });
    p.palette = {{0, 0, 0}, {255, 255, 255}};
    loadBmp("tiles.bmp", p);
    form.optFill1.select();
    const std::string head = commentBlock("tiles.bmp", 4, 4, 8) +
                             "#define tiles_width      4\r\n#define tiles_height     4\r\n\r\n";
    const std::string pixels =
        "const unsigned char tiles[16] = {\r\n"
        "      0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1, 0x0, 0x1\r\n"
        "      \r\n};\r\n";
    EXPECT_EQ(writeText(),
              head +
                  "#define tiles_palnb      2\r\n\r\n#include \"gpgraphic.h\"\r\n\r\n"
                  "GP_PALETTEENTRY tiles_Pal[2] = {\r\n      0x1, 0xFFFF\r\n};\r\n\r\n\r\n" +
                  pixels);

    // Added to a file that already includes the graphics header: no include line.
    form.state.bAddMode = -1;
    EXPECT_EQ(writeText(),
              head +
                  "#define tiles_palnb      2\r\n\r\n\r\n"
                  "GP_PALETTEENTRY tiles_Pal[2] = {\r\n      0x1, 0xFFFF\r\n};\r\n\r\n\r\n" +
                  pixels);

    // Palette only, then neither: the pixels are not even converted.
    form.state.bAddMode = 0;
    form.chkOnlyPal.click();
    form.state.lngCount = -7;
    const std::string onlyPalette = writeText();
    EXPECT_EQ(onlyPalette.find("const unsigned char"), std::string::npos);
    EXPECT_NE(onlyPalette.find("tiles_Pal[2]"), std::string::npos);
    EXPECT_EQ(form.state.lngCount, -7);
    form.chkPal.setValue(0);
    EXPECT_EQ(writeText(), head);

    // Renaming the array renames every line.
    form.chkOnlyPal.setValue(0);
    form.txtVar.Text() = "";
    EXPECT_EQ(writeText().find("#define _width      4\r\n#define _height     4\r\n"),
              head.find("#define"));
}

TEST_F(PictureText, PaletteLinesOfSixteen) {
    for (int colours : {1, 16, 17}) {
        Picture p = Picture::pattern(1, 4, 8);
        p.palette.resize(static_cast<std::size_t>(colours));
        loadBmp("p.bmp", p);
        form.chkOnlyPal.setValue(1);
        const std::string text = writeText();
        const auto open = text.find("_Pal[" + std::to_string(colours) + "] = {\r\n");
        ASSERT_NE(open, std::string::npos);
        const auto body = text.substr(text.find('\n', open) + 1);
        const auto lines = std::count(body.begin(), body.end(), '\n');
        EXPECT_EQ(lines, colours == 1 ? 4 : 5) << colours;  // element lines, "};", two blanks
        EXPECT_EQ(body.substr(body.size() - 8), "};\r\n\r\n\r\n");
        EXPECT_EQ(body.find("\r\n      \r\n};") != std::string::npos, colours == 16);
        EXPECT_EQ(std::count(body.begin(), body.end(), ','), colours - 1);
        EXPECT_EQ(body.find(", \r\n") != std::string::npos, colours == 17);
    }
}

TEST_F(PictureText, TopDownAndCompressedBitmapsWriteTheSameText) {
    for (int bpp : {8, 24}) {
        const Picture p = Picture::pattern(5, 6, bpp);
        loadBmp("p.bmp", p);
        const std::string plain = writeText();
        loadBmp("p.bmp", p, {.topDown = true});
        EXPECT_EQ(writeText(), plain) << bpp;
        if (bpp == 8) {
            loadBmp("p.bmp", p, {.compression = 1});
            EXPECT_EQ(writeText(), plain);
        }
    }
}

TEST_F(PictureText, RawPicturesConvertBeforeWritingAndNeverGetAPalette) {
    loadRaw("scan.raw", Picture::pattern(3, 2, 8));
    const std::string text = writeText();
    EXPECT_EQ(text.find("palnb"), std::string::npos);
    EXPECT_NE(text.find("const unsigned char scan[12] = {\r\n      0x0, 0x0, 0x"),
              std::string::npos);
    EXPECT_EQ(form.state.lngCount, 12);
}

TEST_F(PictureText, WritingTakesTheBarFrom1415Towards2415) {
    loadBmp("p.bmp", Picture::pattern(4, 16, 24));  // 64 elements: four lines of 16
    ui.progress.clear();
    writeText();
    ASSERT_EQ(ui.progress.size(), 16u + 4u);
    EXPECT_EQ(ui.progress[15], 1415);
    EXPECT_EQ(std::vector<double>(ui.progress.begin() + 16, ui.progress.end()),
              (std::vector<double>{1665, 1915, 2165, 2415}));
}

}  // namespace
}  // namespace tessera
