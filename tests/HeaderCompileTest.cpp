
#include "support/Child.h"
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
// bytes, each header included twice by each of three C files: every compiler links them (no
// array defined twice).
TEST_F(HeaderCompile, HeadersAndPairsCompileAndLinkToTheirValues) {
    test::writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
    const test::Picture tiles = test::Picture::pattern(9, 3, 8);
    loadBmp("ti\nles\r\x7f.bmp", tiles);  // line ends in a name must stay inside the comment
    form.txtVar.Text() = "solo";
    convert("solo.h");
    const test::Picture photo = test::Picture::pattern(7, 5, 24);
    loadFile("sprite.png", test::buildPng(photo));
    convert("sprite.h");
    const std::vector<float> tone{0.0f, 1.0f, -1.0f, 0.25f, -2.0f};  // as this machine keeps them
    const auto* raw = reinterpret_cast<const std::uint8_t*>(tone.data());
    loadWav(test::Bytes(raw, raw + 4 * tone.size()), {.format = 3, .bits = 32}, "tone.wav");
    convert("tone.h");
    // A true-colour picture of 16 GP32 colours, given 16 palette entries.
    U32s sixteenColours;
    for (std::uint32_t i = 0; i < 16; ++i)
        sixteenColours.push_back(i * 0x10 << 16 | (15 - i) * 0x10 << 8 | i % 4 * 0x40);
    const test::Picture few = test::makePicture(4, 4, 24, sixteenColours);
    form.colourOptions.colours = 16;
    loadFile("few.png", test::buildPng(few));
    convert("few.h");
    form.colourOptions = {};
    for (const std::string name : {"solo", "sprite", "tone", "few"})
        test::writeText(dir.path(name + ".c"), "#include \"" + name + ".h\"\n");

    form.textOptions.align = 64;
    form.headerPath = dir.path("tiles_gfx.h");
    loadFile("tiles.png", test::buildPng(tiles, {.colourType = 3}));  // the pair from a PNG
    convert("tiles_gfx.c");
    const std::string twice = "#include \"tiles_gfx.h\"\n#include \"tiles_gfx.h\"\nint ";
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
        const U32s entries = dumped(c.tools, "few.o", 2, ".data");
        U32s shown;
        for (const std::uint32_t index : dumped(c.tools, "few.o", 1, ".rodata"))
            shown.push_back(index < entries.size() ? entries[index] : 0);
        EXPECT_EQ(entries.size(), 16u);
        EXPECT_EQ(shown, test::screenOrder(few, false, 1));
        const auto symbols = test::runProgram({c.tools + "nm", "prog"}, dir.dir().string()).out;
        for (const std::string name : {" tiles\n", " tiles_Pal\n"}) {
            const auto at = symbols.rfind('\n', symbols.find(name)) + 1;
            EXPECT_EQ(std::stoul(symbols.substr(at), nullptr, 16) % 64, 0u) << symbols;
        }
    }
}

}  // namespace
}  // namespace tessera
