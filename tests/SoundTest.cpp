// SPDX-License-Identifier: GPL-3.0-or-later
#include <sndfile.h>

#include <cmath>
#include <filesystem>

#include "app/SoundPlayback.h"
#include "support/SoundBuilder.h"
#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;

using Sound = test::WindowFixture;

TEST_F(Sound, LoadDescribesTheSoundOrRefusesIt) {
    loadWav(Bytes(10, 0), {.channels = 2, .rate = 22050, .bits = 16}, "drum.wav");
    EXPECT_EQ(form.lblBMPName.Caption,
              "Sound Name : \r\ndrum.wav\r\n\r\n Freq   : 22kHz\r\n Mode   : Stereo\r\n"
              " Data   : 16 bits\r\n Length : 10\r\n");
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load WAV File");
    loadWav(Bytes(4, 0x80), {.rate = 4294967295u}, "fast.wav");  // read unsigned
    EXPECT_NE(form.lblBMPName.Caption.find(" Freq   : 4294967kHz"), std::string::npos);
    loadWav(Bytes(4, 0x80), {.format = 2}, "adpcm.wav");  // its words: the hostile inputs
    EXPECT_FALSE(form.cmdWAVConvert.Enabled || form.txtVar.Enabled);
    // A data size past 2 GB is more than a .sef can count.
    Bytes file = test::buildWav(Bytes(10, 0x80));
    test::putLe32(file, 40, 0xFFFFFFF0);
    std::filesystem::resize_file(loadFile("big.wav", file, true), 44 + (std::uintmax_t{1} << 31));
    ui.openWith(dir.path("big.wav"));  // now sparse and over 2 GB
    form.cmdWAVLoad.click();
    EXPECT_EQ(ui.texts().back(),
              "Can't open this kind of WAV file...\r\nIts sound data is over 2 "
              "GB, more than a .sef file can count.");
}

TEST_F(Sound, WorkedExamplesAsTextAndSef) {
    loadWav({0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, {.bits = 16});
    EXPECT_EQ(convert("out.h"),
              test::WindowFixture::commentBlock(
                  "snd.wav", "// Freq = 22kHz\r\n// Mode = Mono\r\n// Data = 16 bits\r\n") +
                  "#define snd_length      3\r\n\r\nconst unsigned short snd[3] = {\r\n      "
                  "0x8000, 0xFFFF, 0x000\r\n};\r\n");
    // .sef: the tag, the length of what follows, the samples unsigned. A half sample at the end
    // of 16-bit data is dropped, and not counted: a player reads as many bytes as it says.
    loadWav({0x80, 0x7F, 0x81});
    convert("tune.sef");
    EXPECT_EQ(test::readFile(dir.path("tune.sef")),
              (Bytes{'s', 'e', 'f', ' ', 3, 0, 0, 0, 0x80, 0x7F, 0x81}));
    loadWav({1, 0, 2, 0, 3, 0xFF, 0x44}, {.bits = 16});
    convert("tune.sef");
    EXPECT_EQ(test::readFile(dir.path("tune.sef")),
              (Bytes{'s', 'e', 'f', ' ', 6, 0, 0, 0, 1, 0x80, 2, 0x80, 3, 0x7F}));
    loadWav(Bytes{0x11}, {.bits = 16});  // no whole sample: nothing is written
    EXPECT_EQ(convert("new.sef"), "");
    EXPECT_EQ(ui.texts().back(), "This sound has no sample to convert :(");
}

// Samples as the file stores them: little-endian, as this machine keeps them.
template <typename T>
Bytes stored(const std::vector<T>& samples) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(samples.data());
    return Bytes(bytes, bytes + samples.size() * sizeof(T));
}

// Deeper and float samples are written as the 16-bit samples they stand for: integers keep their
// top 16 bits, floats are clamped to [-1, 1], scaled by 32767 and rounded. The text and the .sef
// are those of the 16-bit twin, while the information shows the file's own depth.
TEST_F(Sound, DeeperAndFloatSamplesAsTheir16BitTwins) {
    const std::vector<std::int16_t> twin{0, 32767, -32767, 16384, -16384, 32767, -32767, 1234};
    const std::vector<double> real{0.0, 1.0, -1.0, 0.5, -0.5, 2.0, -3.0, 1234 / 32767.0};
    std::vector<float> single(real.begin(), real.end());
    Bytes packed24;
    for (const std::int16_t v : twin)  // with a low byte that must go
        packed24.insert(packed24.end(), {0xAB, std::uint8_t(v), std::uint8_t(v >> 8)});
    const struct {
        std::string name;
        test::WavOptions wav;
        Bytes data;
    } rows[] = {
        {"24 bits", {.bits = 24}, packed24},
        {"float", {.format = 3, .bits = 32}, stored(single)},
        {"double", {.format = 3, .bits = 64}, stored(real)},
        {"extensible float", {.format = 0xFFFE, .bits = 32, .subFormat = 3}, stored(single)},
    };
    loadWav(stored(twin), {.bits = 16});
    const std::string text = convert("twin.h"), sef = convert("twin.sef");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        loadWav(r.data, r.wav);
        EXPECT_NE(form.lblBMPName.Caption.find(" Data   : " + std::to_string(r.wav.bits) + " bits"),
                  std::string::npos);
        EXPECT_EQ(convert("kind.h"), text);
        EXPECT_EQ(convert("kind.sef"), sef);
    }
}

// Written in large pieces, every sample is still flipped and the bar still reaches its end.
TEST_F(Sound, LongSefAcrossReadBlocksAndItsProgress) {
    const Bytes data = test::buildRaw(test::Picture::pattern(70000, 2, 8));
    loadWav(data, {.bits = 16});
    const std::string sef = convert("tune.sef");
    ASSERT_EQ(sef.size(), 8 + data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        ASSERT_EQ(std::uint8_t(sef[8 + i]), i % 2 ? data[i] ^ 0x80 : data[i]) << i;
    ASSERT_EQ(ui.progress.size(), 70000u / 2048 + 1);
    EXPECT_EQ(ui.progress[33], 2048.0 * 34 / 70000 * 2415);
}

}  // namespace
}  // namespace tessera

namespace tessera {
namespace {

// The RMS of the difference between two sounds after the best shift of `b` by up to `most`
// samples (lossy coders delay the sound by their frame), as a fraction of full scale.
double rmsApart(const std::vector<std::int32_t>& a, const std::vector<std::int32_t>& b, int most) {
    double best = 1e9;
    for (int shift = 0; shift <= most; ++shift) {
        double sum = 0;
        std::size_t n = 0;
        for (std::size_t i = 0; i + shift < b.size() && i < a.size(); ++i, ++n)
            sum += std::pow(double(a[i]) - b[i + shift], 2);
        best = std::min(best, std::sqrt(sum / double(n)) / 32768);
    }
    return best;
}

// Every container gives its WAV twin's samples: lossless ones exactly, with or without a target
// (the chain is the same after the decoder); Ogg Vorbis and MP3 within 2 % of full scale (RMS of
// the difference, after the coder's delay in whole samples), Opus within 8 % (it delays by a
// fraction of a sample more, worth 6 % on this loud tone); the tone at its level within 1 %. The
// name does not matter: a FLAC file named .wav is read as FLAC.
TEST_F(Sound, EachContainerGivesTheSamplesOfItsWavTwin) {
    const test::Tone tone = test::sineTone(440, 16000, 0.5, 2, 0.9);  // loud: every bit counts
    const SoundTarget small{.rate = 8000, .mono = true, .bits = 8};
    const struct {
        std::string file;
        int format;
        int bits = 16;
        double tolerance = 0;  // lossless when 0
    } rows[] = {
        {"t.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"flac.wav", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"t8.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_S8, 8},
        {"t.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {"t.aifc", SF_FORMAT_AIFF | SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE},  // AIFF-C "sowt"
        {"t.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_16},
        {"t.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 16, 0.02},
        {"t.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 16, 0.08},
        {"t.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 16, 0.02},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        form.soundTarget = {};
        loadWav(test::toneBytes(tone, r.bits),
                {.channels = 2, .rate = 16000, .bits = std::uint16_t(r.bits)});
        const std::string twin = convert("twin.sef");
        form.soundTarget = small;
        const std::string twinSmall = convert("twin-small.sef");
        form.soundTarget = {};
        loadFile(r.file, test::buildSound(tone, r.format), true);
        ASSERT_TRUE(form.cmdWAVConvert.Enabled) << ui.texts().back();
        const std::string sef = convert("kind.sef");
        if (r.tolerance == 0) {
            EXPECT_EQ(sef, twin);
            form.soundTarget = small;
            EXPECT_EQ(convert("kind-small.sef"), twinSmall);
            continue;
        }
        ASSERT_EQ(sef.substr(0, 8), twin.substr(0, 8));  // the same length
        const auto samples = test::signedSamples(test::Bytes(sef.begin() + 8, sef.end()), 16);
        const auto expected = test::signedSamples(test::Bytes(twin.begin() + 8, twin.end()), 16);
        std::vector<std::int32_t> left;
        for (std::size_t i = 0; i < samples.size(); i += 2)
            left.push_back(samples[i]);
        EXPECT_NEAR(test::levelAt(left, 16000, 440, 32767), 0.9, 0.01);
        EXPECT_LT(rmsApart(expected, samples, 2000), r.tolerance);
    }
}

}  // namespace
}  // namespace tessera

namespace tessera {
namespace {

// "Play as on the GP32" plays the samples the .sef file holds, at the rate and channels written
// (16-bit ones before the sign flip the player gets them with); nothing before a load.
TEST_F(Sound, PlayedSamplesAreThoseOfTheSef) {
    EXPECT_THROW(SoundAsPlayed(form, {}), TesseraError);
    const test::Tone tone = test::sineTone(1000, 22050, 0.2, 2);
    loadWav(test::toneBytes(tone), {.channels = 2, .rate = 22050, .bits = 16});
    const SoundTarget rows[] = {{}, {.rate = 11025, .mono = true, .bits = 8}, {.rate = 8000}};
    for (const SoundTarget& target : rows) {
        SCOPED_TRACE(target.rate);
        form.soundTarget = target;
        const test::Bytes sef = test::readFile(dir.path((convert("p.sef"), "p.sef")));
        SoundAsPlayed played(form, target);
        EXPECT_EQ(played.rate(), target.rate == 0 ? 22050 : target.rate);
        EXPECT_EQ(played.channels(), target.mono ? 1 : 2);
        test::Bytes bytes(std::size_t(played.byteCount()) + 10);
        bytes.resize(played.read(bytes));
        for (std::size_t i = 1; played.bits() == 16 && i < bytes.size(); i += 2)
            bytes[i] ^= 0x80;
        EXPECT_EQ(bytes, test::Bytes(sef.begin() + 8, sef.end()));
    }
}

}  // namespace
}  // namespace tessera
