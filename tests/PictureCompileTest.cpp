#include <cstdlib>
#include <string>
#include <vector>

#include "PictureFixture.h"

namespace tessera {
namespace {

using test::Picture;

// The generated headers go through the compilers GP32 programs are built with: the desktop gcc
// in C99 and the ARM920T cross compiler. The arrays are then dumped from the object files and
// compared with the values the test works out from its own picture.
struct PictureCompile : test::PictureFixture {
    void SetUp() override {
        test::writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
    }

    // Compiles `header` with `compiler` and returns the bytes of `section`.
    test::Bytes compiledSection(const std::string& header, const std::string& compiler,
                                const std::string& objcopy, const std::string& section) {
        const std::string source = dir.path("use.c");
        test::writeText(source, "#include \"" + header + "\"\n");
        const std::string object = dir.path("use.o");
        const std::string dump = dir.path("section.bin");
        const std::string compile =
            compiler + " -c -Wall -Werror -I" + dir.dir().string() + " -o " + object + " " + source;
        EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
        const std::string extract =
            objcopy + " -O binary -j " + section + " " + object + " " + dump;
        EXPECT_EQ(std::system(extract.c_str()), 0) << extract;
        return test::readFile(dump);
    }

    static std::vector<std::uint32_t> littleEndian(const test::Bytes& b, int width) {
        std::vector<std::uint32_t> out;
        for (std::size_t i = 0; i + static_cast<std::size_t>(width) <= b.size();
             i += static_cast<std::size_t>(width))
            out.push_back(width == 1 ? b[i] : static_cast<std::uint32_t>(b[i] | (b[i + 1] << 8)));
        return out;
    }
};

struct Toolchain {
    std::string compiler, objcopy;
};
const std::vector<Toolchain> kToolchains{
    {"gcc -std=c99", "objcopy"}, {"arm-none-eabi-gcc -mcpu=arm920t", "arm-none-eabi-objcopy"}};

TEST_F(PictureCompile, ColoursCompileToTheirGp32Values) {
    const Picture p = Picture::pattern(7, 5, 24);
    loadBmp("photo.bmp", p);
    form.optFill0.select();
    writeText("photo.h");
    for (const auto& t : kToolchains) {
        const auto values =
            littleEndian(compiledSection("photo.h", t.compiler, t.objcopy, ".rodata"), 2);
        EXPECT_EQ(values, screenOrder(p, false, 0)) << t.compiler;
    }
    loadRaw("photo.raw", p);
    form.optFill1.select();
    writeText("raw.h");
    for (const auto& t : kToolchains) {
        const auto values =
            littleEndian(compiledSection("raw.h", t.compiler, t.objcopy, ".rodata"), 2);
        EXPECT_EQ(values, screenOrder(p, true, 1)) << t.compiler;
    }
}

TEST_F(PictureCompile, IndicesAndPaletteCompile) {
    Picture p = Picture::pattern(9, 3, 8);
    p.palette.resize(20);
    for (auto& v : p.pixels)
        v %= 20;
    loadBmp("tiles.bmp", p);
    writeText("tiles.h");
    std::vector<std::uint32_t> palette;
    for (const auto& c : p.palette)
        palette.push_back(gp32((c[0] << 16) | (c[1] << 8) | c[2], 1));
    for (const auto& t : kToolchains) {
        // The palette is not const, so it lands in the initialised data beside the indices.
        EXPECT_EQ(littleEndian(compiledSection("tiles.h", t.compiler, t.objcopy, ".rodata"), 1),
                  screenOrder(p, false, 1))
            << t.compiler;
        EXPECT_EQ(littleEndian(compiledSection("tiles.h", t.compiler, t.objcopy, ".data"), 2),
                  palette)
            << t.compiler;
    }
}

}  // namespace
}  // namespace tessera
