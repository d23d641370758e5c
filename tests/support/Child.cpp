#include "support/Child.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>

#include "support/Files.h"

namespace tessera::test {

ChildResult runInChild(const std::function<std::string()>& body) {
    int fds[2];
    const pid_t pid = ::pipe(fds) == 0 ? ::fork() : -1;
    if (pid == 0) {
        std::string text;
        try {
            text = body();
        } catch (const std::exception& e) {
            text = e.what();
        }
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            done += n > 0 ? static_cast<std::size_t>(n) : text.size();
        }
        ::_exit(0);  // no test teardown, no exit handlers in the child
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

ProgramRun runProgram(const std::vector<std::string>& argv, const std::string& workDir) {
    TempDir capture;
    const std::string out = capture.path("out"), err = capture.path("err");
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT, 0600);
    if (!workDir.empty())
        posix_spawn_file_actions_addchdir_np(&files, workDir.c_str());
    pid_t pid = 0;
    int status = -1;
    if (::posix_spawnp(&pid, args[0], &files, nullptr, args.data(), environ) == 0) {
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&files);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(out), readText(err)};
}

std::vector<std::string> folderEntries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tessera::test
