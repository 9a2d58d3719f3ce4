#include "platform/posix_file.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>

namespace TeskUtility::posix {
namespace {

int RealOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int RealOpenAt(int dir, const char* name, int flags, mode_t mode) { return ::openat(dir, name, flags, mode); }
int RealLock(int fd, int command, struct flock* lock) { return ::fcntl(fd, command, lock); }

const Syscalls kSystem = {RealOpen, RealOpenAt, ::read,  ::write,    ::lseek,    ::fstat, ::ftruncate,
                          ::fdatasync, ::close, ::mkdirat, ::unlinkat, RealLock, ::fdopen};

std::atomic<const Syscalls*> g_table{&kSystem};

const Syscalls& Sys() { return *g_table.load(std::memory_order_relaxed); }

// Runs `call` until it is not interrupted; -1 results leave errno set.
template <typename Call>
auto Retrying(Call call) {
    for (;;) {
        const auto rc = call();
        if (rc != -1 || errno != EINTR) return rc;
    }
}

Status Checked(int rc, std::string_view path) { return rc == 0 ? Status{} : Failure(errno, path); }

}  // namespace

void Fd::Reset(int fd) {
    if (fd_ >= 0) Sys().close(fd_);
    fd_ = fd;
}

const Syscalls& SystemCalls() { return kSystem; }

const Syscalls* SetSyscalls(const Syscalls* table) { return g_table.exchange(table ? table : &kSystem); }

Result<Fd> Open(const char* path, int flags, mode_t mode) {
    const int fd = Retrying([&] { return Sys().open(path, flags | O_CLOEXEC, mode); });
    if (fd < 0) return Failure(errno, path);
    return Fd(fd);
}

Result<Fd> OpenAt(int dir, const char* name, int flags, mode_t mode) {
    const int fd = Retrying([&] { return Sys().openat(dir, name, flags | O_CLOEXEC, mode); });
    if (fd < 0) return Failure(errno, name);
    return Fd(fd);
}

Result<std::size_t> ReadAll(int fd, void* buffer, std::size_t size, std::string_view path) {
    std::size_t done = 0;
    // A pipe or terminal may return short reads before the end; keep going.
    while (done < size) {
        const ssize_t n = Retrying([&] { return Sys().read(fd, static_cast<char*>(buffer) + done, size - done); });
        if (n < 0) return Failure(errno, path);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

Status WriteAll(int fd, const void* buffer, std::size_t size, std::string_view path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            Retrying([&] { return Sys().write(fd, static_cast<const char*>(buffer) + done, size - done); });
        if (n < 0) return Failure(errno, path);
        if (n == 0) return Failure(ENOSPC, path);
        done += static_cast<std::size_t>(n);
    }
    return {};
}

Result<std::uint64_t> Seek(int fd, std::int64_t offset, int whence, std::string_view path) {
    const off_t pos = Sys().lseek(fd, offset, whence);
    if (pos < 0) return Failure(errno, path);
    return static_cast<std::uint64_t>(pos);
}

Result<struct stat> Stat(int fd, std::string_view path) {
    struct stat st {};
    if (Sys().fstat(fd, &st) != 0) return Failure(errno, path);
    return st;
}

Result<struct stat> StatPath(const char* path, bool followLinks) {
    struct stat st {};
    if ((followLinks ? ::stat(path, &st) : ::lstat(path, &st)) != 0) return Failure(errno, path);
    return st;
}

Status Truncate(int fd, std::uint64_t length, std::string_view path) {
    if (length > static_cast<std::uint64_t>(INT64_MAX)) return Failure(EINVAL, path);
    return Checked(Retrying([&] { return Sys().ftruncate(fd, static_cast<off_t>(length)); }), path);
}

Status SyncData(int fd, std::string_view path) {
    return Checked(Retrying([&] { return Sys().fdatasync(fd); }), path);
}

Status Close(int fd, std::string_view path) {
    if (Sys().close(fd) != 0 && errno != EINTR) return Failure(errno, path);
    return {};
}

Status MakeDirAt(int dir, const char* name, mode_t mode) {
    return Checked(Retrying([&] { return Sys().mkdirat(dir, name, mode); }), name);
}

Status RemoveAt(int dir, const char* name, bool folder) {
    return Checked(Sys().unlinkat(dir, name, folder ? AT_REMOVEDIR : 0), name);
}

Status RemoveFolder(const char* path) { return Checked(::rmdir(path), path); }

void AdviseSequential(int fd) { ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL); }

Result<FILE*> OpenStream(int fd, const char* mode, std::string_view path) {
    FILE* stream = Sys().fdopen(fd, mode);
    if (!stream) return Failure(errno, path);
    return stream;
}

Result<std::vector<DirEntry>> ListFolder(int dir, std::string_view path) {
    // The stream takes over a descriptor of its own, so that the caller's stays open.
    Result<Fd> own = OpenAt(dir, ".", O_RDONLY | O_DIRECTORY);
    if (!own.ok()) return Failure(own.status.error, path);
    DIR* stream = ::fdopendir(own.value.Get());
    if (!stream) return Failure(errno, path);
    const int at = own.value.Release();
    std::vector<DirEntry> entries;
    while (const dirent* entry = ::readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            folder = ::fstatat(at, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back({std::string(name), folder});
    }
    ::closedir(stream);
    return entries;
}

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
    if (Sys().lock(fd, F_OFD_GETLK, &fl) != 0) return -errno;
    return fl.l_type != F_UNLCK ? 1 : 0;
}

int Take(int fd, off_t byte) {
    struct flock fl = LockOn(byte, F_RDLCK);
    return Retrying([&] { return Sys().lock(fd, F_OFD_SETLK, &fl); }) == 0 ? 0 : errno;
}

}  // namespace

Status AcquireShareLock(int fd, unsigned access, unsigned deny, std::string_view path) {
    struct Claim {
        off_t mine;         // the byte this open holds
        off_t conflicting;  // the byte another open holds when it refuses ours
    };
    Claim claims[4];
    int count = 0;
    for (int kind = 0; kind < 2; ++kind) {
        const unsigned bit = kind == 0 ? kShareRead : kShareWrite;
        if (access & bit) claims[count++] = {kAccessByte[kind], kDenyByte[kind]};
        if (deny & bit) claims[count++] = {kDenyByte[kind], kAccessByte[kind]};
    }
    // A probe that fails (no lock support) leaves the file open unlocked.
    for (int i = 0; i < count; ++i) {
        if (const int held = Held(fd, claims[i].conflicting)) return held > 0 ? Failure(EBUSY, path) : Status{};
    }
    const int mode = ::fcntl(fd, F_GETFL);
    // A write-only descriptor cannot hold read locks; file systems without lock
    // support (some network mounts) answer ENOLCK or EINVAL. Both open unlocked.
    if (mode < 0 || (mode & O_ACCMODE) == O_WRONLY) return {};
    for (int i = 0; i < count; ++i) {
        if (const int err = Take(fd, claims[i].mine)) return err == EAGAIN ? Failure(EBUSY, path) : Status{};
    }
    return {};
}

}  // namespace TeskUtility::posix
