#include <gtest/gtest.h>

#include "CliProcess.h"
#include "support/Builders.h"
#include "support/Files.h"

namespace tessera {
namespace {

using test::runCli;

// Every line a usage error prints: one, naming the problem, pointing at --help.
TEST(CliUsage, BadCommandLinesExitWithTwoAndOneLine) {
    test::TempDir dir;
    const std::string in = dir.path("ship.bmp");
    test::writeFile(in, test::buildBmp(test::Picture::pattern(4, 4, 8)));
    const std::string out = dir.path("ship.h");
    struct Case {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{}, "INPUT and OUTPUT are needed"},
        {{in}, "INPUT and OUTPUT are needed"},
        {{in, out, out}, "too many files"},
        {{"--frobnicate", in, out}, "unknown option --frobnicate"},
        {{"-x", in, out}, "unknown option -x"},
        {{"--quiet=yes", in, out}, "takes no value"},
        {{"--fill", "2", in, out}, "bad --fill value '2'"},
        {{"--fill=", in, out}, "bad --fill value ''"},
        {{in, out, "--fill"}, "--fill needs a value"},
        {{"--raw", "320", in, out}, "bad --raw value '320'"},
        {{"--raw", "0x240", in, out}, "bad --raw value"},
        {{"--raw", "320x240x16", in, out}, "bad --raw value"},
        {{"--raw", "320x240x8x8", in, out}, "bad --raw value"},
        {{"--raw", "-3x4", in, out}, "bad --raw value"},
        {{"--raw=axb", in, out}, "bad --raw value"},
        {{"--name", "1up", in, out}, "'1up' is not a C identifier"},
        {{"-n", "my-ship", in, out}, "'my-ship' is not a C identifier"},
        {{"--name=", in, out}, "'' is not a C identifier"},
        {{"--no-palette", "--only-palette", in, out}, "--only-palette"},
        {{"--info", in, out}, "--info takes one INPUT"},
        {{"--info", "-a", in}, "--append"},
        {{dir.path(".bmp"), out}, "give one with --name"},
        {{dir.path("bmp"), out}, "give one with --name"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& a : c.args)
            shown += a + " ";
        SCOPED_TRACE(shown);
        const auto run = runCli(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("tessera-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
    // Nothing was attempted: no output appeared.
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliUsage, VersionAndHelp) {
    const auto version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "tessera-cli 1.3\n");

    for (const char* help : {"-h", "--help"}) {
        const auto run = runCli({help});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind("Usage: tessera-cli [options] INPUT OUTPUT\n", 0), 0u);
        for (const char* option :
             {"--name", "--palette", "--no-palette", "--only-palette", "--fill", "--raw",
              "--append", "--quiet", "--info", "--version"}) {
            EXPECT_NE(run.out.find(option), std::string::npos) << option;
        }
    }
}

// Failures before any conversion: the file is named, the reason follows, exit status 1.
TEST(CliUsage, InputsThatCannotBeLoaded) {
    test::TempDir dir;
    test::writeText(dir.path("notes.png"), "not a picture");
    std::filesystem::create_directory(dir.path("folder.bmp"));
    struct Case {
        std::string input;
        std::string err;
    } cases[] = {
        {"missing.bmp", "tessera-cli: missing.bmp: No such file or directory\n"},
        {"missing.raw", "tessera-cli: missing.raw: No such file or directory\n"},
        {"notes.png", "tessera-cli: notes.png: Can't open this kind of image file...\n"},
        // The model's two-line failure becomes one line.
        {"folder.bmp",
         "tessera-cli: folder.bmp: Can't read this file :(: folder.bmp: not a regular file\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const auto run = runCli({c.input, "out.h"}, dir.dir().string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.err);
        EXPECT_FALSE(std::filesystem::exists(dir.path("out.h")));
        const auto info = runCli({"--info", c.input}, dir.dir().string());
        EXPECT_EQ(info.exitCode, 1);
        EXPECT_EQ(info.err, c.err);
        EXPECT_EQ(info.out, "");
    }
}

}  // namespace
}  // namespace tessera
