// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/Errors.h"
#include "platform/OutputFile.h"
#include "platform/OutputPair.h"
#include "platform/Signals.h"
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
        files[e.path()] = !e.is_symlink() && e.is_regular_file() ? readFile(e.path()) : Bytes{};
    return files;
}

// Outputs the window cannot use (a folder: see the command line's), and writes the system stops (a
// read-only file or folder, written as "nobody" when run as root, who writes through any mode bits;
// a full disk: RLIMIT_FSIZE stops writes past 64 KiB, mid-file): one message with the reason, and
// every file as it was.
TEST(OutputSafety, UnusableOutputsAndStoppedWritesChangeNothing) {
    TempDir dir;
    fs::permissions(dir.dir(), fs::perms(0711));
    const std::string pic = dir.path("pic.bmp");
    writeFile(pic, buildBmp(Picture::pattern(256, 256, 8)));
    writeText(dir.path("plain.txt"), kOld);
    fs::create_symlink(pic, dir.path("alias.h"));
    // A NUL early, text after.
    writeText(dir.path("image.h"), std::string("GPG0\0\0\1\0", 8) + std::string(69992, 'a'));
    fs::create_hard_link(dir.path("plain.txt"), dir.path("twin.h"));
    // What `tessera-cli in.bmp /dev/stdout >> build.log` meets: a descriptor's file.
    const int log = ::open(dir.path("build.log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    fs::create_symlink("/proc/self/fd/" + std::to_string(log), dir.path("fd.h"));
    fs::create_symlink("/proc/self/fd", dir.path("fds"));  // `ln -s /proc/self/fd d; ... d/1`
    fs::create_symlink("l2.h", dir.path("l1.h"));
    fs::create_symlink("l1.h", dir.path("l2.h"));
    fs::create_symlink("/proc/version", dir.path("version.h"));
    for (const std::string folder : {"rw", "ro"}) {
        fs::create_directory(dir.path(folder));
        writeText(dir.path(folder + "/old.h"), kOld);
    }
    fs::permissions(dir.path("rw/old.h"), fs::perms(0444));
    fs::permissions(dir.path("rw"), fs::perms(0777));
    fs::permissions(dir.path("ro/old.h"), fs::perms(0666));
    fs::permissions(dir.path("ro"), fs::perms(0555));
    fs::create_symlink("gone.h", dir.path("dl.h"));  // dangling: the data would go there
    // pic's block with a value edited by hand where it shows (a palette colour's intensity bit),
    // the block twice, and a macro named as pic's array.
    convertInWindow(pic, dir.path("edited.h"));
    const std::string block = readText(dir.path("edited.h"));
    const auto palette = block.find("      0x", block.find("GP_PALETTEENTRY"));
    std::string edited = block;
    edited[block.find(',', palette) - 1] ^= 1;  // the first colour's last digit: 1 and 0 swap
    writeText(dir.path("edited.h"), edited);
    writeText(dir.path("twice.h"), block + "\r\n\r\n\r\n" + block);
    writeText(dir.path("macro.h"), "#define pic 8\r\n");
    const auto before = snapshot(dir.dir());
    enum Stop { Nothing, AsNobody, FullDisk, LogAsStdout };
    struct Row {
        std::string output;
        bool add;
        Reason code;
        std::string says;  // the system's words, or ours
        Stop stop = Nothing;
    };
    const std::string denied = "Permission denied", stream = "stands for a stream";
    const std::string logFd = std::to_string(log), loop = "Too many levels of symbolic links";
    using R = Reason;
    const Row rows[] = {
        // clang-format off
        {"missing/out.h", true, R::OutputUnwritable, "No such file or directory"},
        {"plain.txt/out.h", false, R::OutputUnwritable, "Not a directory"},
        {"image.h", true, R::OutputNotText, "not a text file"},
        {"alias.h", true, R::OutputIsInput, "the output would replace the input"},
        {"twin.h", false, R::OutputRefused, "2 names (hard links)"},
        {"fd.h", true, R::OutputRefused, stream},
        // However the descriptor is spelt, and the file itself while it is the standard output.
        {"/dev/./fd/" + logFd, false, R::OutputRefused, stream},
        {"fds/" + logFd, false, R::OutputRefused, stream},
        {"build.log", false, R::OutputIsStandardStream, stream, LogAsStdout},
        {"l1.h", false, R::OutputRefused, loop}, {"l2.h", true, R::OutputRefused, loop},
        {"version.h", false, R::OutputRefused, "file of the running system"},
        {"rw/old.h", false, R::OutputUnwritable, denied, AsNobody},
        {"rw/old.h", true, R::OutputUnwritable, denied, AsNobody},
        {"ro/old.h", false, R::OutputUnwritable, denied + " in the folder", AsNobody},
        {"dl.h", false, R::OutputUnwritable, "File too large", FullDisk},
        {"dl.h", true, R::OutputUnwritable, "File too large", FullDisk},
        {"edited.h", true, R::NameDefinedElsewhere,
         "it already defines pic, but line 24 is not as Tessera writes it"},
        {"twice.h", true, R::NameTwice, "defines pic_width again, beside the block of line 1;"},
        {"macro.h", true, R::NameCollision,
         "line 1 has the macro pic, which the new block's array pic would"},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.output + (row.add ? " (add)" : ""));
        const auto result = runInChild([&] {
            const rlimit limit{1 << 16, 1 << 16};
            if (row.stop == FullDisk &&
                (::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &limit) != 0))
                return std::string("no file-size limit");
            if (row.stop == LogAsStdout && ::dup2(log, STDOUT_FILENO) < 0)
                return std::string("no dup2");
            if (row.stop == AsNobody && ::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
                return std::string("no nobody");
            const InWindow run = convertInWindow(
                pic, row.output.starts_with('/') ? row.output : dir.path(row.output), row.add);
            if (run.shown.size() != 1)
                return "messages: " + std::to_string(run.shown.size());
            return childText(run.outcome);
        });
        ASSERT_FALSE(result.text.starts_with("messages: ")) << result.text;
        EXPECT_EQ(childReason(result.text), row.code) << result.text;
        EXPECT_NE(result.text.find(row.says), std::string::npos) << result.text;
        EXPECT_EQ(snapshot(dir.dir()), before);
    }
    EXPECT_EQ(fs::status(dir.path("rw/old.h")).permissions(), fs::perms(0444));
    fs::permissions(dir.path("ro"), fs::perms(0755));  // so that the folder can be removed
    ::close(log);
}

// A symbolic link, live or dangling, is written through and stays a link; a replaced file keeps
// its mode, and its owner and group where the process may give them (root). Any name the folder
// takes works (the temporary file's name is cut to fit). Temporary files that a killed run left
// beside a file are removed when the file is next replaced, those of a run still writing (it
// holds their lock) are not; a new file is named at once, so it can have none.
TEST(OutputSafety, LinksOwnersLongNamesAndLeftoversOfKilledRuns) {
    TempDir dir;
    fs::create_directory(dir.path("real"));
    const std::string longest = std::string(253, 'n') + ".h";
    const auto target = dir.path("real/" + longest), link = dir.path("link.h");
    writeText(target, kOld);
    fs::permissions(target, fs::perms(0640));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    }
    fs::create_symlink("real/" + longest, link);
    fs::create_symlink("real/gone.h", dir.path("dl.h"));
    writeText(dir.path("real/.gone.h.tessera-dead00"), "left by a killed run");
    writeText(dir.path("real/.gone.h.tessera-alive0"), "still being written");
    const int alive = ::open(dir.path("real/.gone.h.tessera-alive0").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(alive, LOCK_EX), 0);
    ASSERT_EQ(writeThrough(link, Mode::Replace, 5), "");
    ASSERT_EQ(writeThrough(link, Mode::Append, 2), "");
    ASSERT_EQ(writeThrough(dir.path("dl.h"), Mode::Append, 3), "");
    ASSERT_EQ(writeThrough(dir.path("dl.h"), Mode::Append, 1), "");
    ::close(alive);
    EXPECT_EQ(fs::read_symlink(link), "real/" + longest);
    EXPECT_EQ(readText(target), "xxxxxxx");
    EXPECT_EQ(readText(dir.path("real/gone.h")), "xxxx");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(st.st_gid, root ? 65534u : ::getegid());
    EXPECT_EQ(folderEntries(dir.dir()), (std::vector<std::string>{"dl.h", "link.h", "real"}));
    EXPECT_EQ(folderEntries(dir.path("real")),
              (std::vector<std::string>{".gone.h.tessera-alive0", "gone.h", longest}));
}

// Adding to a large file, or replacing a block in one, reads the file a piece at a time: the
// memory stays inside the README's promise and the time grows with the file and no faster (as
// for hostile inputs). Ten million empty lines, and a header holding a block of 4 Mi indices.
TEST(OutputSafety, AddingToALargeFileReadsItAPieceAtATime) {
    TempDir dir;
    const std::string big = dir.path("ship.bmp"), small = dir.path("boat.bmp");
    writeFile(big, buildBmp(Picture::pattern(2048, 2048, 8)));
    writeFile(small, buildBmp(Picture::pattern(8, 8, 8)));
    ASSERT_EQ(runProgram({TESSERA_CLI_PATH, "-q", big, dir.path("blocks.h")}).exitCode, 0);
    std::string blank;
    for (int k = 0; k < 10000000; ++k)
        blank += "\r\n";
    writeText(dir.path("blank.h"), blank);
    blank = {};
    struct Row {
        std::string output;
        std::string name;  // the name of the block added or replaced
    };
    const Row rows[] = {{"blank.h", "boat"}, {"blocks.h", "boat"}, {"blocks.h", "ship"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.output + ", " + row.name);
        const std::string output = dir.path(row.output);
        const double megabytes = static_cast<double>(fs::file_size(output)) / 1e6;
        const auto run = runInChild([&] {
            limitAddressSpace();
            const InWindow added = convertInWindow(
                small, output, true, {}, [&](Form1& form) { form.txtVar.Text() = row.name; });
            return childText(added.outcome);
        });
        EXPECT_EQ(childReason(run.text), Reason::None) << run.text;
        EXPECT_LT(run.cpuSeconds, (kUnderSanitizer ? 10 : 1) * (0.25 + 0.03 * megabytes));
    }
}

// What a process has written so far, by its kernel's count.
long bytesWritten(pid_t pid) {
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    long value = 0;
    while (io >> key >> value && key != "wchar:") {
    }
    return value;
}

// Whatever ends tessera-cli in the middle of a replacement or an addition: every terminating
// signal that can be caught (a closed terminal's HUP, a broken pipe) still ends it, and what it
// had written is undone; SIGKILL leaves the old file too. The child is stopped the moment its
// writing shows (its first full buffer written: the temporary file may have no name), so the
// signal lands mid-write however loaded the machine is.
TEST(Interrupt, WhateverEndsAWriteLeavesTheOldFileAsItWas) {
    for (const int signal : {SIGINT, SIGHUP, SIGPIPE, SIGKILL})
        for (const bool add : {false, true}) {
            SCOPED_TRACE(std::string(add ? "add, " : "replace, ") + ::strsignal(signal));
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
            while (::waitpid(pid, &status, WNOHANG) == 0 && bytesWritten(pid) < (1 << 16))
                ::usleep(100);
            ::kill(pid, SIGSTOP);  // an ended child is reaped already: no stop to wait for
            ASSERT_TRUE(::waitpid(pid, &status, WUNTRACED) == pid && WIFSTOPPED(status))
                << "tessera-cli ended before writing";
            ::kill(pid, signal);
            ::kill(pid, SIGCONT);
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
            EXPECT_EQ(readText(output), kOld);
            if (signal == SIGKILL) {  // no handler runs: what stays is cleaned by the next run
                writeFile(input, buildBmp(Picture::pattern(4, 4, 8)));
                EXPECT_EQ(runProgram({TESSERA_CLI_PATH, "-q", input, output}).exitCode, 0);
            }
            EXPECT_EQ(folderEntries(dir.dir()), (std::vector<std::string>{"big.bmp", "out.h"}));
        }
}

// A data file and its header take their new contents together, whatever stops the run between
// its two renames: a signal that can be caught waits until both are made; SIGKILL leaves a note
// beside each file, and the next run writing either one first makes the rename the killed run
// did not. Nothing is left beside them.
TEST(Interrupt, APairIsBothOldOrBothNewWhateverStopsItBetweenItsRenames) {
    TempDir dir;
    const std::string oldPic = dir.path("old.bmp"), newPic = dir.path("new.bmp");
    writeFile(oldPic, buildBmp(Picture::pattern(8, 8, 8)));
    writeFile(newPic, buildBmp(Picture::pattern(16, 4, 8)));
    const std::string data = dir.path("a.c"), header = dir.path("a.h");
    const auto pair = [&](const std::string& pic) {
        return convertInWindow(pic, data, false, {}, [&](Form1& f) { f.headerPath = header; });
    };
    pair(newPic);
    const std::string newData = readText(data), newHeader = readText(header);
    for (const int signal : {SIGTERM, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(::strsignal(signal));
        pair(oldPic);
        const std::string oldHeader = readText(header);
        static int stopWith;
        stopWith = signal;
        const auto result = runInChild([&] {
            installTerminationHandlers();
            pairFaultPoint = [] { ::raise(stopWith); };
            pair(newPic);
            return std::string("not stopped");
        });
        EXPECT_TRUE(WIFSIGNALED(result.status) && WTERMSIG(result.status) == signal) << result.text;
        EXPECT_EQ(readText(data), newData);
        if (signal == SIGKILL) {
            EXPECT_EQ(readText(header), oldHeader);
            ASSERT_EQ(writeThrough(header, Mode::Append, 3), "");
            EXPECT_EQ(readText(header), newHeader + "xxx");
            pair(newPic);
        }
        EXPECT_EQ(readText(header), newHeader);
        EXPECT_EQ(folderEntries(dir.dir()),
                  (std::vector<std::string>{"a.c", "a.h", "new.bmp", "old.bmp"}));
    }
}

// Under a process limit (`ulimit -u`) no thread can be started: a picture big enough to be
// shared between threads is converted on the calling thread alone, to the same bytes. (Root is
// above the limit: the child runs as nobody.)
TEST(Interrupt, NoThreadToBeHadConvertsOnOneThread) {
    TempDir dir;
    fs::permissions(dir.dir(), fs::perms(0777));
    const std::string pic = dir.path("wide.bmp");
    writeFile(pic, buildBmp(Picture::pattern(320, 256, 24)));
    fs::permissions(pic, fs::perms(0644));
    ASSERT_TRUE(convertInWindow(pic, dir.path("free.h")).outcome.done());
    const auto result = runInChild([&] {
        const rlimit one{1, 1};
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return std::string("no nobody");
        if (::setrlimit(RLIMIT_NPROC, &one) != 0)
            return std::string("no process limit");
        return childText(convertInWindow(pic, dir.path("limited.h")).outcome);
    });
    EXPECT_EQ(childReason(result.text), Reason::None) << result.text;
    EXPECT_EQ(readText(dir.path("limited.h")), readText(dir.path("free.h")));
}

// A file-size limit (`ulimit -f`) makes the write fail instead of killing tessera-cli: the
// usual refusal with its reason, the old file as it was, nothing left behind.
TEST(Interrupt, AFileSizeLimitFailsTheWriteInsteadOfEndingTheProgram) {
    for (const std::string mode : {"-q", "-a"}) {
        SCOPED_TRACE(mode);
        TempDir dir;
        Bytes big = buildBmp(Picture::pattern(4, 4, 8));
        putLe32(big, 18, 8192);
        putLe32(big, 22, 8192);
        writeFile(dir.path("big.bmp"), big);
        writeText(dir.path("out.h"), kOld);
        const std::string command = std::string("ulimit -f 100; exec ") + TESSERA_CLI_PATH +
                                    " -q " + mode + " big.bmp out.h";
        const auto run = runProgram({"sh", "-c", command}, dir.dir().string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        EXPECT_EQ(readText(dir.path("out.h")), kOld);
        EXPECT_EQ(folderEntries(dir.dir()), (std::vector<std::string>{"big.bmp", "out.h"}));
    }
}

}  // namespace
}  // namespace tessera::test
