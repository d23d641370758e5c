#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/Builders.h"
#include "support/Child.h"
#include "support/Files.h"

namespace tessera {
namespace {

// Ctrl+C or a kill during a conversion: the temporary file goes, the old output
// stays, and the command dies of the signal as make expects.
TEST(CliSignal, InterruptedConversionLeavesNothingBehind) {
    test::TempDir dir;
    const std::string in = dir.path("big.bmp"), out = dir.path("big.h");
    test::writeFile(in, test::buildBmp(test::Picture::pattern(1200, 1200, 24)));
    test::writeText(out, "old");
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::execl(TESSERA_CLI_PATH, TESSERA_CLI_PATH, "-q", in.c_str(), out.c_str(), nullptr);
            ::_exit(127);
        }
        // Wait for the temporary file beside the output: the conversion is under
        // way.
        bool writing = false;
        for (int i = 0; i < 2000 && !writing; ++i) {
            writing = test::folderEntries(dir.dir().string()).size() > 2;
            if (!writing)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::kill(pid, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        if (!writing || !WIFSIGNALED(status))
            GTEST_SKIP() << "the conversion ended before the signal came";
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(test::folderEntries(dir.dir().string()),
                  (std::vector<std::string>{"big.bmp", "big.h"}));
        EXPECT_EQ(test::readText(out), "old");
    }
}

}  // namespace
}  // namespace tessera
