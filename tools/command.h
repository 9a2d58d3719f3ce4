// teskutil's command registry. Each command lives in its own cmd_*.cpp:
//
//   static int Run(teskutil::Args& args) { ... return 0; }
//   TESKUTIL_COMMAND(crc32, "crc32 FILE", "print the CRC-32 of a file", Run);
//
// Exit codes: 0 success, 1 a negative answer or a failed operation, 2 bad usage.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "args.h"

namespace teskutil {

using CommandFn = int (*)(Args& args);

struct Command {
    const char* name;
    const char* usage;    // the synopsis after "teskutil "
    const char* summary;  // one line for the command list
    CommandFn run;
};

void RegisterCommand(const Command& command);
const std::vector<Command>& Commands();

struct CommandRegistrar {
    explicit CommandRegistrar(const Command& command) { RegisterCommand(command); }
};

}  // namespace teskutil

#define TESKUTIL_COMMAND(ident, usage, summary, fn) \
    static const ::teskutil::CommandRegistrar teskutil_registrar_##ident({#ident, usage, summary, fn})
