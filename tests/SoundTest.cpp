#include <filesystem>

#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Bytes;
using Opt = test::WavOptions;
using Strings = std::vector<std::string>;
const std::string kDone = "Convertion done successfully :)";

struct Sound : test::WindowFixture {};

// The text a sound gives, put together from its parts as a reader of the header sees them.
std::string soundText(const std::string& freqModeBits, const std::string& declaration,
                      const std::string& count, const std::string& body) {
    return test::WindowFixture::commentBlock("snd.wav", freqModeBits) + "#define snd_length      " +
           count + "\r\n\r\n" + declaration + " snd[" + count + "] = {\r\n" + body + "};\r\n";
}

TEST_F(Sound, LoadDescribesTheSoundOrRefusesIt) {
    const auto path = loadWav(Bytes(10, 0), {.channels = 2, .rate = 22050, .bits = 16}, "drum.wav");
    EXPECT_EQ(form.lblBMPName.Caption,
              "Sound Name : \r\ndrum.wav\r\n\r\n Freq   : 22kHz\r\n Mode   : Stereo\r\n"
              " Data   : 16 bits\r\n Length : 10\r\n");
    EXPECT_EQ(form.state.strImgPath, path);
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load WAV File");
    // Whole kHz, any channel count but 2 is "Mono", any depth loads; odd names.
    using Row = std::tuple<const char*, Opt, const char*, const char*, const char*>;
    for (const auto& [name, o, khz, bits, proposed] :  // proposed: the array name offered
         {Row{"BOOM.WAV", {.rate = 44100}, "44", "8", "BOOM"},
          Row{"a.b.wav", {.channels = 4, .rate = 11025, .bits = 24}, "11", "24", "a.b"},
          Row{"wav", {.channels = 0, .rate = 999, .bits = 16}, "0", "16", ""}}) {
        loadWav(Bytes(6, 0x80), o, name);
        EXPECT_NE(form.lblBMPName.Caption.find(std::string(" Freq   : ") + khz +
                                               "kHz\r\n Mode   : Mono\r\n Data   : " + bits),
                  std::string::npos);
        EXPECT_EQ(form.txtVar.Text(), proposed);
        EXPECT_TRUE(form.cmdWAVConvert.Enabled && form.cmdWAVConvertAdd.Enabled) << name;
    }
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& [name, format] : {std::pair{"adpcm.wav", 2}, {"drum.wave", 1}}) {
        loadWav(Bytes(4, 0x80));  // not PCM; not named as a WAV file
        loadWav(Bytes(4, 0x80), {.format = std::uint16_t(format)}, name);
        EXPECT_EQ(ui.texts(), Strings(1, "Can't open this kind of WAV file..."));
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
    auto text = [&](const char* name = "out.h") {
        const Bytes b = convertSound(name);
        return std::string(b.begin(), b.end());
    };
    loadWav({0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, {.channels = 1, .rate = 22050, .bits = 16});
    EXPECT_EQ(text(), soundText("// Freq = 22kHz\r\n// Mode = Mono\r\n// Data = 16 bits\r\n",
                                "const unsigned short", "3", "      0x8000, 0xFFFF, 0x000\r\n"));
    EXPECT_EQ(ui.texts(), Strings{kDone});
    EXPECT_EQ(form.lblPercent.Width, 0);
    loadWav({0x01, 0x00, 0xFF, 0xFF, 0x01, 0x80}, {.bits = 16});
    EXPECT_NE(text().find("      0x8001, 0x7FFF, 0x001\r\n};"), std::string::npos);
    loadWav({0x05, 0x80}, {.channels = 2, .rate = 8000, .bits = 8});
    EXPECT_EQ(text("out.C"), soundText("// Freq = 8kHz\r\n// Mode = Stereo\r\n// Data = 8 bits\r\n",
                                       "const unsigned char", "2", "      0x5, 0x80\r\n"));
    // .sef: the tag, the data length, the samples unsigned.
    const Opt w16{.bits = 16};
    using Sef = std::tuple<Bytes, Opt, Bytes>;  // samples, wav, what follows the tag
    for (const auto& [data, o, after] :
         {Sef{{0x80, 0x7F, 0x81}, {}, {3, 0, 0, 0, 0x80, 0x7F, 0x81}},
          Sef{{0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, w16, {6, 0, 0, 0, 0, 0x80, 0xFF, 0xFF, 0, 0}},
          // An odd 16-bit length stays in the header while the half sample is dropped.
          Sef{{1, 0, 2, 0, 3, 0xFF, 0x44}, w16, {7, 0, 0, 0, 1, 0x80, 2, 0x80, 3, 0x7F}},
          Sef{{1, 1, 2, 2}, {.channels = 2, .bits = 16}, {4, 0, 0, 0, 1, 0x81, 2, 0x82}},
          // Chunks around an 18-byte fmt are skipped, an odd one with its pad byte.
          Sef{{1, 2, 3},
              {.fmtSize = 18,
              .chunksBeforeFmt = {{{'J', 'U', 'N', 'K'}, Bytes(3, 0xEE)}},
              .chunksBeforeData = {{{'L', 'I', 'S', 'T'}, Bytes(5, 0xDD)}}},
              {3, 0, 0, 0, 1, 2, 3}}}) {
        loadWav(data, o);
        test::writeFile(dir.path("tune.sef"), Bytes(100, 0xAB));  // a longer old file goes whole
        const Bytes sef = convertSound("tune.sef");
        EXPECT_EQ(std::string(sef.begin(), sef.end()),
                  "sef " + std::string(after.begin(), after.end()));
        EXPECT_EQ(ui.texts().back(), kDone);
    }
}

TEST_F(Sound, RefusalsWriteNothing) {
    using Row = std::tuple<Bytes, std::uint16_t, std::string>;
    for (const auto& [data, bits, message] :
         {Row{Bytes(6, 0x11), 24, "Only 8 and 16 bits sounds can be converted :("},
          Row{Bytes{0x11}, 16, "This sound has no sample to convert :("}}) {
        loadWav(data, {.bits = bits});
        ui.messages.clear();
        for (const char* name : {"new.h", "new.sef"}) {
            ui.saveAs(dir.path(name));
            form.cmdWAVConvert.click();
            EXPECT_FALSE(std::filesystem::exists(dir.path(name))) << name;
        }
        EXPECT_EQ(ui.texts(), Strings(2, message));
    }
    test::writeFile(dir.path("tune.sef"), {1, 2, 3});
    loadWav({1, 2});
    ui.saveAs(dir.path("tune.sef"));
    form.cmdWAVConvertAdd.click();
    EXPECT_EQ(ui.texts().back(), "Can't ADD with \".SEF\" Files :(");
    EXPECT_EQ(test::readFile(dir.path("tune.sef")), (Bytes{1, 2, 3}));
}

TEST_F(Sound, SefProgressEvery2048SamplesAcrossReadBlocks) {
    Bytes data(2 * 70000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    loadWav(data, {.bits = 16});
    const Bytes sef = convertSound("tune.sef");
    ASSERT_EQ(sef.size(), 8 + data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        ASSERT_EQ(sef[8 + i], i % 2 ? data[i] ^ 0x80 : data[i]) << i;
    ASSERT_EQ(ui.progress.size(), 70000u / 2048 + 1);
    EXPECT_EQ(ui.progress[33], 2048.0 * 34 / 70000 * 2415);
}

}  // namespace
}  // namespace tessera
