// Zero-filled memory for the few large tables (the plan of the track holds
// 20 bytes per metre of line).  The memory comes straight from the system,
// already zero, so creating a table writes nothing; pages are supplied as
// they are first written, in large pages where the system allows it, which
// makes filling a table of tens of megabytes cost thousands of page faults
// less.
#pragma once

#include <cstddef>

namespace compattatore {

class LargeMemory {
public:
    LargeMemory() = default;
    // `bytes` zero bytes; raises std::bad_alloc when the system has none.
    explicit LargeMemory(std::size_t bytes);
    ~LargeMemory();
    LargeMemory(LargeMemory&& other) noexcept;
    LargeMemory& operator=(LargeMemory&& other) noexcept;
    LargeMemory(const LargeMemory&) = delete;
    LargeMemory& operator=(const LargeMemory&) = delete;

    std::byte* data() { return data_; }
    const std::byte* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    void release() noexcept;

    std::byte* data_ = nullptr;     // start of the usable bytes
    std::byte* mapping_ = nullptr;  // start of the mapping, as the system returned it
    std::size_t mapping_size_ = 0;
    std::size_t size_ = 0;
};

}  // namespace compattatore
