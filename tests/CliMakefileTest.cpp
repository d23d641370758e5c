#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "CliProcess.h"
#include "support/Builders.h"
#include "support/Files.h"

namespace tessera {
namespace {

// The first ```make block of the README, exactly as a reader would copy it.
std::string readmeMakefile() {
    const auto readme = std::filesystem::path(__FILE__).parent_path().parent_path() / "README.md";
    const std::string text = test::readText(readme.string());
    const std::string open = "```make\n";
    const auto start = text.find(open);
    if (start == std::string::npos)
        return {};
    const auto end = text.find("```", start + open.size());
    return text.substr(start + open.size(), end - start - open.size());
}

struct timespec modified(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim;
}

TEST(CliMakefile, ReadmeExampleBuildsEveryHeaderAndThenNothing) {
    const std::string makefile = readmeMakefile();
    ASSERT_FALSE(makefile.empty());
    test::TempDir dir;
    test::writeText(dir.path("assets.mk"), makefile);
    test::writeFile(dir.path("my-ship.bmp"), test::buildBmp(test::Picture::pattern(5, 3, 8)));
    test::writeFile(dir.path("sky.bmp"), test::buildBmp(test::Picture::pattern(4, 4, 24)));
    test::writeFile(dir.path("1up.wav"), test::buildWav(test::Bytes{1, 2, 3, 250}));
    const std::string tessera = std::string("TESSERA=") + TESSERA_CLI_PATH;

    const auto first = test::runProgram({"make", "-f", "assets.mk", tessera}, dir.dir().string());
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    // Each header is what the command writes when called by hand.
    for (const std::string base : {"my-ship", "sky", "1up"}) {
        SCOPED_TRACE(base);
        const std::string input = base + (base == "1up" ? ".wav" : ".bmp");
        const auto byHand = test::runCli({"-q", input, "by-hand.h"}, dir.dir().string());
        ASSERT_EQ(byHand.exitCode, 0) << byHand.err;
        EXPECT_EQ(test::readFile(dir.path(base + ".h")), test::readFile(dir.path("by-hand.h")));
    }
    EXPECT_NE(test::readText(dir.path("my-ship.h")).find("my_ship"), std::string::npos);
    EXPECT_NE(test::readText(dir.path("1up.h")).find("_1up"), std::string::npos);

    // A second run finds everything up to date and touches nothing.
    const auto before = modified(dir.path("sky.h"));
    const auto second = test::runProgram({"make", "-f", "assets.mk", tessera}, dir.dir().string());
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out.find("tessera-cli"), std::string::npos) << second.out;
    const auto after = modified(dir.path("sky.h"));
    EXPECT_EQ(before.tv_sec, after.tv_sec);
    EXPECT_EQ(before.tv_nsec, after.tv_nsec);
}

}  // namespace
}  // namespace tessera
