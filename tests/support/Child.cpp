// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Child.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/Files.h"

namespace tessera::test {

void limitAddressSpace() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;  // the address space mapped so far
    const rlim_t bytes = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (144u << 20);
    const rlimit limit{bytes, bytes};
    if (!kUnderSanitizer)
        ::setrlimit(RLIMIT_AS, &limit);
}

ChildResult runInChild(const std::function<std::string()>& body) {
    int fds[2];
    const pid_t pid = ::pipe(fds) == 0 ? ::fork() : -1;
    if (pid == 0) {
        const std::string text = body();  // an escaping exception aborts, with its text
        ::_exit(::write(fds[1], text.data(), text.size()) < 0);  // no test teardown in the child
    }
    ChildResult result;
    if (pid < 0)
        return result;
    ::close(fds[1]);
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        result.text.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    rusage use{};
    ::wait4(pid, &result.status, 0, &use);
    result.maxRssKiB = use.ru_maxrss;
    result.cpuSeconds = static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
                        static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    return result;
}

static std::string quoted(const std::string& text) {  // for sh: 'it'\''s'
    std::string q = "'";
    for (const char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ProgramRun runProgram(const std::vector<std::string>& argv, const std::string& workDir,
                      const std::string& stdoutTo) {
    TempDir capture;
    const std::string out = stdoutTo.empty() ? capture.path("out") : stdoutTo,
                      err = capture.path("err");
    std::string command = workDir.empty() ? "" : "cd " + quoted(workDir) + " && ";
    for (const auto& a : argv)
        command += quoted(a) + ' ';
    command += "</dev/null >" + quoted(out) + " 2>" + quoted(err);
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, stdoutTo.empty() ? readText(out) : "",
            readText(err)};
}

std::vector<std::string> folderEntries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tessera::test
