// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "app/AppMessages.h"
#include "app/ConvertBack.h"
#include "app/FileNames.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;

// The comment block names the file converted, which a round trip renames.
std::string withoutTitle(const std::string& text) {
    return std::regex_replace(text, std::regex("// convertion of [^\r]* file :"), "// TITLE");
}

std::uint32_t le32At(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

// Converts back, expecting it done; returns the notes.
std::string convertBackDone(const BackRequest& request) {
    const BackOutcome outcome = convertBack(request);
    EXPECT_TRUE(outcome.done) << outcome.refusal;
    std::string notes;
    for (const std::string& note : outcome.notes)
        notes += note + "\n";
    return notes;
}

std::function<void(Form1&)> pictureOptions(bool palette, int fill) {
    return [palette, fill](Form1& form) {
        form.chkPal.setValue(palette ? 1 : 0);
        (fill == 0 ? form.optFill0 : form.optFill1).select();
    };
}

// A picture converted to C text, back to a PNG and a bitmap, and each converted again with the
// same options gives the same C text, over every size around the padding and the bands, every
// depth, with and without a palette and with either intensity bit. A RAW picture's padding lies
// below its bottom row where a picture file's lies above: its C text comes back as a bitmap of
// the same pixels gives it. An 8-bit block without a palette comes back as grey levels, said.
TEST(ConvertBack, PicturesComeBackToTheSameCText) {
    TempDir dir;
    fs::create_directory(dir.path("back"));
    struct Row {
        int width;
        int height;
        int bpp;
        bool raw = false;
        bool png = false;  // a PNG palette picture (or RGB one) instead of a bitmap
        bool palette = true;
        int fill = 1;
    };
    std::vector<Row> rows;
    for (const int bpp : {8, 24}) {
        for (int width = 1; width <= 4; ++width) {
            for (const int height : {1, 3, 4, 6, 17, 63, 64, 65, 130}) {
                rows.push_back({.width = width, .height = height, .bpp = bpp});
                rows.push_back({.width = width, .height = height, .bpp = bpp, .raw = true});
            }
        }
        rows.push_back({.width = 13, .height = 7, .bpp = bpp, .png = true, .fill = 0});
        rows.push_back({.width = 301, .height = 258, .bpp = bpp, .raw = true});
    }
    rows.push_back({.width = 13, .height = 7, .bpp = 8, .palette = false});
    for (const Row& row : rows) {
        const std::string source = row.raw ? "pic.raw" : row.png ? "pic.png" : "pic.bmp";
        SCOPED_TRACE(source + " " + std::to_string(row.width) + "x" + std::to_string(row.height) +
                     "x" + std::to_string(row.bpp) + (row.palette ? "" : " no palette") + " fill " +
                     std::to_string(row.fill));
        Picture p = Picture::pattern(row.width, row.height, row.bpp);
        const bool palette = row.palette && row.bpp == 8 && !row.raw;
        const auto options = pictureOptions(palette, row.fill);
        writeFile(dir.path(source), row.raw   ? buildRaw(p)
                                    : row.png ? buildPng(p, {.colourType = row.bpp == 8 ? 3 : 2})
                                              : buildBmp(p));
        const ScriptedUi::RawAnswer size{std::to_string(p.width), std::to_string(p.height),
                                         p.bpp == 24};
        convertInWindow(dir.path(source), dir.path("pic.h"), false, size, options);
        std::string expected = readText(dir.path("pic.h"));
        if (row.raw) {
            writeFile(dir.path("twin.bmp"), buildBmp(p));
            convertInWindow(dir.path("twin.bmp"), dir.path("twin.h"), false, {}, options);
            expected = std::regex_replace(readText(dir.path("twin.h")), std::regex("twin"), "pic");
        }
        for (const char* kind : {"png", "bmp"}) {
            const std::string back = dir.path("back/pic.") + kind;
            const std::string notes = convertBackDone({.input = dir.path("pic.h"), .output = back});
            EXPECT_EQ(notes,
                      row.bpp == 8 && !palette ? std::string(messages::kGreyRamp) + "\n" : "");
            convertInWindow(back, dir.path("again.h"), false, {}, options);
            ASSERT_EQ(withoutTitle(readText(dir.path("again.h"))), withoutTitle(expected)) << kind;
        }
    }
}

// Every kind of sound converted to C text and to a .sef comes back through a WAV to the same C
// text and the same .sef, at the rate its comment block gives (the common rate of that kHz) or
// the rate asked, with its channels; a 16-bit sound of an odd length keeps its .sef's length.
TEST(ConvertBack, SoundsComeBackToTheSameTextAndSef) {
    TempDir dir;
    fs::create_directory(dir.path("back"));
    struct Row {
        int bits;
        int channels;
        std::uint32_t rate;
        std::size_t bytes;
        std::uint32_t rateBack;  // what the C text's comment block gives back
    };
    const Row rows[] = {
        {.bits = 8, .channels = 1, .rate = 22050, .bytes = 3001, .rateBack = 22050},
        {.bits = 8, .channels = 2, .rate = 11025, .bytes = 4000, .rateBack = 11025},
        {.bits = 16, .channels = 1, .rate = 44100, .bytes = 32, .rateBack = 44100},
        {.bits = 16, .channels = 2, .rate = 8000, .bytes = 4096, .rateBack = 8000},
        {.bits = 16, .channels = 1, .rate = 22000, .bytes = 3001, .rateBack = 22050},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.bits) + " bits, " + std::to_string(row.channels) +
                     " channels, " + std::to_string(row.rate) + " Hz");
        Bytes data(row.bytes);
        for (std::size_t k = 0; k < data.size(); ++k)
            data[k] = static_cast<std::uint8_t>(k * 37 + k / 256);
        writeFile(dir.path("snd.wav"),
                  buildWav(data, {.channels = static_cast<std::uint16_t>(row.channels),
                                  .rate = row.rate,
                                  .bits = static_cast<std::uint16_t>(row.bits)}));
        convertInWindow(dir.path("snd.wav"), dir.path("snd.h"));
        convertInWindow(dir.path("snd.wav"), dir.path("snd.sef"));

        convertBackDone({.input = dir.path("snd.h"), .output = dir.path("back/snd.wav")});
        EXPECT_EQ(le32At(readFile(dir.path("back/snd.wav")), 24), row.rateBack);
        convertInWindow(dir.path("back/snd.wav"), dir.path("again.h"));
        EXPECT_EQ(withoutTitle(readText(dir.path("again.h"))),
                  withoutTitle(readText(dir.path("snd.h"))));

        const std::string notes = convertBackDone({.input = dir.path("snd.sef"),
                                                   .output = dir.path("back/snd.wav"),
                                                   .bits = row.bits,
                                                   .rate = row.channels == 2 ? 0 : 11025,
                                                   .channels = row.channels});
        EXPECT_EQ(notes, row.channels == 2 ? messages::assumedRate(kDefaultSefRate) + "\n" : "");
        const Bytes wav = readFile(dir.path("back/snd.wav"));
        EXPECT_EQ(le32At(wav, 24), row.channels == 2 ? 22050u : 11025u);
        EXPECT_EQ(wav[22], row.channels);
        convertInWindow(dir.path("back/snd.wav"), dir.path("again.sef"));
        EXPECT_EQ(readFile(dir.path("again.sef")), readFile(dir.path("snd.sef")));
    }
}

// What comes back is what the GP32 shows: each channel's five bits and the intensity bit as a
// sixth, spread over eight bits, in the colours of a 16-bit block and in an 8-bit block's palette.
TEST(ConvertBack, PicturesShowTheScreensColours) {
    TempDir dir;
    struct Row {
        int bpp;
        int fill;
        Bytes shown;  // the bitmap's first colour-table entry (8 bits) or pixel (24 bits): B, G, R
    };
    const Row rows[] = {
        {.bpp = 24, .fill = 1, .shown = {4, 4, 255}},
        {.bpp = 24, .fill = 0, .shown = {0, 0, 251}},
        {.bpp = 8, .fill = 1, .shown = {4, 4, 255}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.bpp) + " bits, fill " + std::to_string(row.fill));
        Picture red = makePicture(1, 1, row.bpp, {row.bpp == 8 ? 0u : 0xFF0000u});
        red.palette = {{255, 0, 0}};
        writeFile(dir.path("red.bmp"), buildBmp(red));
        convertInWindow(dir.path("red.bmp"), dir.path("red.h"), false, {},
                        pictureOptions(true, row.fill));
        convertBackDone({.input = dir.path("red.h"), .output = dir.path("back.bmp")});
        const Bytes bmp = readFile(dir.path("back.bmp"));
        const std::size_t at = row.bpp == 8 ? 54 : le32At(bmp, 10);
        EXPECT_EQ(Bytes(bmp.begin() + at, bmp.begin() + at + 3), row.shown);
    }
}

// A .gpg comes back with the size asked and the palette given (else grey levels) to the same
// .gpg.
TEST(ConvertBack, GpgComesBackToTheSameGpg) {
    TempDir dir;
    const Picture p = Picture::pattern(5, 6, 8);
    writeFile(dir.path("pic.bmp"), buildBmp(p));
    convertInWindow(dir.path("pic.bmp"), dir.path("pic.gpg"), false, {}, pictureOptions(false, 1));
    const std::vector<std::uint16_t> palette(256, 0xF801);
    for (const auto& given : {std::vector<std::uint16_t>(), palette}) {
        const std::string notes = convertBackDone({.input = dir.path("pic.gpg"),
                                                   .output = dir.path("pic.png"),
                                                   .width = 5,
                                                   .height = 6,
                                                   .palette = given});
        EXPECT_EQ(notes, given.empty() ? std::string(messages::kGreyRamp) + "\n" : "");
        convertInWindow(dir.path("pic.png"), dir.path("again.gpg"), false, {},
                        pictureOptions(false, 1));
        EXPECT_EQ(readFile(dir.path("again.gpg")), readFile(dir.path("pic.gpg")));
    }
}

ProgramRun runCli(std::vector<std::string> args, const std::string& workDir) {
    args.insert(args.begin(), TESSERA_CLI_PATH);
    return runProgram(args, workDir);
}

// A header holding pictures and sounds of every kind, added one after the other: -n picks each
// block, which comes back as it does from a header of its own; without -n, and for what cannot
// be converted back, the run is refused, naming the file, and writes nothing. An edited block is
// refused naming its first line that is not as written, as --replace does.
TEST(ConvertBack, OneBlockOfSeveralAndTheRefusals) {
    TempDir dir;
    const std::string d = dir.path("");
    writeFile(dir.path("ship.bmp"), buildBmp(Picture::pattern(5, 6, 24)));
    writeFile(dir.path("tiles.bmp"), buildBmp(Picture::pattern(9, 4, 8)));
    writeFile(dir.path("boom.wav"), buildWav(Bytes(100, 0x90)));
    writeFile(dir.path("hum.wav"), buildWav(Bytes(64, 0x12), {.channels = 2, .bits = 16}));
    for (const char* name : {"ship.bmp", "tiles.bmp", "boom.wav", "hum.wav"}) {
        const std::string title = withoutExtension(name);
        convertInWindow(dir.path(name), dir.path("all.h"), true);
        convertInWindow(dir.path(name), dir.path(title + ".h"));
        const char* back = hasKind(name, "wav") ? ".wav" : ".png";
        ASSERT_EQ(runCli({"-n", title, "all.h", "from-all" + std::string(back)}, d).exitCode, 0);
        ASSERT_EQ(runCli({title + ".h", "alone" + std::string(back)}, d).exitCode, 0);
        EXPECT_EQ(readFile(dir.path("from-all" + std::string(back))),
                  readFile(dir.path("alone" + std::string(back))))
            << name;
    }
    // --info lists the blocks, as text or JSON; it describes pictures and sounds as JSON too.
    EXPECT_EQ(runCli({"--info", "all.h"}, d).out,
              "ship: picture, 5 x 6, 16 bits\n"
              "tiles: picture, 9 x 4, 8 bits, palette of 256 colours\n"
              "boom: sound, 8 bits, Mono, 22kHz, 100 samples\n"
              "hum: sound, 16 bits, Stereo, 22kHz, 32 samples\n");
    EXPECT_EQ(runCli({"--info", "--json", "-n", "hum", "all.h"}, d).out,
              "{\"file\": \"all.h\", \"kind\": \"C text\", \"blocks\": [{\"name\": \"hum\", "
              "\"kind\": \"sound\", \"bits\": 16, \"channels\": 2, \"rate\": 22050, "
              "\"samples\": 32}]}\n");
    fs::copy_file(dir.path("tiles.bmp"), dir.path("t\"1.bmp"));
    EXPECT_EQ(runCli({"--info", "--json", "t\"1.bmp"}, d).out,
              "{\"kind\": \"picture\", \"name\": \"t\\\"1.bmp\", \"width\": 9, \"height\": 4, "
              "\"bpp\": 8, \"length\": 48}\n");

    convertInWindow(dir.path("tiles.bmp"), dir.path("pal.h"), false, {},
                    [](Form1& form) { form.chkOnlyPal.setValue(1); });
    convertInWindow(dir.path("tiles.bmp"), dir.path("tiles.gpg"));
    convertInWindow(dir.path("boom.wav"), dir.path("boom.sef"));
    std::string edited = readText(dir.path("tiles.h"));
    edited.insert(edited.find(", 0x", edited.find("tiles[")) + 4, "0");  // Tessera writes none
    Bytes cut = readFile(dir.path("boom.sef"));
    cut.pop_back();
    writeFile(dir.path("cut.sef"), cut);
    writeText(dir.path("edited.h"), edited);
    writeText(dir.path("other.h"), "const unsigned char x[1] = {0};\r\n");

    const std::string cant = "Can't convert this file back :(: ";
    struct Refusal {
        std::vector<std::string> args;
        std::string says;
    };
    const Refusal refusals[] = {
        {.args = {"all.h", "out.png"},
         .says = "all.h: " + cant +
                 "It holds several blocks: ship, tiles, boom, hum (-n NAME "
                 "picks one)."},
        {.args = {"-n", "tile", "all.h", "out.png"},
         .says = "all.h: " + cant +
                 "It holds no block named tile; it holds ship, tiles, boom, "
                 "hum."},
        {.args = {"-n", "boom", "all.h", "out.png"},
         .says = "all.h: " + cant + "It holds a sound: give an output ending in .wav."},
        {.args = {"-n", "ship", "all.h", "out.wav"},
         .says = "all.h: " + cant + "It holds a picture: give an output ending in .png or .bmp."},
        {.args = {"pal.h", "out.bmp"},
         .says = "pal.h: " + cant +
                 "Its block holds a palette and no picture (it was written "
                 "with \"Generate ONLY Palette\")."},
        {.args = {"edited.h", "out.png"},
         .says = "edited.h: " + cant +
                 "Line 45 is not as Tessera writes it: a block edited by "
                 "hand, or one of another tool, is not read back."},
        {.args = {"other.h", "out.png"},
         .says = "other.h: " + cant + "It holds no block of C text Tessera wrote."},
        {.args = {"tiles.gpg", "out.png"},
         .says = "tiles.gpg: " + cant +
                 "It is a .gpg file, which does not record its picture's "
                 "size (--raw WxH gives it)."},
        {.args = {"--raw", "9x5", "tiles.gpg", "out.png"},
         .says = "tiles.gpg: " + cant +
                 "It holds 36 indices, but a 9x5 picture takes 72 (--raw "
                 "WxH gives its real size)."},
        {.args = {"boom.sef", "out.wav"},
         .says = "boom.sef: " + cant +
                 "It is a .sef file, which does not record its samples' "
                 "depth (--bits 8 or --bits 16 gives it)."},
        {.args = {"--bits", "8", "cut.sef", "out.wav"},
         .says = "cut.sef: " + cant + "Its header says 100 bytes of samples, but it holds 99."},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.says);
        const auto before = folderEntries(dir.dir());
        const ProgramRun run = runCli(refusal.args, d);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "tessera-cli: " + refusal.says + "\n");
        EXPECT_EQ(folderEntries(dir.dir()), before);
    }
}

// The window loads what Tessera wrote as the picture or sound it holds: a block of several picked
// from a list of the blocks of that kind, a .gpg at the size typed in the RAW dialog, a .sef as
// the kind picked. Converted again, each gives its file's bytes. Cancel loads nothing; a file
// without a block of the kind asked is refused.
TEST(ConvertBack, TheWindowLoadsConvertedFiles) {
    TempDir dir;
    writeFile(dir.path("ship.bmp"), buildBmp(Picture::pattern(5, 6, 24)));
    writeFile(dir.path("tiles.bmp"), buildBmp(Picture::pattern(9, 4, 8)));
    writeFile(dir.path("boom.wav"), buildWav(Bytes(100, 0x90)));
    writeFile(dir.path("hum.wav"), buildWav(Bytes(64, 0x12), {.channels = 2, .bits = 16}));
    for (const char* name : {"ship.bmp", "tiles.bmp", "boom.wav", "hum.wav"})
        convertInWindow(dir.path(name), dir.path("all.h"), true);
    convertInWindow(dir.path("boom.wav"), dir.path("sounds.h"));
    struct Row {
        std::string input;
        bool sound;
        std::vector<std::string> listed;  // the blocks offered, when there is a choice
        int pick = 0;
        std::optional<ScriptedUi::RawAnswer> size = {};
        std::string twin;    // the file converted again, from its own source
        std::string output;  // the kind converted to
        std::string refusal = {};
    };
    const Row rows[] = {
        {.input = "all.h",
         .sound = false,
         .listed = {"ship: picture, 5 x 6, 16 bits",
                    "tiles: picture, 9 x 4, 8 bits, palette of 256 colours"},
         .pick = 1,
         .twin = "tiles.bmp",
         .output = "out.h"},
        {.input = "all.h",
         .sound = true,
         .listed = {"boom: sound, 8 bits, Mono, 22kHz, 100 samples",
                    "hum: sound, 16 bits, Stereo, 22kHz, 32 samples"},
         .pick = 0,
         .twin = "boom.wav",
         .output = "out.sef"},
        {.input = "tiles.gpg",
         .sound = false,
         .size = {{"9", "4"}},
         .twin = "tiles.bmp",
         .output = "out.gpg"},
        {.input = "hum.sef",
         .sound = true,
         .listed = {"8 bits, Mono", "8 bits, Stereo", "16 bits, Mono", "16 bits, Stereo"},
         .pick = 3,
         .twin = "hum.wav",
         .output = "out.sef"},
        {.input = "all.h",
         .sound = false,
         .listed = {"ship: picture, 5 x 6, 16 bits",
                    "tiles: picture, 9 x 4, 8 bits, palette of "
                    "256 colours"},
         .pick = -1},
        {.input = "sounds.h",
         .sound = false,
         .refusal = "Can't convert this file back :(\r\nIt holds no picture (Load Sound File... "
                    "reads its sounds)."},
    };
    convertInWindow(dir.path("tiles.bmp"), dir.path("tiles.gpg"), false, {},
                    pictureOptions(false, 1));
    convertInWindow(dir.path("hum.wav"), dir.path("hum.sef"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input + (row.sound ? " as a sound" : " as a picture"));
        ScriptedUi ui;
        Form1 form(ui);
        ui.openWith(dir.path(row.input));
        ui.itemAnswers.push_back(row.pick);
        if (row.size)
            ui.rawAnswers.push_back(*row.size);
        (row.sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
        EXPECT_EQ(ui.itemsShown, row.listed.empty()
                                     ? std::vector<std::vector<std::string>>{}
                                     : std::vector<std::vector<std::string>>{row.listed});
        EXPECT_EQ(ui.texts(), row.refusal.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{row.refusal});
        CommandButton& convert = row.sound ? form.cmdWAVConvert : form.cmdBMPConvert;
        EXPECT_EQ(convert.Enabled, !row.output.empty());
        if (row.output.empty())
            continue;
        if (!row.sound)
            pictureOptions(!hasKind(row.output, "gpg"), 1)(form);
        ui.saveAs(dir.path(row.output));
        convert.click();
        convertInWindow(dir.path(row.twin), dir.path("twin" + row.output.substr(3)), false, {},
                        row.sound ? std::function<void(Form1&)>()
                                  : pictureOptions(!hasKind(row.output, "gpg"), 1));
        EXPECT_EQ(withoutTitle(readText(dir.path(row.output))),
                  withoutTitle(readText(dir.path("twin" + row.output.substr(3)))));
    }
}

}  // namespace
}  // namespace tessera::test
