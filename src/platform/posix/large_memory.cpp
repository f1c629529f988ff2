#include "platform/large_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace compattatore {

namespace {

// The size of a large page on the platforms the program runs on.
constexpr std::size_t large_page = std::size_t{2} << 20;

}  // namespace

LargeMemory::LargeMemory(std::size_t bytes) : size_(bytes) {
    if (bytes == 0) return;
    // Large pages only cover whole, aligned 2 MiB stretches: map the size
    // rounded up to whole large pages, plus one for the alignment, and start
    // the usable bytes on a boundary, so that the last stretch in use is a
    // whole large page as well.
    const bool large = bytes >= large_page;
    const std::size_t rounded = (bytes + large_page - 1) & ~(large_page - 1);
    mapping_size_ = large ? rounded + large_page : bytes;
    void* p = ::mmap(nullptr, mapping_size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    mapping_ = static_cast<std::byte*>(p);
    data_ = mapping_;
    if (large) {
        const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(mapping_);
        const std::uintptr_t aligned = (start + large_page - 1) & ~(std::uintptr_t{large_page} - 1);
        data_ = mapping_ + (aligned - start);
#ifdef MADV_HUGEPAGE
        // Only advice: without large pages the memory works the same.
        ::madvise(data_, rounded, MADV_HUGEPAGE);
#endif
    }
}

void LargeMemory::release() noexcept {
    if (mapping_) ::munmap(mapping_, mapping_size_);
    data_ = mapping_ = nullptr;
    mapping_size_ = size_ = 0;
}

}  // namespace compattatore
