#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/file_io.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const fs::path& file, int number) {
    throw IoError(file, system_reason(static_cast<unsigned long>(number)));
}

int descriptor(std::intptr_t native) { return static_cast<int>(native); }

FileIdentity identity_of(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// The answers of a file system that keeps no locks of this kind (NFS
// without its lock service, some FUSE file systems).
bool no_locks_here(int number) {
    return number == ENOLCK || number == EINVAL || number == EOPNOTSUPP || number == ENOTSUP;
}

int lock_operation(LockUse use) { return use == LockUse::shared ? LOCK_SH : LOCK_EX; }

// Opens for reading without waiting: a named pipe would otherwise wait for
// a writer before the caller can even see that it is no file.
int open_for_reading(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

}  // namespace

FileHandle FileHandle::open_read(const fs::path& file) {
    const int fd = open_for_reading(file);
    if (fd < 0) fail(file, errno);
    return FileHandle(fd, file);
}

std::optional<FileHandle> FileHandle::open_read_if_exists(const fs::path& file) {
    const int fd = open_for_reading(file);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(file, errno);
    }
    return FileHandle(fd, file);
}

std::optional<FileHandle> FileHandle::create_new(const fs::path& file, const fs::path& reported_as) {
    before_file_operation(reported_as);
    // The mode is the usual one, less what the umask takes away.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return std::nullopt;
        fail(reported_as, errno);
    }
    return FileHandle(fd, reported_as);
}

std::optional<FileHandle> FileHandle::open_for_lock(const fs::path& file) {
    // Never through a link, which could make or lock a file anywhere; a
    // pipe is not waited on.
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        const int first = errno;
        fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        // None to read: why none could be made is the reason.
        if (fd < 0 && errno == ENOENT) errno = first;
    }
    if (fd < 0) return std::nullopt;
    return FileHandle(fd, file);
}

void FileHandle::close_quietly() noexcept {
    if (native_ != closed) ::close(descriptor(native_));
    native_ = closed;
}

std::size_t FileHandle::read_some(char* into, std::size_t n) {
    for (;;) {
        const ssize_t r = ::read(descriptor(native_), into, n);
        if (r >= 0) return static_cast<std::size_t>(r);
        if (errno != EINTR) fail(name_, errno);
    }
}

std::size_t FileHandle::read_at(std::uint64_t offset, char* into, std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(descriptor(native_), into + got, n - got, static_cast<off_t>(offset + got));
        if (r == 0) break;
        if (r < 0) {
            if (errno == EINTR) continue;
            fail(name_, errno);
        }
        got += static_cast<std::size_t>(r);
    }
    return got;
}

void FileHandle::write_all(std::string_view bytes) {
    before_file_operation(name_);
    while (!bytes.empty()) {
        const ssize_t n = ::write(descriptor(native_), bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(name_, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::uint64_t FileHandle::size() const {
    struct stat info {};
    if (::fstat(descriptor(native_), &info) != 0 || info.st_size < 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

bool FileHandle::is_regular() const {
    struct stat info {};
    return ::fstat(descriptor(native_), &info) == 0 && S_ISREG(info.st_mode);
}

FileIdentity FileHandle::identity() const {
    struct stat info {};
    if (::fstat(descriptor(native_), &info) != 0) fail(name_, errno);
    return identity_of(info);
}

void FileHandle::start_flush() noexcept {
#if defined(__linux__)
    // Only a head start for flush_to_disk(), which still waits and reports.
    ::sync_file_range(descriptor(native_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

// A dot at the start of its name hides the file already.
void FileHandle::reveal() {}

void FileHandle::flush_to_disk() {
    before_file_operation(name_);
#if defined(__linux__)
    const int r = ::fdatasync(descriptor(native_));
#else
    const int r = ::fsync(descriptor(native_));
#endif
    if (r != 0) fail(name_, errno);
}

LockAttempt FileHandle::try_lock(LockUse use) {
    if (fault_injection::locks_are_unsupported()) return LockAttempt::not_supported;
    for (;;) {
        if (::flock(descriptor(native_), lock_operation(use) | LOCK_NB) == 0) return LockAttempt::taken;
        if (errno == EWOULDBLOCK) return LockAttempt::busy;
        if (no_locks_here(errno)) return LockAttempt::not_supported;
        if (errno != EINTR) fail(name_, errno);
    }
}

void FileHandle::lock(LockUse use) {
    while (::flock(descriptor(native_), lock_operation(use)) != 0)
        if (errno != EINTR) fail(name_, errno);
}

void FileHandle::unlock() {
    if (::flock(descriptor(native_), LOCK_UN) != 0) fail(name_, errno);
}

void FileHandle::close() {
    before_file_operation(name_);
    const int fd = descriptor(std::exchange(native_, closed));
    if (::close(fd) != 0) fail(name_, errno);
}

ExistingName what_stands_at(const fs::path& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ExistingName::none;
        fail(file, errno);
    }
    if (S_ISLNK(info.st_mode)) return ExistingName::link;
    if (S_ISDIR(info.st_mode)) return ExistingName::folder;
    if (!S_ISREG(info.st_mode)) return ExistingName::other;
    // The bits that apply to this user, read as they are: root, whom they
    // do not stop, respects them too.
    mode_t write = S_IWOTH;
    if (info.st_uid == ::geteuid()) {
        write = S_IWUSR;
    } else if (info.st_gid == ::getegid()) {
        write = S_IWGRP;
    } else {
        const int n = ::getgroups(0, nullptr);
        std::vector<gid_t> groups(static_cast<std::size_t>(n > 0 ? n : 0));
        if (n > 0 && ::getgroups(n, groups.data()) == n &&
            std::find(groups.begin(), groups.end(), info.st_gid) != groups.end())
            write = S_IWGRP;
    }
    return (info.st_mode & write) != 0 ? ExistingName::file : ExistingName::read_only;
}

void rename_replace(const fs::path& from, const fs::path& to) {
    before_file_operation(to);
    if (::rename(from.c_str(), to.c_str()) != 0) fail(to, errno);
}

bool link_file(const fs::path& existing, const fs::path& link) {
    before_file_operation(existing);
    if (::link(existing.c_str(), link.c_str()) == 0) return true;
    // FAT and exFAT answer EPERM; others say so plainly.
    if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOTSUP || errno == EXDEV || errno == EMLINK) return false;
    fail(existing, errno);
}

bool remove_file(const fs::path& file) {
    before_file_operation(file);
    if (::unlink(file.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    fail(file, errno);
}

void remove_file_quietly(const fs::path& file) noexcept { ::unlink(file.c_str()); }

bool remove_file_if(const fs::path& file, const FileIdentity& identity) {
    // POSIX deletes names, not open files: the check and the deletion are
    // two calls, as close together as they can be.
    if (file_identity(file) != identity) return false;
    return remove_file(file);
}

std::optional<FileIdentity> file_identity(const fs::path& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        fail(file, errno);
    }
    return identity_of(info);
}

void sync_folder(const fs::path& folder) {
    before_file_operation(folder);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) fail(folder, errno);
    const int r = ::fsync(fd);
    const int number = errno;
    ::close(fd);
    if (r != 0) fail(folder, number);
}

}  // namespace compattatore
