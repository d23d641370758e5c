#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "CliProcess.h"
#include "app/Form1.h"
#include "support/Builders.h"
#include "support/Files.h"
#include "support/ScriptedUi.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;
using WindowSteps = std::function<void(Form1&)>;

// What a person does in the window for the same result: load, set the controls by hand, name the
// array, convert. Returns the messages shown, questions left out.
std::vector<std::string> convertInWindow(const std::string& input, const std::string& output,
                                         const WindowSteps& setup, bool append = false,
                                         const test::ScriptedUi::RawAnswer& raw = {}) {
    test::ScriptedUi ui;
    ui.openWith(input);
    ui.saveAs(output);
    ui.rawAnswers.push_back(raw);
    Form1 form(ui);
    const bool sound = input.ends_with(".wav");
    (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
    setup(form);
    if (sound)
        (append ? form.cmdWAVConvertAdd : form.cmdWAVConvert).click();
    else
        (append ? form.cmdBMPConvertAdd : form.cmdBMPConvert).click();
    std::vector<std::string> shown;  // the questions left out: both are answered Yes
    for (const auto& m : ui.messages) {
        if (m.style != MsgStyle::YesNoQuestion && m.style != MsgStyle::YesNoExclamation)
            shown.push_back(m.text);
    }
    return shown;
}

WindowSteps controls(int pal, int onlyPal, int fill, const std::string& name) {
    return [=](Form1& f) {
        f.chkPal.setValue(pal);
        f.chkOnlyPal.setValue(onlyPal);
        (fill == 0 ? f.optFill0 : f.optFill1).select();
        f.txtVar.Text() = name;
    };
}

WindowSteps named(const std::string& name) {
    return [=](Form1& f) { f.txtVar.Text() = name; };
}

struct Inputs {
    test::TempDir dir;
    std::string bmp8 = dir.path("tiles.bmp"), bmp24 = dir.path("photo.bmp");
    std::string raw8 = dir.path("map.raw"), raw24 = dir.path("sky.RAW");
    std::string wav8 = dir.path("beep.wav"), wav16 = dir.path("music.wav");
    Inputs() {
        test::writeFile(bmp8, test::buildBmp(test::Picture::pattern(6, 5, 8)));
        test::writeFile(bmp24, test::buildBmp(test::Picture::pattern(3, 7, 24)));
        test::writeFile(raw8, test::buildRaw(test::Picture::pattern(6, 5, 8)));
        test::writeFile(raw24, test::buildRaw(test::Picture::pattern(5, 2, 24)));
        test::Bytes samples;
        for (int i = 0; i < 40; ++i)
            samples.push_back(static_cast<std::uint8_t>(i * 37));
        test::writeFile(wav8, test::buildWav(samples));
        test::WavOptions stereo16;
        stereo16.channels = 2;
        stereo16.bits = 16;
        test::writeFile(wav16, test::buildWav(samples, stereo16));
    }
};

test::ScriptedUi::RawAnswer rawOf(const char* w, const char* h, bool bits24) {
    test::ScriptedUi::RawAnswer a;
    a.width = w;
    a.height = h;
    a.bits24 = bits24;
    return a;
}

// Every option lands on its control: the command's file is the window's, byte for byte.
TEST(CliConvert, OptionsWriteWhatTheWindowWrites) {
    Inputs in;
    struct Case {
        std::string input;
        std::vector<std::string> options;
        std::string output;
        WindowSteps window;
        test::ScriptedUi::RawAnswer raw = {};
    } cases[] = {
        {in.bmp8, {}, "a.h", controls(1, 0, 1, "tiles")},
        {in.bmp8, {"--no-palette"}, "a.h", controls(0, 0, 1, "tiles")},
        {in.bmp8, {"--palette", "--fill", "0"}, "a.c", controls(1, 0, 0, "tiles")},
        {in.bmp8, {"--only-palette"}, "a.h", controls(1, 1, 1, "tiles")},
        {in.bmp8,
         {"--no-palette", "--only-palette", "--palette", "--fill=0"},
         "a.H",
         controls(1, 1, 0, "tiles")},
        {in.bmp8, {"-n", "sprite", "--no-palette"}, "a.gpg", controls(0, 0, 1, "sprite")},
        {in.bmp8, {"-nsprite"}, "sprite", controls(1, 0, 1, "sprite")},
        {in.bmp24, {}, "a.h", named("photo")},
        {in.bmp24, {"--fill", "0"}, "a.h", controls(1, 0, 0, "photo")},
        {in.raw8, {"--raw", "6x5"}, "a.h", named("map"), rawOf("6", "5", false)},
        {in.raw8,
         {"--raw=6x5x8", "--no-palette"},
         "a.gpg",
         controls(0, 0, 1, "map"),
         rawOf("6", "5", false)},
        {in.raw24,
         {"--raw", "5x2x24", "--fill", "0"},
         "a.c",
         controls(1, 0, 0, "sky"),
         rawOf("5", "2", true)},
        {in.wav8, {}, "a.h", named("beep")},
        {in.wav8, {"--name", "_x1"}, "a.sef", named("_x1")},
        // Picture options mean nothing to a sound.
        {in.wav16, {"--no-palette", "--fill", "0"}, "a.c", named("music")},
        {in.wav16, {}, "a.sef", named("music")},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string folder = in.dir.path("case" + std::to_string(++n));
        SCOPED_TRACE(folder + " " + c.output);
        fs::create_directories(folder + "/window");
        fs::create_directories(folder + "/cli");
        const auto shown =
            convertInWindow(c.input, folder + "/window/" + c.output, c.window, false, c.raw);
        ASSERT_EQ(shown, std::vector<std::string>{"Convertion done successfully :)"});

        std::vector<std::string> args = c.options;
        args.push_back(c.input);
        args.push_back(folder + "/cli/" + c.output);
        const auto run = test::runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(test::readFile(folder + "/cli/" + c.output),
                  test::readFile(folder + "/window/" + c.output));
    }
}

TEST(CliConvert, AppendAddsAsTheWindowDoes) {
    Inputs in;
    for (const std::string& input : {in.bmp8, in.wav16}) {
        SCOPED_TRACE(input);
        const std::string window = in.dir.path("window.h"), cli = in.dir.path("cli.h");
        test::writeText(window, "#define ALREADY 1");  // no line end: the first one ends it
        test::writeText(cli, "#define ALREADY 1");
        const std::string name = fs::path(input).stem().string();
        ASSERT_EQ(convertInWindow(input, window, named(name), true),
                  std::vector<std::string>{"Convertion done successfully :)"});
        const auto run = test::runCli({"-a", input, cli});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(test::readFile(cli), test::readFile(window));
        EXPECT_EQ(test::readText(cli).rfind("#define ALREADY 1\r\n\r\n\r\n", 0), 0u);
    }
}

TEST(CliConvert, VerboseSaysItIsDone) {
    Inputs in;
    const auto run = test::runCli({"--verbose", in.wav8, in.dir.path("beep.sef")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "tessera-cli: " + in.dir.path("beep.sef") + ": Convertion done successfully :)\n");
}

}  // namespace
}  // namespace tessera
