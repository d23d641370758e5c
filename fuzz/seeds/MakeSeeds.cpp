// Writes the fuzzers' seed corpora: a few small, valid files of each kind made by the test
// builders, so fuzzing starts from inputs that reach the converters and writers.
// Usage: tessera_fuzz_seeds FOLDER (creates FOLDER/picture and FOLDER/sound).

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/Builders.h"

using namespace tessera::test;

namespace {

void put(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(dir);
    writeFile((dir / name).string(), bytes);
}

// The picture target reads a RAW file's size and depth from its first five bytes.
Bytes rawSeed(const Picture& p) {
    Bytes b{static_cast<std::uint8_t>(p.width - 1), 0, static_cast<std::uint8_t>(p.height - 1), 0,
            static_cast<std::uint8_t>(p.bpp == 24 ? 1 : 0)};
    const Bytes raw = buildRaw(p);
    b.insert(b.end(), raw.begin(), raw.end());
    return b;
}

Bytes samples(std::size_t n) {
    Bytes b;
    for (std::size_t i = 0; i < n; ++i)
        b.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path pictures = std::filesystem::path(argv[1]) / "picture";
    const std::filesystem::path sounds = std::filesystem::path(argv[1]) / "sound";
    const std::filesystem::path palettes = std::filesystem::path(argv[1]) / "palette";

    Picture small8 = Picture::pattern(5, 3, 8);
    small8.palette.resize(16);
    put(pictures, "bmp8.bmp", buildBmp(small8));
    put(pictures, "bmp8-full.bmp", buildBmp(Picture::pattern(4, 4, 8)));
    put(pictures, "bmp24.bmp", buildBmp(Picture::pattern(3, 5, 24)));
    put(pictures, "bmp24-topdown.bmp", buildBmp(Picture::pattern(3, 2, 24), {.topDown = true}));
    put(pictures, "bmp8-rle.bmp", buildBmp(small8, {.compression = 1}));
    put(pictures, "bmp8-v5.bmp", buildBmp(small8, {.infoSize = 124}));
    put(pictures, "bmp24-fields.bmp", buildBmp(Picture::pattern(2, 2, 24), {.compression = 3}));
    Picture small4 = small8;
    for (auto& v : small4.pixels)
        v &= 15;
    Picture small1 = small4;
    for (auto& v : small1.pixels)
        v &= 1;
    small1.palette.resize(2);
    const Picture small24 = Picture::pattern(3, 5, 24);
    put(pictures, "bmp4.bmp", buildBmp(small4, {.bits = 4}));
    put(pictures, "bmp4-rle.bmp", buildBmp(small4, {.compression = 2, .bits = 4}));
    put(pictures, "bmp1-core.bmp", buildBmp(small1, {.infoSize = 12, .bits = 1}));
    put(pictures, "bmp16.bmp", buildBmp(small24, {.bits = 16, .masks = {0x7C00, 0x3E0, 0x1F}}));
    put(pictures, "bmp32-fields.bmp", buildBmp(small24, {.compression = 3, .bits = 32}));
    put(pictures, "png-palette.png", buildPng(small4, {.colourType = 3, .bitDepth = 4}));
    put(pictures, "png-grey.png", buildPng(small4, {.colourType = 0, .bitDepth = 4}));
    put(pictures, "png-rgba16.png", buildPng(small24, {.bitDepth = 16, .interlaced = true}));
    put(pictures, "raw8.raw", rawSeed(Picture::pattern(6, 4, 8)));
    put(pictures, "raw24.raw", rawSeed(Picture::pattern(4, 3, 24)));

    const auto text = [](const std::string& t) { return Bytes(t.begin(), t.end()); };
    put(palettes, "gimp.gpl",
        text("GIMP Palette\nName: seed\nColumns: 16\n#\n  0   0   0\tIndex 0\n255 0 255 x\n"));
    put(palettes, "jasc.pal", text("JASC-PAL\r\n0100\r\n3\r\n0 0 0\r\n8 16 24\r\n255 255 255\r\n"));
    put(palettes, "block.h",
        text("#include \"gpgraphic.h\"\r\n\r\nGP_PALETTEENTRY s_Pal[3] = {\r\n"
             "      0x1, 0xF83F, 0xFFFF\r\n};\r\n"));
    put(palettes, "table.png", buildPng(small4, {.colourType = 3, .bitDepth = 4}));
    put(sounds, "mono8.wav", buildWav(samples(40)));
    put(sounds, "stereo16.wav", buildWav(samples(64), {.channels = 2, .bits = 16}));
    put(sounds, "list-odd.wav",
        buildWav(samples(9), {.chunksBeforeFmt = {{{'L', 'I', 'S', 'T'}, {'I', 'N', 'F'}}},
                              .chunksBeforeData = {{{'f', 'a', 'c', 't'}, {1, 0, 0, 0}}}}));
    put(sounds, "fmt18.wav", buildWav(samples(16), {.bits = 16, .fmtSize = 18}));
    put(sounds, "mono24.wav", buildWav(samples(30), {.bits = 24}));
    put(sounds, "float.wav", buildWav(samples(32), {.format = 3, .bits = 32}));
    put(sounds, "extensible.wav",
        buildWav(samples(32), {.format = 0xFFFE, .channels = 2, .bits = 64, .subFormat = 3}));
    return 0;
}
