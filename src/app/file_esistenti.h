// Existing files: whether one is there, the refusal of `sources` and
// `decompile` to replace an author's description files without --force, and
// the no-argument run's refusal to replace any it did not write.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <iosfwd>
#include <string_view>
#include <utility>

namespace compattatore {

// Whether `file` exists; a folder that cannot be searched is an I/O failure.
bool esiste(const std::filesystem::path& file);

// Whether anything stands under any of the names `file` (a link, even one
// leading nowhere, is not followed); each that does is named on `err`, then
// "nessun file scritto".  A folder that cannot be searched raises IoError.
bool rifiuta_esistenti(std::initializer_list<std::filesystem::path> file, std::ostream& err);

// Whether any of the description files `file` holds other bytes than the
// text paired with it (the text the no-argument run would put there): each
// that does is named on `err` with how to keep it (compile it from
// `cartella`) or give it up (delete it), then "nessun file scritto".  A file
// that is missing or holds that very text (a killed run's leftover) is no
// reason to stop.  A name that is no ordinary file, or a link, raises IoError.
bool rifiuta_diverse(std::initializer_list<std::pair<std::filesystem::path, std::string_view>> file,
                     const std::filesystem::path& cartella, std::ostream& err);

}  // namespace compattatore
