#include <gtest/gtest.h>

#include <filesystem>

#include "support/Builders.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera {
namespace {

// Exit status 0 with its output; 1 (refused or failed) with the window's message on one line
// after the file's name; 2 (bad usage) with one line pointing at --help. Unless 0, every file
// stays as it was and no temporary file is left.
TEST(CliUsage, ExitStatusesAndWhatTheySay) {
    test::TempDir dir;
    test::writeFile(dir.path("tiles.bmp"), test::buildBmp(test::Picture::pattern(4, 4, 8)));
    test::writeFile(dir.path("photo.bmp"), test::buildBmp(test::Picture::pattern(4, 4, 24)));
    test::writeFile(dir.path("beep.wav"), test::buildWav({1, 2, 3, 4}));
    test::writeFile(dir.path("float.wav"), test::buildWav(test::Bytes(8, 0), {.format = 3}));
    test::writeText(dir.path("notes.png"), "not a picture");
    std::filesystem::create_directory(dir.path("folder.bmp"));
    for (const char* out : {"out.gpg", "out.sef", "out.h"})
        test::writeText(dir.path(out), "kept");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string says;
    } rows[] = {
        // clang-format off
        {{"-h"}, 0, "Usage: tessera-cli [options] INPUT OUTPUT\n"},
        {{"--verbose", "beep.wav", "b.sef"}, 0,
         "tessera-cli: b.sef: Convertion done successfully :)"},
        {{"missing.wav", "out.h"}, 1, "missing.wav: No such file or directory"},
        {{"notes.png", "out.h"}, 1, "notes.png: Can't open this kind of image file..."},
        {{"--info", "folder.bmp"}, 1,
         "folder.bmp: Can't read this file :(: folder.bmp: not a regular file"},
        {{"float.wav", "out.h"}, 1, "float.wav: Can't open this kind of WAV file..."},
        {{"-a", "tiles.bmp", "out.gpg"}, 1, "out.gpg: Can't ADD with \".GPG\" Files :("},
        {{"--append", "beep.wav", "out.sef"}, 1, "out.sef: Can't ADD with \".SEF\" Files :("},
        {{"--only-palette", "tiles.bmp", "out.gpg"}, 1,
         "out.gpg: Can't export palette with \".GPG\" Files :("},
        {{"photo.bmp", "out.gpg"}, 1,
         "out.gpg: Only 8 bits pictures can be converted in a \".GPG\" file :("},
        {{"tiles.bmp"}, 2, "INPUT and OUTPUT are needed"},
        {{"-x", "tiles.bmp", "a.h"}, 2, "unknown option -x"},
        {{"--quiet=yes", "tiles.bmp", "a.h"}, 2, "takes no value"},
        {{"--fill", "2", "tiles.bmp", "a.h"}, 2, "bad --fill value '2'"},
        {{"tiles.bmp", "a.h", "--fill"}, 2, "--fill needs a value"},
        {{"--raw", "320", "tiles.bmp", "a.h"}, 2, "bad --raw value '320'"},
        {{"--raw=320x240x16", "tiles.bmp", "a.h"}, 2, "bad --raw value"},
        {{"-n", "my-ship", "tiles.bmp", "a.h"}, 2, "'my-ship' is not a C identifier"},
        {{"--name=int", "tiles.bmp", "a.h"}, 2, "'int' is not a C identifier"},
        {{"--no-palette", "--only-palette", "tiles.bmp", "a.h"}, 2, "--only-palette"},
        {{"--info", "tiles.bmp", "a.h"}, 2, "--info takes one INPUT"},
        {{"--info", "-a", "tiles.bmp"}, 2, "--append"},
        {{".bmp", "a.h"}, 2, "give one with --name"},
        // clang-format on
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.says);
        const auto before = test::folderEntries(dir.dir());
        const auto run = test::runCli(r.args, dir.dir());
        EXPECT_EQ(run.exitCode, r.code);
        EXPECT_EQ(r.code == 0 ? run.err : run.out, "");
        if (r.code == 0) {
            EXPECT_EQ(run.out.rfind(r.says, 0), 0u) << run.out;
            continue;
        }
        const bool usage = run.err.starts_with("tessera-cli: ") &&
                           run.err.find(r.says) != std::string::npos &&
                           run.err.ends_with(" (try 'tessera-cli --help')\n");
        EXPECT_TRUE(r.code == 2 ? usage : run.err == "tessera-cli: " + r.says + "\n") << run.err;
        EXPECT_EQ(test::folderEntries(dir.dir()), before);
        for (const char* out : {"out.gpg", "out.sef", "out.h"})
            EXPECT_EQ(test::readText(dir.path(out)), "kept") << out;
    }
}

// The README's Makefile, copied as a reader would, builds every header, then nothing.
TEST(CliMakefile, ReadmeExampleBuildsEveryHeaderAndThenNothing) {
    const auto readme = std::filesystem::path(__FILE__).parent_path().parent_path() / "README.md";
    const std::string text = test::readText(readme.string());
    const auto start = text.find("```make\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = text.find("```", start + 8);
    test::TempDir dir;
    test::writeText(dir.path("assets.mk"), text.substr(start + 8, end - start - 8));
    test::writeFile(dir.path("my-ship.bmp"), test::buildBmp(test::Picture::pattern(5, 3, 8)));
    test::writeFile(dir.path("1up.wav"), test::buildWav({1, 2, 3, 250}));
    const std::vector<std::string> make{"make", "-f", "assets.mk",
                                        std::string("TESSERA=") + TESSERA_CLI_PATH};

    const auto first = test::runProgram(make, dir.dir().string());
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    for (const std::string input : {"my-ship.bmp", "1up.wav"}) {
        SCOPED_TRACE(input);
        ASSERT_EQ(test::runCli({"-q", input, "by-hand.h"}, dir.dir().string()).exitCode, 0);
        const std::string header = input.substr(0, input.size() - 4) + ".h";
        EXPECT_EQ(test::readFile(dir.path(header)), test::readFile(dir.path("by-hand.h")));
    }
    const auto second = test::runProgram(make, dir.dir().string());
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out.find("tessera-cli"), std::string::npos) << second.out;
}

}  // namespace
}  // namespace tessera
