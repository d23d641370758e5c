// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "support/Child.h"
#include "support/Window.h"

namespace tessera::test {
namespace {

// A test colour (0xRRGGBB, a top byte of alpha aside) as the GP32 has it, intensity bit clear.
std::uint32_t word(std::uint32_t rgb) {
    return gp32(rgb & 0xFFFFFF, 0);
}
int channel(std::uint32_t w, int c) {
    return static_cast<int>(w >> (11 - 5 * c) & 31);
}
int distance(std::uint32_t a, std::uint32_t b) {
    int d = 0;
    for (int c = 0; c < 3; ++c)
        d += (channel(a, c) - channel(b, c)) * (channel(a, c) - channel(b, c));
    return d;
}
int brightness(std::uint32_t w) {
    return 299 * channel(w, 0) + 587 * channel(w, 1) + 114 * channel(w, 2);
}

// Where picture row r (top 0), column c of a BMP or PNG lands in screen order.
std::size_t element(const Picture& p, int r, int c) {
    const int column = p.height + (4 - p.height % 4) % 4;
    return static_cast<std::size_t>(column * c + p.height - 1 - r);
}

// `count` colours that differ on the GP32, each repeated `times` times, in rows `width` wide.
Picture distinct(int count, int width, int times = 1) {
    U32s pixels;
    for (int i = 0; i < count * times; ++i) {
        const auto k = static_cast<std::uint32_t>(i % count * 131 % 32768);  // spread, unique
        pixels.push_back((k >> 10) << 19 | (k >> 5 & 31) << 11 | (k & 31) << 3);
    }
    while (pixels.size() % static_cast<std::size_t>(width) != 0)
        pixels.push_back(pixels.back());
    return makePicture(width, static_cast<int>(pixels.size()) / width, 24, pixels);
}

// What the window wrote and kept after converting `input` (bytes named `name`) to `output`
// with the palette step's options set as the "Colours..." dialog sets them.
struct Reduced {
    std::string text;
    std::vector<std::uint16_t> palette;
    std::vector<std::uint8_t> indices;
};
Reduced convertWith(const PaletteOptions& options, const std::string& name, const Bytes& input,
                    const std::string& output) {
    TempDir dir;
    writeFile(dir.path(name), input);
    ScriptedUi ui;
    ui.openWith(dir.path(name));
    ui.saveAs(dir.path(output));
    Form1 form(ui);
    form.cmdBMPLoad.click();
    form.colourOptions = options;
    form.colourOptionsChanged();
    form.cmdBMPConvert.click();
    EXPECT_EQ(ui.texts(false), std::vector<std::string>{"Convertion done successfully :)"});
    return {readText(dir.path(output)), form.state.strPal, form.state.bytData};
}

struct ReduceCase {
    const char* what;
    Picture picture;
    PngOptions png{.colourType = 2};  // 3 writes an 8-bit BMP of the picture's palette instead
    int colours = 0;
    U32s target;  // --palette-of, as 0xRRGGBB
    std::optional<std::uint32_t> transparent;
    bool exact = false;
    std::size_t entries = 0;  // of an exact palette
    int cutRows = 0;          // top rows cut off the end of the bitmap: they read as black
    bool bitmap = false;      // a 24-bit BMP instead of the PNG
};

// The palette step through the window: every pixel's entry is its own colour when the colours
// fit (the palette dark to light, equally bright ones by their word), else the entry nearest to
// it; see-through pixels are entry 0, the transparent colour, and no visible one is; a palette
// given keeps its count and order, a colour it holds twice takes its first entry.
TEST(PaletteStep, EntriesOfEveryKindOfPicture) {
    const Picture few =
        makePicture(5, 4, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00,
                               0x0000FF, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000,
                               0x00FF00, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000, 0x00FF00});
    const Picture rounded =
        makePicture(3, 2, 24, {0x102030, 0x172737, 0xFFFFFF, 0xF8FFFF, 0x102030, 0x171717});
    const Picture clear =
        makePicture(3, 2, 24, {0x80FF0000, 0x7F00FF00, 0xFF00FF, 0x01000000, 0xF800F8, 0xFFFFFFFF});
    Picture indexed = Picture::pattern(9, 6, 8);
    const ReduceCase cases[] = {
        {.what = "few colours", .picture = few, .colours = 16, .exact = true, .entries = 3},
        {.what = "equal on the GP32",
         .picture = rounded,
         .colours = 3,
         .exact = true,
         .entries = 3},
        {.what = "equally bright: the lower word first",
         .picture = makePicture(2, 1, 24, {0x780038, 0x004800}),
         .colours = 2,
         .exact = true,
         .entries = 2},
        {.what = "256 exactly",
         .picture = distinct(256, 16, 2),
         .colours = 256,
         .exact = true,
         .entries = 256},
        {.what = "256, counted in bands at once: each band of 64 rows a quarter of them",
         .picture = distinct(256, 1, 300),
         .colours = 256,
         .exact = true,
         .entries = 256},
        {.what = "257", .picture = distinct(257, 16, 2), .colours = 256},
        {.what = "8-bit, more than N", .picture = indexed, .png = {.colourType = 3}, .colours = 8},
        {.what = "alpha and colour",
         .picture = clear,
         .png = {.colourType = 6, .alphaInPixels = true},
         .colours = 4,
         .transparent = 0xFF00FF,
         .exact = true,
         .entries = 3},
        {.what = "transparent colour, no alpha",
         .picture = makePicture(2, 2, 24, {0xFF00FF, 0x102030, 0xF800F8, 0xFFFFFF}),
         .colours = 3,
         .transparent = 0xFF00FF,
         .exact = true,
         .entries = 3},
        {.what = "bitmap, transparent colour",
         .picture =
             makePicture(3, 2, 24, {0xFF00FF, 0x000000, 0xFFFFFF, 0x000000, 0xFF00FF, 0xFFFFFF}),
         .colours = 3,
         .transparent = 0xFF00FF,
         .exact = true,
         .entries = 3,
         .bitmap = true},
        {.what = "short file",
         .picture = few,
         .colours = 4,
         .exact = true,
         .entries = 4,
         .cutRows = 2},
        {.what = "palette of a file",
         .picture = rounded,
         .target = {0x000000, 0xFFFFFF, 0x102030, 0xFFFFFF}},
        {.what = "palette of a file, 8-bit, mapped on every core",
         .picture = Picture::pattern(300, 230, 8),
         .png = {.colourType = 3},
         .target = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080}},
        {.what = "palette of a file, transparent",
         .picture = clear,
         .png = {.colourType = 6, .alphaInPixels = true},
         .target = {0x00FF00, 0x000000, 0xFFFFFF},
         .transparent = 0x00FF00},
        {.what = "a visible colour nearest the transparent one",
         .picture = makePicture(2, 1, 24, {0x10E010, 0xFFFFFF}),
         .target = {0x00FF00, 0x000000, 0xFFFFFF},
         .transparent = 0x00FF00},
    };
    for (const ReduceCase& row : cases) {
        SCOPED_TRACE(row.what);
        PaletteOptions options{.colours = row.colours};
        for (const std::uint32_t rgb : row.target)
            options.target.push_back(static_cast<std::uint16_t>(word(rgb)));
        if (row.transparent)
            options.transparent = static_cast<std::uint16_t>(word(*row.transparent));
        const bool indexedInput = row.png.colourType == 3;
        Bytes bmp = buildBmp(row.picture);
        const int stride = (row.picture.width * 24 + 31) / 32 * 4;
        bmp.resize(bmp.size() - static_cast<std::size_t>(row.cutRows * stride));
        const Reduced out =
            indexedInput || row.cutRows != 0 || row.bitmap
                ? convertWith(options, "in.bmp", bmp, "in.h")
                : convertWith(options, "in.png", buildPng(row.picture, row.png), "in.h");
        ASSERT_NE(out.text.find("GP_PALETTEENTRY in_Pal["), std::string::npos);
        const auto& palette = out.palette;
        const auto& indices = out.indices;
        if (row.exact)
            EXPECT_EQ(palette.size(), row.entries);
        else if (row.target.empty())
            EXPECT_LE(palette.size(), static_cast<std::size_t>(row.colours));
        else
            EXPECT_EQ(palette.size(), row.target.size());

        const int column = row.picture.height + (4 - row.picture.height % 4) % 4;
        ASSERT_EQ(indices.size(), static_cast<std::size_t>(column * row.picture.width));
        for (std::size_t k = 0; k < indices.size(); ++k) {
            const bool padding = static_cast<int>(k) % column >= row.picture.height;
            EXPECT_TRUE(!padding || indices[k] == 0) << "padding " << k;
        }
        const std::size_t first = row.transparent ? 1 : 0;
        for (std::size_t e = 0; e < palette.size(); ++e) {
            EXPECT_EQ(palette[e] & 1, 1) << "the intensity bit of 'Fill bit with 1'";
            if (row.exact && e > first) {
                const std::uint32_t a = palette[e - 1] & 0xFFFE, b = palette[e] & 0xFFFE;
                EXPECT_TRUE(brightness(a) < brightness(b) ||
                            (brightness(a) == brightness(b) && a < b))
                    << "entry " << e << " is darker than the one before";
            }
        }
        for (int r = 0; r < row.picture.height; ++r) {
            for (int c = 0; c < row.picture.width; ++c) {
                const std::uint32_t v = row.picture.at(r, c);
                const std::uint32_t w = r < row.cutRows ? 0
                                        : indexedInput  ? gp32(row.picture.palette[v], 0)
                                                        : word(v);
                const std::size_t k = element(row.picture, r, c);
                ASSERT_LT(indices[k], palette.size());
                const std::uint32_t shown = palette[indices[k]] & 0xFFFE;
                const bool seeThrough = row.transparent && ((!indexedInput && v >> 24 >= 0x80) ||
                                                            w == word(*row.transparent));
                EXPECT_TRUE(seeThrough || !row.transparent || indices[k] != 0) << r << "," << c;
                if (seeThrough) {
                    EXPECT_EQ(indices[k], 0) << r << "," << c;
                    EXPECT_EQ(shown, word(*row.transparent));
                } else if (row.exact) {
                    EXPECT_EQ(shown, w) << r << "," << c;
                } else {
                    const auto in = std::find_if(row.target.begin(), row.target.end(),
                                                 [&](std::uint32_t t) { return word(t) == w; });
                    if (in != row.target.end()) {
                        EXPECT_EQ(indices[k], in - row.target.begin()) << r << "," << c;
                        continue;
                    }
                    for (std::size_t e = first; e < palette.size(); ++e)
                        EXPECT_LE(distance(shown, w), distance(palette[e] & 0xFFFE, w)) << e;
                }
            }
        }
    }
}

// An 8-bit picture mapped onto a palette file is mapped as its indices are: every pixel of one
// index takes one entry, and the rows a short file lacks read as index 0 (white here, entry 1),
// as the picture's own conversion reads them. Large enough to be shared among the cores.
TEST(PaletteStep, EachIndexOfAShortPictureTakesOneEntry) {
    Picture picture = Picture::pattern(300, 230, 8);
    picture.palette[0] = {255, 255, 255};
    Bytes bmp = buildBmp(picture);
    bmp.resize(bmp.size() - 20 * 300);  // the top 20 rows
    const Reduced plain = convertWith({}, "short.bmp", bmp, "plain.h");
    const Reduced mapped = convertWith({.target = {0x0001, 0xFFFF}}, "short.bmp", bmp, "mapped.h");
    ASSERT_EQ(mapped.indices.size(), plain.indices.size());
    std::map<std::uint8_t, std::uint8_t> entryOf;
    for (std::size_t k = 0; k < plain.indices.size(); ++k) {
        if (static_cast<int>(k % 232) >= picture.height) {
            EXPECT_EQ(mapped.indices[k], 0) << "padding " << k;
            continue;
        }
        const auto entry = entryOf.emplace(plain.indices[k], mapped.indices[k]).first->second;
        EXPECT_EQ(mapped.indices[k], entry) << k;
    }
    EXPECT_EQ(entryOf.at(0), 1);
}

// A dark grey between the two entries of a palette: flat, one entry; diffused, both entries,
// mixed so that their mean is the grey (a quarter of the way to white, where the share of the
// error handed on along a column, left out, moves the mean well away).
TEST(PaletteStep, DitherMixesEntriesToTheColour) {
    const Picture grey = makePicture(16, 16, 24, U32s(256, 0x404040));
    for (const bool dither : {false, true}) {
        const auto indices = convertWith({.target = {0, 0xFFFE}, .dither = dither}, "grey.png",
                                         buildPng(grey, {.colourType = 2}), "grey.gpg")
                                 .indices;
        const auto whites = std::count(indices.begin(), indices.end(), 1);
        if (dither)
            EXPECT_NEAR(static_cast<double>(whites) / 256.0, 8.0 / 31.0, 0.03);
        else
            EXPECT_EQ(whites, 0);
    }
}

// A palette file holding the transparent colour alone leaves no entry for a visible pixel but
// entry 0, flat or diffused (diffusion once read an entry past that one-entry palette).
TEST(PaletteStep, APaletteOfTheTransparentColourAloneGivesEntryZero) {
    const Picture art = makePicture(4, 2, 24, {0, 0xFFFFFF, 0x102030, 0xFF00FF, 0, 0, 0xFFFFFF, 0});
    const auto magenta = static_cast<std::uint16_t>(word(0xFF00FF));
    for (const bool dither : {false, true}) {
        SCOPED_TRACE(dither ? "dither" : "flat");
        const Reduced r =
            convertWith({.target = {magenta}, .transparent = magenta, .dither = dither}, "art.png",
                        buildPng(art, {.colourType = 2}), "art.h");
        EXPECT_EQ(std::count(r.indices.begin(), r.indices.end(), 0), std::ssize(r.indices));
    }
}

// The "Colours..." dialog: while it is in force a true-colour picture converts as an 8-bit one
// (the 8-bit options usable, .gpg allowed, the preview showing the entries, padding included, as
// the screen shows them); a palette file that cannot be read is refused naming it, and it and
// Cancel change nothing.
TEST(ColoursDialog, TrueColourConvertsAsEightBits) {
    TempDir dir;
    const Picture photo = Picture::pattern(6, 5, 24);
    writeFile(dir.path("photo.png"), buildPng(photo, {.colourType = 2}));
    writeText(dir.path("bad.gpl"), "GIMP Palette\nnot a colour\n");
    ScriptedUi ui;
    ui.openWith(dir.path("photo.png"));
    Form1 form(ui);
    form.cmdBMPLoad.click();
    EXPECT_FALSE(form.Frame1.Enabled);
    using Palette = DialogColours::Palette;
    ui.coloursAnswers = {
        DialogColours{.palette = Palette::MapOnto, .paletteFile = dir.path("bad.gpl")},
        std::nullopt, DialogColours{.palette = Palette::Reduce, .colours = 4}};
    form.mnuColours_Click();
    form.mnuColours_Click();
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"Can't read this palette :(\r\n" + dir.path("bad.gpl") +
                                       ": Its line 2 is not what a palette holds "
                                       "there (three numbers from 0 to 255 for a "
                                       "colour)."});
    EXPECT_FALSE(form.colourOptions.active());
    EXPECT_FALSE(form.Frame1.Enabled);
    form.mnuColours_Click();
    EXPECT_TRUE(form.Frame1.Enabled && form.chkPal.Enabled && form.chkOnlyPal.Enabled);
    const PicturePreview preview = form.picturePreview();
    ui.saveAs(dir.path("photo.gpg"));
    form.cmdBMPConvert.click();
    EXPECT_EQ(ui.texts().back(), "Convertion done successfully :)");
    ASSERT_EQ(form.state.strPal.size(), 4u);
    EXPECT_EQ(preview.palette, form.state.strPal);
    const int column = 8;  // 5 rows and 3 of padding above them
    ASSERT_EQ(preview.height, column);
    for (int x = 0; x < photo.width; ++x) {
        for (int y = 0; y < column; ++y) {
            const auto k = static_cast<std::size_t>(column * x + column - 1 - y);
            EXPECT_EQ(preview.at(x, y), gp32::shownColour(form.state.strPal[form.state.bytData[k]]))
                << x << "," << y;
        }
    }
    ui.coloursAnswers = {DialogColours{}};
    form.mnuColours_Click();
    EXPECT_FALSE(form.Frame1.Enabled);
}

ProgramRun sh(const std::string& command, const TempDir& dir) {
    return runProgram({"sh", "-c", command}, dir.dir().string());
}

// One palette for several pictures, in every kind of file: the same bytes whatever the order
// of the pictures, and each file, read back by --palette-of, gives a picture the same bytes
// (palette and indices) as an 8-bit BMP whose colour table is that palette.
TEST(PaletteFiles, EveryKindGivesTheSameBytesAndIndices) {
    TempDir dir;
    writeFile(dir.path("a.png"), buildPng(distinct(40, 8), {.colourType = 2}));
    writeFile(dir.path("b.bmp"), buildBmp(Picture::pattern(7, 3, 24)));
    writeFile(dir.path("c.png"), buildPng(Picture::pattern(5, 5, 8), {.colourType = 3}));
    const std::string t = std::string(TESSERA_CLI_PATH) + " --colors 48 ";
    ASSERT_EQ(sh("mkdir back && " + t + "--make-palette one.gpl a.png b.bmp c.png", dir).exitCode,
              0);
    Picture table = makePicture(1, 1, 8, {0});
    table.palette.clear();
    std::istringstream gpl(readText(dir.path("one.gpl")));
    std::string line;
    while (std::getline(gpl, line)) {
        std::istringstream fields(line);
        int r = 0, g = 0, b = 0;
        if (fields >> r >> g >> b)
            table.palette.push_back({std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
    }
    EXPECT_EQ(table.palette.size(), 48u);
    writeFile(dir.path("table.bmp"), buildBmp(table));
    const std::string expected = "out.h";
    ASSERT_EQ(sh(t.substr(0, t.find(" --")) + " --palette-of table.bmp b.bmp out.h", dir).exitCode,
              0);
    for (const std::string kind : {"h", "c", "gpl", "pal", "png"}) {
        SCOPED_TRACE(kind);
        const std::string one = "one." + kind;
        EXPECT_EQ(
            sh(t + "--make-palette " + one + " a.png b.bmp c.png && " + t + "--make-palette back/" +
                   one + " c.png b.bmp a.png && cmp " + one + " back/" + one,
               dir)
                .exitCode,
            0);
        const ProgramRun mapped = sh(t.substr(0, t.find(" --")) + " --palette-of " + one +
                                         " b.bmp " + kind + ".h && cmp out.h " + kind + ".h",
                                     dir);
        EXPECT_EQ(mapped.exitCode, 0) << mapped.out << mapped.err;
    }
    // A header and its data file joined: the array's declaration beside it is not a second one.
    writeText(dir.path("joined.h"),
              "extern GP_PALETTEENTRY one_Pal[48];\r\n" + readText(dir.path("one.h")));
    EXPECT_EQ(sh(t.substr(0, t.find(" --")) + " --palette-of joined.h b.bmp joined.out.h && cmp " +
                     "out.h joined.out.h",
                 dir)
                  .exitCode,
              0);
}

// Refusals: counts out of range and clashing options are bad usage (2); a palette FILE that
// cannot be read, or holds no palette, is named with the reason (1), and nothing is written.
TEST(PaletteFiles, RefusalsNameTheFile) {
    TempDir dir;
    writeFile(dir.path("in.bmp"), buildBmp(Picture::pattern(4, 4, 24)));
    writeFile(dir.path("rgb.png"), buildPng(Picture::pattern(4, 4, 24), {.colourType = 2}));
    writeText(dir.path("two.h"),
              "GP_PALETTEENTRY a_Pal[1] = {\r\n      0x1\r\n};\r\n"
              "GP_PALETTEENTRY b_Pal[1] = {\r\n      0x1\r\n};\r\n");
    writeText(dir.path("bad.gpl"), "GIMP Palette\nName: x\n0 0 0\n1 2 256\n");
    writeText(dir.path("short.pal"), "JASC-PAL\r\n0100\r\n3\r\n0 0 0\r\n");
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const std::string fix = "Can't read this palette :(: ";
    const Row rows[] = {
        {{"--colors", "1", "in.bmp", "o.h"},
         2,
         "bad --colors value '1': give a number from 2 to 256"},
        {{"--colors=257", "in.bmp", "o.h"},
         2,
         "bad --colors value '257': give a number from 2 to 256"},
        {{"--colors", "4", "--palette-of", "x.gpl", "in.bmp", "o.h"},
         2,
         "--colors and --palette-of each choose the palette: give one"},
        {{"--transparent", "FF00F", "in.bmp", "o.h"},
         2,
         "bad --transparent value 'FF00F': give a colour as RRGGBB"},
        {{"--dither", "in.bmp", "o.h"}, 2, "--dither needs --colors or --palette-of"},
        {{"--make-palette", "p.bmp", "in.bmp"},
         2,
         "--make-palette needs OUT ending in .h, .c, .gpl, .pal or .png"},
        {{"--palette-of", "none.gpl", "in.bmp", "o.h"},
         1,
         "none.gpl: Can't read this file :(: none.gpl: No such file or directory"},
        {{"--palette-of", "rgb.png", "in.bmp", "o.h"},
         1,
         "rgb.png: " + fix +
             "It is a true-colour picture, with no colour table to map onto "
             "(give an 8-bit BMP or PNG, or make a palette from it with --make-palette)."},
        {{"--palette-of", "two.h", "in.bmp", "o.h"},
         1,
         "two.h: " + fix + "It holds 2 palette arrays (a_Pal, b_Pal): give a file with one."},
        {{"--palette-of", "bad.gpl", "in.bmp", "o.h"},
         1,
         "bad.gpl: " + fix +
             "Its line 4 is not what a palette holds there (three numbers from 0 "
             "to 255 for a colour)."},
        {{"--palette-of", "short.pal", "in.bmp", "o.h"},
         1,
         "short.pal: " + fix + "It ends before the count of colours it claims."},
        {{"--make-palette", "p.gpl", "in.bmp", "rgb.png", "none.png"},
         1,
         "none.png: Can't read this file :(: none.png: No such file or directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.says);
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), TESSERA_CLI_PATH);
        const ProgramRun run = runProgram(args, dir.dir().string());
        EXPECT_EQ(run.exitCode, row.status);
        EXPECT_EQ(run.err, "tessera-cli: " + row.says +
                               (row.status == 2 ? " (try 'tessera-cli --help')\n" : "\n"));
        EXPECT_FALSE(std::filesystem::exists(dir.path("o.h")));
        EXPECT_FALSE(std::filesystem::exists(dir.path("p.gpl")));
    }
}

}  // namespace
}  // namespace tessera::test
