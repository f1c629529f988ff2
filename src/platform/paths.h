// File names as text.  The program's text is UTF-8 on every system; these
// turn a name into that text for messages, and text (an argument, a line or
// train name) into a name, without passing through the Windows ANSI code
// page, which cannot spell every folder an author may have.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace compattatore {

std::string path_text(const std::filesystem::path& path);
std::filesystem::path path_from_text(std::string_view text);

}  // namespace compattatore
