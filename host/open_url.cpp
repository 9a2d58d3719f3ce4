#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "tesk/util_errors.h"

extern char** environ;

namespace TeskUtility {

// A short-lived shell starts xdg-open in the background and exits at once, so
// the caller waits only for the shell, never for the browser, and no zombie is
// left behind. The URL travels as "$1", never through the shell's parser.
int OpenURL(const CStringA& url, int /*showCommand*/) {
    // xdg-open would read a leading '-' as one of its own options.
    if (url.empty() || url[0] == '-' || url.find('\0') != CStringA::npos) return 0;
    static const char kScript[] =
        "command -v xdg-open >/dev/null 2>&1 || exit 127\n"
        "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &\n";
    char* const argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(kScript),
                          const_cast<char*>("sh"), const_cast<char*>(url.c_str()), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0) return 0;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return 0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
}

}  // namespace TeskUtility
