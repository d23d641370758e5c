#include <array>
#include <bit>
#include <filesystem>

#include "support/Window.h"

namespace tessera {
namespace {

using test::Bytes;
using Opt = test::WavOptions;
using Strings = std::vector<std::string>;

using Sound = test::WindowFixture;

// The text a sound gives, put together from its parts as a reader of the header sees them.
std::string soundText(const std::string& freqModeBits, const std::string& declaration,
                      const std::string& count, const std::string& body) {
    return test::WindowFixture::commentBlock("snd.wav", freqModeBits) + "#define snd_length      " +
           count + "\r\n\r\n" + declaration + " snd[" + count + "] = {\r\n" + body + "};\r\n";
}

TEST_F(Sound, LoadDescribesTheSoundOrRefusesIt) {
    loadWav(Bytes(10, 0), {.channels = 2, .rate = 22050, .bits = 16}, "drum.wav");
    EXPECT_EQ(form.lblBMPName.Caption,
              "Sound Name : \r\ndrum.wav\r\n\r\n Freq   : 22kHz\r\n Mode   : Stereo\r\n"
              " Data   : 16 bits\r\n Length : 10\r\n");
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load WAV File");
    // Whole kHz, any channel count but 2 is "Mono", any depth loads; odd names.
    struct Row {
        std::string name;
        Opt wav;
        std::string described;
        std::string proposedName;
    };
    const Row rows[] = {
        {.name = "BOOM.WAV",
         .wav = {.rate = 44100},
         .described = "44kHz\r\n Mode   : Mono\r\n Data   : 8",
         .proposedName = "BOOM"},
        {.name = "a.b.wav",
         .wav = {.channels = 4, .rate = 11025, .bits = 24},
         .described = "11kHz\r\n Mode   : Mono\r\n Data   : 24",
         .proposedName = "a.b"},
        {.name = "wav",
         .wav = {.channels = 0, .rate = 999, .bits = 16},
         .described = "0kHz\r\n Mode   : Mono\r\n Data   : 16",
         .proposedName = ""},
    };
    for (const Row& row : rows) {
        loadWav(Bytes(6, 0x80), row.wav, row.name);
        EXPECT_NE(form.lblBMPName.Caption.find(" Freq   : " + row.described), std::string::npos)
            << form.lblBMPName.Caption;
        EXPECT_EQ(form.txtVar.Text(), row.proposedName);
    }
    const std::string kind = "Can't open this kind of WAV file...";
    for (const auto& [name, format, says] :
         {std::tuple{"adpcm.wav", 2,
                     kind + "\r\nIts samples are coded as Microsoft ADPCM; integer "
                            "PCM and IEEE float samples are read (`sox IN.wav -e "
                            "signed-integer -b 16 OUT.wav` writes a 16-bit PCM "
                            "copy)."},
          {"drum.wave", 1, kind}}) {
        loadWav(Bytes(4, 0x80));  // not PCM; not named as a WAV file
        loadWav(Bytes(4, 0x80), {.format = std::uint16_t(format)}, name);
        EXPECT_EQ(ui.texts(), Strings(1, says));
        EXPECT_FALSE(form.cmdWAVConvert.Enabled || form.txtVar.Enabled) << name;
        EXPECT_EQ(form.txtVar.Text(), "snd") << name;
        ui.messages.clear();
    }
    ui.openWith(dir.path("gone.wav"));
    form.cmdWAVLoad.click();
    EXPECT_EQ(ui.texts().back().rfind("Can't read this file :(", 0), 0u);
    // A data size past the file's end is cut to what it holds; past 2 GB no .sef could count it.
    Bytes file = test::buildWav(Bytes(10, 0x80));
    test::putLe32(file, 40, 1000);
    loadFile("cut.wav", file, true);
    EXPECT_TRUE(form.lblBMPName.Caption.ends_with(" Length : 10\r\n"));
    test::putLe32(file, 40, 0xFFFFFFF0);
    std::filesystem::resize_file(loadFile("big.wav", file, true), 44 + (std::uintmax_t{1} << 31));
    ui.openWith(dir.path("big.wav"));  // now sparse and over 2 GB
    form.cmdWAVLoad.click();
    EXPECT_EQ(ui.texts().back(),
              "Can't open this kind of WAV file...\r\nIts sound data is over 2 "
              "GB, more than a .sef file can count.");
}

TEST_F(Sound, WorkedExamplesAsTextAndSef) {
    loadWav({0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, {.channels = 1, .rate = 22050, .bits = 16});
    EXPECT_EQ(convert("out.h"),
              soundText("// Freq = 22kHz\r\n// Mode = Mono\r\n// Data = 16 bits\r\n",
                        "const unsigned short", "3", "      0x8000, 0xFFFF, 0x000\r\n"));
    EXPECT_EQ(ui.texts(), Strings{"Convertion done successfully :)"});
    loadWav({0x01, 0x00, 0xFF, 0xFF, 0x01, 0x80}, {.bits = 16});
    EXPECT_NE(convert("out.h").find("      0x8001, 0x7FFF, 0x001\r\n};"), std::string::npos);
    loadWav({0x05, 0x80}, {.channels = 2, .rate = 8000, .bits = 8});
    EXPECT_EQ(convert("out.C"),
              soundText("// Freq = 8kHz\r\n// Mode = Stereo\r\n// Data = 8 bits\r\n",
                        "const unsigned char", "2", "      0x5, 0x80\r\n"));
    // .sef: the tag, the data length, the samples unsigned.
    struct Sef {
        Bytes samples;
        Opt wav;
        Bytes afterTag;
    };
    const Sef rows[] = {
        {.samples = {0x80, 0x7F, 0x81}, .wav = {}, .afterTag = {3, 0, 0, 0, 0x80, 0x7F, 0x81}},
        {.samples = {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80},
         .wav = {.bits = 16},
         .afterTag = {6, 0, 0, 0, 0, 0x80, 0xFF, 0xFF, 0, 0}},
        // An odd 16-bit length stays in the header while the half sample is dropped.
        {.samples = {1, 0, 2, 0, 3, 0xFF, 0x44},
         .wav = {.bits = 16},
         .afterTag = {7, 0, 0, 0, 1, 0x80, 2, 0x80, 3, 0x7F}},
        // Chunks around an 18-byte fmt are skipped, an odd one with its pad byte.
        {.samples = {1, 2, 3},
         .wav = {.fmtSize = 18,
                 .chunksBeforeFmt = {{{'J', 'U', 'N', 'K'}, Bytes(3, 0xEE)}},
                 .chunksBeforeData = {{{'L', 'I', 'S', 'T'}, Bytes(5, 0xDD)}}},
         .afterTag = {3, 0, 0, 0, 1, 2, 3}},
    };
    for (const Sef& row : rows) {
        loadWav(row.samples, row.wav);
        test::writeFile(dir.path("tune.sef"), Bytes(100, 0xAB));  // a longer old file goes whole
        EXPECT_EQ(convert("tune.sef"),
                  "sef " + std::string(row.afterTag.begin(), row.afterTag.end()));
    }
}

// Samples as the file stores them: little-endian, `size` bytes each.
template <typename T>
Bytes stored(const std::vector<T>& samples) {
    Bytes out;
    for (const T v : samples) {
        const auto bytes = std::bit_cast<std::array<std::uint8_t, sizeof(T)>>(v);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

// Deeper and float samples are written as the 16-bit samples they stand for: integers keep their
// top 16 bits, floats are clamped to [-1, 1], scaled by 32767 and rounded. The text and the .sef
// are those of the 16-bit twin, while the information shows the file's own depth.
TEST_F(Sound, DeeperAndFloatSamplesAsTheir16BitTwins) {
    const std::vector<std::int16_t> twin{0,     32767,  -32767, 16384, -16384,
                                         32767, -32767, 1234,   -1,    7};
    const std::vector<double> real{0.0, 1.0,  -1.0,           0.5,          -0.5,
                                   2.0, -3.0, 1234 / 32767.0, -1 / 32767.0, 7 / 32767.0};
    std::vector<std::int32_t> wide;  // the twin's samples with low bits that must go
    std::vector<float> single(real.begin(), real.end());
    Bytes packed24;
    for (const std::int16_t v : twin) {
        wide.push_back(v * 65536 + 0xBEEF);
        packed24.insert(packed24.end(), {0xAB, std::uint8_t(v), std::uint8_t(v >> 8)});
    }
    const struct {
        std::string name;
        Opt wav;
        Bytes data;
    } rows[] = {
        {"24 bits", {.bits = 24}, packed24},
        {"32 bits", {.bits = 32}, stored(wide)},
        {"float", {.format = 3, .bits = 32}, stored(single)},
        {"double", {.format = 3, .bits = 64}, stored(real)},
        {"extensible PCM", {.format = 0xFFFE, .bits = 16, .subFormat = 1}, stored(twin)},
        {"extensible float", {.format = 0xFFFE, .bits = 32, .subFormat = 3}, stored(single)},
    };
    loadWav(stored(twin), {.channels = 2, .bits = 16});
    const std::string text = convert("twin.h"), sef = convert("twin.sef");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Opt o = r.wav;
        o.channels = 2;
        loadWav(r.data, o);
        EXPECT_NE(form.lblBMPName.Caption.find(" Data   : " + std::to_string(o.bits) + " bits"),
                  std::string::npos);
        EXPECT_EQ(convert("kind.h"), text);
        EXPECT_EQ(convert("kind.sef"), sef);
    }
}

TEST_F(Sound, RefusalsWriteNothing) {
    loadWav(Bytes{0x11}, {.bits = 16});
    ui.messages.clear();
    for (const char* name : {"new.h", "new.sef"}) {
        convert(name);
        EXPECT_FALSE(std::filesystem::exists(dir.path(name))) << name;
    }
    EXPECT_EQ(ui.texts(), Strings(2, "This sound has no sample to convert :("));
    test::writeFile(dir.path("tune.sef"), {1, 2, 3});
    loadWav({1, 2});
    EXPECT_EQ(convert("tune.sef", true), "\1\2\3");
    EXPECT_EQ(ui.texts().back(), "Can't ADD with \".SEF\" Files :(");
}

TEST_F(Sound, SefProgressEvery2048SamplesAcrossReadBlocks) {
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
