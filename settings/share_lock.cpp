#include "settings/share_lock.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdint>

namespace TeskUtility::detail {
namespace {

// One lock byte per access kind and per denial, far past any real data.
// Holders take shared locks; a probe with an exclusive lock finds them.
constexpr off_t kLockBase = INT64_MAX - 64;
constexpr off_t kAccessByte[] = {0, 1};  // read, write
constexpr off_t kDenyByte[] = {2, 3};    // deny read, deny write

struct flock LockOn(off_t byte, short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = kLockBase + byte;
    fl.l_len = 1;
    return fl;
}

// 1 when some other open holds the byte, 0 when free, -errno when the probe failed.
int Held(int fd, off_t byte) {
    struct flock fl = LockOn(byte, F_WRLCK);
    if (fcntl(fd, F_OFD_GETLK, &fl) != 0) return -errno;
    return fl.l_type != F_UNLCK ? 1 : 0;
}

int Take(int fd, off_t byte) {
    struct flock fl = LockOn(byte, F_RDLCK);
    while (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
        if (errno == EINTR) continue;
        return errno;
    }
    return 0;
}

}  // namespace

int AcquireShareLock(int fd, unsigned access, unsigned deny) {
    if (access == 0 && deny == 0) return 0;
    for (int kind = 0; kind < 2; ++kind) {
        const unsigned bit = kind == 0 ? kShareRead : kShareWrite;
        int held = 0;
        if ((access & bit) && (held = Held(fd, kDenyByte[kind])) != 0) return held > 0 ? EBUSY : 0;
        if ((deny & bit) && (held = Held(fd, kAccessByte[kind])) != 0) return held > 0 ? EBUSY : 0;
    }
    const int mode = fcntl(fd, F_GETFL);
    // A write-only descriptor cannot hold read locks; filesystems without lock
    // support (some network mounts) answer ENOLCK or EINVAL. Both open unlocked.
    if (mode < 0 || (mode & O_ACCMODE) == O_WRONLY) return 0;
    for (int kind = 0; kind < 2; ++kind) {
        const unsigned bit = kind == 0 ? kShareRead : kShareWrite;
        int err = 0;
        if ((access & bit) && (err = Take(fd, kAccessByte[kind])) != 0) return err == EAGAIN ? EBUSY : 0;
        if ((deny & bit) && (err = Take(fd, kDenyByte[kind])) != 0) return err == EAGAIN ? EBUSY : 0;
    }
    return 0;
}

}  // namespace TeskUtility::detail
