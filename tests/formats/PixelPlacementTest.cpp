#include <gtest/gtest.h>

#include "formats/picture/BmpInfo.h"
#include "formats/picture/Palette.h"
#include "formats/picture/PixelPlacement.h"
#include "formats/picture/PngReader.h"
#include "platform/Errors.h"
#include "support/Child.h"
#include "support/Expected.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;
using test::U32s;

// Describes a picture file as a load does and places its pixels in screen order.
struct Placed {
    U32s values;
    U32s palette;
    std::vector<std::int64_t> rowsReported;
};

Placed place(const test::TempDir& dir, const Bytes& file, int fill, const Picture* raw = nullptr) {
    const std::string path = dir.path(raw ? "p.raw" : "p.bmp");
    test::writeFile(path, file);
    const InputFile in(path);
    const PictureInfo info = raw ? rawInfo(in, raw->width, raw->height, std::int16_t(raw->bpp))
                                 : readBmpInfo(in).value();
    Placed out;
    const ScreenPixels pixels =
        placePixels(in, pictureLayout(info), fill,
                    [&](std::int64_t done, std::int64_t) { out.rowsReported.push_back(done); });
    out.values = pixels.colours.empty() ? U32s(pixels.indices.begin(), pixels.indices.end())
                                        : U32s(pixels.colours.begin(), pixels.colours.end());
    if (!raw && info.bitsPerPixel == 8) {
        const auto palette = readPalette(in, info, fill);
        out.palette = U32s(palette.begin(), palette.end());
    }
    return out;
}

TEST(PixelPlacement, WorkedExamples) {
    test::TempDir dir;
    // 3 x 2 bitmap: the bottom row (stored first) starts each column, padding above the top.
    const Picture bmp = test::makePicture(3, 2, 8, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(place(dir, test::buildBmp(bmp), 1).values,
              (U32s{4, 1, 0, 0, 5, 2, 0, 0, 6, 3, 0, 0}));
    // 2 x 3 RAW, bytes b0..b5 in file order: padding below the bottom pixel.
    const Picture raw = test::makePicture(2, 3, 8, {10, 11, 12, 13, 14, 15});
    EXPECT_EQ(place(dir, test::buildRaw(raw), 1, &raw).values,
              (U32s{0, 14, 12, 10, 0, 15, 13, 11}));
    // A 1 x 1 red picture: stored 00 00 FF in a bitmap, FF 00 00 in a RAW file.
    const Picture red = test::makePicture(1, 1, 24, {0xFF0000});
    EXPECT_EQ(place(dir, test::buildBmp(red), 0).values, (U32s{0xF800, 0, 0, 0}));
    EXPECT_EQ(place(dir, test::buildRaw(red), 0, &red).values, (U32s{0, 0, 0, 0xF800}));
    // (200, 100, 50) with the intensity bit; padding black with it.
    const Picture orange = test::makePicture(1, 1, 24, {0xC86432});
    EXPECT_EQ(place(dir, test::buildBmp(orange), 1).values, (U32s{0xCB0D, 1, 1, 1}));
}

TEST(PixelPlacement, EveryRowStrideBandAndBothFileKinds) {
    test::TempDir dir;
    // Narrow pictures are placed in bands of 64 rows (indices 8 x 8 at a time) on one thread;
    // the last size is large enough for its columns to be shared among threads, an odd number
    // of them.
    struct Size {
        int width;
        int height;
    };
    std::vector<Size> sizes;
    for (int width = 1; width <= 4; ++width) {
        for (int height : {1, 3, 4, 6, 17, 63, 64, 65, 130})
            sizes.push_back({.width = width, .height = height});
    }
    sizes.push_back({.width = 301, .height = 258});
    for (int bpp : {8, 24}) {
        for (const Size& size : sizes) {
            SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + "x" +
                         std::to_string(bpp));
            const Picture p = Picture::pattern(size.width, size.height, bpp);
            const Placed bmp = place(dir, test::buildBmp(p), 1);
            EXPECT_EQ(bmp.values, test::screenOrder(p, false, 1));
            ASSERT_EQ(bmp.rowsReported.size(), static_cast<std::size_t>(size.height));
            EXPECT_EQ(bmp.rowsReported.back(), size.height);
            EXPECT_EQ(place(dir, test::buildRaw(p), 1, &p).values, test::screenOrder(p, true, 1));
        }
    }
}

// Longer information headers, top-down rows, RLE, packed indices and bit fields all give the
// plain result, the palette (read after the information header) included. Rows longer than a
// band are read a piece at a time, in strips of columns: the last strip is narrower, and the
// pieces of packed rows start on whole bytes.
TEST(PixelPlacement, StoredVariantsNarrowOrWiderThanABandGiveThePlainResult) {
    test::TempDir dir;
    struct Row {
        const char* name;
        int width;
        int bpp;
        test::BmpOptions options = {};
        int colours = 16;  // indices below this, in runs of repeats and distinct stretches
        bool raw = false;
    };
    const Row rows[] = {
        {.name = "8 bits", .width = 13, .bpp = 8},
        {.name = "V5 header", .width = 13, .bpp = 8, .options = {.infoSize = 124}},
        {.name = "top-down", .width = 13, .bpp = 8, .options = {.topDown = true}},
        {.name = "RLE8", .width = 13, .bpp = 8, .options = {.compression = 1}},
        {.name = "24 bits, top-down", .width = 5, .bpp = 24, .options = {.topDown = true}},
        {.name = "24 bits, marked as bit fields",
         .width = 5,
         .bpp = 24,
         .options = {.compression = 3}},
        {.name = "wide 24 bits", .width = 300001, .bpp = 24},
        {.name = "wide, top-down", .width = 300001, .bpp = 24, .options = {.topDown = true}},
        {.name = "wide RAW 24 bits", .width = 300001, .bpp = 24, .raw = true},
        {.name = "wide 32 bits", .width = 300001, .bpp = 24, .options = {.bits = 32}},
        {.name = "wide 8 bits", .width = 800003, .bpp = 8, .colours = 256},
        {.name = "wide RLE8", .width = 800003, .bpp = 8, .options = {.compression = 1}},
        {.name = "wide 4 bits", .width = 800003, .bpp = 8, .options = {.bits = 4}},
        {.name = "wide 1 bit", .width = 800003, .bpp = 8, .options = {.bits = 1}, .colours = 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Picture p = Picture::pattern(row.width, 7, row.bpp);
        if (row.bpp == 8) {
            for (std::size_t i = 0; i < p.pixels.size(); ++i)
                p.pixels[i] = (i % 13 < 6) ? 1 : p.pixels[i] % row.colours;
            p.palette.resize(static_cast<std::size_t>(row.colours));
        }
        const Bytes file = row.raw ? test::buildRaw(p) : test::buildBmp(p, row.options);
        const Placed placed = place(dir, file, 1, row.raw ? &p : nullptr);
        EXPECT_EQ(placed.values, test::screenOrder(p, row.raw, 1));
        EXPECT_EQ(placed.rowsReported.back(), placed.rowsReported.size());
        if (row.bpp == 8 && !row.raw && row.options.bits == 0) {
            EXPECT_EQ(placed.palette, test::paletteColours(p, 1));
        }
    }
}

// The largest pictures fill the largest screen array there is (128 MB of colours), and reading
// them adds next to nothing to it: a 54-byte bitmap claiming 16,777,216 x 1 pixels is read a
// piece of a row at a time, an interlaced PNG (its data cut short) a reduced row at a time.
TEST(PixelPlacement, TheLargestPicturesTakeLittleMoreThanTheirScreenArray) {
    test::TempDir dir;
    const Picture red = test::makePicture(1, 1, 24, {0xFF0000});
    Bytes wide24 = test::buildBmp(red), wide32 = test::buildBmp(red, {.bits = 32});
    test::putLe32(wide24, 18, 16777216);
    test::putLe32(wide32, 18, 16777216);
    const Bytes interlaced =
        test::claimPngSize(test::buildPng(red, {.interlaced = true}), 8192, 8192);
    struct Row {
        const char* name;
        const Bytes& file;
        std::string says;
    };
    const Row rows[] = {
        {.name = "24 bits", .file = wide24, .says = "67108864"},
        {.name = "32 bits", .file = wide32, .says = "67108864"},
        {.name = "interlaced PNG", .file = interlaced, .says = "Its PNG data is damaged"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::writeFile(dir.path("large"), row.file);
        const test::ChildResult run = test::runInChild([&] {
            const InputFile in(dir.path("large"));
            std::optional<PictureInfo> info = readPngInfo(in);
            if (!info)
                info = readBmpInfo(in);
            try {
                const auto pixels =
                    placePixels(in, pictureLayout(*info), 1, [](std::int64_t, std::int64_t) {});
                return std::to_string(pixels.colours.size());
            } catch (const TesseraError& e) {
                return std::string(e.what());
            }
        });
        EXPECT_NE(run.text.find(row.says), std::string::npos) << run.text;
        EXPECT_LT(run.maxRssKiB, test::kUnderSanitizer ? 1L << 40 : 140 * 1024);
    }
}

TEST(PixelPlacement, ShortFilesReadZerosPastTheirEnd) {
    test::TempDir dir;
    Bytes b = test::buildBmp(test::makePicture(2, 2, 8, {1, 2, 3, 4}));
    b.resize(b.size() - 4);  // the top row is missing
    EXPECT_EQ(place(dir, b, 1).values, (U32s{3, 0, 0, 0, 4, 0, 0, 0}));
}

}  // namespace
}  // namespace tessera
