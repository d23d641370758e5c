#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "platform/Errors.h"
#include "platform/OutputFile.h"
#include "support/Builders.h"
#include "support/Child.h"
#include "support/Window.h"

namespace tessera::test {
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
std::map<std::string, Bytes> snapshot(const fs::path& dir) {
    std::map<std::string, Bytes> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        files[e.path()] = e.is_regular_file() ? readFile(e.path()) : Bytes{};
    return files;
}

// Outputs the window cannot use: one message with the reason, and every file as it was.
TEST(OutputSafety, UnusableOutputsAreRefusedWithTheReason) {
    TempDir dir;
    const std::string pic = dir.path("pic.bmp");
    writeFile(pic, buildBmp(Picture::pattern(4, 4, 8)));
    fs::create_directory(dir.path("folder.h"));
    writeText(dir.path("plain.txt"), kOld);
    fs::create_symlink(pic, dir.path("alias.h"));
    // A NUL early, text after.
    writeText(dir.path("image.h"), std::string("GPG0\0\0\1\0", 8) + std::string(69992, 'a'));
    const auto before = snapshot(dir.dir());
    const std::string kInput = "the output would replace the input";
    // clang-format off
    for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
             {"folder.h", "it is a folder"}, {"missing/out.h", "No such file or directory"},
             {"plain.txt/out.h", "Not a directory"}, {"image.h", "not a text file"},
             {"pic.bmp", kInput}, {"alias.h", kInput}}) {
        // clang-format on
        for (const bool add : {true, name == "image.h"}) {  // a new file may replace a binary one
            SCOPED_TRACE(name + (add ? " (add)" : ""));
            const auto shown = convertInWindow(pic, dir.path(name), add);
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_NE(shown[0].find(reason), std::string::npos) << shown[0];
            EXPECT_EQ(snapshot(dir.dir()), before);
        }
    }
}

// Writes that the system stops: a read-only file or folder and a full disk (RLIMIT_FSIZE stops
// writes past 64 KiB, mid-file). Root writes through any mode bits, so as root the child becomes
// "nobody" for the read-only cases; an ordinary user is stopped as it is.
TEST(OutputSafety, StoppedWritesLeaveNoTraceAndNoDamage) {
    TempDir dir;
    fs::permissions(dir.dir(), fs::perms(0711));
    const std::pair<const char*, int> entries[] = {
        {"rw", 0777}, {"ro", 0555}, {"rw/locked.h", 0444}, {"ro/kept.h", 0666}, {"old.h", 0644}};
    for (const auto& [path, perms] : entries) {
        if (std::string(path).ends_with(".h"))
            writeText(dir.path(path), kOld);
        else
            fs::create_directory(dir.path(path));
    }
    for (auto e = std::rbegin(entries); e != std::rend(entries); ++e)  // files before folders
        fs::permissions(dir.path(e->first), fs::perms(e->second));
    const auto before = snapshot(dir.dir());
    const std::pair<std::string, Mode> writes[] = {
        {"rw/locked.h", Mode::Replace}, {"rw/locked.h", Mode::Append}, {"ro/new.h", Mode::Replace},
        {"ro/kept.h", Mode::Replace},   {"new.h", Mode::Replace},      {"old.h", Mode::Append}};
    for (const auto& [path, mode] : writes) {
        const bool fullDisk = path.find('/') == std::string::npos;  // the folders are for nobody
        SCOPED_TRACE(path);
        const auto result = runInChild([&] {
            bool stopped = true;
            if (fullDisk) {
                const rlimit limit{1 << 16, 1 << 16};
                stopped =
                    ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
            } else if (::geteuid() == 0) {
                stopped =
                    ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
            }
            return stopped ? writeThrough(dir.path(path), mode, 300000) : "no nobody, no limit";
        });
        const std::string reason = fullDisk ? "File too large" : "Permission denied";
        EXPECT_NE(result.text.find(reason), std::string::npos) << result.text;
        EXPECT_EQ(snapshot(dir.dir()), before);
    }
    EXPECT_EQ(fs::status(dir.path("rw/locked.h")).permissions(), fs::perms(0444));
    fs::permissions(dir.path("ro"), fs::perms(0755));  // so that the folder can be removed
}

TEST(OutputSafety, ASymbolicLinkStaysALinkToItsRewrittenTarget) {
    TempDir dir;
    fs::create_directory(dir.path("real"));
    const auto target = dir.path("real/target.h"), link = dir.path("link.h");
    writeText(target, kOld);
    fs::permissions(target, fs::perms(0640));
    fs::create_symlink("real/target.h", link);
    ASSERT_EQ(writeThrough(link, Mode::Replace, 5), "");
    ASSERT_EQ(writeThrough(link, Mode::Append, 2), "");
    EXPECT_EQ(fs::read_symlink(link), "real/target.h");
    EXPECT_EQ(readText(target), "xxxxxxx");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_EQ(folderEntries(dir.path("real")), std::vector<std::string>{"target.h"});
}

// SIGINT or SIGTERM in the middle of a replacement or an addition: the signal still ends
// tessera-cli, and what it had written is undone. The child is stopped the moment its writing
// shows (a temporary file beside out.h, or out.h grown), so the signal lands mid-write however
// loaded the machine is.
TEST(Interrupt, ASignalMidWriteLeavesTheOldFileAsItWas) {
    for (const auto& [add, sig] : {std::pair{false, SIGINT}, std::pair{true, SIGTERM}}) {
        SCOPED_TRACE(add ? "add" : "replace");
        TempDir dir;
        // A few bytes claiming 8192 x 8192: seconds of writing, never finished here.
        Bytes big = buildBmp(Picture::pattern(4, 4, 8));
        putLe32(big, 18, 8192);
        putLe32(big, 22, 8192);
        const std::string input = dir.path("big.bmp"), output = dir.path("out.h");
        writeFile(input, big);
        writeText(output, kOld);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::execl(TESSERA_CLI_PATH, TESSERA_CLI_PATH, "-q", add ? "-a" : "-q", input.c_str(),
                    output.c_str(), nullptr);
            ::_exit(127);
        }
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0 &&
               (add ? std::filesystem::file_size(output) == kOld.size()
                    : folderEntries(dir.dir()).size() == 2))
            ::usleep(100);
        ::kill(pid, SIGSTOP);  // an ended child is reaped already: no stop to wait for
        ASSERT_TRUE(::waitpid(pid, &status, WUNTRACED) == pid && WIFSTOPPED(status))
            << "tessera-cli ended before writing";
        ::kill(pid, sig);
        ::kill(pid, SIGCONT);
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(folderEntries(dir.dir()), (std::vector<std::string>{"big.bmp", "out.h"}));
        EXPECT_EQ(readText(output), kOld);
    }
}

}  // namespace
}  // namespace tessera::test
