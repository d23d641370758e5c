#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "support/Builders.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;

// A hostile input. It converts, or it is refused with the whole contract: one message, nothing
// created, an added-to file byte-identical, no temporary file, little CPU time and memory.
struct HostileCase {
    enum Expect { Refused, Converted, Either };
    std::string name;
    Bytes bytes;
    Expect expect = Refused;
    std::string output = "out.h";  // .gpg or .sef asks for the binary writer
    ScriptedUi::RawAnswer raw = {};
    std::function<void(const std::string&)> make = {};  // makes the input instead of `bytes`
};
using E = HostileCase;

// Runs each case in a child, as a new output and (text outputs) added to an old one.
void checkHostileCases(const std::vector<HostileCase>& cases, const std::string& extension) {
    const std::string kOld = "/* kept */\r\n", kDone = "Convertion done successfully :)";
    for (const auto& c : cases) {
        for (const bool add : {false, true}) {
            if (add && !c.output.ends_with(".h"))
                continue;  // binary outputs refuse adding before anything else
            SCOPED_TRACE(c.name + (add ? " (add)" : " (new)"));
            TempDir dir;
            const std::string input = dir.path("input" + extension), output = dir.path(c.output);
            c.make ? c.make(input) : writeFile(input, c.bytes);
            if (add)
                writeText(output, kOld);
            const auto before = folderEntries(dir.dir());
            const ChildResult run = runInChild([&] {
                std::string joined;
                for (const auto& m : convertInWindow(input, output, add, c.raw))
                    joined += m + '\x1f';  // one mark after each message
                return joined;
            });
            ASSERT_EQ(run.status, 0) << run.text;
            EXPECT_LT(run.cpuSeconds, kUnderAsan ? 10 : 2);
            ASSERT_EQ(std::count(run.text.begin(), run.text.end(), '\x1f'), 1) << run.text;
            if (run.text == kDone + '\x1f') {
                EXPECT_NE(c.expect, HostileCase::Refused);
                continue;
            }
            EXPECT_NE(c.expect, HostileCase::Converted) << run.text;
            EXPECT_EQ(folderEntries(dir.dir()), before);
            EXPECT_TRUE(!add || readText(output) == kOld);
            EXPECT_LT(run.maxRssKiB, kUnderAsan ? 1L << 40 : 32 * 1024);
        }
    }
}

Bytes set(Bytes b, std::size_t pos, std::uint32_t v, int size = 4) {
    size == 2 ? putLe16(b, pos, static_cast<std::uint16_t>(v)) : putLe32(b, pos, v);
    return b;
}

// A 4 x 4 RLE8 picture with 16 colours whose pixel stream is `stream`, as given.
Bytes rle8(const Bytes& stream, std::int32_t height = 4) {
    Picture p = Picture::pattern(4, 4, 8);
    p.palette.resize(16);
    Bytes b = buildBmp(p, {.compression = 1});
    b.resize(14 + 40 + 16 * 4);
    b.insert(b.end(), stream.begin(), stream.end());
    return set(b, 22, static_cast<std::uint32_t>(height));
}

TEST(HostileBmp, EveryMalformedBitmapIsRefusedOrConvertedSafely) {
    const Bytes b8 = buildBmp(Picture::pattern(4, 4, 8));
    const Bytes b24 = buildBmp(Picture::pattern(3, 2, 24));
    Picture few = Picture::pattern(4, 4, 8);  // indices up to 255 with 16 colours
    few.palette.resize(16);
    // clang-format off
    checkHostileCases({
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
        {"indices above the colours", buildBmp(few), E::Converted},
        {"info header 0", set(b8, 14, 0)}, {"info header 41", set(b8, 14, 41)},
        {"core header", set(b8, 14, 12)}, {"info header past the end", set(b8, 14, 0xFFFFFFF0u)},
        {"data offset -2^31", set(b8, 10, 0x80000000u)}, {"data offset 20", set(b8, 10, 20)},
        {"data offset past the end", set(b8, 10, 1u << 30)},
    }, ".bmp");
    // clang-format on
}

// The RAW dialog's sizes are checked before anything is allocated; only regular files are read.
TEST(HostileRaw, SizesAndFileKinds) {
    const Bytes raw = buildRaw(Picture::pattern(4, 4, 8));
    const auto sized = [&](const char* w, const char* h, E::Expect e = E::Refused,
                           const char* out = "out.h", bool b24 = false) {
        return E{std::string(w) + "x" + h, raw, e, out, {.width = w, .height = h, .bits24 = b24}};
    };
    const auto made = [](const char* name, std::function<void(const std::string&)> make) {
        return E{name, {}, E::Refused, "out.h", {}, std::move(make)};
    };
    // clang-format off
    checkHostileCases({
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

Bytes patched(Bytes b, std::size_t pos, const Bytes& with) {
    std::copy(with.begin(), with.end(), b.begin() + static_cast<long>(pos));
    return b;
}
Bytes chunk(const char* id, std::uint32_t size, const Bytes& body = {}) {
    Bytes b;
    appendTag(b, id);
    appendLe32(b, size);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}
// RIFF/WAVE around chunks given as they are, sizes and all.
Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes b{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& c : chunks)
        b.insert(b.end(), c.begin(), c.end());
    putLe32(b, 4, static_cast<std::uint32_t>(b.size() - 8));
    return b;
}
Bytes fmt(std::uint8_t bits = 8) {  // PCM, mono, 8000 Hz
    return chunk("fmt ", 16, {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, bits, 0});
}

TEST(HostileWav, EveryMalformedSoundIsRefusedOrConvertedSafely) {
    const Bytes s{1, 2, 3, 4, 5, 6, 7, 8}, good = buildWav(s);
    const std::size_t sizeAt = good.size() - s.size() - 4;  // the data chunk's size
    Bytes many, mp3{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x64};
    for (int i = 0; i < 100000; ++i)
        many.insert(many.end(), {'j', 'u', 'n', 'k', 0, 0, 0, 0});
    mp3.resize(400, 0x55);
    const auto wav = [&](WavOptions o) { return buildWav(s, o); };
    const Bytes data = chunk("data", 8, s);
    // clang-format off
    checkHostileCases({
        {"RIFX", patched(good, 0, {'R', 'I', 'F', 'X'})},
        {"RF64", patched(good, 0, {'R', 'F', '6', '4'})},
        {"not WAVE", patched(good, 8, {'A', 'V', 'I', ' '})},
        {"11 bytes", Bytes(good.begin(), good.begin() + 11)},
        {"an MP3 renamed", mp3}, {"no fmt chunk", riff({data})}, {"no data chunk", riff({fmt()})},
        {"fmt of 8 bytes", riff({chunk("fmt ", 8, {1, 0, 1, 0, 0x40, 0x1F, 0, 0}), data})},
        {"fmt cut by the end", Bytes(good.begin(), good.begin() + 30)},
        {"format 0", wav({.format = 0})}, {"format 2", wav({.format = 2})},
        {"format 3", wav({.format = 3, .bits = 32})}, {"format 0x55", wav({.format = 0x55})},
        {"format 0xFFFE", wav({.format = 0xFFFE, .fmtSize = 40}), E::Either},
        {"0 channels", wav({.channels = 0}), E::Either}, {"rate 0", wav({.rate = 0}), E::Either},
        {"65535 channels", wav({.channels = 65535}), E::Either},
        {"data size 2^31", patched(good, sizeAt, {0, 0, 0, 0x80}), E::Either},
        {"data size 2^32-1", patched(good, sizeAt, {0xFF, 0xFF, 0xFF, 0xFF}), E::Either},
        {"chunk past the end", riff({fmt(), chunk("LIST", 0xFFFFFFF0u), data}), E::Either},
        {"chunk size near 2^32", riff({fmt(), chunk("LIST", 0xFFFFFFFFu, s)}), E::Either},
        {"odd chunk, pad byte", riff({fmt(), chunk("LIST", 3, {1, 2, 3, 0}), data}), E::Converted},
        {"odd chunk, no pad", riff({fmt(), chunk("LIST", 3, {1, 2, 3}), data}), E::Either},
        {"fmt after data", riff({data, fmt()}), E::Either},
        {"two fmt chunks", riff({fmt(), fmt(12), data}), E::Converted},
        {"two data chunks", riff({fmt(), data, chunk("data", 0xFFFFFF00u)}), E::Converted},
        {"100,000 empty chunks", riff({fmt(), many, data}), E::Converted},
    }, ".wav");
    // clang-format on
}

}  // namespace
}  // namespace tessera::test
