#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

FileHandle FileHandle::open_read(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(file, errno);
    return FileHandle(fd, file);
}

std::optional<FileHandle> FileHandle::create_new(const fs::path& file, const fs::path& reported_as) {
    // The mode is the usual one, less what the umask takes away.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return std::nullopt;
        fail(reported_as, errno);
    }
    return FileHandle(fd, reported_as);
}

FileHandle FileHandle::open_for_lock(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) fail(file, errno);
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

void FileHandle::write_all(std::string_view bytes) {
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

void FileHandle::flush_to_disk() {
#if defined(__linux__)
    const int r = ::fdatasync(descriptor(native_));
#else
    const int r = ::fsync(descriptor(native_));
#endif
    if (r != 0) fail(name_, errno);
}

bool FileHandle::try_lock() {
    for (;;) {
        if (::flock(descriptor(native_), LOCK_EX | LOCK_NB) == 0) return true;
        if (errno == EWOULDBLOCK) return false;
        if (errno != EINTR) fail(name_, errno);
    }
}

void FileHandle::lock() {
    while (::flock(descriptor(native_), LOCK_EX) != 0)
        if (errno != EINTR) fail(name_, errno);
}

void FileHandle::unlock() {
    if (::flock(descriptor(native_), LOCK_UN) != 0) fail(name_, errno);
}

void FileHandle::close() {
    const int fd = descriptor(std::exchange(native_, closed));
    if (::close(fd) != 0) fail(name_, errno);
}

void rename_replace(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) fail(to, errno);
}

bool remove_file(const fs::path& file) {
    if (::unlink(file.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    fail(file, errno);
}

void remove_file_quietly(const fs::path& file) noexcept { ::unlink(file.c_str()); }

void sync_folder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) fail(folder, errno);
    const int r = ::fsync(fd);
    const int number = errno;
    ::close(fd);
    if (r != 0) fail(folder, number);
}

}  // namespace compattatore
