// A small argument reader for teskutil commands. Options may come anywhere:
// "--dot 2", "--dot=2", or flags such as "--wide". Anything a command did not
// ask for is reported as bad usage by Args::Finish().
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace teskutil {

// Thrown for bad usage; main() prints the message and the command's usage, exit 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Args {
public:
    Args(int argc, char** argv);  // argv[0] is the command name

    // Consumes "--name"; true when present.
    bool Flag(std::string_view name);
    // Consumes "--name VALUE" or "--name=VALUE".
    std::optional<std::string> Option(std::string_view name);
    std::int64_t IntOption(std::string_view name, std::int64_t fallback);
    // Consumes "--name V1 ... Vcount" (negative numbers count as values).
    std::optional<std::vector<std::string>> Values(std::string_view name, std::size_t count);
    // Consumes "-x" style short flags (e.g. "-i").
    bool ShortFlag(char letter);

    // Remaining positional arguments; call after every Flag/Option. Throws
    // UsageError on a leftover option or when the count lies outside [min, max].
    std::vector<std::string> Positionals(std::size_t min, std::size_t max);

private:
    std::vector<std::string> items_;
    std::vector<bool> used_;
};

// Strict decimal parse of a whole text ("-12", "+5"); throws UsageError naming `what`.
std::int64_t ParseInt(std::string_view text, std::string_view what);

}  // namespace teskutil
