#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "CliProcess.h"
#include "support/Builders.h"
#include "support/Files.h"

namespace tessera {
namespace {

// Runs the command with stderr on a pseudo terminal and returns what the
// terminal received.
std::string stderrOnTerminal(const std::vector<std::string>& args) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(master, 0);
    EXPECT_EQ(::grantpt(master), 0);
    EXPECT_EQ(::unlockpt(master), 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    EXPECT_GE(terminal, 0);
    std::string seen;
    // Read while the command writes, so that a full terminal buffer can never
    // stall it.
    std::thread reader([&] {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            seen.append(buffer, static_cast<std::size_t>(n));
        }
    });
    std::vector<std::string> argv{TESSERA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto run = test::runProgram(argv, {}, terminal);
    EXPECT_EQ(run.exitCode, 0);
    ::close(terminal);  // the last writer gone, the reader sees the end
    reader.join();
    ::close(master);
    return seen;
}

TEST(CliProgress, BarOnlyOnATerminalAndNotQuiet) {
    test::TempDir dir;
    const std::string in = dir.path("photo.bmp");
    test::writeFile(in, test::buildBmp(test::Picture::pattern(64, 48, 24)));

    const std::string bar = stderrOnTerminal({in, dir.path("a.h")});
    EXPECT_NE(bar.find("100%"), std::string::npos) << bar;
    EXPECT_NE(bar.find("\r["), std::string::npos);
    // The line is cleared at the end; nothing else is said on success.
    EXPECT_TRUE(bar.ends_with("\r\033[K")) << bar;

    EXPECT_EQ(stderrOnTerminal({"-q", in, dir.path("b.h")}), "");
    // Not a terminal: no bar either.
    const auto piped = test::runCli({in, dir.path("c.h")});
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.err, "");
}

}  // namespace
}  // namespace tessera
