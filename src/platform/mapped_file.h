// A file read whole without copying it: its bytes mapped read-only into
// memory, straight from the system's cache of the file.  For the large
// compiled files the authors' tools read back.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace compattatore {

class MappedFile {
public:
    // Raises IoError when the file cannot be opened or mapped.
    explicit MappedFile(const std::filesystem::path& file);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // The bytes of the file as it was when mapped.
    std::string_view bytes() const { return {data_, size_}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;
};

}  // namespace compattatore
