#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/Builders.h"
#include "support/Hostile.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Picture;
using E = test::HostileCase;

Bytes set(Bytes b, std::size_t pos, std::uint32_t v, int size = 4) {
    size == 2 ? test::putLe16(b, pos, static_cast<std::uint16_t>(v)) : test::putLe32(b, pos, v);
    return b;
}

// A 4 x 4 RLE8 picture with 16 colours whose pixel stream is `stream`, as given.
Bytes rle8(const Bytes& stream, std::int32_t height = 4) {
    Picture p = Picture::pattern(4, 4, 8);
    p.palette.resize(16);
    Bytes b = test::buildBmp(p, {.compression = 1});
    b.resize(14 + 40 + 16 * 4);
    b.insert(b.end(), stream.begin(), stream.end());
    return set(b, 22, static_cast<std::uint32_t>(height));
}

TEST(HostileBmp, EveryMalformedBitmapIsRefusedOrConvertedSafely) {
    const Bytes b8 = test::buildBmp(Picture::pattern(4, 4, 8));
    const Bytes b24 = test::buildBmp(Picture::pattern(3, 2, 24));
    Picture few = Picture::pattern(4, 4, 8);  // indices up to 255 with 16 colours
    few.palette.resize(16);
    // clang-format off
    test::checkHostileCases({
        {"empty file", {}}, {"2 bytes", {'B', 'M'}},
        {"53 bytes", Bytes(b24.begin(), b24.begin() + 53)},
        {"width 0", set(b8, 18, 0)}, {"width -4", set(b8, 18, -4u)},
        {"height 0", set(b8, 22, 0)}, {"height -2^31", set(b8, 22, 0x80000000u)},
        {"size past 32 bits", set(set(b24, 18, 0x10000), 22, 0x10000)},
        {"over the element cap", set(set(b8, 18, 8193), 22, 8192)},
        {"8192 x 8192 claimed", set(set(b8, 18, 8192), 22, 8192), E::Converted, "big.gpg"},
        {"depth 0", set(b8, 28, 0, 2)}, {"depth 1", set(b8, 28, 1, 2)},
        {"depth 4", set(b8, 28, 4, 2)}, {"depth 16", set(b24, 28, 16, 2)},
        {"depth -1", set(b8, 28, 0xFFFF, 2)},
        {"depth 32", set(b24, 28, 32, 2), E::Either},
        {"compression 2", set(b8, 30, 2)}, {"compression 4", set(b24, 30, 4)},
        {"compression garbage", set(b8, 30, 0xDEADBEEF)}, {"RLE8 at 24 bits", set(b24, 30, 1)},
        {"RLE8 height -4", rle8({2, 1, 0, 1}, -4), E::Either},
        {"RLE8 run past the row", rle8({255, 7, 0, 0, 4, 1, 0, 1}), E::Either},
        {"RLE8 delta out", rle8({0, 2, 200, 200, 5, 1, 0, 2, 0, 255, 3, 3, 0, 1}), E::Either},
        {"RLE8 literal past the row", rle8({0, 200, 1, 2, 3, 4, 5, 6, 0, 1}), E::Either},
        {"RLE8 cut in a literal", rle8({0, 9, 1, 2}), E::Either},
        {"RLE8 cut after a count", rle8({5}), E::Either},
        {"RLE8 lines past the end", rle8(Bytes(400, 0)), E::Either},
        {"RLE8 without end", rle8({4, 1, 4, 2}), E::Either},
        {"colours -1", set(b8, 46, -1u), E::Either}, {"colours 257", set(b8, 46, 257), E::Either},
        {"colours 2^31-1", set(b8, 46, 0x7FFFFFFF), E::Either},
        {"indices above the colours", test::buildBmp(few), E::Converted},
        {"info header 0", set(b8, 14, 0)}, {"info header 41", set(b8, 14, 41)},
        {"core header", set(b8, 14, 12)}, {"info header past the end", set(b8, 14, 0xFFFFFFF0u)},
        {"data offset -2^31", set(b8, 10, 0x80000000u)}, {"data offset 20", set(b8, 10, 20)},
        {"data offset past the end", set(b8, 10, 1u << 30)},
    }, ".bmp");
    // clang-format on
}

// The RAW dialog's sizes are checked before anything is allocated; only regular files are read.
TEST(HostileRaw, SizesAndFileKinds) {
    const Bytes raw = test::buildRaw(Picture::pattern(4, 4, 8));
    const auto sized = [&](const char* w, const char* h, E::Expect e = E::Refused,
                           const char* out = "out.h", bool b24 = false) {
        return E{std::string(w) + "x" + h, raw, e, out, {.width = w, .height = h, .bits24 = b24}};
    };
    const auto made = [](const char* name, std::function<void(const std::string&)> make) {
        return E{name, {}, E::Refused, "out.h", {}, std::move(make)};
    };
    // clang-format off
    test::checkHostileCases({
        sized("0", "4"), sized("4", "0"), sized("-4", "4"), sized("4", "-4"),
        sized("4294967296", "1"), sized("65536", "65536", E::Refused, "out.h", true),
        sized("65535", "65535", E::Refused, "out.gpg"),
        sized("8", "8", E::Converted), sized("2", "2", E::Converted),  // file too short, too long
        {"empty file", {}, E::Converted, "out.h", {.width = "2", .height = "2", .bits24 = true}},
        made("a folder", [](const std::string& p) { fs::create_directory(p); }),
        made("a FIFO with no writer", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }),
        made("/dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }),
    }, ".raw");
    // clang-format on
}

}  // namespace
}  // namespace tessera
