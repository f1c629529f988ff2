// The documents, and the line and train names in the compiled files, go out
// in the single-byte Western European code page Windows-1252 that the
// simulator reads, while their texts are kept (and authors write them) in
// UTF-8: this turns the one into the other.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compattatore {

// A character the code page cannot hold, or bytes that are not well-formed
// UTF-8, at byte `offset` of the text: a document must never go out with a
// letter silently changed.
class CarattereNonRappresentabile : public std::invalid_argument {
public:
    CarattereNonRappresentabile(std::size_t offset, char32_t carattere, bool utf8_valido);
    std::size_t offset() const { return offset_; }
    char32_t carattere() const { return carattere_; }  // meaningful only for well-formed UTF-8
    bool utf8_valido() const { return utf8_valido_; }

private:
    std::size_t offset_;
    char32_t carattere_;
    bool utf8_valido_;
};

// The Windows-1252 bytes of a UTF-8 text: one byte per character, the
// Latin-1 letters as themselves and the 27 characters of 0x80..0x9F (the
// euro sign, the curly quotes, the dashes ...) at their places.  A letter
// followed by a combining accent (e and U+0301, as some editors save "é")
// is the one byte of the accented letter where the code page has it.
std::string in_windows1252(std::string_view utf8);

// A line or train name as the simulator shows it: in_windows1252 of the
// name.  A name the code page cannot hold, which the command line refuses,
// is kept as its bytes.
std::string nome_per_il_simulatore(std::string_view nome);

}  // namespace compattatore
