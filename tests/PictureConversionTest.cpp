#include <cstdint>
#include <vector>

#include "PictureFixture.h"
#include "app/Errors.h"

namespace tessera {
namespace {

using test::BmpOptions;
using test::Bytes;
using test::Picture;
using U32s = std::vector<std::uint32_t>;

struct PictureConversion : test::PictureFixture {
    Picture picture(int width, int height, int bpp, U32s pixels) {
        Picture p;
        p.width = width;
        p.height = height;
        p.bpp = bpp;
        p.pixels = std::move(pixels);
        if (bpp == 8)
            p.palette = Picture::pattern(1, 1, 8).palette;
        return p;
    }
};

TEST_F(PictureConversion, ScreenOrderExamples) {
    // 3 x 2 bitmap: the bottom row (stored first) starts each column, padding above the top.
    loadBmp("a.bmp", picture(3, 2, 8, {1, 2, 3, 4, 5, 6}));
    form.ConvertBMPPixels();
    EXPECT_EQ(form.state.lngCount, 12);
    EXPECT_EQ(converted(), (U32s{4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0}));

    // 2 x 3 RAW, bytes b0..b5 in file order: padding below the bottom pixel.
    loadRaw("a.raw", picture(2, 3, 8, {10, 11, 12, 13, 14, 15}));
    form.RAWRotateRight();
    EXPECT_EQ(form.state.lngCount, 8);
    EXPECT_EQ(converted(), (U32s{0, 14, 12, 10, 0, 15, 13, 11}));

    // A 1 x 1 red picture.
    form.optFill0.select();
    loadBmp("red.bmp", picture(1, 1, 24, {0xFF0000}));
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), (U32s{0xF800, 0, 0, 0}));
    loadRaw("red.raw", picture(1, 1, 24, {0xFF0000}));
    form.RAWRotateRight();
    EXPECT_EQ(converted(), (U32s{0, 0, 0, 0xF800}));
}

TEST_F(PictureConversion, ColourValuesAndTheIntensityBit) {
    struct Case {
        std::uint32_t rgb;
        bool fill1;
        std::uint32_t value;
    };
    for (const Case& c :
         {Case{0xFFFFFF, false, 0xFFFE}, Case{0xFF0000, false, 0xF800},
          Case{0x00FF00, false, 0x7C0}, Case{0x0000FF, false, 0x3E}, Case{0x000000, false, 0x0},
          Case{0xFFFFFF, true, 0xFFFF}, Case{0x000000, true, 0x1}, Case{0xC86432, true, 0xCB0D}}) {
        (c.fill1 ? form.optFill1 : form.optFill0).select();
        loadBmp("c.bmp", picture(1, 4, 24, {c.rgb, c.rgb, c.rgb, c.rgb}));
        form.ConvertBMPPixels();
        EXPECT_EQ(converted(), U32s(4, c.value)) << std::hex << c.rgb;
        EXPECT_EQ(form.state.lngFillBit, c.fill1 ? 1 : 0);
    }
    // The same three bytes 10, 20, 30: blue first in a bitmap, red first in a RAW file.
    form.optFill0.select();
    loadFile("b.bmp", [] {
        Bytes b = test::buildBmp(Picture::pattern(1, 4, 24));
        for (int row = 0; row < 4; ++row)
            std::copy_n(Bytes{10, 20, 30}.begin(), 3, b.begin() + 54 + 4 * row);
        return b;
    }());
    form.ConvertBMPPixels();
    EXPECT_EQ(converted()[0], gp32(0x1E140A, 0));
    ui.rawAnswers.push_back({.width = "1", .height = "1", .bits24 = true});
    loadFile("b.raw", {10, 20, 30});
    form.RAWRotateRight();
    EXPECT_EQ(converted()[3], gp32(0x0A141E, 0));
}

TEST_F(PictureConversion, EveryRowStrideAndBothFileKinds) {
    for (int bpp : {8, 24}) {
        for (int width = 1; width <= 4; ++width) {
            for (int height : {1, 3, 4, 6, 16, 17, 35}) {  // rows are placed in bands of 16
                const Picture p = Picture::pattern(width, height, bpp);
                loadBmp("p.bmp", p);
                form.ConvertBMPPixels();
                EXPECT_EQ(converted(), screenOrder(p, false, 1))
                    << width << "x" << height << "x" << bpp;
                loadRaw("p.raw", p);
                form.RAWRotateRight();
                EXPECT_EQ(converted(), screenOrder(p, true, 1))
                    << width << "x" << height << "x" << bpp;
            }
        }
    }
}

TEST_F(PictureConversion, ProgressGrowsRowByRowTo1415) {
    for (int bpp : {8, 24}) {
        loadBmp("p.bmp", Picture::pattern(5, 3, bpp));
        ui.progress.clear();
        form.ConvertBMPPixels();
        EXPECT_EQ(ui.progress, (std::vector<double>{471, 943, 1415}));
    }
}

TEST_F(PictureConversion, PaletteFollowsTheInformationHeader) {
    Picture p = Picture::pattern(2, 2, 8);
    p.palette.resize(16);
    for (std::uint32_t infoSize : {40u, 108u, 124u}) {
        loadBmp("p.bmp", p, {.infoSize = infoSize});
        form.ConvertBMPPalette();
        U32s expected;
        for (const auto& c : p.palette)
            expected.push_back(gp32((c[0] << 16) | (c[1] << 8) | c[2], 1));
        EXPECT_EQ(U32s(form.state.strPal.begin(), form.state.strPal.end()), expected) << infoSize;
        form.ConvertBMPPixels();  // the pixels are found through the data offset
        EXPECT_EQ(converted(), screenOrder(p, false, 0)) << infoSize;
    }
}

TEST_F(PictureConversion, StoredVariantsGiveThePlainBottomUpResult) {
    Picture runs = Picture::pattern(13, 7, 8);
    for (int i = 0; i < 13 * 7; ++i)  // runs of repeats and stretches of distinct indices
        runs.pixels[i] = (i % 13 < 6) ? 7 : runs.pixels[i];
    struct Case {
        Picture picture;
        BmpOptions options;
    };
    for (const Case& c : {Case{runs, {.topDown = true}}, Case{runs, {.compression = 1}},
                          Case{Picture::pattern(5, 6, 24), {.topDown = true}},
                          Case{Picture::pattern(5, 6, 24), {.compression = 3}},
                          Case{Picture::pattern(5, 6, 24), {.infoSize = 124, .compression = 3}}}) {
        loadBmp("plain.bmp", c.picture);
        form.ConvertBMPPixels();
        const U32s plain = converted();
        EXPECT_EQ(plain, screenOrder(c.picture, false, 1));
        loadBmp("variant.bmp", c.picture, c.options);
        form.ConvertBMPPixels();
        EXPECT_EQ(converted(), plain) << c.options.compression << c.options.topDown;
    }
}

TEST_F(PictureConversion, DamagedRle8EndsCleanlyInsideThePicture) {
    Bytes b = test::buildBmp(picture(3, 2, 8, {1, 2, 3, 4, 5, 6}), {.compression = 1});
    const std::size_t data = 14 + 40 + 4 * 256;
    b.resize(data);
    // A run past the row's end, a jump far to the right and a run there, then a literal run cut
    // short by the file's end.
    b.insert(b.end(), {255, 9, 0, 2, 200, 0, 3, 4, 0, 0, 1, 1, 0, 5, 2});
    loadFile("bad.bmp", b);
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), (U32s{9, 1, 0, 0, 9, 2, 0, 0, 9, 0, 0, 0}));
    // A jump far above the picture ends it; nothing is written out of bounds.
    b.resize(data);
    b.insert(b.end(), {0, 2, 0, 255, 7, 7, 0, 0, 7, 7});
    loadFile("bad.bmp", b);
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), U32s(12, 0));
}

TEST_F(PictureConversion, ShortFilesReadZerosPastTheirEnd) {
    const Picture p = picture(2, 2, 8, {1, 2, 3, 4});
    Bytes b = test::buildBmp(p);
    b.resize(b.size() - 4);  // the top row is missing
    loadFile("short.bmp", b);
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), (U32s{3, 0, 0, 0, 4, 0, 0, 0}));

    // Missing colours are black with the intensity bit, like the padding.
    form.optFill1.select();
    b = test::buildBmp(picture(1, 2, 24, {0x102030, 0xFFFFFF}));
    b.resize(b.size() - 4);
    loadFile("short24.bmp", b);
    form.ConvertBMPPixels();
    EXPECT_EQ(converted(), (U32s{0xFFFF, 1, 1, 1}));
}

TEST_F(PictureConversion, RefusalsComeBeforeAnyTextAndLeaveNoFile) {
    struct Case {
        const char* what;
        int bpp;
        std::int32_t width, height;
        std::uint32_t compression;
        std::int32_t colours;
        std::string message;
    };
    const std::string cant = "Can't convert this picture :(\r\n";
    const std::vector<Case> cases{
        {"16 bits", 16, 2, 2, 0, 0, "Only 8 and 24 bits pictures can be converted :("},
        {"32 bits", 32, 2, 2, 0, 0, "Only 8 and 24 bits pictures can be converted :("},
        {"4 bits", 4, 2, 2, 2, 0, "Only 8 and 24 bits pictures can be converted :("},
        {"no width", 8, 0, 2, 0, 0, cant + "Its width and height must be more than 0."},
        {"no height", 24, 2, 0, 0, 0, cant + "Its width and height must be more than 0."},
        {"negative width", 24, -2, 2, 0, 0, cant + "Its width and height must be more than 0."},
        {"over 64 Mi", 8, 8193, 8192, 0, 0,
         cant + "It is too big: more than 67108864 pixels once its columns are padded."},
        {"overflowing", 24, INT32_MAX, INT32_MIN, 0, 0,
         cant + "It is too big: more than 67108864 pixels once its columns are padded."},
        {"RLE on 24 bits", 24, 2, 2, 1, 0, ""},
        {"bit fields on 8 bits", 8, 2, 2, 3, 0, ""},
        {"JPEG inside", 24, 2, 2, 4, 0, ""},
        {"too many colours", 8, 2, 2, 0, 300,
         cant + "Its colour table claims more than 256 colours."},
        {"negative colours", 8, 2, 2, 0, -1,
         cant + "Its colour table claims more than 256 colours."},
    };
    for (const Case& c : cases) {
        Bytes b = test::buildBmp(Picture::pattern(2, 2, c.bpp == 24 ? 24 : 8));
        test::putLe32(b, 18, static_cast<std::uint32_t>(c.width));
        test::putLe32(b, 22, static_cast<std::uint32_t>(c.height));
        test::putLe16(b, 28, static_cast<std::uint16_t>(c.bpp));
        test::putLe32(b, 30, c.compression);
        test::putLe32(b, 46, static_cast<std::uint32_t>(c.colours));
        loadFile("p.bmp", b);
        const std::string out = dir.path("out.h");
        form.state.tsOut = std::make_unique<TextStream>(out, OutputFile::Mode::Replace);
        std::string message;
        try {
            form.WriteImageText();
        } catch (const TesseraError& e) {
            message = e.what();
        }
        form.state.tsOut.reset();
        const std::string expected = c.message.empty()
                                         ? cant +
                                               "Its pixels are packed in a way this tool does not "
                                               "read (only plain pixels, 8 bits RLE and 24 bits "
                                               "with the usual colour masks are read)."
                                         : c.message;
        EXPECT_EQ(message, expected) << c.what;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.what;
        EXPECT_TRUE(ui.progress.empty()) << c.what;
    }
}

}  // namespace
}  // namespace tessera
