#include "WindowFixture.h"

namespace tessera {
namespace {

using test::Bytes;

struct SoundLoad : test::WindowFixture {};

TEST_F(SoundLoad, DescribesTheSound) {
    const auto path = loadWav(Bytes(10, 0), {.channels = 2, .rate = 22050, .bits = 16}, "drum.wav");
    EXPECT_EQ(form.lblBMPName.Caption,
              "Sound Name : \r\ndrum.wav\r\n\r\n Freq   : 22kHz\r\n Mode   : Stereo\r\n"
              " Data   : 16 bits\r\n Length : 10\r\n");
    EXPECT_EQ(form.txtVar.Text(), "drum");
    EXPECT_EQ(form.state.strImgPath, path);
    EXPECT_EQ(ui.dialogsShown.at(0)->DialogTitle, "Load WAV File");
    // Whole kHz, any channel count but 2 is "Mono", any depth loads; odd names.
    for (const auto& [title, rate, channels, bits, caption, proposed] :
         std::vector<std::tuple<std::string, std::uint32_t, std::uint16_t, std::uint16_t,
                                std::string, std::string>>{
             {"BOOM.WAV", 44100, 1, 8, "44kHz\r\n Mode   : Mono\r\n Data   : 8 bits", "BOOM"},
             {"a.b.wav", 11025, 4, 24, "11kHz\r\n Mode   : Mono\r\n Data   : 24 bits", "a.b"},
             {"wav", 999, 0, 16, "0kHz\r\n Mode   : Mono\r\n Data   : 16 bits", ""}}) {
        loadWav(Bytes(6, 0x80), {.channels = channels, .rate = rate, .bits = bits}, title);
        EXPECT_NE(form.lblBMPName.Caption.find(" Freq   : " + caption), std::string::npos) << title;
        EXPECT_EQ(form.txtVar.Text(), proposed);
        EXPECT_TRUE(form.cmdWAVConvert.Enabled && form.cmdWAVConvertAdd.Enabled) << title;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SoundLoad, RefusedFilesLeaveNothingToConvert) {
    for (const auto& [name, format] : std::vector<std::pair<std::string, std::uint16_t>>{
             {"adpcm.wav", 2}, {"drum.wave", 1}}) {  // not PCM; not named as a WAV file
        loadWav(Bytes(4, 0x80));
        ui.messages.clear();
        loadWav(Bytes(4, 0x80), {.format = format}, name);
        EXPECT_EQ(ui.texts(), std::vector<std::string>{"Can't open this kind of WAV file..."});
        EXPECT_FALSE(form.cmdWAVConvert.Enabled || form.txtVar.Enabled) << name;
        EXPECT_EQ(form.txtVar.Text(), "snd") << name;
    }
    ui.openWith(dir.path("gone.wav"));
    form.cmdWAVLoad.click();
    EXPECT_EQ(ui.texts().back().rfind("Can't read this file :(", 0), 0u);
}

}  // namespace
}  // namespace tessera
