#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/VbText.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera {
namespace {

using test::Picture;
using Raw = test::ScriptedUi::RawAnswer;

// Pictures of each kind and depth and two sounds, in a fresh folder.
struct Inputs : test::TempDir {
    Inputs() {
        test::Bytes samples(40);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<std::uint8_t>(i * 37);
        const std::pair<const char*, test::Bytes> files[] = {
            {"tiles.bmp", test::buildBmp(Picture::pattern(6, 5, 8))},
            {"int.bmp", test::buildBmp(Picture::pattern(6, 5, 8))},
            {"Photo.BMP", test::buildBmp(Picture::pattern(3, 7, 24))},
            {"map.raw", test::buildRaw(Picture::pattern(6, 5, 8))},
            {"sky.RAW", test::buildRaw(Picture::pattern(5, 2, 24))},
            {"beep.wav", test::buildWav(samples)},
            {"music.wav", test::buildWav(samples, {.channels = 2, .bits = 16})}};
        for (const auto& [name, bytes] : files)
            test::writeFile(path(name), bytes);
    }
};

// Every option lands on its control: tessera-cli writes the window's file, byte for byte.
TEST(CliConvert, WritesWhatTheWindowWrites) {
    Inputs in;
    const struct {
        std::string input;
        std::vector<std::string> options;
        std::string output, name;
        int pal = 1, onlyPal = 0, fill = 1;
        bool add = false;
        Raw raw = {};
    } rows[] = {
        {"tiles.bmp", {}, "a.h", "tiles"},
        {"tiles.bmp", {"--no-palette", "--fill=0", "-nsprite"}, "a.c", "sprite", 0, 0, 0},
        {"tiles.bmp", {"--only-palette"}, "a.h", "tiles", 1, 1},
        {"tiles.bmp", {"-a"}, "a.h", "tiles", 1, 0, 1, true},
        {"int.bmp", {}, "a.h", "int_"},  // a C keyword is no array name
        {"Photo.BMP", {"--fill", "0"}, "a.h", "Photo", 1, 0, 0},
        {"map.raw", {"--raw=6x5x8", "--no-palette"}, "a.gpg", "map", 0, 0, 1, false, {"6", "5"}},
        {"sky.RAW", {"--raw", "5x2x24"}, "a.h", "sky", 1, 0, 1, false, {"5", "2", true}},
        {"beep.wav", {"--name", "_x1"}, "a.sef", "_x1"},
        {"music.wav", {"--no-palette", "--fill", "0", "--append"}, "a.c", "music", 1, 0, 1, true},
    };
    int n = 0;
    for (const auto& r : rows) {
        const std::string input = in.path(r.input),
                          window = in.path(std::to_string(++n) + r.output),
                          cli = in.path("cli" + r.output);
        SCOPED_TRACE(window);
        for (const auto& file : {window, cli}) {  // no line end: the added lines end this one
            std::filesystem::remove(file);
            if (r.add)
                test::writeText(file, "#define ALREADY 1");
        }
        const auto setControls = [&](Form1& f) {
            if (!hasKind(input, "wav")) {
                f.chkPal.setValue(r.pal);
                f.chkOnlyPal.setValue(r.onlyPal);
                (r.fill ? f.optFill1 : f.optFill0).select();
            }
            f.txtVar.Text() = r.name;
        };
        ASSERT_EQ(test::convertInWindow(input, window, r.add, r.raw, setControls),
                  std::vector<std::string>{"Convertion done successfully :)"});
        std::vector<std::string> args = r.options;
        args.insert(args.end(), {input, cli});
        const auto run = test::runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err + run.out, "");
        EXPECT_EQ(test::readFile(cli), test::readFile(window));
    }
}

// --info prints the description the window shows, LF line ends and one at the end.
TEST(CliConvert, InfoPrintsTheWindowsDescription) {
    Inputs in;
    const std::pair<std::vector<std::string>, Raw> rows[] = {
        {{"--info", "Photo.BMP"}, {}},
        {{"--info", "--raw", "5x2x24", "sky.RAW"}, {"5", "2", true}},
        {{"--info", "map.raw"}, {}},                                // the dialog's own defaults
        {{"--info", "--raw", "2x2", "--fill=0", "music.wav"}, {}},  // nothing a sound heeds
    };
    for (const auto& [args, raw] : rows) {
        SCOPED_TRACE(args.back());
        test::ScriptedUi ui;
        ui.openWith(in.path(args.back()));
        ui.rawAnswers.push_back(raw);
        Form1 form(ui);
        (hasKind(args.back(), "wav") ? form.cmdWAVLoad : form.cmdBMPLoad).click();
        std::string expected = form.lblBMPName.Caption;
        std::erase(expected, '\r');
        while (expected.ends_with('\n'))
            expected.pop_back();
        const auto run = test::runCli(args, in.dir());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, expected + "\n");
    }
}

// make rebuilds what depends on a header only when the header really changed.
TEST(CliConvert, SameBytesKeepTheTimeStamp) {
    Inputs in;
    const std::string out = in.path("photo.h");
    const auto convertAndDate = [&](const std::vector<std::string>& options) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {in.path("Photo.BMP"), out});
        EXPECT_EQ(test::runCli(args).exitCode, 0);
        struct stat st {};
        ::stat(out.c_str(), &st);
        return st.st_mtim.tv_sec;
    };
    convertAndDate({});
    const struct timespec old[2] = {{946684800, 0}, {946684800, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, out.c_str(), old, 0), 0);
    EXPECT_EQ(convertAndDate({"-q"}), 946684800);
    EXPECT_NE(convertAndDate({"--fill", "0"}), 946684800);
    EXPECT_EQ(test::folderEntries(in.dir()).size(), 8u);  // no temporary file left
}

}  // namespace
}  // namespace tessera
