#include "platform/large_memory.h"

#include <windows.h>

#include <new>

namespace compattatore {

// Committed pages come from the system zero-filled, and are supplied as they
// are first touched.  Large pages need a privilege that ordinary users lack,
// so the memory comes in ordinary pages.
LargeMemory::LargeMemory(std::size_t bytes) : size_(bytes) {
    if (bytes == 0) return;
    void* p = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!p) throw std::bad_alloc();
    mapping_ = data_ = static_cast<std::byte*>(p);
    mapping_size_ = bytes;
}

void LargeMemory::release() noexcept {
    if (mapping_) ::VirtualFree(mapping_, 0, MEM_RELEASE);
    data_ = mapping_ = nullptr;
    mapping_size_ = size_ = 0;
}

}  // namespace compattatore
