#include <filesystem>

#include "WindowFixture.h"
#include "export/CommentBlock.h"

namespace tessera {
namespace {

using test::Bytes;

// The text a sound gives, put together from its parts as a reader of the header sees them.
std::string soundText(const std::string& freqModeBits, const std::string& declaration,
                      const std::string& count, const std::string& body) {
    const std::string frame = "/////////////////////////////////////////\r\n";
    return frame + "//\r\n// Header file for GP32\r\n//\r\n// convertion of snd.wav file :\r\n" +
           freqModeBits + "//\r\n// with Tessera coded by Zorvane :\r\n//    " + kProjectPage +
           "\r\n//    " + kProjectContact + "\r\n//\r\n" + frame + "\r\n#define snd_length      " +
           count + "\r\n\r\n" + declaration + " snd[" + count + "] = {\r\n" + body + "};\r\n";
}

struct SoundText : test::WindowFixture {
    std::string text(const std::string& name = "out.h") {
        const Bytes b = convertSound(name);
        return {b.begin(), b.end()};
    }
};

TEST_F(SoundText, WorkedExamples) {
    loadWav({0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, {.channels = 1, .rate = 22050, .bits = 16});
    EXPECT_EQ(text(), soundText("// Freq = 22kHz\r\n// Mode = Mono\r\n// Data = 16 bits\r\n",
                                "const unsigned short", "3", "      0x8000, 0xFFFF, 0x000\r\n"));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Convertion done successfully :)"});
    EXPECT_EQ(form.lblPercent.Width, 0);
    loadWav({0x01, 0x00, 0xFF, 0xFF, 0x01, 0x80}, {.bits = 16});
    EXPECT_NE(text().find("      0x8001, 0x7FFF, 0x001\r\n};"), std::string::npos);
    loadWav({0x05, 0x80}, {.channels = 2, .rate = 8000, .bits = 8});
    EXPECT_EQ(text("out.C"), soundText("// Freq = 8kHz\r\n// Mode = Stereo\r\n// Data = 8 bits\r\n",
                                       "const unsigned char", "2", "      0x5, 0x80\r\n"));
}

TEST_F(SoundText, SoundsWithoutWritableSamplesAreRefusedAndNothingIsWritten) {
    for (const auto& [data, bits, message] : std::vector<std::tuple<Bytes, int, std::string>>{
             {Bytes(6, 0x11), 24, "Only 8 and 16 bits sounds can be converted :("},
             {Bytes{0x11}, 16, "This sound has no sample to convert :("}}) {
        loadWav(data, {.bits = static_cast<std::uint16_t>(bits)});
        ui.messages.clear();
        for (const char* name : {"new.h", "new.sef"}) {
            ui.saveAs(dir.path(name));
            form.cmdWAVConvert.click();
            EXPECT_FALSE(std::filesystem::exists(dir.path(name))) << name;
        }
        EXPECT_EQ(ui.texts(), std::vector<std::string>(2, message));
    }
}

}  // namespace
}  // namespace tessera
