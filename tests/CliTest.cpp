#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "app/FileNames.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;
ProgramRun runCli(std::vector<std::string> args, const std::string& workDir = {}) {
    args.insert(args.begin(), TESSERA_CLI_PATH);
    return runProgram(args, workDir);
}

// Exit status 0 with its output; 1 (refused or failed) with the window's message on one line
// after the file's name; 2 (bad usage) with one line pointing at --help. Unless 0, every file
// stays as it was and no temporary file is left.
TEST(CliUsage, ExitStatusesAndWhatTheySay) {
    TempDir dir;
    writeFile(dir.path("tiles.bmp"), buildBmp(Picture::pattern(4, 4, 8)));
    writeFile(dir.path("photo.bmp"), buildBmp(Picture::pattern(4, 4, 24)));
    writeFile(dir.path("beep.wav"), buildWav({1, 2, 3, 4}));
    writeFile(dir.path("alaw.wav"), buildWav(Bytes(8, 0), {.format = 6}));
    writeFile(dir.path("quad.wav"), buildWav(Bytes(8, 0), {.channels = 4}));
    writeText(dir.path("notes.png"), "not a picture");
    fs::create_directory(dir.path("folder.bmp"));
    for (const char* out : {"out.gpg", "out.sef", "out.h"})
        writeText(dir.path(out), "kept");
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> rows{
        // clang-format off
        {{"-h"}, 0, "Usage: tessera-cli [options] INPUT OUTPUT\n"},
        {{"--verbose", "beep.wav", "b.sef"}, 0,
         "tessera-cli: b.sef: Convertion done successfully :)"},
        {{"missing.wav", "out.h"}, 1, "missing.wav: No such file or directory"},
        {{"notes.png", "out.h"}, 1, "notes.png: Can't open this kind of image file... It is no "
         "picture this tool knows; BMP, PNG and RAW pictures are read (`convert IN OUT.png` "
         "writes a PNG copy)."},
        {{"--info", "folder.bmp"}, 1,
         "folder.bmp: Can't read this file :(: folder.bmp: not a regular file"},
        {{"alaw.wav", "out.h"}, 1, "alaw.wav: Can't open this kind of WAV file... Its samples are "
         "coded as A-law; integer PCM and IEEE float samples are read (`sox IN.wav -e "
         "signed-integer -b 16 OUT.wav` writes a 16-bit PCM copy)."},
        {{"quad.wav", "out.sef"}, 1, "quad.wav: Can't convert this sound :(: Only mono and stereo "
         "sounds are converted (`sox IN.wav -c 2 OUT.wav` mixes it down to stereo)."},
        {{"-a", "tiles.bmp", "out.gpg"}, 1, "out.gpg: Can't ADD with \".GPG\" Files :("},
        {{"--append", "beep.wav", "out.sef"}, 1, "out.sef: Can't ADD with \".SEF\" Files :("},
        {{"--only-palette", "tiles.bmp", "out.gpg"}, 1,
         "out.gpg: Can't export palette with \".GPG\" Files :("},
        {{"photo.bmp", "out.gpg"}, 1,
         "out.gpg: Only 8 bits pictures can be converted in a \".GPG\" file :("},
        {{"i"}, 2, "INPUT and OUTPUT are needed"}, {{"-x", "i", "o"}, 2, "unknown option -x"},
        {{"--quiet=yes", "i", "o"}, 2, "takes no value"}, {{".bmp", "o"}, 2, "one with --name"},
        {{"i", "o", "--fill"}, 2, "--fill needs"}, {{"--raw=9x9x9", "i", "o"}, 2, "bad --raw"},
        {{"--fill", "2", "i", "o"}, 2, "bad --fill value '2'"},
        {{"--raw", "320", "i", "o"}, 2, "bad --raw value '320'"},
        {{"-n", "my-ship", "i", "o"}, 2, "'my-ship' is not a C identifier"},
        {{"--name=int", "i", "o"}, 2, "'int' is not a C identifier"},
        {{"--no-palette", "--only-palette", "i", "o"}, 2, "--only-palette"},
        {{"--info", "i", "o"}, 2, "--info takes one INPUT"}, {{"--info", "-a", "i"}, 2, "--append"},
        // clang-format on
    };
    for (const auto& [args, code, says] : rows) {
        SCOPED_TRACE(says);
        const auto before = folderEntries(dir.dir());
        const auto run = runCli(args, dir.dir());
        EXPECT_EQ(run.exitCode, code);
        EXPECT_EQ(code == 0 ? run.err : run.out, "");
        if (code == 0) {
            EXPECT_EQ(run.out.rfind(says, 0), 0u) << run.out;
            continue;
        }
        const bool usage = run.err.starts_with("tessera-cli: ") &&
                           run.err.find(says) != std::string::npos &&
                           run.err.ends_with(" (try 'tessera-cli --help')\n");
        EXPECT_TRUE(code == 2 ? usage : run.err == "tessera-cli: " + says + "\n") << run.err;
        EXPECT_EQ(folderEntries(dir.dir()), before);
        for (const char* out : {"out.gpg", "out.sef", "out.h"})
            EXPECT_EQ(readText(dir.path(out)), "kept") << out;
    }
}

// The README's Makefile, copied as a reader would, builds every header, then nothing.
TEST(CliMakefile, ReadmeExampleBuildsEveryHeaderAndThenNothing) {
    const std::string text = readText(fs::path(__FILE__).parent_path().parent_path() / "README.md");
    const auto start = text.find("```make\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = text.find("```", start + 8);
    TempDir dir;
    writeText(dir.path("assets.mk"), text.substr(start + 8, end - start - 8));
    writeFile(dir.path("my-ship.bmp"), buildBmp(Picture::pattern(5, 3, 8)));
    writeFile(dir.path("1up.wav"), buildWav({1, 2, 3, 250}));
    const std::vector<std::string> make{"make", "-f", "assets.mk",
                                        std::string("TESSERA=") + TESSERA_CLI_PATH};

    const auto first = runProgram(make, dir.dir().string());
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    for (const std::string input : {"my-ship.bmp", "1up.wav"}) {
        SCOPED_TRACE(input);
        ASSERT_EQ(runCli({"-q", input, "by-hand.h"}, dir.dir().string()).exitCode, 0);
        const std::string header = input.substr(0, input.size() - 4) + ".h";
        EXPECT_EQ(readFile(dir.path(header)), readFile(dir.path("by-hand.h")));
    }
    const auto second = runProgram(make, dir.dir().string());
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out.find("tessera-cli"), std::string::npos) << second.out;
}

// Every option lands on its control: tessera-cli writes the window's file byte for byte, and
// --info prints the window's description (LF line ends, one at the end). make rebuilds what
// depends on a header only when the header really changed: same bytes keep the time stamp.
TEST(CliConvert, WritesAndDescribesWhatTheWindowDoes) {
    TempDir in;  // an 8-bit bitmap named after a C keyword, a 24-bit RAW, a 16-bit sound
    writeFile(in.path("int.bmp"), buildBmp(Picture::pattern(6, 5, 8)));
    writeFile(in.path("sky.RAW"), buildRaw(Picture::pattern(5, 2, 24)));
    writeFile(in.path("music.wav"),
              buildWav({1, 0x80, 0xFF, 0x7F, 0, 0x81, 0xFE, 2}, {.channels = 2, .bits = 16}));
    struct Row {
        std::string input;
        std::vector<std::string> options;
        std::string output;
        std::string name;  // what the window's name box is given
        int palette = 1;
        int onlyPalette = 0;
        int fill = 1;
        bool add = false;
        ScriptedUi::RawAnswer raw = {};
    };
    const Row rows[] = {
        // A C keyword is no array name.
        {.input = "int.bmp", .options = {}, .output = "a.h", .name = "int_"},
        {.input = "sky.RAW",
         .options = {"--raw=5x2x24", "--fill=0"},
         .output = "a.h",
         .name = "sky",
         .fill = 0,
         .raw = {"5", "2", true}},
        {.input = "music.wav", .options = {"--name", "_x1"}, .output = "a.sef", .name = "_x1"},
        {.input = "int.bmp",
         .options = {"--only-palette"},
         .output = "a.h",
         .name = "int_",
         .onlyPalette = 1},
        {.input = "int.bmp",
         .options = {"-a", "--no-palette", "--fill", "0", "-nship"},
         .output = "a.c",
         .name = "ship",
         .palette = 0,
         .fill = 0,
         .add = true},
    };
    for (const auto& r : rows) {
        const std::string input = in.path(r.input);
        const std::string window = in.path("window" + r.output);
        const std::string cli = in.path("cli" + r.output);
        SCOPED_TRACE(r.input + " to " + r.output);
        if (r.add) {  // no line end: the added lines end this one
            writeText(window, "#define ALREADY 1");
            writeText(cli, "#define ALREADY 1");
        }
        std::string shown;
        const auto setControls = [&](Form1& f) {
            shown = f.lblBMPName.Caption;
            if (!hasKind(input, "wav")) {
                f.chkPal.setValue(r.palette);
                f.chkOnlyPal.setValue(r.onlyPalette);
                (r.fill ? f.optFill1 : f.optFill0).select();
            }
            f.txtVar.Text() = r.name;
        };
        ASSERT_EQ(convertInWindow(input, window, r.add, r.raw, setControls),
                  std::vector<std::string>{"Convertion done successfully :)"});
        std::vector<std::string> args = r.options;
        args.insert(args.end(), {input, cli});
        auto run = runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err + run.out, "");
        EXPECT_EQ(readFile(cli), readFile(window));
        if (r.add)
            continue;  // --info writes nothing, so it takes no --append
        const auto dayAgo = fs::last_write_time(cli) - std::chrono::hours(24);
        fs::last_write_time(cli, dayAgo);
        EXPECT_EQ(runCli(args).exitCode, 0);
        EXPECT_EQ(fs::last_write_time(cli), dayAgo);
        args.back() = "--info";
        std::erase(shown, '\r');
        while (shown.ends_with('\n'))
            shown.pop_back();
        run = runCli(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err + run.out, shown + "\n");  // nothing on stderr
    }
    EXPECT_EQ(folderEntries(in.dir()).size(), 9u);  // no temporary file left
}

// A RAW file whose length is not what its size needs most likely got the wrong --raw: it is
// converted as asked, with a warning.
TEST(CliConvert, WarnsOfARawFileOfAnotherLength) {
    TempDir dir;
    for (const std::size_t length : {10u, 9u}) {
        writeFile(dir.path("tiles.raw"), Bytes(length, 7));
        const auto run = runCli({"--raw", "3x3", "tiles.raw", "t.h"}, dir.dir());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err.starts_with("tessera-cli: tiles.raw: warning: it holds 10 bytes, but a "
                                      "3x3x8 RAW picture needs 9"),
                  length == 10)
            << run.err;
        EXPECT_EQ(run.err.empty(), length == 9);
    }
}

}  // namespace
}  // namespace tessera::test
