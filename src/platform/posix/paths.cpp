#include "platform/paths.h"

namespace compattatore {

// Names are bytes here, and the program's text is those bytes.
std::string path_text(const std::filesystem::path& path) { return path.native(); }

std::filesystem::path path_from_text(std::string_view text) { return std::filesystem::path(std::string(text)); }

}  // namespace compattatore
