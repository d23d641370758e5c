#include <gtest/gtest.h>

#include <filesystem>

#include "app/Form1.h"
#include "export/CommentBlock.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::Bytes;
using test::ScriptedUi;
using test::TempDir;
using test::WavOptions;

constexpr const char* kDone = "Convertion done successfully :)";

// The text a sound gives, put together from its parts as a reader of the header sees them.
std::string soundText(const std::string& title, const std::string& freqModeBits,
                      const std::string& declaration, const std::string& count,
                      const std::string& body) {
    const std::string frame = "/////////////////////////////////////////\r\n";
    return frame + "//\r\n// Header file for GP32\r\n//\r\n// convertion of " + title +
           " file :\r\n" + freqModeBits + "//\r\n// with Tessera coded by Zorvane :\r\n//    " +
           kProjectPage + "\r\n//    " + kProjectContact + "\r\n//\r\n" + frame + "\r\n" +
           "#define snd_length      " + count + "\r\n\r\n" + declaration + " snd[" + count +
           "] = {\r\n" + body + "};\r\n";
}

struct SoundText : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

    void load(const Bytes& data, const WavOptions& o, const std::string& title = "snd.wav") {
        const auto path = dir.path(title);
        test::writeFile(path, test::buildWav(data, o));
        ui.openWith(path);
        form.cmdWAVLoad.click();
        ASSERT_TRUE(form.cmdWAVConvert.Enabled);
    }
    // Converts into a new header and returns its text.
    std::string convert(const std::string& name = "out.h") {
        ui.saveAs(dir.path(name));
        form.cmdWAVConvert.click();
        return test::readText(dir.path(name));
    }
    // The array's data lines of a 16-bit mono sound made of `samples`.
    std::string body16(const std::vector<std::int16_t>& samples) {
        Bytes data;
        for (const std::int16_t s : samples)
            test::appendLe16(data, static_cast<std::uint16_t>(s));
        load(data, {.bits = 16});
        const std::string text = convert();
        const auto start = text.find("] = {\r\n") + 7;
        return text.substr(start, text.size() - start - 4);
    }
};

TEST_F(SoundText, SixteenBitSamplesBecomeUnsigned) {
    Bytes data{0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80};
    load(data, {.channels = 1, .rate = 22050, .bits = 16});
    form.txtVar.Text() = "snd";
    EXPECT_EQ(convert(),
              soundText("snd.wav", "// Freq = 22kHz\r\n// Mode = Mono\r\n// Data = 16 bits\r\n",
                        "const unsigned short", "3", "      0x8000, 0xFFFF, 0x000\r\n"));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kDone});
    EXPECT_EQ(form.lblPercent.Width, 0);

    EXPECT_EQ(body16({1, -1, -32767, 0x1234, -0x1234}),
              "      0x8001, 0x7FFF, 0x001, 0x9234, 0x6DCC\r\n");
}

TEST_F(SoundText, EightBitSamplesAsTheyAre) {
    load({0x05, 0x80, 0x00, 0xFF}, {.channels = 2, .rate = 8000, .bits = 8});
    form.txtVar.Text() = "snd";
    EXPECT_EQ(convert("out.C"),
              soundText("snd.wav", "// Freq = 8kHz\r\n// Mode = Stereo\r\n// Data = 8 bits\r\n",
                        "const unsigned char", "4", "      0x5, 0x80, 0x0, 0xFF\r\n"));
}

TEST_F(SoundText, LinesOfSixteenOddLengthsAndStereoOrder) {
    Bytes data(17);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(0xA0 + i);
    const std::string sixteen =
        "      0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, "
        "0xAD, 0xAE, 0xAF";
    load(data, {.bits = 8});
    EXPECT_NE(convert().find("snd[17] = {\r\n" + sixteen + ", \r\n      0xB0\r\n};\r\n"),
              std::string::npos);
    data.pop_back();
    load(data, {.bits = 8});
    EXPECT_NE(convert().find("snd[16] = {\r\n" + sixteen + "\r\n      \r\n};\r\n"),
              std::string::npos);

    // 7 bytes of 16-bit data: 3 samples, the lone seventh byte is dropped.
    load({0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x7F}, {.bits = 16});
    EXPECT_NE(convert().find("snd_length      3\r\n\r\nconst unsigned short snd[3] = {\r\n"
                             "      0x8001, 0x8002, 0x8003\r\n};\r\n"),
              std::string::npos);
    // Stereo stays interleaved: left, right, left, right.
    load({0x11, 0x00, 0x22, 0x00, 0x33, 0x00, 0x44, 0x00}, {.channels = 2, .bits = 16});
    EXPECT_NE(convert().find("snd[4] = {\r\n      0x8011, 0x8022, 0x8033, 0x8044\r\n"),
              std::string::npos);
}

TEST_F(SoundText, ProgressEvery512Or2048Elements) {
    load(Bytes(1100, 0x80), {.bits = 8});
    convert();
    EXPECT_EQ(ui.progress, (std::vector<double>{512.0 / 1100 * 2415, 1024.0 / 1100 * 2415, 0}));
    ui.progress.clear();
    load(Bytes(2 * 4100, 0), {.bits = 16});
    convert();
    EXPECT_EQ(ui.progress, (std::vector<double>{2048.0 / 4100 * 2415, 4096.0 / 4100 * 2415, 0}));
}

TEST_F(SoundText, SoundsWithoutWritableSamplesAreRefusedAndNothingIsWritten) {
    const std::vector<std::tuple<Bytes, WavOptions, std::string>> cases{
        {Bytes(6, 0x11), {.bits = 24}, "Only 8 and 16 bits sounds can be converted :("},
        {Bytes(8, 0x11), {.bits = 32}, "Only 8 and 16 bits sounds can be converted :("},
        {Bytes{}, {.bits = 8}, "This sound has no sample to convert :("},
        {Bytes{0x11}, {.bits = 16}, "This sound has no sample to convert :("},
    };
    const auto kept = dir.path("kept.h");
    for (const auto& [data, options, message] : cases) {
        load(data, options);
        ui.messages.clear();
        EXPECT_FALSE(std::filesystem::exists(dir.path("new.h")));
        ui.saveAs(dir.path("new.h"));
        form.cmdWAVConvert.click();
        EXPECT_FALSE(std::filesystem::exists(dir.path("new.h")));

        test::writeText(kept, "int keep;\r\n");
        ui.saveAs(kept);
        form.cmdWAVConvertAdd.click();
        ui.saveAs(dir.path("new.sef"));
        form.cmdWAVConvert.click();
        EXPECT_EQ(test::readText(kept), "int keep;\r\n");
        EXPECT_FALSE(std::filesystem::exists(dir.path("new.sef")));
        // Every road ends in the refusal, never in the success message.
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{message,
                                                        "Do you want to ADD data to this file :\r\n"
                                                        "kept.h  ?!?",
                                                        message, message}));
    }
    // No temporary file was left behind either.
    for (const auto& entry : std::filesystem::directory_iterator(dir.dir())) {
        const auto name = entry.path().filename().string();
        EXPECT_TRUE(name == "snd.wav" || name == "kept.h") << name;
    }
}

TEST_F(SoundText, AddingASoundAfterAPictureKeepsThePicture) {
    // A picture header as an earlier conversion left it; its last line has no line end.
    const std::string picture =
        "#define tiles_width      2\r\n#define tiles_height      2\r\n\r\n"
        "const unsigned char tiles[4] = {\r\n      0x1, 0x2, 0x3, 0x4\r\n};";
    load({0x00, 0x80, 0x7F}, {.rate = 11025, .bits = 8}, "tune.wav");
    const std::string alone = convert("alone.h");
    const auto path = dir.path("game.h");
    test::writeText(path, picture);
    ui.saveAs(path);
    form.cmdWAVConvertAdd.click();
    EXPECT_EQ(test::readText(path), picture + "\r\n\r\n\r\n" + alone);
    EXPECT_NE(alone.find("const unsigned char tune[3] = {\r\n      0x0, 0x80, 0x7F\r\n};"),
              std::string::npos);
    EXPECT_EQ(ui.proposedNames.back(), "tune");
}

}  // namespace
}  // namespace tessera
