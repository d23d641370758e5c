#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;
using test::U32s;

struct PictureConversion : test::WindowFixture {};

TEST_F(PictureConversion, PlacementExamples) {
    // 3 x 2 bitmap: the bottom row (stored first) starts each column, padding above the top.
    loadBmp("a.bmp", make(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    form.ConvertBMPPixels();
    EXPECT_EQ(form.state.lngCount, 12);
    EXPECT_EQ(converted(), (U32s{4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0}));
    // 2 x 3 RAW, bytes b0..b5 in file order: padding below the bottom pixel.
    loadRaw("a.raw", make(2, 3, 8, {10, 11, 12, 13, 14, 15}));
    form.RAWRotateRight();
    EXPECT_EQ(converted(), (U32s{0, 14, 12, 10, 0, 15, 13, 11}));
    // A 1 x 1 red picture: stored 00 00 FF in a bitmap, FF 00 00 in a RAW file.
    form.optFill0.select();
    loadBmp("red.bmp", make(1, 1, 24, {0xFF0000}));
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), (U32s{0xF800, 0, 0, 0}));
    loadRaw("red.raw", make(1, 1, 24, {0xFF0000}));
    form.RAWRotateRight();
    EXPECT_EQ(converted(), (U32s{0, 0, 0, 0xF800}));
}

TEST_F(PictureConversion, ColourValuesAndTheIntensityBit) {
    using Row = std::tuple<std::uint32_t, int, std::uint32_t>;  // colour, fill bit, value
    for (const auto& [rgb, fill, value] :
         {Row{0xFFFFFF, 0, 0xFFFE}, Row{0xFF0000, 0, 0xF800}, Row{0x00FF00, 0, 0x7C0},
          Row{0x0000FF, 0, 0x3E}, Row{0x000000, 0, 0x0}, Row{0xFFFFFF, 1, 0xFFFF},
          Row{0x000000, 1, 0x1}, Row{0xC86432, 1, 0xCB0D}}) {
        (fill ? form.optFill1 : form.optFill0).select();
        loadBmp("c.bmp", make(1, 4, 24, U32s(4, rgb)));
        form.ConvertBMPPixels();
        EXPECT_EQ(converted(), U32s(4, value)) << std::hex << rgb;
    }
}

TEST_F(PictureConversion, EveryRowStrideBandAndBothFileKinds) {
    // Narrow pictures are placed in bands of 64 rows on one thread; the last size is large
    // enough for its columns to be shared among threads, an odd number of them.
    std::vector<std::pair<int, int>> sizes;
    for (int width = 1; width <= 4; ++width)
        for (int height : {1, 3, 4, 6, 17, 63, 64, 65, 130})
            sizes.emplace_back(width, height);
    sizes.emplace_back(301, 258);
    for (int bpp : {8, 24})
        for (const auto& [width, height] : sizes) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + "x" +
                         std::to_string(bpp));
            const Picture p = Picture::pattern(width, height, bpp);
            loadBmp("p.bmp", p);
            form.ConvertBMPPixels();
            EXPECT_EQ(converted(), screenOrder(p, false, 1));
            loadRaw("p.raw", p);
            form.RAWRotateRight();
            EXPECT_EQ(converted(), screenOrder(p, true, 1));
        }
}

// Longer information headers, top-down rows, RLE and bit fields all give the plain result, the
// palette (read after the information header) included.
TEST_F(PictureConversion, StoredVariantsGiveThePlainBottomUpResult) {
    Picture runs = Picture::pattern(13, 7, 8);
    runs.palette.resize(16);
    for (int i = 0; i < 13 * 7; ++i)  // runs of repeats and stretches of distinct indices
        runs.pixels[i] = (i % 13 < 6) ? 7 : runs.pixels[i] % 16;
    U32s palette;
    for (const auto& c : runs.palette)
        palette.push_back(gp32(c, 1));
    const Picture colours = Picture::pattern(5, 6, 24);
    for (const auto& [p, o] :
         std::vector<std::pair<Picture, test::BmpOptions>>{{runs, {}},
                                                           {runs, {.infoSize = 124}},
                                                           {runs, {.topDown = true}},
                                                           {runs, {.compression = 1}},
                                                           {colours, {.topDown = true}},
                                                           {colours, {.compression = 3}}}) {
        SCOPED_TRACE(std::to_string(o.infoSize) + " " + std::to_string(o.compression) + " " +
                     std::to_string(o.topDown));
        loadBmp("variant.bmp", p, o);
        form.ConvertBMPPixels();
        EXPECT_EQ(converted(), screenOrder(p, false, 1));
        EXPECT_EQ(ui.progress.back(), 1415);  // the pixels take the bar to 1415 of 2415 twips
        if (p.bpp == 24)
            continue;
        form.ConvertBMPPalette();
        EXPECT_EQ(U32s(form.state.strPal.begin(), form.state.strPal.end()), palette);
    }
}

TEST_F(PictureConversion, ShortFilesReadZerosPastTheirEnd) {
    Bytes b = test::buildBmp(make(2, 2, 8, {1, 2, 3, 4}));
    b.resize(b.size() - 4);  // the top row is missing
    loadFile("short.bmp", b);
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), (U32s{3, 0, 0, 0, 4, 0, 0, 0}));
}

}  // namespace
}  // namespace tessera
