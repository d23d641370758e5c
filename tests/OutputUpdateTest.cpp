#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Errors.h"
#include "platform/OutputFile.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;
using Mode = OutputFile::Mode;

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
