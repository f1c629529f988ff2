// The simulator's notes from the author's own text.  The author writes the
// notes in UTF-8, one paragraph a line (an empty line stays an empty line);
// the notes file has them in Windows-1252, each paragraph beginning with
// three blanks, lines of at most 766 characters: a longer paragraph goes on
// in the next line without indentation, cut at a blank (a word longer than a
// whole line is cut with a hyphen).  Lines end with CR LF.  The author's
// text has at most righe_note_massime lines, and no tab or other control
// character.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

inline constexpr std::size_t lunghezza_riga_note = 766;
inline constexpr std::size_t righe_note_massime = 1000;

// What in the author's text keeps it from becoming the notes: at its line
// and column (both from 1; the column counts characters).
class ErroreNote : public std::runtime_error {
public:
    ErroreNote(int riga, int colonna, const std::string& messaggio, std::string testo_riga);
    int riga() const { return riga_; }
    int colonna() const { return colonna_; }
    // The author's line as written, without its line end.
    const std::string& testo_riga() const { return testo_riga_; }

private:
    int riga_, colonna_;
    std::string testo_riga_;
};

// The notes' lines, in Windows-1252.  Throws ErroreNote.
std::vector<std::string> righe_note_autore(std::string_view utf8);
// The notes file's bytes.
std::string note_autore(std::string_view utf8);

}  // namespace compattatore
