#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace TeskTest {
namespace {

void ApplyEnv(const std::vector<std::string>& env) {
    for (const std::string& entry : env) {
        const auto eq = entry.find('=');
        if (eq == std::string::npos)
            unsetenv(entry.c_str());
        else
            setenv(entry.substr(0, eq).c_str(), entry.c_str() + eq + 1, 1);
    }
}

}  // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    ChildResult result;
    int outPipe[2];
    int errPipe[2];
    // Close-on-exec: a daemon the child starts (Xvfb) must not hold our pipes open.
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        ApplyEnv(env);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && poll(fds, 2, -1) >= 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return result;
}

ChildResult RunSelfTest(const std::string& filter, std::vector<std::string> env) {
    env.push_back("TESK_CHILD_TEST=1");
    return RunChild({"/proc/self/exe", "--gtest_filter=" + filter, "--gtest_also_run_disabled_tests"}, env);
}

}  // namespace TeskTest
