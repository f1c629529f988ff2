#include "platform/mapped_file.h"

#include <windows.h>

#include "platform/file_io.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, HANDLE h, DWORD code) {
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    throw IoError(file, system_reason(code));
}

}  // namespace

MappedFile::MappedFile(const std::filesystem::path& file) {
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(file, INVALID_HANDLE_VALUE, ::GetLastError());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(h, &size)) fail(file, h, ::GetLastError());
    size_ = static_cast<std::size_t>(size.QuadPart);
    // A file of no bytes cannot be mapped; it has nothing to show.
    if (size_ > 0) {
        const HANDLE mapping = ::CreateFileMappingW(h, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping == nullptr) fail(file, h, ::GetLastError());
        void* p = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
        const DWORD code = ::GetLastError();
        // The view keeps the mapping, and the mapping the file.
        ::CloseHandle(mapping);
        if (p == nullptr) fail(file, h, code);
        mapping_ = p;
        data_ = static_cast<const char*>(p);
    }
    ::CloseHandle(h);
}

MappedFile::~MappedFile() {
    if (mapping_) ::UnmapViewOfFile(mapping_);
}

}  // namespace compattatore
