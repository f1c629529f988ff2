#include "platform/paths.h"

#include "platform/text_encoding.h"
#include "platform/windows/wide.h"

namespace compattatore {

std::string path_text(const std::filesystem::path& path) { return narrow(path.native()); }

// Forward slashes, which Windows accepts too, become backslashes, so that a
// message names a file with one separator throughout.
std::filesystem::path path_from_text(std::string_view text) {
    return std::filesystem::path(widen(text)).make_preferred();
}

}  // namespace compattatore
