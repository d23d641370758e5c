#include <gtest/gtest.h>

#include <climits>

#include "support/Builders.h"
#include "support/Hostile.h"

namespace tessera {
namespace {

using test::Bytes;
using test::HostileCase;
using test::Picture;

Bytes with32(Bytes b, std::size_t pos, std::uint32_t v) {
    test::putLe32(b, pos, v);
    return b;
}
Bytes with16(Bytes b, std::size_t pos, std::uint16_t v) {
    test::putLe16(b, pos, v);
    return b;
}
Bytes cut(Bytes b, std::size_t size) {
    b.resize(size);
    return b;
}

// A 4 x 4, 8-bit RLE8 picture whose pixel stream is `stream`, exactly as given.
Bytes rle8(const Bytes& stream, std::int32_t height = 4) {
    Picture p = Picture::pattern(4, 4, 8);
    p.palette.resize(16);
    Bytes b = test::buildBmp(p, {.compression = 1});
    const std::size_t dataOffset = 14 + 40 + 16 * 4;
    b.resize(dataOffset);
    b.insert(b.end(), stream.begin(), stream.end());
    test::putLe32(b, 22, static_cast<std::uint32_t>(height));
    return b;
}

TEST(HostileBmp, EveryMalformedBitmapIsRefusedOrConvertedSafely) {
    const Bytes b8 = test::buildBmp(Picture::pattern(4, 4, 8));
    const Bytes b24 = test::buildBmp(Picture::pattern(3, 2, 24));
    Picture few = Picture::pattern(4, 4, 8);  // indices up to 255 with 16 colours
    few.palette.resize(16);
    const Bytes wideIndices = test::buildBmp(few);
    using E = HostileCase;
    const std::vector<HostileCase> cases{
        {"empty file", {}},
        {"2 bytes", {'B', 'M'}},
        {"53 bytes", cut(b24, 53)},
        {"width 0", with32(b8, 18, 0)},
        {"negative width", with32(b8, 18, static_cast<std::uint32_t>(-4))},
        {"height 0", with32(b8, 22, 0)},
        {"most negative height", with32(b8, 22, 0x80000000u)},
        {"size overflowing 32 bits", with32(with32(b24, 18, 0x10000), 22, 0x10000)},
        {"over the element cap", with32(with32(b8, 18, 8193), 22, 8192)},
        {"tiny file claiming 8192 x 8192", with32(with32(b8, 18, 8192), 22, 8192), E::Converted,
         "big.gpg"},
        {"depth 0", with16(b8, 28, 0)},
        {"depth 1", with16(b8, 28, 1)},
        {"depth 4", with16(b8, 28, 4)},
        {"depth 16", with16(b24, 28, 16)},
        {"depth 32", with16(b24, 28, 32), E::Either},
        {"depth -1", with16(b8, 28, 0xFFFF)},
        {"compression 2", with32(b8, 30, 2)},
        {"compression 4", with32(b24, 30, 4)},
        {"compression 5", with32(b24, 30, 5)},
        {"garbage compression", with32(b8, 30, 0xDEADBEEF)},
        {"RLE8 with 24 bits", with32(b24, 30, 1)},
        {"RLE8 with a negative height", rle8({2, 1, 0, 1}, -4), E::Either},
        {"RLE8 run past the row", rle8({255, 7, 0, 0, 4, 1, 0, 1}), E::Either},
        {"RLE8 delta past the picture", rle8({0, 2, 200, 200, 5, 1, 0, 2, 0, 255, 3, 3, 0, 1}),
         E::Either},
        {"RLE8 literal past the row", rle8({0, 200, 1, 2, 3, 4, 5, 6, 0, 1}), E::Either},
        {"RLE8 cut off in a literal", rle8({0, 9, 1, 2}), E::Either},
        {"RLE8 cut off after a count", rle8({5}), E::Either},
        {"RLE8 line ends past the picture", rle8(Bytes(400, 0)), E::Either},
        {"RLE8 without end marker", rle8({4, 1, 4, 2}), E::Either},
        {"negative colour count", with32(b8, 46, static_cast<std::uint32_t>(-1)), E::Either},
        {"colour count 257", with32(b8, 46, 257), E::Either},
        {"huge colour count", with32(b8, 46, 0x7FFFFFFF), E::Either},
        {"indices above the colour count", wideIndices, E::Converted},
        {"information header 0", with32(b8, 14, 0)},
        {"information header 41", with32(b8, 14, 41)},
        {"12-byte core header", with32(b8, 14, 12)},
        {"information header past the end", with32(b8, 14, 0xFFFFFFF0u)},
        {"negative data offset", with32(b8, 10, static_cast<std::uint32_t>(INT32_MIN))},
        {"data offset inside the headers", with32(b8, 10, 20)},
        {"data offset past the end", with32(b8, 10, 1u << 30)},
    };
    test::checkHostileCases(cases, ".bmp", false);
}

}  // namespace
}  // namespace tessera
