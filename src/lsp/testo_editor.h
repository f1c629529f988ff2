// Places in a text as the protocol counts them: 0-based lines and UTF-16
// code units, where the reader counts bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace compattatore::lsp {

using json = nlohmann::json;

// The UTF-16 column of byte `byte` of `riga` (UTF-8, or single bytes that
// are no valid UTF-8, each counted as one unit).
std::size_t colonna_utf16(std::string_view riga, std::size_t byte);
// The byte of `riga` at UTF-16 column `colonna` (the line's end beyond it).
std::size_t byte_di_colonna(std::string_view riga, std::size_t colonna);

// {"line", "character"} and {"start", "end"} objects.
json posizione(int riga, std::size_t carattere);
json intervallo(int riga, std::size_t da, int riga_fine, std::size_t a);
// The range of bytes [da, a) of line `numero`, whose text is `riga`.
json intervallo_byte(int numero, std::string_view riga, std::size_t da, std::size_t a);

// The path of a "file:" URI, and the URI of a path; nullopt for another scheme.
std::string uri_di(std::string_view percorso);
bool percorso_di(std::string_view uri, std::string& percorso);

}  // namespace compattatore::lsp
