#include <windows.h>

#include <algorithm>

#include "platform/fault_injection.h"
#include "platform/file_handle.h"
#include "platform/file_io.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

// A file that another program holds open is said to be so, in the
// program's words; any other failure in the system's.
[[noreturn]] void fail(const fs::path& file, DWORD code) {
    throw IoError(file, code == ERROR_SHARING_VIOLATION ? std::string(in_use_reason) : system_reason(code));
}

HANDLE handle(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }

std::intptr_t native(HANDLE h) { return reinterpret_cast<std::intptr_t>(h); }

// One call reads or writes at most this much.
constexpr std::size_t largest_piece = std::size_t{1} << 30;

// The whole file, for LockFileEx and UnlockFileEx.
constexpr DWORD whole_file = MAXDWORD;

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The answers of a file system or a share that lacks a feature (byte-range
// locks, hard links).
bool not_supported_here(DWORD code) { return code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION; }

DWORD lock_flags(LockUse use) { return use == LockUse::exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0; }

// Opens for reading; folders open too (FILE_FLAG_BACKUP_SEMANTICS), so
// that the caller can tell that they are no file.
HANDLE open_for_reading(const fs::path& file) {
    return ::CreateFileW(file.c_str(), GENERIC_READ, share_all, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool identity_of(HANDLE h, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info)) return false;
    identity = {info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return true;
}

bool missing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

}  // namespace

FileHandle FileHandle::open_read(const fs::path& file) {
    const HANDLE h = open_for_reading(file);
    if (h == INVALID_HANDLE_VALUE) fail(file, ::GetLastError());
    return FileHandle(native(h), file);
}

std::optional<FileHandle> FileHandle::open_read_if_exists(const fs::path& file) {
    const HANDLE h = open_for_reading(file);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // A missing folder on the way is no such file either, as on POSIX.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
        fail(file, code);
    }
    return FileHandle(native(h), file);
}

std::optional<FileHandle> FileHandle::create_new(const fs::path& file, const fs::path& reported_as) {
    before_file_operation(reported_as);
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_EXISTS) return std::nullopt;
        fail(reported_as, code);
    }
    return FileHandle(native(h), reported_as);
}

std::optional<FileHandle> FileHandle::open_for_lock(const fs::path& file) {
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, share_all, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (h == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
        h = ::CreateFileW(file.c_str(), GENERIC_READ, share_all, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
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

std::size_t FileHandle::read_at(std::uint64_t offset, char* into, std::size_t n) {
    // A read at an offset moves the position of a handle opened for plain
    // reads: it is put back, so that read_some() goes on where it was.
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(handle(native_), LARGE_INTEGER{}, &position, FILE_CURRENT)) fail(name_, ::GetLastError());
    struct PutBack {
        HANDLE h;
        LARGE_INTEGER at;
        ~PutBack() { ::SetFilePointerEx(h, at, nullptr, FILE_BEGIN); }
    } put_back{handle(native_), position};
    std::size_t got = 0;
    while (got < n) {
        OVERLAPPED at{};
        const std::uint64_t from = offset + got;
        at.Offset = static_cast<DWORD>(from & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(from >> 32);
        DWORD read = 0;
        if (!::ReadFile(handle(native_), into + got, static_cast<DWORD>(std::min(n - got, largest_piece)), &read,
                        &at)) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_HANDLE_EOF) break;
            fail(name_, code);
        }
        if (read == 0) break;
        got += read;
    }
    return got;
}

void FileHandle::write_all(std::string_view bytes) {
    before_file_operation(name_);
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

bool FileHandle::is_regular() const {
    if (::GetFileType(handle(native_)) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(handle(native_), &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileIdentity FileHandle::identity() const {
    FileIdentity identity;
    if (!identity_of(handle(native_), identity)) fail(name_, ::GetLastError());
    return identity;
}

void FileHandle::reveal() {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;  // the times, left 0, stay as they are
    if (!::SetFileInformationByHandle(handle(native_), FileBasicInfo, &basic, sizeof basic))
        fail(name_, ::GetLastError());
}

// FlushFileBuffers is the only way there.
void FileHandle::start_flush() noexcept {}

void FileHandle::flush_to_disk() {
    before_file_operation(name_);
    if (!::FlushFileBuffers(handle(native_))) fail(name_, ::GetLastError());
}

LockAttempt FileHandle::try_lock(LockUse use) {
    if (fault_injection::locks_are_unsupported()) return LockAttempt::not_supported;
    OVERLAPPED from_start{};
    if (::LockFileEx(handle(native_), lock_flags(use) | LOCKFILE_FAIL_IMMEDIATELY, 0, whole_file, whole_file,
                     &from_start))
        return LockAttempt::taken;
    const DWORD code = ::GetLastError();
    if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) return LockAttempt::busy;
    if (not_supported_here(code)) return LockAttempt::not_supported;
    fail(name_, code);
}

void FileHandle::lock(LockUse use) {
    OVERLAPPED from_start{};
    if (!::LockFileEx(handle(native_), lock_flags(use), 0, whole_file, whole_file, &from_start))
        fail(name_, ::GetLastError());
}

void FileHandle::unlock() {
    OVERLAPPED from_start{};
    if (!::UnlockFileEx(handle(native_), 0, whole_file, whole_file, &from_start)) fail(name_, ::GetLastError());
}

void FileHandle::close() {
    before_file_operation(name_);
    if (!::CloseHandle(handle(std::exchange(native_, closed)))) fail(name_, ::GetLastError());
}

ExistingName what_stands_at(const fs::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = ::GetLastError();
        if (missing(code)) return ExistingName::none;
        // A name held open by a program that shares nothing cannot even be
        // looked at.
        if (code == ERROR_SHARING_VIOLATION) return ExistingName::in_use;
        fail(file, code);
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ExistingName::link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ExistingName::folder;
    // A device (NUL, CON, COM1 ...) answers to any folder.
    const HANDLE h = ::CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, share_all, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        const DWORD type = ::GetFileType(h);
        ::CloseHandle(h);
        if (type != FILE_TYPE_DISK) return ExistingName::other;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) return ExistingName::read_only;
    // Replacing a file takes the right to delete it, which a program that
    // holds the file open without sharing that right keeps from everyone.
    const HANDLE d = ::CreateFileW(file.c_str(), DELETE, share_all, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (d == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_SHARING_VIOLATION ? ExistingName::in_use
                                                                                      : ExistingName::file;
    ::CloseHandle(d);
    return ExistingName::file;
}

void rename_replace(const fs::path& from, const fs::path& to) {
    before_file_operation(to);
    // A file that was just written is often opened for a moment by a virus
    // scanner or an indexer, and Windows then refuses to replace it: such a
    // refusal is tried again a few times before it counts, and then said to
    // be what it is when another program still holds the file.
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        const DWORD code = ::GetLastError();
        const bool passing = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
        if (passing && attempt < 5) {
            ::Sleep(static_cast<DWORD>(20 * attempt));
            continue;
        }
        if (passing && what_stands_at(to) == ExistingName::in_use) throw IoError(to, in_use_reason);
        fail(to, code);
    }
}

bool link_file(const fs::path& existing, const fs::path& link) {
    before_file_operation(existing);
    if (::CreateHardLinkW(link.c_str(), existing.c_str(), nullptr)) return true;
    const DWORD code = ::GetLastError();
    // FAT answers ERROR_INVALID_FUNCTION, some shares ERROR_NOT_SUPPORTED.
    if (not_supported_here(code) || code == ERROR_NOT_SAME_DEVICE || code == ERROR_TOO_MANY_LINKS) return false;
    fail(existing, code);
}

bool remove_file(const fs::path& file) {
    before_file_operation(file);
    if (::DeleteFileW(file.c_str())) return true;
    const DWORD code = ::GetLastError();
    if (missing(code)) return false;
    fail(file, code);
}

void remove_file_quietly(const fs::path& file) noexcept { ::DeleteFileW(file.c_str()); }

bool remove_file_if(const fs::path& file, const FileIdentity& identity) {
    before_file_operation(file);
    // The file is opened, checked and deleted through one handle: no other
    // file can take the name in between.
    const HANDLE h = ::CreateFileW(file.c_str(), DELETE | FILE_READ_ATTRIBUTES, share_all, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (missing(code)) return false;
        fail(file, code);
    }
    FileIdentity found;
    bool same = identity_of(h, found) && found == identity;
    if (same) {
        FILE_DISPOSITION_INFO deleted{};
        deleted.DeleteFile = TRUE;
        if (!::SetFileInformationByHandle(h, FileDispositionInfo, &deleted, sizeof deleted)) {
            const DWORD code = ::GetLastError();
            ::CloseHandle(h);
            fail(file, code);
        }
    }
    ::CloseHandle(h);
    return same;
}

std::optional<FileIdentity> file_identity(const fs::path& file) {
    const HANDLE h = ::CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, share_all, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (missing(code)) return std::nullopt;
        fail(file, code);
    }
    FileIdentity identity;
    const bool known = identity_of(h, identity);
    const DWORD code = ::GetLastError();
    ::CloseHandle(h);
    if (!known) fail(file, code);
    return identity;
}

// MOVEFILE_WRITE_THROUGH has already made each replacement durable.
void sync_folder(const fs::path& folder) { before_file_operation(folder); }

}  // namespace compattatore
