#include "platform/large_memory.h"

#include <utility>

namespace compattatore {

// What does not depend on the system: one holder at a time.

LargeMemory::~LargeMemory() { release(); }

LargeMemory::LargeMemory(LargeMemory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      mapping_(std::exchange(other.mapping_, nullptr)),
      mapping_size_(std::exchange(other.mapping_size_, 0)),
      size_(std::exchange(other.size_, 0)) {}

LargeMemory& LargeMemory::operator=(LargeMemory&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        mapping_ = std::exchange(other.mapping_, nullptr);
        mapping_size_ = std::exchange(other.mapping_size_, 0);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

}  // namespace compattatore
