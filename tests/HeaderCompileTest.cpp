#include <array>
#include <bit>
#include <cstdlib>

#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;
using test::U32s;

struct HeaderCompile : test::WindowFixture {
    // Compiles a file including `header` with warnings as errors and returns `section` of the
    // object, read as little-endian elements of 1 or 2 bytes.
    U32s compiled(const std::string& cc, const std::string& header, int width,
                  const char* section = ".rodata") {
        const std::string c = dir.path("use.c"), o = dir.path("use.o"), dump = dir.path("s.bin");
        test::writeText(c, "#include \"" + header + "\"\n");
        const std::string compile = cc + "gcc" + (cc.empty() ? " -std=c99" : " -mcpu=arm920t") +
                                    " -c -Wall -Wextra -pedantic -Werror -I" + dir.dir().string() +
                                    " -o " + o + " " + c,
                          extract = cc + "objcopy -O binary -j " + section + " " + o + " " + dump;
        EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
        EXPECT_EQ(std::system(extract.c_str()), 0) << extract;
        const Bytes b = test::readFile(dump);
        U32s out;
        for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= b.size(); i += width)
            out.push_back(width == 1 ? b[i] : static_cast<std::uint32_t>(b[i] | b[i + 1] << 8));
        return out;
    }
};

// The generated headers go through the compilers GP32 programs are built with; the arrays are
// dumped from the object files and compared with values worked out from the test's own input.
TEST_F(HeaderCompile, PicturesAndSoundsCompileToTheirValues) {
    test::writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
    const Picture photo = Picture::pattern(7, 5, 24);
    loadBmp("photo.bmp", photo);
    convert("photo.h");
    const Picture tiles = Picture::pattern(9, 3, 8);
    loadBmp("tiles.bmp", tiles);
    convert("tiles.h");
    const U32s palette = test::paletteColours(tiles, 1);
    U32s unsignedWide;
    const Bytes narrow = test::buildRaw(Picture::pattern(33, 1, 8));
    Bytes wide;  // signed 16-bit samples play unsigned on the GP32, silence at 0x8000
    for (int s : {0, 32767, -32768, 1, -1, 255, -256, 12345, -12345, 30000, -30000, 7}) {
        test::putLe16(wide, wide.size(), static_cast<std::uint16_t>(s));
        unsignedWide.push_back(static_cast<std::uint32_t>(s + 32768));
    }
    loadWav(wide, {.channels = 2, .bits = 16}, "wide.wav");
    convert("wide.h");
    loadWav(narrow, {.bits = 8}, "narrow.wav");
    convert("narrow.h");
    // A PNG-made header and a float-made one.
    loadFile("sprite.png", test::buildPng(photo));
    convert("sprite.h");
    const std::vector<float> floats{0.0f, 1.0f, -1.0f, 0.25f, -2.0f};
    Bytes floatBytes;
    for (const float f : floats) {
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
    if (!test::onPath("arm-none-eabi-gcc"))
        GTEST_SKIP() << "arm-none-eabi-gcc is not installed (scripts/bootstrap installs it)";
    checkWith("arm-none-eabi-");
}

}  // namespace
}  // namespace tessera
