#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "app/Errors.h"
#include "app/OutputFile.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;
using Mode = OutputFile::Mode;
const std::string kOld = "/* what the user already had */\r\n";

// Writes `bytes` through an OutputFile and commits; returns the failure text, empty on success.
std::string writeThrough(const std::string& path, Mode mode, std::size_t bytes) {
    try {
        OutputFile out(path, mode);
        out.write(std::string(bytes, 'x'));
        out.commit();
    } catch (const TesseraError& e) {
        return e.what();
    }
    return {};
}

// Every file below `dir` with its bytes (folders and links as empty).
std::map<std::string, test::Bytes> snapshot(const fs::path& dir) {
    std::map<std::string, test::Bytes> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        files[e.path()] = e.is_regular_file() ? test::readFile(e.path()) : test::Bytes{};
    return files;
}

// Outputs the window cannot use: one message with the reason, and every file as it was.
TEST(OutputSafety, UnusableOutputsAreRefusedWithTheReason) {
    test::TempDir dir;
    const std::string pic = dir.path("pic.bmp");
    test::writeFile(pic, test::buildBmp(test::Picture::pattern(4, 4, 8)));
    fs::create_directory(dir.path("folder.h"));
    test::writeText(dir.path("plain.txt"), kOld);
    fs::create_symlink(pic, dir.path("alias.h"));
    test::Bytes binary{'G', 'P', 'G', '0', 0, 0, 1, 0};
    binary.resize(70000, 'a');  // a NUL early, text after
    test::writeFile(dir.path("image.h"), binary);
    const auto before = snapshot(dir.dir());
    for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
             {"folder.h", "it is a folder"},
             {"missing/out.h", "No such file or directory"},
             {"plain.txt/out.h", "Not a directory"},
             {"pic.bmp", "the output would replace the input"},
             {"alias.h", "the output would replace the input"},
             {"image.h", "not a text file"}}) {
        for (const bool add : {true, false}) {
            if (!add && name == "image.h")
                continue;  // a new file may replace a binary one
            SCOPED_TRACE(name + (add ? " (add)" : ""));
            const auto shown = test::convertInWindow(pic, dir.path(name), add);
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_NE(shown[0].find(reason), std::string::npos) << shown[0];
            EXPECT_EQ(snapshot(dir.dir()), before);
        }
    }
}

// Writes that the system stops: a read-only file or folder (as "nobody": root writes through
// any mode bits) and a full disk (RLIMIT_FSIZE stops writes past 64 KiB, mid-file).
TEST(OutputSafety, StoppedWritesLeaveNoTraceAndNoDamage) {
    test::TempDir dir;
    fs::permissions(dir.dir(), fs::perms(0711));
    for (const char* folder : {"rw", "ro"})
        fs::create_directory(dir.path(folder));
    for (const char* file : {"rw/locked.h", "ro/kept.h", "old.h"})
        test::writeText(dir.path(file), kOld);
    for (const auto& [path, perms] : {std::pair{"rw/locked.h", 0444}, std::pair{"ro/kept.h", 0666},
                                      std::pair{"rw", 0777}, std::pair{"ro", 0555}})
        fs::permissions(dir.path(path), fs::perms(perms));
    const auto before = snapshot(dir.dir());
    const struct {
        std::string path;
        Mode mode;
        bool fullDisk = false;
    } rows[] = {
        // clang-format off
        {"rw/locked.h", Mode::Replace}, {"rw/locked.h", Mode::Append}, {"ro/new.h", Mode::Replace},
        {"ro/kept.h", Mode::Replace}, {"new.h", Mode::Replace, true}, {"old.h", Mode::Append, true},
        // clang-format on
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path);
        const auto result = test::runInChild([&] {
            const rlimit limit{1 << 16, 1 << 16};
            if (r.fullDisk &&
                (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
                return std::string("no limit");
            if (!r.fullDisk &&
                (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                return std::string("cannot become nobody");
            return writeThrough(dir.path(r.path), r.mode, 300000);
        });
        const std::string reason = r.fullDisk ? "File too large" : "Permission denied";
        EXPECT_NE(result.text.find(reason), std::string::npos) << result.text;
        EXPECT_EQ(snapshot(dir.dir()), before);
    }
    EXPECT_EQ(fs::status(dir.path("rw/locked.h")).permissions(), fs::perms(0444));
}

TEST(OutputSafety, ASymbolicLinkStaysALinkToItsRewrittenTarget) {
    test::TempDir dir;
    fs::create_directory(dir.path("real"));
    const auto target = dir.path("real/target.h"), link = dir.path("link.h");
    test::writeText(target, kOld);
    fs::permissions(target, fs::perms(0640));
    fs::create_symlink("real/target.h", link);
    ASSERT_EQ(writeThrough(link, Mode::Replace, 5), "");
    ASSERT_EQ(writeThrough(link, Mode::Append, 2), "");
    EXPECT_EQ(fs::read_symlink(link), "real/target.h");
    EXPECT_EQ(test::readText(target), "xxxxxxx");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_EQ(test::folderEntries(dir.path("real")), std::vector<std::string>{"target.h"});
}

}  // namespace
}  // namespace tessera
