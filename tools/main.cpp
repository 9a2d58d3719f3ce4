// teskutil: the library's command-line face. `teskutil help` lists the commands.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "command.h"
#include "output.h"
#include "tesk/exceptions.h"

namespace teskutil {

static std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

void RegisterCommand(const Command& command) { Registry().push_back(command); }

const std::vector<Command>& Commands() {
    auto& commands = Registry();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    return commands;
}

}  // namespace teskutil

static int PrintHelp(std::FILE* to) {
    std::fprintf(to, "usage: teskutil [--raw] COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : teskutil::Commands()) std::fprintf(to, "  %-44s %s\n", c.usage, c.summary);
    std::fprintf(to, "\n--raw writes the library's code-page bytes instead of UTF-8.\n");
    return to == stdout ? 0 : 2;
}

int main(int argc, char** argv) {
    int first = 1;
    while (first < argc && std::strcmp(argv[first], "--raw") == 0) {
        teskutil::SetRawOutput(true);
        ++first;
    }
    if (first >= argc) return PrintHelp(stderr);
    const char* name = argv[first];
    if (!std::strcmp(name, "help") || !std::strcmp(name, "--help") || !std::strcmp(name, "-h")) return PrintHelp(stdout);

    for (const auto& c : teskutil::Commands()) {
        if (std::strcmp(c.name, name) != 0) continue;
        try {
            teskutil::Args args(argc - first, argv + first);
            if (args.Flag("--raw")) teskutil::SetRawOutput(true);
            const int rc = c.run(args);
            // A full disk or a closed pipe must not pass for success.
            if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
                std::fprintf(stderr, "teskutil %s: cannot write standard output: %s\n", c.name, std::strerror(errno));
                return 1;
            }
            return rc;
        } catch (const teskutil::UsageError& e) {
            std::fprintf(stderr, "teskutil %s: %s\nusage: teskutil %s\n", c.name, e.what(), c.usage);
            return 2;
        } catch (const CException& e) {
            std::fprintf(stderr, "teskutil %s: %s\n", c.name, teskutil::ForTerminal(e.GetErrorMessage()).c_str());
            return 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "teskutil %s: %s\n", c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "teskutil: unknown command '%s'\n", name);
    return PrintHelp(stderr);
}
