#include <gtest/gtest.h>

#include "support/Builders.h"
#include "support/Hostile.h"

namespace tessera {
namespace {

using test::Bytes;
using test::HostileCase;
using test::WavOptions;
using E = HostileCase;

Bytes wav(const Bytes& data, WavOptions o = {}) {
    return test::buildWav(data, o);
}
Bytes with32(Bytes b, std::size_t pos, std::uint32_t v) {
    test::putLe32(b, pos, v);
    return b;
}
Bytes tag(Bytes b, std::size_t pos, const char* four) {
    std::copy(four, four + 4, b.begin() + static_cast<long>(pos));
    return b;
}
Bytes chunk(const char* id, std::uint32_t size, const Bytes& body = {}) {
    Bytes b;
    test::appendTag(b, id);
    test::appendLe32(b, size);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}
// RIFF/WAVE around chunks given as they are, sizes and all.
Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes b{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& c : chunks)
        b.insert(b.end(), c.begin(), c.end());
    test::putLe32(b, 4, static_cast<std::uint32_t>(b.size() - 8));
    return b;
}
Bytes fmt(std::uint16_t format = 1, std::uint16_t channels = 1, std::uint32_t rate = 8000,
          std::uint16_t bits = 8) {
    Bytes f;
    test::appendLe16(f, format);
    test::appendLe16(f, channels);
    test::appendLe32(f, rate);
    test::appendLe32(f, rate * channels * bits / 8);
    test::appendLe16(f, static_cast<std::uint16_t>(channels * bits / 8));
    test::appendLe16(f, bits);
    return chunk("fmt ", 16, f);
}

TEST(HostileWav, EveryMalformedSoundIsRefusedOrConvertedSafely) {
    const Bytes samples{1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes good = wav(samples);
    const std::size_t dataSize = good.size() - samples.size() - 4;
    Bytes manyChunks;
    for (int i = 0; i < 100000; ++i) {
        const Bytes c = chunk("junk", 0);
        manyChunks.insert(manyChunks.end(), c.begin(), c.end());
    }
    Bytes mp3{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x64};
    mp3.resize(400, 0x55);
    const std::vector<HostileCase> cases{
        {"RIFX", tag(good, 0, "RIFX")},
        {"RF64", tag(good, 0, "RF64")},
        {"not WAVE", tag(good, 8, "AVI ")},
        {"11 bytes", Bytes(good.begin(), good.begin() + 11)},
        {"an MP3 renamed", mp3},
        {"no fmt chunk", riff({chunk("data", 8, samples)})},
        {"no data chunk", riff({fmt()})},
        {"fmt under 16 bytes",
         riff({chunk("fmt ", 8, {1, 0, 1, 0, 0x40, 0x1F, 0, 0}), chunk("data", 8, samples)})},
        {"fmt cut by the end", Bytes(good.begin(), good.begin() + 30)},
        {"format 0", wav(samples, {.format = 0})},
        {"format 2", wav(samples, {.format = 2})},
        {"format 3", wav(samples, {.format = 3, .bits = 32})},
        {"format 0x55", wav(samples, {.format = 0x55})},
        {"format 0xFFFE", wav(samples, {.format = 0xFFFE, .fmtSize = 40}), E::Either},
        {"0 channels", wav(samples, {.channels = 0}), E::Either},
        {"65535 channels", wav(samples, {.channels = 65535}), E::Either},
        {"rate 0", wav(samples, {.rate = 0}), E::Either},
        {"data size 0x80000000", with32(good, dataSize, 0x80000000u), E::Either},
        {"data size 0xFFFFFFFF", with32(good, dataSize, 0xFFFFFFFFu), E::Either},
        {"chunk size past the end", riff({fmt(), chunk("LIST", 0xFFFFFFF0u), chunk("data", 8)}),
         E::Either},
        {"chunk size near 2^32", riff({fmt(), chunk("LIST", 0xFFFFFFFFu, samples)}), E::Either},
        {"odd chunk with its pad byte",
         riff({fmt(), chunk("LIST", 3, {1, 2, 3, 0}), chunk("data", 8, samples)}), E::Converted},
        {"odd chunk without its pad byte",
         riff({fmt(), chunk("LIST", 3, {1, 2, 3}), chunk("data", 8, samples)}), E::Either},
        {"fmt after data", riff({chunk("data", 8, samples), fmt()}), E::Either},
        {"two fmt chunks", riff({fmt(), fmt(1, 1, 8000, 12), chunk("data", 8, samples)}),
         E::Converted},
        {"two data chunks", riff({fmt(), chunk("data", 8, samples), chunk("data", 0xFFFFFF00u)}),
         E::Converted},
        {"100,000 empty chunks", riff({fmt(), manyChunks, chunk("data", 8, samples)}),
         E::Converted},
    };
    test::checkHostileCases(cases, ".wav", true);
}

}  // namespace
}  // namespace tessera
