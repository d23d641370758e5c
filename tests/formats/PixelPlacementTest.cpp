// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>

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
    std::optional<PictureInfo> info =
        raw ? rawInfo(in, raw->width, raw->height, std::int16_t(raw->bpp)) : readBmpInfo(in);
    if (!info)
        info = readPngInfo(in);
    Placed out;
    const ScreenPixels pixels =
        placePixels(in, pictureLayout(*info), fill,
                    [&](std::int64_t done, std::int64_t) { out.rowsReported.push_back(done); });
    out.values = pixels.colours.empty() ? U32s(pixels.indices.begin(), pixels.indices.end())
                                        : U32s(pixels.colours.begin(), pixels.colours.end());
    if (!raw && convertedDepth(*info) == 8) {
        const auto palette = readPalette(in, *info, fill);
        out.palette = U32s(palette.begin(), palette.end());
    }
    return out;
}

// Every size around the bands of 64 rows (indices placed 8 x 8 at a time), from a bitmap and a
// RAW file, the largest shared among an odd number of threads. Then longer or older information
// headers, top-down rows (PNG rows come top first too), RLE, packed indices, bit fields and PNG
// files all give the plain result, the colour table in the file's count and order included. Rows
// longer than a band are read a piece at a time, in strips of columns: the last strip is narrower,
// and the pieces of packed rows start on whole bytes.
TEST(PixelPlacement, EverySizeAndStoredVariantGivesThePlainResult) {
    test::TempDir dir;
    struct Row {
        std::string name;
        int bpp;
        int width = 13;
        int height = 7;
        test::BmpOptions options = {};
        std::optional<test::PngOptions> png = {};
        int colours = 16;  // indices below this, in runs of repeats and distinct stretches
        bool raw = false;
        bool grey = false;  // colours with red, green and blue alike
        int cutRows = 0;    // top rows of a bitmap cut off the end of its file: they read as 0
    };
    // clang-format off
    std::vector<Row> rows = {
        {.name = "V5 header", .bpp = 8, .options = {.infoSize = 124}},
        {.name = "RLE8", .bpp = 8, .options = {.compression = 1}},
        {.name = "1 bit", .bpp = 8, .options = {.bits = 1}, .colours = 2},
        {.name = "4 bits", .bpp = 8, .options = {.bits = 4}},
        {.name = "RLE4", .bpp = 8, .options = {.compression = 2, .bits = 4}},
        {.name = "core header", .bpp = 8, .options = {.infoSize = 12, .bits = 4}},
        {.name = "24 bits, marked as bit fields", .bpp = 24, .options = {.compression = 3}},
        {.name = "16 bits 5-6-5", .bpp = 24,
         .options = {.compression = 3, .bits = 16, .masks = {0xF800, 0x7E0, 0x1F}}},
        {.name = "PNG palette", .bpp = 8, .png = {{.colourType = 3}}, .colours = 256},
        {.name = "PNG grey 16 bits", .bpp = 24, .png = {{.colourType = 0, .bitDepth = 16}},
         .grey = true},
        {.name = "PNG RGB, interlaced", .bpp = 24, .png = {{.colourType = 2, .interlaced = true}}},
        {.name = "PNG, interlaced: passes left empty", .bpp = 24, .width = 3,
         .png = {{.interlaced = true}}},
        {.name = "PNG RGBA 16 bits", .bpp = 24, .png = {{.bitDepth = 16}}},
        {.name = "wide 24 bits", .bpp = 24, .width = 300001},
        {.name = "wide, top-down", .bpp = 24, .width = 300001, .options = {.topDown = true}},
        {.name = "wide RAW 24 bits", .bpp = 24, .width = 300001, .raw = true},
        {.name = "wide 32 bits", .bpp = 24, .width = 300001, .options = {.bits = 32}},
        {.name = "wide 8 bits", .bpp = 8, .width = 800003, .colours = 256},
        {.name = "wide RLE8", .bpp = 8, .width = 800003, .options = {.compression = 1}},
        {.name = "wide 4 bits", .bpp = 8, .width = 800003, .options = {.bits = 4}},
        {.name = "wide 1 bit", .bpp = 8, .width = 800003, .options = {.bits = 1}, .colours = 2},
    };
    for (const int bpp : {8, 24}) {
        // Decoded while the bands before are placed.
        rows.push_back({.name = "large", .bpp = bpp, .width = 301, .height = 258,
                        .png = {{.colourType = bpp == 8 ? 3 : 6}}, .colours = 256});
        for (const bool raw : {false, true}) {
            rows.push_back({.name = "large", .bpp = bpp, .width = 301, .height = 258, .raw = raw});
            rows.push_back({.name = "large", .bpp = bpp, .width = 301, .height = 258,
                            .colours = 256, .raw = raw, .cutRows = 130});
            for (int width = 1; width <= 4; ++width) {
                for (const int height : {1, 3, 4, 6, 17, 63, 64, 65, 130})
                    rows.push_back({.name = "plain", .bpp = bpp, .width = width, .height = height,
                                    .colours = 256, .raw = raw});
            }
        }
    }
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name + " " + std::to_string(row.width) + "x" + std::to_string(row.height) +
                     "x" + std::to_string(row.bpp));
        Picture p = Picture::pattern(row.width, row.height, row.bpp);
        if (row.bpp == 8) {
            for (std::size_t i = 0; i < p.pixels.size(); ++i)
                p.pixels[i] = (i % 13 < 6) ? 1 : p.pixels[i] % row.colours;
            p.palette.resize(static_cast<std::size_t>(row.colours));
        }
        if (row.grey) {
            for (auto& v : p.pixels)
                v = (v & 0xFF) * 0x010101;
        }
        Bytes file = row.raw   ? test::buildRaw(p)
                     : row.png ? test::buildPng(p, *row.png)
                               : test::buildBmp(p, row.options);
        const int stride = row.raw ? row.width * row.bpp / 8 : (row.width * row.bpp + 31) / 32 * 4;
        file.resize(file.size() - static_cast<std::size_t>(row.cutRows * stride));
        const int firstCut = row.raw ? row.height - row.cutRows : 0;  // RAW rows come top first
        std::fill_n(p.pixels.begin() + firstCut * row.width, row.cutRows * row.width, 0);
        const Placed placed = place(dir, file, 1, row.raw ? &p : nullptr);
        EXPECT_EQ(placed.values, test::screenOrder(p, row.raw, 1));
        // One report a row; wide rows report each piece, interlaced PNGs each row of each pass.
        EXPECT_EQ(placed.rowsReported.back(), std::ssize(placed.rowsReported));
        if (row.name == "plain" || row.name == "large") {
            EXPECT_EQ(placed.rowsReported.size(), static_cast<std::size_t>(row.height));
        }
        EXPECT_EQ(placed.palette, row.bpp == 8 && !row.raw ? test::paletteColours(p, 1) : U32s{});
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

// The way back from screen order refuses an array whose element count is not the picture's.
// (Its rows, padding kept or not, are the conversion back's and the preview's business.)
TEST(PixelPlacement, RowsFromScreenOrderRefuseAWrongCount) {
    const std::vector<std::uint8_t> shortArray(7);
    EXPECT_THROW(rowsFromScreenOrder(std::span(shortArray), {2, 3}, gp32::PaddingSide::AboveTop),
                 std::invalid_argument);
}

TEST(PixelPlacement, ShortFilesReadZerosPastTheirEnd) {
    test::TempDir dir;
    Bytes b = test::buildBmp(test::makePicture(2, 2, 8, {1, 2, 3, 4}));
    b.resize(b.size() - 4);  // the top row is missing
    EXPECT_EQ(place(dir, b, 1).values, (U32s{3, 0, 0, 0, 4, 0, 0, 0}));
    // Far past the file's first bytes, in the middle of a band of rows read together: the
    // bottom 100 rows and 7 pixels of the next are there, the rest reads as black.
    Picture p = Picture::pattern(301, 258, 24);
    Bytes cut = test::buildBmp(p);
    const std::size_t stride = 904;  // 301 pixels of 3 bytes, padded to a multiple of 4
    cut.resize(cut.size() - 258 * stride + 100 * stride + 7 * 3);
    for (int row = 0; row < 258 - 100; ++row) {
        for (int col = row == 258 - 101 ? 7 : 0; col < 301; ++col)
            p.pixels[static_cast<std::size_t>(row * 301 + col)] = 0;
    }
    EXPECT_EQ(place(dir, cut, 1).values, test::screenOrder(p, false, 1));
}

}  // namespace
}  // namespace tessera
