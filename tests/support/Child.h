// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tessera::test {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kUnderSanitizer = true;  // shadow memory: time and memory figures mean little
#else
constexpr bool kUnderSanitizer = false;
#endif

// A forked child's wait status, the text its body returned (or threw) and what it cost. CPU
// time, not wall time: a loaded machine does not make a case slow.
struct ChildResult {
    int status = 0;
    std::string text;
    long maxRssKiB = 0;
    double cpuSeconds = 0;
};
// In a child: the memory the README promises (about 128 MB) on top of what the test program has
// mapped so far. AddressSanitizer reserves terabytes of address space: its builds go without.
void limitAddressSpace();

// Runs `body` in a forked child, which may change its user or limits or die harmlessly.
ChildResult runInChild(const std::function<std::string()>& body);

// A program's exit status (-1: killed by a signal) and what it printed.
struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};
// Runs `argv` in `workDir` (or here), stdin from /dev/null, stdout (unless sent to `stdoutTo`)
// and stderr captured.
ProgramRun runProgram(const std::vector<std::string>& argv, const std::string& workDir = {},
                      const std::string& stdoutTo = {});

// The names in a folder, sorted: to see that nothing was left behind.
std::vector<std::string> folderEntries(const std::string& dir);

}  // namespace tessera::test
