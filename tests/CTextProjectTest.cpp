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
bool haveArmCompiler() {
    return std::system("arm-none-eabi-gcc --version >/dev/null 2>&1") == 0;
}

// A header and its data file, included from three C files: each compiler builds and links them
// (no array defined twice, the guard holding against a second include), the arrays in the
// object files are byte for byte those of the window's one-file header, and --align is kept.
TEST(CTextProject, HeaderAndDataPairLinkFromThreeFiles) {
    TempDir dir;
    writeFile(dir.path("tiles.bmp"), buildBmp(Picture::pattern(9, 3, 8)));
    writeFile(dir.path("beep.wav"), buildWav({1, 2, 3, 4, 5}));
    writeText(dir.path("gpgraphic.h"),
              "#ifndef GPG_H\n#define GPG_H\n"
              "typedef unsigned short GP_PALETTEENTRY;\n#endif\n");
    std::string units = "main.c one.c two.c tiles_gfx.c beep_sfx.c";
    for (const std::string unit : {"main", "one", "two"}) {
        writeText(dir.path(unit + ".c"),
                  "#include \"tiles_gfx.h\"\n#include \"tiles_gfx.h\"\n#include \"beep_sfx.h\"\n"
                  "int " +
                      unit + "_sum(void) { return tiles[1] + tiles_Pal[2] + beep[3]; }\n" +
                      (unit == "main" ? "int main(void) { return 0; }\n" : ""));
    }
    ASSERT_EQ(sh(cli() + "--align 64 tiles.bmp tiles_gfx.c --header tiles_gfx.h && " + cli() +
                     "beep.wav beep_sfx.c --header beep_sfx.h && " + cli() + "tiles.bmp whole.h",
                 dir)
                  .exitCode,
              0);
    writeText(dir.path("whole.c"), "#include \"whole.h\"\n");
    const char* kWarnings = " -Wall -Wextra -Werror -c ";
    const struct {
        std::string compile, link, tools;
    } compilers[] = {
        {"gcc -std=c99 -pedantic", "gcc -o prog *.o", ""},
        {"g++ -std=c++17 -x c++", "g++ -o prog *.o", ""},
        {"arm-none-eabi-gcc -std=c99 -pedantic -mcpu=arm920t", "arm-none-eabi-ld -r -o prog *.o",
         "arm-none-eabi-"},
    };
    for (const auto& c : compilers) {
        SCOPED_TRACE(c.compile);
        if (!c.tools.empty() && !haveArmCompiler()) {
            GTEST_SKIP() << "arm-none-eabi-gcc is not installed";
        }
        const auto built = sh("rm -f *.o && " + c.compile + kWarnings + units + " && " + c.link +
                                  " && " + c.compile + kWarnings + "whole.c -o whole.obj",
                              dir);
        ASSERT_EQ(built.exitCode, 0) << built.err;
        for (const std::string section : {".rodata", ".data"}) {
            const std::string dump = c.tools + "objcopy -O binary -j " + section + " ";
            ASSERT_EQ(
                sh(dump + "tiles_gfx.o pair.bin && " + dump + "whole.obj whole.bin", dir).exitCode,
                0);
            EXPECT_EQ(readFile(dir.path("pair.bin")), readFile(dir.path("whole.bin"))) << section;
        }
        const auto symbols = sh(c.tools + "nm prog | grep -E ' (tiles|tiles_Pal)$'", dir);
        EXPECT_EQ(std::count(symbols.out.begin(), symbols.out.end(), '\n'), 2) << symbols.out;
        for (std::size_t at = 0; at < symbols.out.size(); at = symbols.out.find('\n', at) + 1)
            EXPECT_EQ(std::stoul(symbols.out.substr(at, 16), nullptr, 16) % 64, 0u) << symbols.out;
    }
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

// The README's two project Makefiles, copied as a reader would and run in parallel: the pairs
// compile, assets.h holds each picture's block once, a changed picture replaces its own block,
// and a run with nothing new changes nothing.
TEST(CTextProject, ReadmeProjectMakefilesRunAsWritten) {
    const std::string readme =
        readText(fs::path(__FILE__).parent_path().parent_path() / "README.md");
    std::vector<std::string> makefiles;
    for (auto at = readme.find("```make\n"); at != std::string::npos;
         at = readme.find("```make\n", at + 1))
        makefiles.push_back(readme.substr(at + 8, readme.find("```", at + 8) - at - 8));
    ASSERT_EQ(makefiles.size(), 3u);
    TempDir dir;
    writeText(dir.path("pair.mk"), makefiles[1]);
    writeText(dir.path("assets.mk"), makefiles[2]);
    const std::string make = "make -s -j4 TESSERA=" + std::string(TESSERA_CLI_PATH) + " -f ";
    const auto blocksIn = [&](const std::string& text, int picture) {
        const auto one = sh(cli() + "p" + std::to_string(picture) + ".bmp -", dir).out;
        std::size_t count = 0;
        for (auto at = text.find(one); at != std::string::npos; at = text.find(one, at + 1))
            ++count;
        return count;
    };
    for (int i = 0; i < 4; ++i)
        writeFile(dir.path("p" + std::to_string(i) + ".bmp"),
                  buildBmp(Picture::pattern(7, i + 1, 24)));
    ASSERT_EQ(sh(make + "pair.mk && " + make + "assets.mk", dir).exitCode, 0);
    EXPECT_EQ(sh("gcc -std=c99 -pedantic -Wall -Werror -c *_gfx.c && gcc -std=c99 -Wall -Werror "
                 "-c -x c assets.h -o assets.o",
                 dir)
                  .exitCode,
              0);
    writeFile(dir.path("p2.bmp"), buildBmp(Picture::pattern(9, 9, 24)));
    ASSERT_EQ(sh(make + "assets.mk", dir).exitCode, 0);
    const std::string assets = readText(dir.path("assets.h"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(blocksIn(assets, i), 1u) << i;
    const auto stamp = fs::last_write_time(dir.path("assets.h"));
    const auto again = sh(make + "pair.mk && " + make + "assets.mk", dir);
    EXPECT_EQ(again.out + again.err, "");
    EXPECT_EQ(fs::last_write_time(dir.path("assets.h")), stamp);
}

}  // namespace
}  // namespace tessera::test
