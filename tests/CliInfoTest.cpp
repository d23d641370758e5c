#include <gtest/gtest.h>

#include "CliProcess.h"
#include "app/Form1.h"
#include "app/VbText.h"
#include "support/Builders.h"
#include "support/Files.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

// The description the window shows after loading `path`, as --info should print it: LF line
// ends, one at the end.
std::string windowInfo(const std::string& path, bool sound,
                       const test::ScriptedUi::RawAnswer& raw = {}) {
    test::ScriptedUi ui;
    ui.openWith(path);
    ui.rawAnswers.push_back(raw);
    Form1 form(ui);
    (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
    EXPECT_TRUE(ui.messages.empty());
    std::string text;
    for (const char c : form.lblBMPName.Caption) {
        if (c != '\r')
            text += c;
    }
    while (text.ends_with('\n'))
        text.pop_back();
    return text + "\n";
}

TEST(CliInfo, PrintsTheDescriptionTheWindowShows) {
    test::TempDir dir;
    const std::string bmp8 = dir.path("tiles.bmp"), bmp24 = dir.path("Photo.BMP");
    const std::string raw = dir.path("sky.raw");
    const std::string wav8 = dir.path("beep.wav"), wav16 = dir.path("Music.WAV");
    test::writeFile(wav8, test::buildWav(test::Bytes{1, 2, 3, 4, 5}));
    test::WavOptions stereo;
    stereo.channels = 2;
    stereo.bits = 16;
    stereo.rate = 44100;
    test::writeFile(wav16, test::buildWav(test::Bytes(16, 7), stereo));
    test::writeFile(bmp8, test::buildBmp(test::Picture::pattern(7, 5, 8)));
    test::writeFile(bmp24, test::buildBmp(test::Picture::pattern(3, 9, 24)));
    test::writeFile(raw, test::buildRaw(test::Picture::pattern(6, 2, 24)));
    test::ScriptedUi::RawAnswer raw24;
    raw24.width = "6";
    raw24.height = "2";
    raw24.bits24 = true;

    struct Case {
        std::vector<std::string> args;
        std::string expected;
    } cases[] = {
        {{"--info", bmp8}, windowInfo(bmp8, false)},
        {{"--info", bmp24}, windowInfo(bmp24, false)},
        {{"--info", "--raw", "6x2x24", raw}, windowInfo(raw, false, raw24)},
        // Without --raw the dialog's own defaults are taken.
        {{"--info", raw}, windowInfo(raw, false)},
        // Picture options do not change what a sound says.
        {{"--info", wav8}, windowInfo(wav8, true)},
        {{"--info", "--raw", "2x2", "--fill=0", wav16}, windowInfo(wav16, true)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        const auto run = test::runCli(c.args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, c.expected);
        EXPECT_EQ(run.out.find('\r'), std::string::npos);
        EXPECT_EQ(run.out.back(), '\n');
        EXPECT_NE(run.out[run.out.size() - 2], '\n');  // one final line end, no more
        EXPECT_NE(run.out.find(fileTitleOf(c.args.back())), std::string::npos);
    }
    // --raw reaches the dialog: the size and depth typed are the picture's.
    EXPECT_NE(cases[2].expected.find(" Width  : 6\n Height : 2\n BPP    : 24\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tessera
