// The names of the program's temporary files: short, of one fixed length
// whatever the file they stand in for, and recognisable, so that a run can
// find those that a killed run left behind.  A temporary file lies in the
// folder of the file it becomes, and is created only by a run that holds
// that folder's lock (folder_lock.h).
#pragma once

#include <filesystem>
#include <string_view>

namespace compattatore {

// ".cmpt-" and eight random letters and digits, then ".tmp": 18 characters.
inline constexpr std::string_view temporary_prefix = ".cmpt-";
inline constexpr std::string_view temporary_suffix = ".tmp";
inline constexpr std::size_t temporary_name_length = 18;

// A new name of that pattern in `folder`; another call gives another name.
std::filesystem::path temporary_name(const std::filesystem::path& folder);

// Whether a file's own name follows the pattern.
bool is_temporary_name(std::string_view name);

// Deletes every regular file of the pattern in `folder`.  Only a run that
// holds the folder's lock, shared or alone, may call it: no writing run is
// then at work there, so every one found was left by a run that ended
// before its time, or is the second name of an old file that another
// program held open.  A file that cannot be deleted (still held) is left.
void remove_stale_temporaries(const std::filesystem::path& folder) noexcept;

}  // namespace compattatore
