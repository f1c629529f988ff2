// A file read whole without copying it: its bytes mapped read-only into
// memory, straight from the system's cache of the file.  For the large
// compiled files the authors' tools read back.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace compattatore {

class FileMappato {
public:
    // Raises ErroreIO when the file cannot be opened or mapped.
    explicit FileMappato(const std::filesystem::path& file);
    ~FileMappato();
    FileMappato(const FileMappato&) = delete;
    FileMappato& operator=(const FileMappato&) = delete;

    // The bytes of the file as it was when mapped.
    std::string_view byte() const { return {dati_, lunghezza_}; }

private:
    const char* dati_ = nullptr;
    std::size_t lunghezza_ = 0;
    void* mappa_ = nullptr;
};

}  // namespace compattatore
