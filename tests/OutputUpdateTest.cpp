#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Errors.h"
#include "platform/OutputFile.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;
using Mode = OutputFile::Mode;

// Eight processes appending to one file at once, each with a block large enough to be written
// in many pieces: every block arrives whole, and the lock leaves no file behind. The file does
// not exist at first, so the first writers wait on its folder, the later ones on a file that is
// renamed over while they wait.
TEST(OutputUpdate, ParallelAppendsKeepEveryBlockWhole) {
    TempDir dir;
    const std::string target = dir.path("assets.h");
    constexpr int kWriters = 8;
    constexpr std::size_t kBlock = 300000;
    std::vector<pid_t> children;
    for (int i = 0; i < kWriters; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            OutputFile out(target, Mode::Append);
            out.write(std::string(kBlock, static_cast<char>('a' + i)) + "\n");
            out.commit();
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const std::string text = readText(target);
    ASSERT_EQ(text.size(), kWriters * (kBlock + 1));
    std::string seen;
    for (std::size_t at = 0; at < text.size(); at += kBlock + 1) {
        const char c = text[at];
        EXPECT_EQ(text.substr(at, kBlock + 1), std::string(kBlock, c) + "\n") << at;
        seen += c;
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, "abcdefgh");
    EXPECT_EQ(folderEntries(dir.dir().string()), std::vector<std::string>{"assets.h"});
}

// An update reads the old bytes and keeps what it copies; a dropped one leaves the file as it
// was, and one that writes the same bytes leaves even the time stamp.
TEST(OutputUpdate, CopiesRangesOfTheOriginalAndOnlyCommitsAChange) {
    TempDir dir;
    const std::string target = dir.path("a.h");
    {
        OutputFile fresh(target, Mode::Update);
        EXPECT_EQ(fresh.original(), nullptr);
        fresh.write("0123456789");
        fresh.commit();
    }
    {
        OutputFile dropped(target, Mode::Update);
        dropped.write("lost");
    }
    EXPECT_EQ(readText(target), "0123456789");
    {
        OutputFile middle(target, Mode::Update);
        ASSERT_NE(middle.original(), nullptr);
        EXPECT_EQ(middle.original()->length(), 10);
        middle.copyOriginal(0, 3);
        middle.write("-");
        middle.copyOriginal(7, 3);
        middle.commit();
    }
    EXPECT_EQ(readText(target), "012-789");
    fs::last_write_time(target, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto stamp = fs::last_write_time(target);
    {
        OutputFile same(target, Mode::Update);
        same.copyOriginal(0, 7);
        same.commit();
    }
    EXPECT_EQ(fs::last_write_time(target), stamp);
    EXPECT_EQ(folderEntries(dir.dir().string()), std::vector<std::string>{"a.h"});
}

}  // namespace
}  // namespace tessera::test
