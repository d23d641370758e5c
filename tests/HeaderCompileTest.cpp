#include <array>
#include <bit>
#include <cstdlib>

#include "support/Child.h"
#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;
using test::U32s;

bool haveCrossCompiler() {
    return test::onPath("arm-none-eabi-gcc");
}
constexpr const char* kNoCrossCompiler =
    "arm-none-eabi-gcc is not installed (scripts/bootstrap installs it)";

struct HeaderCompile : test::WindowFixture {
    const Picture photo = Picture::pattern(7, 5, 24);
    const Picture tiles = Picture::pattern(9, 3, 8);
    const U32s palette = test::paletteColours(tiles, 1);
    Bytes wide;  // signed 16-bit samples play unsigned on the GP32, silence at 0x8000
    U32s unsignedWide;

    HeaderCompile() {
        test::writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
        for (int s : {0, 32767, -32768, 1, -1, 255, -256, 12345, -12345, 30000, -30000, 7}) {
            test::putLe16(wide, wide.size(), static_cast<std::uint16_t>(s));
            unsignedWide.push_back(static_cast<std::uint32_t>(s + 32768));
        }
    }
    // Runs `command` in the test's folder; true when it succeeded.
    bool run(const std::string& command) {
        const auto r = test::runProgram({"sh", "-c", command}, dir.dir().string());
        EXPECT_EQ(r.exitCode, 0) << command << "\n" << r.err;
        return r.exitCode == 0;
    }
    // `section` of the object `o`, read as little-endian elements of 1 or 2 bytes.
    U32s dumped(const std::string& tools, const std::string& o, int width, const char* section) {
        run(tools + "objcopy -O binary -j " + section + " " + o + " s.bin");
        const Bytes b = test::readFile(dir.path("s.bin"));
        U32s out;
        for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= b.size(); i += width)
            out.push_back(width == 1 ? b[i] : static_cast<std::uint32_t>(b[i] | b[i + 1] << 8));
        return out;
    }
    // Compiles a file including `header` with warnings as errors; returns `section` of it.
    U32s compiled(const std::string& cc, const std::string& header, int width,
                  const char* section = ".rodata") {
        test::writeText(dir.path("use.c"), "#include \"" + header + "\"\n");
        run(cc + "gcc" + (cc.empty() ? " -std=c99" : " -mcpu=arm920t") +
            " -c -Wall -Wextra -pedantic -Werror -o use.o use.c");
        return dumped(cc, "use.o", width, section);
    }
};

// The generated headers go through the compilers GP32 programs are built with; the arrays are
// dumped from the object files and compared with values worked out from the test's own input.
TEST_F(HeaderCompile, PicturesAndSoundsCompileToTheirValues) {
    loadBmp("photo.bmp", photo);
    convert("photo.h");
    loadBmp("ti\nles\r\x7f.bmp", tiles);  // line ends in a name must stay inside the comment
    EXPECT_EQ(form.lblBMPName.Caption.find("ti?les??.bmp\r\n"), 15u) << form.lblBMPName.Caption;
    form.txtVar.Text() = "tiles";
    convert("tiles.h");
    const Bytes narrow = test::buildRaw(Picture::pattern(33, 1, 8));
    loadWav(wide, {.channels = 2, .bits = 16}, "wide.wav");
    convert("wide.h");
    loadWav(narrow, {.bits = 8}, "narrow.wav");
    convert("narrow.h");
    // A PNG-made header and a float-made one.
    loadFile("sprite.png", test::buildPng(photo));
    convert("sprite.h");
    Bytes floatBytes;
    for (const float f : {0.0f, 1.0f, -1.0f, 0.25f, -2.0f}) {
        for (const auto byte : std::bit_cast<std::array<std::uint8_t, 4>>(f))
            floatBytes.push_back(byte);
    }
    loadWav(floatBytes, {.format = 3, .bits = 32}, "tone.wav");
    convert("tone.h");

    // The desktop gcc in C99 and the ARM920T cross compiler, each with its own objcopy.
    auto checkWith = [&](const std::string& cc) {
        SCOPED_TRACE(cc + "gcc");
        EXPECT_EQ(compiled(cc, "photo.h", 2), test::screenOrder(photo, false, 1));
        EXPECT_EQ(compiled(cc, "tiles.h", 1), test::screenOrder(tiles, false, 1));
        EXPECT_EQ(compiled(cc, "tiles.h", 2, ".data"), palette);  // not const: initialised data
        EXPECT_EQ(compiled(cc, "wide.h", 2), unsignedWide);
        EXPECT_EQ(compiled(cc, "narrow.h", 1), U32s(narrow.begin(), narrow.end()));
        EXPECT_EQ(compiled(cc, "sprite.h", 2), test::screenOrder(photo, false, 1));
        EXPECT_EQ(compiled(cc, "tone.h", 2), (U32s{0x8000, 0xFFFF, 0x0001, 0xA000, 0x0001}));
    };
    checkWith("");
    if (!haveCrossCompiler())
        GTEST_SKIP() << kNoCrossCompiler;
    checkWith("arm-none-eabi-");
}

// Header and data pairs aligned on 64 bytes, each header included twice by each of three C
// files: every compiler links them (no array defined twice) and the data objects hold the same
// values.
TEST_F(HeaderCompile, PairsLinkFromSeveralFilesWithTheirValuesAligned) {
    form.textOptions.align = 64;
    form.headerPath = dir.path("tiles_gfx.h");
    loadBmp("tiles.bmp", tiles);
    convert("tiles_gfx.c");
    loadWav(wide, {.channels = 2, .bits = 16}, "wide.wav");
    form.headerPath = dir.path("wide_sfx.h");
    convert("wide_sfx.c");
    for (const std::string unit : {"main", "one", "two"}) {
        test::writeText(dir.path(unit + ".c"),
                        "#include \"tiles_gfx.h\"\n#include \"tiles_gfx.h\"\n#include \"wide_sfx.h\"\n"
                        "int " +
                            unit + "(void) { return tiles[1] + tiles_Pal[2] + wide[3]; }\n");
    }
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
        if (!c.tools.empty() && !haveCrossCompiler())
            GTEST_SKIP() << kNoCrossCompiler;
        ASSERT_TRUE(run(c.compile + " -Wall -Wextra -Werror -c main.c one.c two.c tiles_gfx.c wide_sfx.c && " +
                        c.link + " -o prog *_?fx.o main.o one.o two.o"));
        EXPECT_EQ(dumped(c.tools, "tiles_gfx.o", 1, ".rodata"), test::screenOrder(tiles, false, 1));
        EXPECT_EQ(dumped(c.tools, "tiles_gfx.o", 2, ".data"), palette);
        EXPECT_EQ(dumped(c.tools, "wide_sfx.o", 2, ".rodata"), unsignedWide);
        const auto symbols = test::runProgram({c.tools + "nm", "prog"}, dir.dir().string()).out;
        for (const std::string name : {" tiles\n", " tiles_Pal\n", " wide\n"}) {
            const auto at = symbols.rfind('\n', symbols.find(name)) + 1;
            EXPECT_EQ(std::stoul(symbols.substr(at), nullptr, 16) % 64, 0u) << symbols;
        }
    }
}

}  // namespace
}  // namespace tessera
