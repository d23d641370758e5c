#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/Builders.h"
#include "support/Hostile.h"

namespace tessera {
namespace {

using test::Bytes;
using test::HostileCase;
using test::Picture;
using E = HostileCase;

TEST(HostileRaw, SizesAreCheckedBeforeAnyAllocation) {
    const Bytes raw = test::buildRaw(Picture::pattern(4, 4, 8));
    auto sized = [](const char* w, const char* h, bool bits24 = false) {
        return test::ScriptedUi::RawAnswer{.width = w, .height = h, .bits24 = bits24};
    };
    const std::vector<HostileCase> cases{
        {"width 0", raw, E::Refused, "out.h", sized("0", "4")},
        {"height 0", raw, E::Refused, "out.h", sized("4", "0")},
        {"negative width", raw, E::Refused, "out.h", sized("-4", "4")},
        {"negative height", raw, E::Refused, "out.h", sized("4", "-4")},
        {"4294967296 x 1", raw, E::Refused, "out.h", sized("4294967296", "1")},
        {"65536 x 65536 x 24", raw, E::Refused, "out.h", sized("65536", "65536", true)},
        {"65535 x 65535 x 8", raw, E::Refused, "out.gpg", sized("65535", "65535")},
        {"file shorter than the size", raw, E::Converted, "out.h", sized("8", "8")},
        {"file longer than the size", raw, E::Converted, "out.h", sized("2", "2")},
        {"empty file", {}, E::Converted, "out.h", sized("2", "2", true)},
    };
    test::checkHostileCases(cases, ".raw", false);
}

TEST(HostileRaw, OnlyRegularFilesAreRead) {
    // A folder, a FIFO with no writer and an endless device: each refused, none read.
    test::TempDir dir;
    std::filesystem::create_directory(dir.path("folder.raw"));
    ASSERT_EQ(::mkfifo(dir.path("pipe.raw").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.path("zero.raw"));
    for (const char* name : {"folder.raw", "pipe.raw", "zero.raw"}) {
        SCOPED_TRACE(name);
        const auto run = test::runHostile(dir, name, {}, false, test::Command::New);
        ASSERT_TRUE(run.child.exitedWith(0));
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_NE(run.messages[0].find("not a regular file"), std::string::npos) << run.messages[0];
        EXPECT_LT(run.child.seconds, 2.0);
        EXPECT_FALSE(std::filesystem::exists(dir.path("out.h")));
    }
}

}  // namespace
}  // namespace tessera
