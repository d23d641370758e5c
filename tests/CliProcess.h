#pragma once

#include <string>
#include <vector>

namespace tessera::test {

// What a program run by a test printed and how it ended.
struct ProgramRun {
    int exitCode = -1;  // -1 when killed by a signal
    std::string out;
    std::string err;
};

// Runs `argv` (argv[0] searched in PATH) in `workDir` (or the test's own folder when empty),
// stdin from /dev/null, capturing stdout and stderr. `stderrFd` >= 0 replaces the captured
// stderr (a terminal, say).
ProgramRun runProgram(const std::vector<std::string>& argv, const std::string& workDir = {},
                      int stderrFd = -1);

// The built tessera-cli with these arguments.
ProgramRun runCli(const std::vector<std::string>& args, const std::string& workDir = {});

}  // namespace tessera::test
