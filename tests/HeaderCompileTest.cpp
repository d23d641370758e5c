#include "WindowFixture.h"
#include "support/Compile.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;
using test::U32s;

struct HeaderCompile : test::WindowFixture {};

// The generated headers go through the compilers GP32 programs are built with; the arrays are
// dumped from the object files and compared with values worked out from the test's own input.
TEST_F(HeaderCompile, PicturesAndSoundsCompileToTheirValues) {
    test::writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
    const Picture photo = Picture::pattern(7, 5, 24);
    loadBmp("photo.bmp", photo);
    writeText("photo.h");
    Picture tiles = Picture::pattern(9, 3, 8);
    tiles.palette.resize(20);
    for (auto& v : tiles.pixels)
        v %= 20;
    loadBmp("tiles.bmp", tiles);
    writeText("tiles.h");
    U32s palette, unsignedWide;
    for (const auto& c : tiles.palette)
        palette.push_back(gp32(c, 1));
    Bytes wide, narrow;  // signed 16-bit samples play unsigned on the GP32, silence at 0x8000
    for (int s : {0, 32767, -32768, 1, -1, 255, -256, 12345, -12345, 30000, -30000, 7}) {
        test::appendLe16(wide, static_cast<std::uint16_t>(s));
        unsignedWide.push_back(static_cast<std::uint32_t>(s + 32768));
    }
    for (int i = 0; i < 33; ++i)
        narrow.push_back(static_cast<std::uint8_t>(i * 37));
    loadWav(wide, {.channels = 2, .bits = 16}, "wide.wav");
    convertSound("wide.h");
    loadWav(narrow, {.bits = 8}, "narrow.wav");
    convertSound("narrow.h");

    for (const auto& t : test::gp32Toolchains()) {
        SCOPED_TRACE(t.compiler);
        auto compiled = [&](const char* header, int width, const char* section = ".rodata") {
            return test::compiledElements(dir, std::string("#include \"") + header + "\"\n", t,
                                          width, section);
        };
        EXPECT_EQ(compiled("photo.h", 2), screenOrder(photo, false, 1));
        EXPECT_EQ(compiled("tiles.h", 1), screenOrder(tiles, false, 1));
        EXPECT_EQ(compiled("tiles.h", 2, ".data"), palette);  // not const: initialised data
        EXPECT_EQ(compiled("wide.h", 2), unsignedWide);
        EXPECT_EQ(compiled("narrow.h", 1), U32s(narrow.begin(), narrow.end()));
    }
}

}  // namespace
}  // namespace tessera
