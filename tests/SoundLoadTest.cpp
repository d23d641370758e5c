#include <gtest/gtest.h>

#include "app/Form1.h"
#include "support/Builders.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

using test::Bytes;
using test::ScriptedUi;
using test::TempDir;
using test::WavOptions;

constexpr const char* kRefused = "Can't open this kind of WAV file...";

struct SoundLoad : ::testing::Test {
    TempDir dir;
    ScriptedUi ui;
    Form1 form{ui};

    std::string wav(const std::string& name, const Bytes& data, const WavOptions& o = {}) {
        const auto path = dir.path(name);
        test::writeFile(path, test::buildWav(data, o));
        return path;
    }
    void load(const std::string& path) {
        ui.openWith(path);
        form.cmdWAVLoad.click();
    }
    bool soundConvertEnabled() const {
        return form.cmdWAVConvert.Enabled && form.cmdWAVConvertAdd.Enabled;
    }
    bool anyConvertEnabled() const {
        return form.cmdWAVConvert.Enabled || form.cmdWAVConvertAdd.Enabled ||
               form.cmdBMPConvert.Enabled || form.cmdBMPConvertAdd.Enabled || form.txtVar.Enabled;
    }
};

TEST_F(SoundLoad, DescribesTheSoundAndSwitchesToSoundMode) {
    // A picture first: its controls go when the sound comes.
    const auto bmp = dir.path("tiles.bmp");
    test::writeFile(bmp, test::buildBmp(test::Picture::pattern(4, 4, 8)));
    ui.openWith(bmp);
    form.cmdBMPLoad.click();
    ASSERT_TRUE(form.cmdBMPConvert.Enabled && form.chkPal.Enabled);

    const auto path = wav("drum.wav", Bytes(10, 0), {.channels = 2, .rate = 22050, .bits = 16});
    load(path);
    EXPECT_EQ(form.lblBMPName.Caption,
              "Sound Name : \r\ndrum.wav\r\n\r\n Freq   : 22kHz\r\n Mode   : Stereo\r\n"
              " Data   : 16 bits\r\n Length : 10\r\n");
    EXPECT_EQ(form.txtVar.Text(), "drum");
    EXPECT_EQ(form.state.strImgPath, path);
    EXPECT_EQ(form.state.strImgTitle, "drum.wav");
    EXPECT_EQ(form.state.lngSndDataOffset, 44);
    EXPECT_EQ(ui.dialogsShown.at(1)->DialogTitle, "Load WAV File");
    EXPECT_EQ(ui.dialogsShown.at(1)->Flags, 4096);
    EXPECT_TRUE(soundConvertEnabled() && form.txtVar.Enabled);
    for (const Control* c : std::initializer_list<const Control*>{
             &form.cmdBMPConvert, &form.cmdBMPConvertAdd, &form.Frame1, &form.chkPal,
             &form.chkOnlyPal, &form.Frame2, &form.optFill0, &form.optFill1}) {
        EXPECT_FALSE(c->Enabled) << c->name;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SoundLoad, FrequencyModeAndBitsLines) {
    struct Case {
        std::uint32_t rate;
        std::uint16_t channels, bits;
        std::int32_t kHz;
        const char* mode;
    };
    for (const Case& c : std::vector<Case>{{44100, 1, 8, 44, "Mono"},
                                           {22050, 2, 16, 22, "Stereo"},
                                           {11025, 4, 8, 11, "Mono"},
                                           {8000, 0, 16, 8, "Mono"},
                                           {999, 3, 24, 0, "Mono"}}) {
        load(
            wav("s.wav", Bytes(6, 0x80), {.channels = c.channels, .rate = c.rate, .bits = c.bits}));
        EXPECT_EQ(form.state.lngFreq, static_cast<std::int32_t>(c.rate));
        EXPECT_EQ(form.state.intChannels, c.channels);
        EXPECT_EQ(form.state.strSndMode, c.mode);
        EXPECT_EQ(form.state.intSndBits, c.bits);
        const std::string expected = " Freq   : " + std::to_string(c.kHz) +
                                     "kHz\r\n Mode   : " + c.mode +
                                     "\r\n Data   : " + std::to_string(c.bits) + " bits";
        EXPECT_NE(form.lblBMPName.Caption.find(expected), std::string::npos)
            << form.lblBMPName.Caption;
        EXPECT_TRUE(soundConvertEnabled()) << c.rate;  // 24 bits loads; the convert refuses it
    }
}

TEST_F(SoundLoad, NamesWhateverTheCaseAndShortTitles) {
    for (const auto& [title, proposed] : std::vector<std::pair<std::string, std::string>>{
             {"drum.Wav", "drum"}, {"BOOM.WAV", "BOOM"}, {"a.b.c.wav", "a.b.c"}, {"wav", ""}}) {
        form.txtVar.Text() = "previous";
        load(wav(title, Bytes(2, 0x80)));
        EXPECT_EQ(form.txtVar.Text(), proposed) << title;
        EXPECT_TRUE(soundConvertEnabled()) << title;
        EXPECT_TRUE(ui.messages.empty()) << title;
    }
}

TEST_F(SoundLoad, RefusedFilesLeaveNothingToConvert) {
    const Bytes data(4, 0x80);
    std::vector<std::string> refused{
        wav("float.wav", data, {.format = 3, .bits = 32}),
        wav("adpcm.wav", data, {.format = 2, .bits = 4}),
        wav("ext.wav", data, {.format = 0xFFFE, .bits = 16, .fmtSize = 40}),
        wav("drum.wave", data),  // a WAV inside, but not named so
    };
    refused.push_back(dir.path("text.wav"));
    test::writeText(refused.back(), "not a sound at all, just words");
    Bytes noData = test::buildWav(data);
    noData.resize(36);
    refused.push_back(dir.path("cut.wav"));
    test::writeFile(refused.back(), noData);

    for (const auto& path : refused) {
        load(wav("good.wav", data));
        ASSERT_TRUE(soundConvertEnabled());
        ui.messages.clear();
        form.txtVar.Text() = "good";
        load(path);
        ASSERT_EQ(ui.messages.size(), 1u) << path;
        EXPECT_EQ(ui.messages[0].text, kRefused);
        EXPECT_EQ(ui.messages[0].style, MsgStyle::OkOnly);
        EXPECT_FALSE(anyConvertEnabled()) << path;
        EXPECT_EQ(form.lblBMPName.Caption, "") << path;
        EXPECT_EQ(form.txtVar.Text(), "good") << path;
        EXPECT_EQ(form.state.strImgTitle, "good.wav") << path;
    }

    // A file that vanished between the dialog and the read fails with its reason.
    load(wav("good.wav", data));
    ui.messages.clear();
    load(dir.path("gone.wav"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Can't read this file :(", 0), 0u);
    EXPECT_FALSE(anyConvertEnabled());
}

TEST_F(SoundLoad, CancelChangesNothingButTheClearedLabel) {
    load(wav("tune.wav", Bytes(8, 0x80), {.rate = 11025}));
    ui.openAnswers.push_back(std::nullopt);
    form.cmdWAVLoad.click();
    EXPECT_EQ(form.lblBMPName.Caption, "");
    EXPECT_TRUE(soundConvertEnabled());
    EXPECT_FALSE(form.txtVar.Enabled);
    EXPECT_EQ(form.state.strImgTitle, "tune.wav");
    EXPECT_EQ(form.state.lngFreq, 11025);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tessera
