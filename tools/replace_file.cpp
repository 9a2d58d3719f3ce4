#include "replace_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace teskutil {
namespace {

std::runtime_error Failure(const std::string& what, int error) {
    return std::runtime_error(what + ": " + std::strerror(error));
}

// A link is followed, so that the file it names is replaced and the link stays.
std::string ResolveTarget(const std::string& target) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(target, ec)) return target;
    const auto resolved = std::filesystem::weakly_canonical(target, ec);
    return ec ? target : resolved.string();
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

int MakeTemp(std::string& pattern, const std::string& what) {
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) throw Failure("cannot create a temporary file for " + what, errno);
    return fd;
}

}  // namespace

ReplacedFile::ReplacedFile(const std::string& target) : target_(ResolveTarget(target)) {
    temp_ = target_ + ".teskutil-XXXXXX";
    const int fd = MakeTemp(temp_, target);
    // The replacement keeps the permissions of the file it replaces.
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd, st.st_mode & 07777);
    else ::fchmod(fd, 0666 & ~CurrentUmask());
    ::close(fd);
}

ReplacedFile::~ReplacedFile() {
    if (!committed_) ::unlink(temp_.c_str());
}

void ReplacedFile::Commit() {
    if (::rename(temp_.c_str(), target_.c_str()) != 0) throw Failure("cannot replace " + target_, errno);
    committed_ = true;
}

ScratchFile::ScratchFile() {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir && *dir ? dir : "/tmp") + "/teskutil-XXXXXX";
    ::close(MakeTemp(path_, "scratch data"));
}

ScratchFile::~ScratchFile() { ::unlink(path_.c_str()); }

void WriteAllTo(int fd, const void* data, std::size_t size, const std::string& what) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Failure("cannot write " + what, n < 0 ? errno : ENOSPC);
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

void AppendFileTo(int to, const std::string& from) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) throw Failure("cannot read " + from, errno);
    char chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(in);
            throw Failure("cannot read " + from, error);
        }
        if (n == 0) break;
        try {
            WriteAllTo(to, chunk, static_cast<std::size_t>(n), "the output");
        } catch (...) {
            ::close(in);
            throw;
        }
    }
    ::close(in);
}

}  // namespace teskutil
