#include "platform/file_io.h"

#include "platform/paths.h"
#include "platform/system_reason.h"

namespace compattatore {

namespace fs = std::filesystem;

IoError::IoError(const fs::path& file, const std::string& reason)
    : std::runtime_error(path_text(file) + ": " + reason), file_(file), reason_(reason) {}

void make_folder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw IoError(folder, system_reason(ec));
}

std::string read_file(const fs::path& file) {
    FileHandle h = FileHandle::open_read(file);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(h.size()));
    // Read to the end whatever the size said: the file may be growing, or
    // report no size at all.
    char block[16384];
    while (const std::size_t n = h.read_some(block, sizeof block)) bytes.append(block, n);
    return bytes;
}

}  // namespace compattatore
