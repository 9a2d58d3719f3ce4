#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "host/shared_block.h"

namespace TeskUtility::detail {
namespace {

bool HasSize(int fd, std::size_t size) {
    struct stat st {};
    return fstat(fd, &st) == 0 && static_cast<std::size_t>(st.st_size) == size;
}

template <typename Copy>
bool WithMapping(int fd, std::size_t size, int protection, Copy&& copy) {
    if (fd < 0)
        return false;
    void* view = mmap(nullptr, size, protection, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED)
        return false;
    copy(view);
    munmap(view, size);
    return true;
}

}  // namespace

int CreateSharedBlock(const std::string& name, std::size_t size) {
    int fd;
    do fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (fstat(fd, &st) == 0 && st.st_size == 0 && ftruncate(fd, static_cast<off_t>(size)) == 0)
        return fd;
    if (HasSize(fd, size))
        return fd;
    close(fd);
    return -1;
}

int OpenSharedBlock(const std::string& name, std::size_t size) {
    int fd;
    do fd = shm_open(name.c_str(), O_RDWR | O_CLOEXEC, 0);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    if (HasSize(fd, size))
        return fd;
    close(fd);
    return -1;
}

void CloseSharedBlock(int fd) {
    if (fd >= 0)
        close(fd);
}

void UnlinkSharedBlock(const std::string& name) { shm_unlink(name.c_str()); }

bool WriteSharedBlock(int fd, const void* data, std::size_t size) {
    return WithMapping(fd, size, PROT_READ | PROT_WRITE, [&](void* view) { std::memcpy(view, data, size); });
}

bool ReadSharedBlock(int fd, void* data, std::size_t size) {
    return WithMapping(fd, size, PROT_READ, [&](void* view) { std::memcpy(data, view, size); });
}

bool HoldSharedBlock(int fd) {
    int rc;
    do rc = flock(fd, LOCK_SH | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool SharedBlockHeld(int fd) {
    // Our own descriptor is a separate open file: an exclusive lock succeeds only when no holder is left.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        flock(fd, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

std::string ProgramFileName() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string full(path, static_cast<std::size_t>(n));
    return full.substr(full.rfind('/') + 1);
}

}  // namespace TeskUtility::detail
