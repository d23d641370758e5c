#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/Builders.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera {
namespace {

// Waits until the temporary file beside out.h appears (`add`: until out.h first grows).
bool waitForWriting(int watch, bool add) {
    alignas(inotify_event) char buffer[4096];
    pollfd ready{watch, POLLIN, 0};
    while (::poll(&ready, 1, 60000) == 1) {
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            const std::string name = e->len > 0 ? e->name : "";
            if (add ? (e->mask & IN_MODIFY) && name == "out.h"
                    : (e->mask & IN_CREATE) && name.starts_with(".out.h.tessera-"))
                return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
    }
    return false;
}

// SIGINT or SIGTERM in the middle of a replacement or an addition: the signal still ends
// tessera-cli, and what it had written is undone. The child is stopped the moment its writing
// shows, so the signal lands mid-write however loaded the machine is.
TEST(Interrupt, ASignalMidWriteLeavesTheOldFileAsItWas) {
    const std::string old = "/* what the user already had */\r\n";
    for (const auto& [add, sig] : {std::pair{false, SIGINT}, std::pair{true, SIGTERM}}) {
        SCOPED_TRACE(add ? "add" : "replace");
        test::TempDir dir;
        // A few bytes claiming 8192 x 8192: seconds of writing, never finished here.
        test::Bytes big = test::buildBmp(test::Picture::pattern(4, 4, 8));
        test::putLe32(big, 18, 8192);
        test::putLe32(big, 22, 8192);
        const std::string input = dir.path("big.bmp"), output = dir.path("out.h");
        test::writeFile(input, big);
        test::writeText(output, old);
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(::inotify_add_watch(watch, dir.dir().c_str(), IN_CREATE | IN_MODIFY), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::execl(TESSERA_CLI_PATH, TESSERA_CLI_PATH, "-q", add ? "-a" : "-q", input.c_str(),
                    output.c_str(), nullptr);
            ::_exit(127);
        }
        const bool writing = waitForWriting(watch, add);
        ::close(watch);
        ::kill(pid, SIGSTOP);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, WUNTRACED), pid);
        ASSERT_TRUE(writing && WIFSTOPPED(status)) << "tessera-cli ended before writing";
        EXPECT_NE(add ? std::filesystem::file_size(output) : test::folderEntries(dir.dir()).size(),
                  add ? old.size() : 2u);  // caught mid-write
        ::kill(pid, sig);
        ::kill(pid, SIGCONT);
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(test::folderEntries(dir.dir()), (std::vector<std::string>{"big.bmp", "out.h"}));
        EXPECT_EQ(test::readText(output), old);
    }
}

}  // namespace
}  // namespace tessera
