// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "formats/sound/SndfileLibrary.h"
#include "formats/sound/SoundChain.h"
#include "platform/Errors.h"
#include "platform/InputFile.h"
#include "platform/SharedLibrary.h"
#include "support/Builders.h"
#include "support/SoundBuilder.h"

namespace tessera {
namespace {

using test::Bytes;

// The bytes the chain gives for a WAV file of `data`, read as the window reads it.
struct Chained {
    Bytes bytes;
    SoundShape written;
};
Chained chain(const Bytes& data, const test::WavOptions& wav, const SoundTarget& target) {
    test::TempDir dir;
    test::writeFile(dir.path("in.wav"), test::buildWav(data, wav));
    const InputFile in(dir.path("in.wav"));
    SoundSource source;
    source.wav = samplesToWrite({.bitsPerSample = wav.bits, .channels = wav.channels},
                                std::int64_t(data.size()));
    source.dataOffset = 44;
    source.shape = {.channels = wav.channels,
                    .rate = std::int32_t(wav.rate),
                    .bits = wav.bits,
                    .frames = source.wav.count / wav.channels};
    SoundChain samples(in, source, target);
    Chained out{.written = samples.written()};
    for (auto block = samples.nextBlock(); !block.empty(); block = samples.nextBlock())
        out.bytes.insert(out.bytes.end(), block.begin(), block.end());
    EXPECT_EQ(std::int64_t(out.bytes.size()), samples.layout().byteCount());
    return out;
}

Bytes le16(std::initializer_list<int> values) {
    Bytes out;
    for (const int v : values)
        out.insert(out.end(), {std::uint8_t(v & 0xFF), std::uint8_t((v >> 8) & 0xFF)});
    return out;
}

// Each stage by its rule, on values at the edges of its rounding and its range. The chain works
// in its order: mono before normalize (the loudest sample is that of the mix), normalize before
// the depth.
TEST(SoundChain, StagesByTheirRules) {
    const struct {
        const char* name;
        Bytes data;
        test::WavOptions wav;
        SoundTarget target;
        Bytes expected;
    } rows[] = {
        {.name = "16 to 8 bits: / 256, halves away from zero, held to -128..127",
         .data = le16({0, 127, 128, 383, 384, -128, -129, -383, -384, 32767, -32768}),
         .wav = {.bits = 16},
         .target = {.bits = 8},
         .expected = {0x80, 0x80, 0x81, 0x81, 0x82, 0x7F, 0x7F, 0x7F, 0x7E, 0xFF, 0x00}},
        {.name = "8 to 16 bits: times 256",
         .data = {0x00, 0x80, 0xFF, 0x81},
         .wav = {.bits = 8},
         .target = {.bits = 16},
         .expected = le16({-32768, 0, 32512, 256})},
        {.name = "mono: (L + R) / 2, halves away from zero",
         .data = le16({1, 2, -1, -2, 3, -4, -3, 4, 32767, 32767, -32768, -32768, -32768, 32767}),
         .wav = {.channels = 2, .bits = 16},
         .target = {.mono = true},
         .expected = le16({2, -2, -1, 1, 32767, -32768, -1})},
        {.name = "mono at 8 bits, a dangling half frame dropped",
         .data = {0x00, 0x01, 0xFF, 0x80, 0x10},
         .wav = {.channels = 2, .bits = 8},
         .target = {.mono = true},
         .expected = {0x00, 0xC0}},
        {.name = "normalize: the loudest to 32767",
         .data = le16({1000, -500, 0, 1}),
         .wav = {.bits = 16},
         .target = {.normalize = true},
         .expected = le16({32767, -16384, 0, 33})},
        {.name = "normalize the mix, then 8 bits",
         .data = le16({1000, -1000, 400, 600, -250, -250}),
         .wav = {.channels = 2, .bits = 16},
         .target = {.mono = true, .bits = 8, .normalize = true},
         .expected = {0x80, 0xFF, 0x40}},
        {.name = "normalize at 8 bits: the loudest to 127",
         .data = {0x80, 0x70, 0x88},
         .wav = {.bits = 8},
         .target = {.normalize = true},
         .expected = {0x80, 0x01, 0xC0}},
        {.name = "silence stays silence",
         .data = le16({0, 0}),
         .wav = {.bits = 16},
         .target = {.bits = 8, .normalize = true},
         .expected = {0x80, 0x80}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(chain(r.data, r.wav, r.target).bytes, r.expected);
    }
}

// A tone well below the new Nyquist frequency keeps its frequency and its level; one above it
// is filtered out rather than folded back to (new rate - its frequency). The length is the
// input's in time.
TEST(SoundChain, ResamplingKeepsWhatFitsAndRemovesTheRest) {
    const struct {
        const char* name;
        int from;
        int to;
        double hz;
        int channels;
        bool kept;
    } rows[] = {
        {"44.1 kHz to 8 kHz, 1 kHz kept", 44100, 8000, 1000, 1, true},
        {"44.1 kHz to 8 kHz, 6 kHz removed", 44100, 8000, 6000, 1, false},
        {"44.1 kHz to 8 kHz, 4.5 kHz removed", 44100, 8000, 4500, 1, false},
        {"stereo 48 kHz to 22.05 kHz, 3 kHz kept", 48000, 22050, 3000, 2, true},
        {"8 kHz up to 22.05 kHz, 1.5 kHz kept", 8000, 22050, 1500, 1, true},
    };
    // A stated rate of 0 is refused before anything is read, not divided by.
    EXPECT_THROW(chain(le16({1, 2}), {.rate = 0, .bits = 16}, {.rate = 8000}), TesseraError);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const test::Tone tone = test::sineTone(r.hz, r.from, 0.5, r.channels);
        const Chained out = chain(
            test::toneBytes(tone),
            {.channels = std::uint16_t(r.channels), .rate = std::uint32_t(r.from), .bits = 16},
            {.rate = r.to});
        EXPECT_EQ(out.written.rate, r.to);
        EXPECT_EQ(out.written.frames, std::llround(double(tone.frames()) * r.to / r.from));
        std::vector<std::int32_t> first;  // the first channel, its sign flipped back
        for (std::size_t i = 0; 2 * i < out.bytes.size(); i += r.channels) {
            first.push_back(std::int16_t(out.bytes[2 * i] | out.bytes[2 * i + 1] << 8));
        }
        // Away from the ends, where the filter starts and stops.
        const std::vector<std::int32_t> middle(first.begin() + r.to / 50, first.end() - r.to / 50);
        if (r.kept) {
            EXPECT_NEAR(test::levelAt(middle, r.to, r.hz, 32767), 0.5, 0.005);
            int crossings = 0;
            for (std::size_t i = 1; i < middle.size(); ++i)
                crossings += (middle[i - 1] < 0) != (middle[i] < 0);
            EXPECT_NEAR(crossings, 2 * r.hz * double(middle.size()) / r.to, 2);
        } else {
            const auto loudest = std::max_element(middle.begin(), middle.end(), [](int a, int b) {
                return std::abs(a) < std::abs(b);
            });
            EXPECT_LT(std::abs(*loudest), 33);  // under 0.1 % of full scale
            EXPECT_LT(test::levelAt(middle, r.to, r.to - r.hz, 32767), 0.001);
        }
    }
}

// A level of 0.39 of an 8-bit step rounds to silence without dither; with it, the samples
// average to the level, from -1, 0 and 1 steps only.
TEST(SoundChain, TriangularDitherAveragesToTheLevelBelowOneStep) {
    const Bytes data = test::toneBytes({.samples = std::vector<std::int16_t>(20000, 100)});
    const Bytes plain = chain(data, {.bits = 16}, {.bits = 8}).bytes;
    EXPECT_EQ(plain, Bytes(20000, 0x80));
    const Bytes dithered = chain(data, {.bits = 16}, {.bits = 8, .dither = true}).bytes;
    double sum = 0;
    for (const std::uint8_t b : dithered) {
        ASSERT_LE(std::abs(b - 128), 1);
        sum += b - 128;
    }
    EXPECT_NEAR(sum / 20000, 100 / 256.0, 0.02);
    EXPECT_EQ(chain(data, {.bits = 16}, {.bits = 8, .dither = true}).bytes, dithered);
}

// A library opened by name on first use: a missing one, or a function it lacks, is said in the
// system's words, which a refusal of the sound passes on.
TEST(SharedLibrary, WhatCannotBeFoundIsSaid) {
    SharedLibrary missing("libtessera-missing.so.0");
    EXPECT_FALSE(missing.loaded());
    EXPECT_NE(missing.error().find("libtessera-missing.so.0"), std::string::npos);
    EXPECT_EQ(missing.function<decltype(&::sf_close)>("sf_close"), nullptr);
    SharedLibrary sndfile("libsndfile.so.1");
    ASSERT_TRUE(sndfile.loaded()) << sndfile.error();
    EXPECT_NE(sndfile.function<decltype(&::sf_close)>("sf_close"), nullptr);
    EXPECT_EQ(sndfile.function<decltype(&::sf_close)>("sf_no_such_function"), nullptr);
    EXPECT_NE(sndfile.error().find("sf_no_such_function"), std::string::npos);
}

}  // namespace
}  // namespace tessera
