#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using test::Picture;

// A picture written as one of the newer kinds, and what its information text shows.
struct KindCase {
    std::string name;
    Picture picture;  // also written as its twin: an 8-bit (indices) or 24-bit bitmap
    Bytes file;
    int bits = 0;
    std::string extension = ".bmp";
};

// Indices below `colours` with a table of as many colours.
Picture indexed(int colours) {
    Picture p = Picture::pattern(13, 7, 8);
    for (auto& v : p.pixels)
        v %= static_cast<std::uint32_t>(colours);
    p.palette.resize(static_cast<std::size_t>(colours));
    return p;
}

// Grey levels as indices into a ramp from black to white.
Picture greyLevels(int levels) {
    Picture p = indexed(levels);
    for (int i = 0; i < levels; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 255 / (levels - 1));
        p.palette[static_cast<std::size_t>(i)] = {grey, grey, grey};
    }
    return p;
}

struct PictureKinds : test::WindowFixture {
    // The C text and the .gpg file (or "") of the picture just loaded, with the messages shown;
    // the file's own name in the text is put back to the twin's.
    std::string converted(const std::string& title) {
        ui.messages.clear();
        std::string text = convert("out.h");
        const auto at = text.find(title);
        if (at != std::string::npos)
            text.replace(at, title.size(), "pic.bmp");
        text += "|" + convert("out.gpg");
        for (const auto& m : ui.texts(false))
            text += "|" + m;
        return text;
    }
};

// Every newer kind of picture gives, as text and as .gpg, exactly what its twin gives: the same
// indices and colour table in the file's count and order, or the same GP32 colours.
TEST_F(PictureKinds, EachKindConvertsLikeItsBitmapTwin) {
    const Picture two = indexed(2), sixteen = indexed(16), full = indexed(256),
                  colours = Picture::pattern(13, 7, 24);
    Picture greys = colours;
    for (auto& v : greys.pixels)
        v = (v & 0xFF) * 0x010101;
    Picture nibbles = colours;  // 4-bit channels, widened by repeating them: 0xA becomes 0xAA
    for (auto& v : nibbles.pixels)
        v = (v & 0xF0F0F0) | (v & 0xF0F0F0) >> 4;
    const std::array<std::uint32_t, 3> x555{0x7C00, 0x3E0, 0x1F}, x565{0xF800, 0x7E0, 0x1F},
        x444{0xF00, 0xF0, 0xF}, rgbx{0xFF000000, 0xFF0000, 0xFF00};
    using test::buildBmp, test::buildPng;
    const std::vector<KindCase> cases{
        {"1 bit", two, buildBmp(two, {.bits = 1}), 1},
        {"4 bits", sixteen, buildBmp(sixteen, {.bits = 4}), 4},
        {"4 bits top-down", sixteen, buildBmp(sixteen, {.topDown = true, .bits = 4}), 4},
        {"RLE4", sixteen, buildBmp(sixteen, {.compression = 2, .bits = 4}), 4},
        {"core 4 bits", sixteen, buildBmp(sixteen, {.infoSize = 12, .bits = 4}), 4},
        {"core 8 bits", full, buildBmp(full, {.infoSize = 12}), 8},
        {"core 24 bits", colours, buildBmp(colours, {.infoSize = 12}), 24},
        {"16 bits 5-5-5", colours, buildBmp(colours, {.bits = 16, .masks = x555}), 16},
        {"16 bits 5-6-5", colours, buildBmp(colours, {.compression = 3, .bits = 16, .masks = x565}),
         16},
        {"16 bits 4-4-4", nibbles, buildBmp(nibbles, {.compression = 3, .bits = 16, .masks = x444}),
         16},
        {"32 bits", colours, buildBmp(colours, {.bits = 32}), 32},
        {"32 bits V5 masks, alpha set", colours,
         buildBmp(colours, {.infoSize = 124, .compression = 3, .bits = 32, .masks = rgbx}), 32},
        {"PNG palette", full, buildPng(full, {.colourType = 3}), 8, ".png"},
        {"PNG 4-bit palette, interlaced", sixteen,
         buildPng(sixteen, {.colourType = 3, .bitDepth = 4, .interlaced = true}), 4, ".png"},
        {"PNG grey 2 bits", greyLevels(4),
         buildPng(greyLevels(4), {.colourType = 0, .bitDepth = 2}), 2, ".png"},
        {"PNG grey", greyLevels(256), buildPng(greyLevels(256), {.colourType = 0}), 8, ".png"},
        {"PNG grey 16 bits", greys, buildPng(greys, {.colourType = 0, .bitDepth = 16}), 16, ".png"},
        {"PNG grey and alpha", greys, buildPng(greys, {.colourType = 4}), 16, ".png"},
        {"PNG RGB, interlaced", colours, buildPng(colours, {.colourType = 2, .interlaced = true}),
         24, ".png"},
        {"PNG RGBA", colours, buildPng(colours), 32, ".png"},
        {"PNG RGBA 16 bits", colours, buildPng(colours, {.bitDepth = 16}), 64, ".png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        loadBmp("pic.bmp", c.picture);
        const std::string twin = converted("pic.bmp");
        ASSERT_TRUE(twin.starts_with("/////")) << twin;  // the twin's text was written
        loadFile("pic" + c.extension, c.file);
        EXPECT_EQ(form.state.intBpp, c.bits);
        EXPECT_EQ(converted("pic" + c.extension), twin);
    }
}

}  // namespace
}  // namespace tessera
