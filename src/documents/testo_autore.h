// The texts an author writes (the line's and the train's descriptions and
// the notes) in whatever encoding the editor saved them: UTF-16 with its
// byte-order mark (Notepad's "Unicode", PowerShell's `>`), UTF-8 with or
// without a mark, or Windows-1252.  A text that is not well-formed UTF-8 is
// Windows-1252, as every description file was before editors saved UTF-8;
// a text in 7-bit ASCII is both, and the same bytes either way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

enum class CodificaAutore { windows1252, utf8, utf16 };

// Which encoding `byte` is in.
CodificaAutore codifica_autore(std::string_view byte);

// The text in UTF-8: UTF-16 and UTF-8 without their marks, Windows-1252
// letter by letter (the five bytes the code page leaves undefined keep
// their own value).
std::string testo_autore_utf8(std::string_view byte);

// A character of a description that Windows-1252 lacks: its line, its
// column and width in bytes of the line as UTF-8, the line itself.
struct CarattereFuori {
    int riga = 0;
    int colonna = 0;
    int larghezza = 0;
    char32_t punto = 0;
    std::string riga_utf8;
};

// A description as the reader reads it: Windows-1252 bytes.  A Windows-1252
// file gives its own bytes unchanged; a UTF-8 or UTF-16 one its letters in
// the code page (a letter followed by a combining accent, as one letter),
// with a "?" for each character the code page lacks, each listed.
struct DescrizioneAutore {
    std::string testo;
    std::vector<CarattereFuori> fuori;
};
DescrizioneAutore descrizione_in_windows1252(std::string_view byte);

}  // namespace compattatore
