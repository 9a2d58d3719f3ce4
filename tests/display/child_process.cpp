#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "io_test_support.h"

namespace TeskTest {

BackgroundChild::BackgroundChild(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    // Close-on-exec: a daemon the child starts (Xvfb) must not hold our pipe open.
    int out[2];
    char errPath[] = "/tmp/tesk_child_err_XXXXXX";
    const int err = mkstemp(errPath);
    if (err < 0 || pipe2(out, O_CLOEXEC) != 0)
        return;
    m_errPath = errPath;
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], 1);
        dup2(err, 2);
        for (const std::string& entry : env) {  // "NAME=value" sets, "NAME" removes
            const auto eq = entry.find('=');
            eq == std::string::npos ? unsetenv(entry.c_str())
                                    : setenv(entry.substr(0, eq).c_str(), &entry[eq + 1], 1);
        }
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err);
    m_out = out[0];
}

BackgroundChild::~BackgroundChild() {
    Signal(SIGKILL);  // both do nothing once it has been reaped
    Wait();
    if (m_out >= 0)
        close(m_out);
    if (!m_errPath.empty())
        unlink(m_errPath.c_str());
}

std::string BackgroundChild::ReadLine(int timeoutMs) {
    std::size_t newline;
    while ((newline = m_pending.find('\n')) == std::string::npos)
        if (!ReadMore(timeoutMs))
            return {};
    std::string line = m_pending.substr(0, newline);
    m_pending.erase(0, newline + 1);
    return line;
}

bool BackgroundChild::ReadMore(int timeoutMs) {
    pollfd readable{m_out, POLLIN, 0};
    if (m_out < 0 || poll(&readable, 1, timeoutMs) <= 0)
        return false;
    char buffer[4096];
    const ssize_t n = read(m_out, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    m_pending.append(buffer, static_cast<std::size_t>(n));
    return true;
}

void BackgroundChild::Signal(int signal) {
    if (m_pid > 0)
        kill(m_pid, signal);
}

int BackgroundChild::Wait() {
    if (m_pid <= 0)
        return -1;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    BackgroundChild child(argv, env);
    while (child.ReadMore(-1)) {
    }
    return {child.Wait(), child.m_pending, ReadFile(child.m_errPath)};  // in this order: braces guarantee it
}

ChildResult RunSelfTest(const std::string& filter, std::vector<std::string> env) {
    env.push_back("TESK_CHILD_TEST=1");
    return RunChild({"/proc/self/exe", "--gtest_filter=" + filter, "--gtest_also_run_disabled_tests"}, env);
}

}  // namespace TeskTest
