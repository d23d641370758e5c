#include <filesystem>

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
    // .sef: the tag, the data length, the samples unsigned. An odd 16-bit length stays in the
    // header while the half sample is dropped.
    loadWav({0x80, 0x7F, 0x81});
    convert("tune.sef");
    EXPECT_EQ(test::readFile(dir.path("tune.sef")),
              (Bytes{'s', 'e', 'f', ' ', 3, 0, 0, 0, 0x80, 0x7F, 0x81}));
    loadWav({1, 0, 2, 0, 3, 0xFF, 0x44}, {.bits = 16});
    convert("tune.sef");
    EXPECT_EQ(test::readFile(dir.path("tune.sef")),
              (Bytes{'s', 'e', 'f', ' ', 7, 0, 0, 0, 1, 0x80, 2, 0x80, 3, 0x7F}));
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
