#include "CliProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "support/Files.h"

namespace tessera::test {

ProgramRun runProgram(const std::vector<std::string>& argv, const std::string& workDir,
                      int stderrFd) {
    TempDir capture;
    const std::string outPath = capture.path("out"), errPath = capture.path("err");
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err =
            stderrFd >= 0 ? stderrFd : ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0 || (!workDir.empty() && ::chdir(workDir.c_str()) != 0)) {
            ::_exit(126);
        }
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readText(outPath);
    if (stderrFd < 0)
        run.err = readText(errPath);
    return run;
}

ProgramRun runCli(const std::vector<std::string>& args, const std::string& workDir) {
    std::vector<std::string> argv{TESSERA_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv, workDir);
}

}  // namespace tessera::test
