// Runs a program as a child process with a changed environment and collects its output; used where
// a test needs a process of its own (no display, a server that goes away, a second copy).
#pragma once

#include <string>
#include <vector>

namespace TeskTest {

struct ChildResult {
    int exitCode = -1;  // -signal when killed by a signal
    std::string out;
    std::string err;
};

// `env` entries "NAME=value" set a variable, "NAME" alone removes it.
ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});

// This test binary run on one test (gtest filter) with the display variables as `env` leaves them.
ChildResult RunSelfTest(const std::string& filter, std::vector<std::string> env);

// A child left running in the background, its stdout read line by line.
class BackgroundChild {
public:
    BackgroundChild(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
    ~BackgroundChild();  // kills and reaps it if it still runs
    BackgroundChild(const BackgroundChild&) = delete;
    BackgroundChild& operator=(const BackgroundChild&) = delete;

    // The next line of its output without the newline; empty on timeout or end of output.
    std::string ReadLine(int timeoutMs);
    void Signal(int signal);
    int Wait();  // the exit code, -signal when killed

private:
    friend ChildResult RunChild(const std::vector<std::string>&, const std::vector<std::string>&);
    bool ReadMore(int timeoutMs);  // appends what arrives within the time; false at the end or on timeout

    int m_pid = -1;
    int m_out = -1;
    std::string m_errPath;  // stderr goes to a file, read when the child is done
    std::string m_pending;
};

}  // namespace TeskTest
