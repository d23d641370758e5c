#include "support/Window.h"

namespace tessera {
namespace {

using test::Picture;

// A picture written as one of the newer kinds.
struct KindCase {
    std::string name;
    Picture picture;  // also written as its twin: an 8-bit (indices) or 24-bit bitmap
    test::Bytes file;
};

// Indices below `colours` with a table of as many colours.
Picture indexed(int colours) {
    Picture p = Picture::pattern(13, 7, 8);
    for (auto& v : p.pixels)
        v %= static_cast<std::uint32_t>(colours);
    p.palette.resize(static_cast<std::size_t>(colours));
    return p;
}

struct PictureKinds : test::WindowFixture {
    // The C text and the .gpg file (or "") of the picture just loaded, with the messages shown.
    std::string converted() {
        ui.messages.clear();
        std::string text = convert("out.h") + "|" + convert("out.gpg");
        for (const auto& m : ui.texts(false))
            text += "|" + m;
        return text;
    }
};

// Every newer kind of picture gives, as text and as .gpg, exactly what its twin gives: the same
// indices and colour table in the file's count and order, or the same GP32 colours.
TEST_F(PictureKinds, EachKindConvertsLikeItsBitmapTwin) {
    const Picture two = indexed(2), sixteen = indexed(16), full = indexed(256),
                  colours = Picture::pattern(13, 7, 24), small = Picture::pattern(3, 2, 24);
    Picture greys = colours;
    for (auto& v : greys.pixels)
        v = (v & 0xFF) * 0x010101;
    using test::buildBmp, test::buildPng;
    const std::vector<KindCase> cases{
        {"1 bit", two, buildBmp(two, {.bits = 1})},
        {"4 bits", sixteen, buildBmp(sixteen, {.bits = 4})},
        {"RLE4", sixteen, buildBmp(sixteen, {.compression = 2, .bits = 4})},
        {"core header", sixteen, buildBmp(sixteen, {.infoSize = 12, .bits = 4})},
        {"16 bits 5-6-5", colours,
         buildBmp(colours, {.compression = 3, .bits = 16, .masks = {0xF800, 0x7E0, 0x1F}})},
        {"32 bits", colours, buildBmp(colours, {.bits = 32})},
        {"PNG palette", full, buildPng(full, {.colourType = 3})},
        {"PNG grey 16 bits", greys, buildPng(greys, {.colourType = 0, .bitDepth = 16})},
        {"PNG RGB, interlaced", colours, buildPng(colours, {.colourType = 2, .interlaced = true})},
        {"PNG 3x2, interlaced: passes left empty", small, buildPng(small, {.interlaced = true})},
        {"PNG RGBA 16 bits", colours, buildPng(colours, {.bitDepth = 16})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        loadBmp("pic.bmp", c.picture);
        const std::string twin = converted();
        ASSERT_TRUE(twin.starts_with("/////")) << twin;  // the twin's text was written
        loadFile("pic.bmp", c.file);  // a PNG is known by its first bytes, whatever its name
        EXPECT_EQ(converted(), twin);
    }
}

}  // namespace
}  // namespace tessera
