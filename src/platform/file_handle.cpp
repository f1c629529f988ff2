#include "platform/file_handle.h"

namespace compattatore {

// What does not depend on the system: ownership of the open file.

FileHandle::~FileHandle() { close_quietly(); }

FileHandle::FileHandle(FileHandle&& other) noexcept
    : native_(std::exchange(other.native_, closed)), name_(std::move(other.name_)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        close_quietly();
        native_ = std::exchange(other.native_, closed);
        name_ = std::move(other.name_);
    }
    return *this;
}

}  // namespace compattatore
