#include <gtest/gtest.h>

#include "support/Builders.h"
#include "support/Hostile.h"

namespace tessera {
namespace {

using test::Bytes;
using E = test::HostileCase;

Bytes patched(Bytes b, std::size_t pos, const Bytes& with) {
    std::copy(with.begin(), with.end(), b.begin() + static_cast<long>(pos));
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
Bytes fmt(std::uint8_t bits = 8) {  // PCM, mono, 8000 Hz
    return chunk("fmt ", 16, {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, bits, 0});
}

TEST(HostileWav, EveryMalformedSoundIsRefusedOrConvertedSafely) {
    const Bytes s{1, 2, 3, 4, 5, 6, 7, 8}, good = test::buildWav(s);
    const std::size_t sizeAt = good.size() - s.size() - 4;  // the data chunk's size
    Bytes many, mp3{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x64};
    for (int i = 0; i < 100000; ++i)
        many.insert(many.end(), {'j', 'u', 'n', 'k', 0, 0, 0, 0});
    mp3.resize(400, 0x55);
    const auto wav = [&](test::WavOptions o) { return test::buildWav(s, o); };
    const Bytes data = chunk("data", 8, s);
    // clang-format off
    test::checkHostileCases({
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
}  // namespace tessera
