#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "support/Builders.h"
#include "support/Child.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;

ProgramRun sh(const std::string& command, const TempDir& dir) {
    return runProgram({"sh", "-c", command}, dir.dir().string());
}
std::string cli() {
    return std::string(TESSERA_CLI_PATH) + " -q ";
}

// Eight tessera-cli runs adding to one header at once: all eight blocks arrive whole, one after
// the other, and the header compiles.
TEST(CTextProject, EightParallelAppendsKeepEveryBlock) {
    TempDir dir;
    std::string appends, expected;
    for (int i = 0; i < 8; ++i) {
        const std::string n = "p" + std::to_string(i);
        writeFile(dir.path(n + ".bmp"), buildBmp(Picture::pattern(256 + i, 256, 24)));
        ASSERT_EQ(sh(cli() + n + ".bmp " + n + ".h", dir).exitCode, 0);
        appends += cli() + "-a " + n + ".bmp assets.h & ";
    }
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(sh(appends + "wait", dir).exitCode, 0);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("eight parallel appends of 256 x 256 pictures: %.2f s\n", took.count());
    const std::string all = readText(dir.path("assets.h"));
    std::size_t total = 0;
    for (int i = 0; i < 8; ++i) {
        const std::string block =
            "\r\n\r\n\r\n" + readText(dir.path("p" + std::to_string(i) + ".h"));
        EXPECT_NE(all.find(block), std::string::npos) << i;
        total += block.size();
    }
    EXPECT_EQ(all.size(), total);
    EXPECT_EQ(sh("gcc -std=c99 -Wall -Werror -c -x c assets.h -o assets.o", dir).exitCode, 0);
    EXPECT_EQ(folderEntries(dir.dir()).size(), 8u * 2 + 2);  // no temporary or lock file left
}

// --replace run twice leaves the file untouched the second time, time stamp included; -a with a
// name the file holds is refused and pointed at --replace.
TEST(CTextProject, ReplaceTwiceChangesNothingAndAddRefusesASecondBlock) {
    TempDir dir;
    writeFile(dir.path("ship.bmp"), buildBmp(Picture::pattern(6, 2, 8)));
    writeText(dir.path("a.h"), "int keep;\r\n");
    ASSERT_EQ(sh(cli() + "--replace ship.bmp a.h", dir).exitCode, 0);
    const std::string first = readText(dir.path("a.h"));
    const auto dayAgo = fs::last_write_time(dir.path("a.h")) - std::chrono::hours(24);
    fs::last_write_time(dir.path("a.h"), dayAgo);
    EXPECT_EQ(sh(cli() + "--replace ship.bmp a.h", dir).exitCode, 0);
    EXPECT_EQ(fs::last_write_time(dir.path("a.h")), dayAgo);
    const auto added = sh(cli() + "-a ship.bmp a.h", dir);
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_EQ(added.err, "tessera-cli: a.h: it already holds ship: give --replace to replace it\n");
    EXPECT_EQ(readText(dir.path("a.h")), first);
}

// The README's three Makefiles, copied as a reader would and run in parallel: a header per
// input as tessera-cli writes it (a .bmp winning over a .wav of its name), pairs that compile,
// and assets.h holding each picture's block once, a changed picture's block replaced. A run with
// nothing new changes nothing.
TEST(CTextProject, ReadmeMakefilesRunAsWritten) {
    const std::string readme =
        readText(fs::path(__FILE__).parent_path().parent_path() / "README.md");
    TempDir dir;
    std::string make = "true";
    for (auto at = readme.find("```make\n"); at != std::string::npos;
         at = readme.find("```make\n", at + 1)) {
        const std::string name = std::to_string(at) + ".mk";
        writeText(dir.path(name), readme.substr(at + 8, readme.find("```", at + 8) - at - 8));
        make += " && make -s -j4 TESSERA=" + std::string(TESSERA_CLI_PATH) + " -f " + name;
    }
    EXPECT_EQ(std::count(make.begin(), make.end(), '&'), 6);
    const std::vector<std::string> inputs{"p0.bmp", "p1.bmp", "p2.bmp", "1up.wav"};
    for (int i = 0; i < 3; ++i)
        writeFile(dir.path(inputs[i]), buildBmp(Picture::pattern(7, i + 1, 24)));
    writeFile(dir.path("1up.wav"), buildWav({1, 2, 3, 250}));
    writeFile(dir.path("p2.wav"), buildWav({9}));
    ASSERT_EQ(sh(make, dir).exitCode, 0);
    EXPECT_EQ(sh("gcc -std=c99 -pedantic -Wall -Werror -c *_gfx.c", dir).exitCode, 0);
    writeFile(dir.path("p2.bmp"), buildBmp(Picture::pattern(9, 9, 24)));
    ASSERT_EQ(sh(make, dir).exitCode, 0);
    const std::string assets = readText(dir.path("assets.h"));
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input);
        const std::string header = readText(dir.path(input.substr(0, input.size() - 4) + ".h"));
        EXPECT_EQ(header, sh(cli() + input + " -", dir).out);
        const bool picture = input.ends_with(".bmp");
        EXPECT_EQ(assets.find(header) != std::string::npos, picture);
        EXPECT_EQ(assets.find(header), assets.rfind(header));  // at most once
    }
    EXPECT_EQ(sh("gcc -std=c99 -Wall -Werror -c -x c assets.h -o assets.o", dir).exitCode, 0);
    const auto stamp = fs::last_write_time(dir.path("assets.h"));
    const auto again = sh(make, dir);
    EXPECT_EQ(again.out + again.err, "");
    EXPECT_EQ(fs::last_write_time(dir.path("assets.h")), stamp);
}

}  // namespace
}  // namespace tessera::test
