// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/Gp32.h"
#include "support/Child.h"
#include "support/SoundBuilder.h"
#include "support/Window.h"

namespace tessera {
namespace {

using test::U32s;

struct HeaderCompile : test::WindowFixture {
    // Runs `command` in the test's folder; true when it succeeded.
    bool run(const std::string& command) {
        const auto r = test::runProgram({"sh", "-c", command}, dir.dir().string());
        EXPECT_EQ(r.exitCode, 0) << command << "\n" << r.err;
        return r.exitCode == 0;
    }
    // `section` of the object `o`, read as little-endian elements of 1 or 2 bytes.
    U32s dumped(const std::string& tools, const std::string& o, int width, const char* section) {
        run(tools + "objcopy -O binary -j " + section + " " + o + " s.bin");
        const test::Bytes b = test::readFile(dir.path("s.bin"));
        U32s out;
        for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= b.size(); i += width)
            out.push_back(width == 1 ? b[i] : static_cast<std::uint32_t>(b[i] | b[i + 1] << 8));
        return out;
    }
};

// The generated headers go through the compilers GP32 programs are built with; the arrays are
// dumped from the object files and compared with values worked out from the test's own input.
// One-file headers each have a C file of their own. Header and data pairs are aligned on 64
// bytes, each header (its name beyond ASCII) included twice by each of three C files: every
// compiler links them (no array defined twice).
TEST_F(HeaderCompile, HeadersAndPairsCompileAndLinkToTheirValues) {
    test::writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
    const test::Picture tiles = test::Picture::pattern(9, 3, 8);
    loadBmp("ti\nles\r\x7f.bmp", tiles);  // line ends in a name must stay inside the comment
    form.txtVar.Text() = "solo";
    convert("solo.h");
    const test::Picture photo = test::Picture::pattern(7, 5, 24);
    loadFile("sprite.png", test::buildPng(photo));
    convert("sprite.h");
    for (const std::string name : {"solo", "sprite"})
        test::writeText(dir.path(name + ".c"), "#include \"" + name + ".h\"\n");

    form.textOptions.align = 64;
    // A header name beyond ASCII: the include line holds its bytes as the file system has them.
    form.headerPath = dir.path("tiles_gfx_\xC3\xA9.h");
    loadFile("tiles.png", test::buildPng(tiles, {.colourType = 3}));  // the pair from a PNG
    convert("tiles_gfx.c");
    const std::string twice =
        "#include \"tiles_gfx_\xC3\xA9.h\"\n#include \"tiles_gfx_\xC3\xA9.h\"\nint ";
    for (const std::string unit : {"main", "one", "two"})
        test::writeText(dir.path(unit + ".c"),
                        twice + unit + "(void) { return tiles[1] + tiles_Pal[2]; }\n");
    struct Compiler {
        std::string compile;
        std::string link;
        std::string tools;
    };
    const Compiler compilers[] = {
        {.compile = "gcc -std=c99 -pedantic", .link = "gcc -nostartfiles -e main", .tools = ""},
        {.compile = "g++ -std=c++17 -x c++", .link = "g++ -nostartfiles -e main", .tools = ""},
        {.compile = "arm-none-eabi-gcc -std=c99 -pedantic -mcpu=arm920t",
         .link = "arm-none-eabi-ld -r",
         .tools = "arm-none-eabi-"},
    };
    for (const Compiler& c : compilers) {
        SCOPED_TRACE(c.compile);
        if (!c.tools.empty() && !test::onPath("arm-none-eabi-gcc"))
            GTEST_SKIP() << "arm-none-eabi-gcc is not installed (scripts/bootstrap installs it)";
        ASSERT_TRUE(run(c.compile + " -Wall -Wextra -Werror -c *.c && " + c.link +
                        " -o prog tiles_gfx.o main.o one.o two.o"));
        EXPECT_EQ(dumped(c.tools, "sprite.o", 2, ".rodata"), test::screenOrder(photo, false, 1));
        EXPECT_EQ(dumped(c.tools, "tiles_gfx.o", 1, ".rodata"), test::screenOrder(tiles, false, 1));
        // The palette is not const: initialised data.
        EXPECT_EQ(dumped(c.tools, "tiles_gfx.o", 2, ".data"), test::paletteColours(tiles, 1));
        const auto symbols = test::runProgram({c.tools + "nm", "prog"}, dir.dir().string()).out;
        for (const std::string name : {" tiles\n", " tiles_Pal\n"}) {
            const auto at = symbols.rfind('\n', symbols.find(name)) + 1;
            EXPECT_EQ(std::stoul(symbols.substr(at), nullptr, 16) % 64, 0u) << symbols;
        }
    }
}

// Every palette block sees the graphics header, whatever the order of additions and
// replacements: the header after each step compiles, with the include lines it needs and no more
// (a palette block put before the first include needs one of its own: the header's guard serves).
TEST_F(HeaderCompile, EveryPaletteBlockSeesTheGraphicsHeader) {
    test::writeText(dir.path("gpgraphic.h"),
                    "#ifndef GPGRAPHIC_H\n#define GPGRAPHIC_H\ntypedef unsigned short "
                    "GP_PALETTEENTRY;\n#endif\n");
    test::writeText(dir.path("m.c"), "#include \"m.h\"\n");
    const test::Picture rgb = test::Picture::pattern(3, 2, 24);
    const test::Picture pal = test::Picture::pattern(2, 2, 8);
    struct Step {
        std::string name;
        const test::Picture& picture;
        long includes;
    };
    const Step steps[] = {
        {"rgb", rgb, 0}, {"pal", pal, 1}, {"pal2", pal, 1},  // added: the first palette includes
        {"pal", rgb, 1},  // replaced by a block without a palette: the include stays for pal2
        {"pal", pal, 1},  // and serves this block again
        {"rgb", pal, 2},  // replaced by a palette block before every include
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        loadBmp(step.name + ".bmp", step.picture);
        const std::string text = convert("m.h", true);
        long includes = 0;
        for (std::size_t at = 0; (at = text.find(gp32::kGraphicsInclude, at)) != std::string::npos;
             ++at)
            ++includes;
        EXPECT_EQ(includes, step.includes);
        EXPECT_TRUE(run("gcc -std=c99 -pedantic -Wall -Werror -c m.c")) << text;
    }
}

}  // namespace
}  // namespace tessera

namespace tessera {
namespace {

// A sound made smaller on its way: its C text says what is written, and compiles to the very
// samples of its .sef file, at 8 and at 16 bits.
TEST_F(HeaderCompile, ResampledSoundsCompileToTheirSefSamples) {
    const test::Tone tone = test::sineTone(1000, 44100, 0.25, 2);
    loadWav(test::toneBytes(tone), {.channels = 2, .rate = 44100, .bits = 16}, "beep.wav");
    const struct {
        SoundTarget target;
        std::string about;
        int width;
    } rows[] = {
        {{.rate = 11025, .mono = true, .bits = 8},
         "// Freq = 11kHz\r\n// Mode = Mono\r\n// Data = 8 bits\r\n",
         1},
        {{.rate = 8000, .normalize = true},
         "// Freq = 8kHz\r\n// Mode = Stereo\r\n// Data = 16 bits\r\n",
         2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.about);
        form.soundTarget = r.target;
        const std::string text = convert("beep.h");
        EXPECT_EQ(text.find(commentBlock("beep.wav", r.about)), 0u);
        convert("beep.sef");
        const test::Bytes sef = test::readFile(dir.path("beep.sef"));
        test::writeText(dir.path("beep.c"), "#include \"beep.h\"\n");
        ASSERT_TRUE(run("gcc -std=c99 -pedantic -Wall -Wextra -Werror -c beep.c"));
        U32s samples;  // what follows the tag and the length, which counts it
        for (std::size_t i = 8; i < sef.size(); i += r.width)
            samples.push_back(r.width == 1 ? sef[i] : std::uint32_t(sef[i] | sef[i + 1] << 8));
        EXPECT_EQ(sef[4] | sef[5] << 8 | sef[6] << 16 | sef[7] << 24, int(sef.size()) - 8);
        EXPECT_EQ(dumped("", "beep.o", r.width, ".rodata"), samples);
    }
}

}  // namespace
}  // namespace tessera
