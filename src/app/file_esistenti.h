// Existing files: whether one is there, and the refusal of `sources` and
// `decompile` to replace an author's description files without --force.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <iosfwd>

namespace compattatore {

// Whether `file` exists; a folder that cannot be searched is an I/O failure.
bool esiste(const std::filesystem::path& file);

// Whether any of `file` exists; each that does is named on `err`, then
// "nessun file scritto".  A folder that cannot be searched raises IoError.
bool rifiuta_esistenti(std::initializer_list<std::filesystem::path> file, std::ostream& err);

}  // namespace compattatore
