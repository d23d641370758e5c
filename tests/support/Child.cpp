#include "support/Child.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace tessera::test {

bool ChildResult::exitedWith(int code) const {
    return WIFEXITED(status) && WEXITSTATUS(status) == code;
}

bool ChildResult::killedBy(int signal) const {
    return WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

ChildResult runInChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::close(fds[0]);
        std::string text;
        int code = 0;
        try {
            text = body();
        } catch (const std::exception& e) {
            text = e.what();
            code = 1;
        } catch (...) {
            code = 2;
        }
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(code);  // no test teardown, no exit handlers in the child
    }
    ::close(fds[1]);
    ChildResult result;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        result.text.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    struct rusage usage {};
    ::wait4(pid, &result.status, 0, &usage);
    result.maxRssKiB = usage.ru_maxrss;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

std::vector<std::string> folderEntries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool underAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

}  // namespace tessera::test
