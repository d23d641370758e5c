#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/Builders.h"
#include "support/Child.h"

namespace tessera {
namespace {

using namespace std::chrono_literals;

constexpr const char* kOld = "/* what the user already had */\r\n";

bool temporaryFileIn(const std::string& dir) {
    for (const auto& name : test::folderEntries(dir)) {
        if (name.rfind(".out.h.tessera-", 0) == 0)
            return true;
    }
    return false;
}

// tessera-cli stopped by SIGINT or SIGTERM while it writes: the signal still ends it, and it
// takes its temporary file along, leaving the file it was replacing as it was.
TEST(Interrupt, ASignalDuringAWriteLeavesTheOldFileAndNoTemporaryFile) {
    if (std::string(TESSERA_CLI_PATH).empty())
        GTEST_SKIP() << "tessera-cli is not built";
    for (const int sig : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(sig);
        test::TempDir dir;
        // A few bytes claiming 8192 x 8192: tens of millions of elements to write, seconds of
        // work to interrupt.
        test::Bytes big = test::buildBmp(test::Picture::pattern(4, 4, 8));
        test::putLe32(big, 18, 8192);
        test::putLe32(big, 22, 8192);
        test::writeFile(dir.path("big.bmp"), big);
        test::writeText(dir.path("out.h"), kOld);

        const std::string cli = TESSERA_CLI_PATH, input = dir.path("big.bmp"),
                          output = dir.path("out.h");
        std::vector<char*> argv{const_cast<char*>(cli.c_str()), const_cast<char*>("-q"),
                                const_cast<char*>(input.c_str()), const_cast<char*>(output.c_str()),
                                nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, cli.c_str(), &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);

        const auto deadline = std::chrono::steady_clock::now() + 20s;
        bool seen = false;
        int status = 0;
        while (!seen && std::chrono::steady_clock::now() < deadline) {
            seen = temporaryFileIn(dir.dir().string());
            if (!seen && ::waitpid(pid, &status, WNOHANG) == pid)
                FAIL() << "tessera-cli ended before it could be interrupted";
            std::this_thread::sleep_for(1ms);
        }
        ::kill(pid, sig);
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(seen) << "no temporary file appeared";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(test::folderEntries(dir.dir().string()),
                  (std::vector<std::string>{"big.bmp", "out.h"}));
        EXPECT_EQ(test::readText(output), kOld);
    }
}

}  // namespace
}  // namespace tessera
