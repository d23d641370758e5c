#include <gtest/gtest.h>

#include <filesystem>

#include "support/Builders.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera {
namespace {

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
