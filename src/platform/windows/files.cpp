#include <windows.h>

#include <algorithm>

#include "platform/file_handle.h"
#include "platform/file_io.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const fs::path& file, DWORD code) { throw IoError(file, system_reason(code)); }

HANDLE handle(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }

std::intptr_t native(HANDLE h) { return reinterpret_cast<std::intptr_t>(h); }

// One call reads or writes at most this much.
constexpr std::size_t largest_piece = std::size_t{1} << 30;

// The whole file, for LockFileEx and UnlockFileEx.
constexpr DWORD whole_file = MAXDWORD;

}  // namespace

FileHandle FileHandle::open_read(const fs::path& file) {
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(file, ::GetLastError());
    return FileHandle(native(h), file);
}

std::optional<FileHandle> FileHandle::create_new(const fs::path& file, const fs::path& reported_as) {
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_EXISTS) return std::nullopt;
        fail(reported_as, code);
    }
    return FileHandle(native(h), reported_as);
}

FileHandle FileHandle::open_for_lock(const fs::path& file) {
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(file, ::GetLastError());
    return FileHandle(native(h), file);
}

void FileHandle::close_quietly() noexcept {
    if (native_ != closed) ::CloseHandle(handle(native_));
    native_ = closed;
}

std::size_t FileHandle::read_some(char* into, std::size_t n) {
    DWORD read = 0;
    if (!::ReadFile(handle(native_), into, static_cast<DWORD>(std::min(n, largest_piece)), &read, nullptr)) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) return 0;
        fail(name_, code);
    }
    return read;
}

void FileHandle::write_all(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(handle(native_), bytes.data(), static_cast<DWORD>(std::min(bytes.size(), largest_piece)),
                         &written, nullptr))
            fail(name_, ::GetLastError());
        bytes.remove_prefix(written);
    }
}

std::uint64_t FileHandle::size() const {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle(native_), &size) || size.QuadPart < 0) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

void FileHandle::flush_to_disk() {
    if (!::FlushFileBuffers(handle(native_))) fail(name_, ::GetLastError());
}

bool FileHandle::try_lock() {
    OVERLAPPED from_start{};
    if (::LockFileEx(handle(native_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, whole_file, whole_file,
                     &from_start))
        return true;
    const DWORD code = ::GetLastError();
    if (code == ERROR_LOCK_VIOLATION) return false;
    fail(name_, code);
}

void FileHandle::lock() {
    OVERLAPPED from_start{};
    if (!::LockFileEx(handle(native_), LOCKFILE_EXCLUSIVE_LOCK, 0, whole_file, whole_file, &from_start))
        fail(name_, ::GetLastError());
}

void FileHandle::unlock() {
    OVERLAPPED from_start{};
    if (!::UnlockFileEx(handle(native_), 0, whole_file, whole_file, &from_start)) fail(name_, ::GetLastError());
}

void FileHandle::close() {
    if (!::CloseHandle(handle(std::exchange(native_, closed)))) fail(name_, ::GetLastError());
}

void rename_replace(const fs::path& from, const fs::path& to) {
    // A file that was just written is often opened for a moment by a virus
    // scanner or an indexer, and Windows then refuses to replace it: such a
    // refusal is tried again a few times before it counts.
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        const DWORD code = ::GetLastError();
        const bool passing = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
        if (!passing || attempt == 5) fail(to, code);
        ::Sleep(static_cast<DWORD>(20 * attempt));
    }
}

bool remove_file(const fs::path& file) {
    if (::DeleteFileW(file.c_str())) return true;
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return false;
    fail(file, code);
}

void remove_file_quietly(const fs::path& file) noexcept { ::DeleteFileW(file.c_str()); }

// MOVEFILE_WRITE_THROUGH has already made each replacement durable.
void sync_folder(const fs::path&) {}

}  // namespace compattatore
