#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "support/Builders.h"
#include "support/Child.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;

ProgramRun sh(const std::string& command, const TempDir& dir) {
    return runProgram({"sh", "-c", command}, dir.dir().string());
}

// The README's four Makefiles, copied as a reader would and run with -j8: a header per input as
// tessera-cli writes it (a .bmp winning over a .wav of its name), pairs that compile, and assets.h,
// which eight runs add to at once, holding each picture's block whole and once, a changed
// picture's block replaced, and compiling. A run with nothing new would run nothing; --replace run
// again by hand leaves assets.h untouched, time stamp included; -a with a name the file holds is
// refused and pointed at --replace. Sprites share one palette, made as it would be from their
// names in the other order, and their headers compile with it.
TEST(CTextProject, ReadmeMakefilesRunAsWritten) {
    const std::string readme = readText(fs::path(TESSERA_SOURCE_DIR) / "README.md");
    TempDir dir;
    const std::string cli = std::string(TESSERA_CLI_PATH) + " -q ";
    std::string make = "true";
    for (auto at = readme.find("```make\n"); at != std::string::npos;
         at = readme.find("```make\n", at + 1)) {
        const std::string name = std::to_string(at) + ".mk";
        writeText(dir.path(name), readme.substr(at + 8, readme.find("```", at + 8) - at - 8));
        make += " && make -s $DRY -j8 TESSERA=" + std::string(TESSERA_CLI_PATH) + " -f " + name;
    }
    EXPECT_EQ(std::count(make.begin(), make.end(), '&'), 8);
    fs::create_directory(dir.path("sprites"));
    std::vector<std::string> sprites;
    for (int i = 0; i < 3; ++i) {
        Picture sprite = Picture::pattern(6 + i, 5, 24);
        for (std::uint32_t& v : sprite.pixels)
            v = v % 3 == 0 ? 0xFF00FF : v % 3 == 1 ? 0x80000000 : v & 0x0F0F0F;
        sprites.push_back("sprites/s" + std::to_string(i) + ".png");
        writeFile(dir.path(sprites.back()), buildPng(sprite, {.alphaInPixels = true}));
    }
    std::vector<std::string> inputs{"1up.wav"};
    for (int i = 0; i < 8; ++i) {
        inputs.push_back("p" + std::to_string(i) + ".bmp");
        writeFile(dir.path(inputs.back()), buildBmp(Picture::pattern(128 + i, 128, 24)));
    }
    writeFile(dir.path("1up.wav"), buildWav({1, 2, 3, 250}));
    writeFile(dir.path("p2.wav"), buildWav({9}));
    ASSERT_EQ(sh(make, dir).exitCode, 0);
    EXPECT_EQ(sh("gcc -std=c99 -pedantic -Wall -Werror -c *_gfx.c", dir).exitCode, 0);
    writeFile(dir.path("p2.bmp"), buildBmp(Picture::pattern(9, 9, 24)));
    ASSERT_EQ(sh(make, dir).exitCode, 0);
    const std::string assets = readText(dir.path("assets.h"));
    std::size_t total = 0;
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input);
        const std::string header = readText(dir.path(input.substr(0, input.size() - 4) + ".h"));
        EXPECT_EQ(header, sh(cli + input + " -", dir).out);
        const bool picture = input.ends_with(".bmp");
        EXPECT_EQ(assets.find("\r\n\r\n\r\n" + header) != std::string::npos, picture);
        total += picture ? 6 + header.size() : 0;
    }
    EXPECT_EQ(assets.size(), total);  // each block once, nothing else
    EXPECT_EQ(sh("gcc -std=c99 -Wall -Werror -c -x c assets.h -o assets.o", dir).exitCode, 0);
    fs::create_directory(dir.path("again"));
    EXPECT_EQ(sh(cli + "--transparent FF00FF --make-palette again/palette.h " + sprites[2] + " " +
                     sprites[1] + " " + sprites[0] + " && cmp palette.h again/palette.h",
                 dir)
                  .exitCode,
              0);
    writeText(dir.path("game.c"),
              "#include \"palette.h\"\n"
              "#include \"s0_spr.h\"\n#include \"s1_spr.h\"\n#include \"s2_spr.h\"\n");
    writeText(dir.path("gpgraphic.h"), "typedef unsigned short GP_PALETTEENTRY;\n");
    EXPECT_EQ(sh("gcc -std=c99 -Wall -Werror -c game.c", dir).exitCode, 0);
    const auto dayAgo = fs::last_write_time(dir.path("assets.h")) - std::chrono::hours(24);
    fs::last_write_time(dir.path("assets.h"), dayAgo);
    const auto again = sh("DRY=-n; " + make, dir);  // what would run
    EXPECT_EQ(again.out + again.err, "");
    EXPECT_EQ(sh(cli + "--replace p2.bmp assets.h", dir).exitCode, 0);
    EXPECT_EQ(fs::last_write_time(dir.path("assets.h")), dayAgo);
    const auto added = sh(cli + "-a p2.bmp assets.h", dir);
    EXPECT_EQ(added.exitCode, 1);
    EXPECT_EQ(added.err,
              "tessera-cli: assets.h: it already holds p2: give --replace to replace it\n");
    EXPECT_EQ(readText(dir.path("assets.h")), assets);
}

}  // namespace
}  // namespace tessera::test
