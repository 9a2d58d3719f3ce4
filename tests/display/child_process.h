// Runs a program as a child process with a changed environment and collects its output; used where
// a test needs a process of its own (no display, a server that goes away, a second copy).
#pragma once

#include <string>
#include <utility>
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

}  // namespace TeskTest
