// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

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

// Exit status 1 (refused or failed) with the window's message on one line after the file's name;
// 2 (bad usage) with one line pointing at --help. Every file stays as it was and no temporary file
// is left.
TEST(CliUsage, ExitStatusesAndWhatTheySay) {
    TempDir dir;
    writeFile(dir.path("tiles.bmp"), buildBmp(Picture::pattern(4, 4, 8)));
    writeText(dir.path("notes.png"), "not a picture");
    writeFile(dir.path("photo.wav"), buildPng(Picture::pattern(2, 2, 24)));
    fs::create_directory(dir.path("folder.h"));
    writeFile(dir.path("photo.bmp"), buildBmp(Picture::pattern(4, 4, 24)));
    fs::create_symlink("new.c", dir.path("alias.h"));
    for (const char* out : {"out.gpg", "out.h"})
        writeText(dir.path(out), "kept");
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string says;
    };
    const Row rows[] = {
        // clang-format off
        {{"missing.wav", "out.h"}, 1, "missing.wav: No such file or directory"},
        {{"notes.png", "out.h"}, 1, "notes.png: Can't open this kind of image file... It is no "
         "picture this tool knows; BMP, PNG and RAW pictures are read (`convert IN OUT.png` "
         "writes a PNG copy)."},
        {{"--rate", "22050", "photo.wav", "out.h"}, 1, "photo.wav: Can't open this kind of WAV "
         "file... It is a PNG picture, not a sound: \"Load Image File...\" reads it."},
        // The window's two-line message on one line.
        {{"--only-palette", "tiles.bmp", "out.gpg"}, 1,
         "out.gpg: Can't export palette with \".GPG\" Files :("},
        // A header that cannot be written, named as the file that failed: the data file is
        // not written either.
        {{"--header", "folder.h", "tiles.bmp", "new.c"}, 1,
         "folder.h: Can't write this file :(: folder.h: it is a folder"},
        // A header that is the data file, however named, and names an include cannot hold.
        {{"--header", "./new.c", "tiles.bmp", "new.c"}, 1, "./new.c: Can't write this file :(: "
         "./new.c: it is the data file itself (new.c): give the header a name of its own"},
        {{"tiles.bmp", "new.c", "--header", "alias.h"}, 1, "alias.h: Can't write this file :(: "
         "alias.h: it is the data file itself (new.c): give the header a name of its own"},
        {{"tiles.bmp", "new.c", "--header", "we\"ird.h"}, 1, "we\"ird.h: Can't write this file "
         ":(: we\"ird.h: its name holds a double quote, which the data file's #include \"...\" "
         "line cannot hold: give the header a name without quotes, backslashes or control "
         "characters"},
        {{"tiles.bmp", "new.c", "--header", "a\nb.h"}, 1, "a?b.h: Can't write this file :(: a?b.h: "
         "its name holds a line end, which the data file's #include \"...\" line cannot hold: "
         "give the header a name without quotes, backslashes or control characters"},
        // The picture is what a .gpg cannot hold: it is named, with the way out.
        {{"photo.bmp", "out.gpg"}, 1, "photo.bmp: Only 8 bits pictures can be converted in a "
         "\".GPG\" file :(: It is a colour picture, and a .gpg file holds 8-bit (palette) "
         "pictures: give --colors 256 to make it one (or --palette-of FILE for a palette of your "
         "own), or an OUTPUT ending in .h or .c for its colours as C text."},
        {{"-x", "i", "o"}, 2, "unknown option -x"},
        {{"--fill", "2", "i", "o"}, 2, "bad --fill value '2': give 0 or 1"},
        {{"--rate", "999", "i", "o"}, 2, "bad --rate value '999': give a rate in Hz from 1000 to "
         "384000"},
        {{"--rate=384001", "i", "o"}, 2, "bad --rate value '384001': give a rate in Hz from 1000 "
         "to 384000"},
        {{"--rate", "22k", "i", "o"}, 2, "bad --rate value '22k': give a rate in Hz from 1000 to "
         "384000"},
        {{"--bits", "12", "i", "o"}, 2, "bad --bits value '12': give 8 or 16"},
        {{"-n", "my-ship", "i", "o"}, 2, "--name 'my-ship' is not a C identifier"},
        {{"--name=int", "i", "o"}, 2, "--name 'int' is a keyword of C or C++"},
        {{"-n_BitInt", "i", "o"}, 2, "--name '_BitInt' is reserved for the compiler (a name "
         "holding __ or starting with _ and a capital)"},
        // clang-format on
    };
    for (const auto& [args, code, says] : rows) {
        SCOPED_TRACE(says);
        const auto before = folderEntries(dir.dir());
        const auto run = runCli(args, dir.dir());
        EXPECT_EQ(run.exitCode, code);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "tessera-cli: " + says + (code == 2 ? " (try 'tessera-cli --help')\n" : "\n"));
        EXPECT_EQ(folderEntries(dir.dir()), before);
        for (const char* out : {"out.gpg", "out.h"})
            EXPECT_EQ(readText(dir.path(out)), "kept") << out;
    }
    // -v prints the window's message. A -v line that cannot be printed (stdout on a full disk)
    // does not make a kept conversion look failed: a script retrying on failure would add the
    // block twice. --info prints its result, so there it is a failure.
    auto run = runCli({"--verbose", "tiles.bmp", "t.gpg"}, dir.dir());
    EXPECT_EQ(run.out + run.err, "tessera-cli: t.gpg: Convertion done successfully :)\n");
    run = runProgram({TESSERA_CLI_PATH, "-v", "-a", "tiles.bmp", "out.h"}, dir.dir(), "/dev/full");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "tessera-cli: done, but the standard output cannot be written\n");
    const std::string text = readText(dir.path("out.h"));
    EXPECT_EQ(text.find("tiles.bmp"), text.rfind("tiles.bmp"));
    EXPECT_NE(text.find("tiles.bmp"), std::string::npos);
    run = runProgram({TESSERA_CLI_PATH, "--info", "tiles.bmp"}, dir.dir(), "/dev/full");
    EXPECT_EQ(run.exitCode, 1);
    // A reader that stops early (`| head -c 10`): status 1 and a line that says so.
    writeFile(dir.path("wide.bmp"), buildBmp(Picture::pattern(256, 256, 24)));
    run = runProgram({"bash", "-c",
                      std::string(TESSERA_CLI_PATH) +
                          " wide.bmp - | head -c 10 >/dev/null; exit ${PIPESTATUS[0]}"},
                     dir.dir());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "tessera-cli: -: Can't write this file :(: -: the program reading the "
              "standard output stopped reading (Broken pipe), so the C text it got is "
              "cut short\n");
    // A sound is read as one whatever its name; the advice above makes the .gpg.
    writeFile(dir.path("drum.bmp"), buildWav({1, 2, 3}));
    EXPECT_EQ(runCli({"drum.bmp", "drum.h"}, dir.dir()).exitCode, 0);
    EXPECT_NE(readText(dir.path("drum.h")).find("// Freq = 22kHz"), std::string::npos);
    EXPECT_EQ(runCli({"--colors", "256", "photo.bmp", "out.gpg"}, dir.dir()).exitCode, 0);
}

// The README's option table and --help name the same options: --help is made from the parser's
// own table.
TEST(CliUsage, ReadmeTableNamesTheOptionsOfHelp) {
    const std::regex option("(^|[ `])(--?[a-z][a-z-]*)");
    std::set<std::string> documented, helped;
    const auto collect = [&](const std::string& text, std::set<std::string>& into) {
        for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
            into.insert((*it)[2]);
    };
    const std::string readme = readText(fs::path(TESSERA_SOURCE_DIR) / "README.md");
    std::istringstream table(readme.substr(readme.find("| option |")));
    std::string line;
    while (std::getline(table, line) && line.starts_with("|"))
        collect(line.substr(0, line.find(" |", 1)), documented);
    collect(runCli({"--help"}).out, helped);
    EXPECT_EQ(documented, helped);
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
    // clang-format off
    const Row rows[] = {
        // A C keyword is no array name.
        {.input = "int.bmp", .options = {"--only-palette"}, .output = "a.h", .name = "int_",
         .onlyPalette = 1},
        {.input = "sky.RAW", .options = {"--raw=5x2x24", "--fill=0"}, .output = "a.h",
         .name = "sky", .fill = 0, .raw = {"5", "2", true}},
        {.input = "music.wav", .options = {"--name", "_x1"}, .output = "a.sef", .name = "_x1"},
        {.input = "int.bmp", .options = {"-a", "--no-palette", "--fill", "0", "-nship"},
         .output = "a.c", .name = "ship", .palette = 0, .fill = 0, .add = true},
    };
    // clang-format on
    for (const auto& r : rows) {
        const std::string input = in.path(r.input), window = in.path("window" + r.output);
        const std::string cli = in.path("cli" + r.output);
        SCOPED_TRACE(r.input + " to " + r.output);
        if (r.add) {  // no line end: the added lines end this one
            writeText(window, "#define ALREADY 1");
            writeText(cli, "#define ALREADY 1");
        }
        std::string shown;
        const auto setControls = [&](Form1& f) {
            shown = f.lblBMPName.Caption;
            f.chkPal.setValue(r.palette);  // picture controls, unused for a sound
            f.chkOnlyPal.setValue(r.onlyPalette);
            (r.fill ? f.optFill1 : f.optFill0).select();
            f.txtVar.Text() = r.name;
        };
        const InWindow inWindow = convertInWindow(input, window, r.add, r.raw, setControls);
        ASSERT_TRUE(inWindow.outcome.done()) << inWindow.outcome.text;
        ASSERT_EQ(inWindow.shown, std::vector<std::string>{"Convertion done successfully :)"});
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

// --depfile: a make rule whose names make reads back as the files themselves (make -q finds the
// output up to date, then out of date once the input is newer), quoted as compilers quote them.
// A refused conversion writes no rule and leaves an old one as it was.
TEST(CliDepfile, MakeReadsTheNamesBack) {
    if (!onPath("make"))
        GTEST_SKIP() << "make is not installed";
    TempDir dir;
    const Bytes picture = buildBmp(Picture::pattern(2, 2, 24));
    writeText(dir.path("r.mk"), "%.c:\n\t@exit 1\n");  // a recipe for the depfile's rule
    struct Row {
        std::string input, rule;  // the rule without its prerequisites' phony targets
    };
    // clang-format off
    const Row rows[] = {
        {.input = "ship.bmp", .rule = "out.c out.h: \\\n ship.bmp\n"},
        {.input = "my ship.bmp", .rule = "out.c out.h: \\\n my\\ ship.bmp\n"},
        {.input = "tab\tship.bmp", .rule = "out.c out.h: \\\n tab\\\tship.bmp\n"},
        {.input = "$hip#1.bmp", .rule = "out.c out.h: \\\n $$hip\\#1.bmp\n"},
        // Backslashes are doubled only before a blank, where make reads them as quotes.
        {.input = "a\\ b\\c.bmp", .rule = "out.c out.h: \\\n a\\\\\\ b\\c.bmp\n"},
        {.input = "a\\\\ b.bmp", .rule = "out.c out.h: \\\n a\\\\\\\\\\ b.bmp\n"},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.input);
        writeFile(dir.path(r.input), picture);
        auto run =
            runCli({"-q", "-n", "a", "--depfile", "out.d", r.input, "out.c", "--header", "out.h"},
                   dir.dir());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readText(dir.path("out.d")), r.rule);
        EXPECT_EQ(
            runProgram({"make", "-q", "-f", "out.d", "-f", "r.mk", "out.c"}, dir.dir()).exitCode,
            0);
        fs::last_write_time(dir.path(r.input),
                            fs::last_write_time(dir.path("out.c")) + std::chrono::hours(1));
        EXPECT_EQ(
            runProgram({"make", "-q", "-f", "out.d", "-f", "r.mk", "out.c"}, dir.dir()).exitCode,
            1);
        for (const std::string& file : {r.input, std::string("out.c"), std::string("out.h")})
            fs::remove(dir.path(file));
    }
    // A palette read is a prerequisite too, with an empty rule, so make goes on when it is
    // deleted; a palette made has its pictures as prerequisites.
    writeFile(dir.path("ship.bmp"), picture);
    writeFile(dir.path("b$.bmp"), picture);
    auto run =
        runCli({"-q", "--depfile", "pal.d", "--make-palette", "my pal.gpl", "ship.bmp", "b$.bmp"},
               dir.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readText(dir.path("pal.d")),
              "my\\ pal.gpl: \\\n ship.bmp \\\n b$$.bmp\n\nb$$.bmp:\n");
    run = runCli({"-q", "--depfile", "out.d", "--palette-of", "my pal.gpl", "ship.bmp", "out.c"},
                 dir.dir());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readText(dir.path("out.d")),
              "out.c: \\\n ship.bmp \\\n my\\ pal.gpl\n\nmy\\ pal.gpl:\n");
    fs::last_write_time(dir.path("my pal.gpl"),
                        fs::last_write_time(dir.path("out.c")) + std::chrono::hours(1));
    EXPECT_EQ(runProgram({"make", "-q", "-f", "out.d", "-f", "r.mk", "out.c"}, dir.dir()).exitCode,
              1);
    const std::string rule = readText(dir.path("out.d"));
    writeText(dir.path("notes.bmp"), "not a picture");
    run = runCli({"-q", "--depfile", "out.d", "notes.bmp", "new.c"}, dir.dir());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(readText(dir.path("out.d")), rule);
    // A rule that cannot be written: the conversion is not made either.
    run = runCli({"-q", "--depfile", "no/out.d", "ship.bmp", "new.c"}, dir.dir());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.starts_with("tessera-cli: no/out.d: Can't write this file :(")) << run.err;
    EXPECT_FALSE(fs::exists(dir.path("new.c")));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--depfile", "x.d", "ship.bmp", "-"},
          {"--depfile", "new.c", "ship.bmp", "new.c"},
          {"--depfile", "x.d", "--info", "ship.bmp"}})
        EXPECT_EQ(runCli(args, dir.dir()).exitCode, 2) << args[2];
}

}  // namespace
}  // namespace tessera::test
