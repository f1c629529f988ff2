// Field-by-field reading of a description text held in memory.
//
// A field ends at a comma or at the end of a line (CR LF or LF); leading
// blanks (spaces and tabs) are skipped.  A numeric field also ends at a blank,
// and the blanks after it together with one comma or line end belong to it,
// so "12  ,5" reads 12 then 5 and "16    20    30 " reads three numbers.
// A string field keeps everything up to its comma or line end, without its
// trailing blanks; a string field that starts with a double quote runs to
// the closing quote on the same line and keeps its content as it stands.
//
// A read past the end of the data, a text where a number is expected and a
// number that does not fit the requested width throw GuastoCampo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compattatore::lettore {

class GuastoCampo : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a field stands: its 1-based line and column (bytes, after the
// blanks that lead it) and the offset where that line begins.
struct PosizioneCampo {
    int riga = 0;
    int colonna = 0;
    std::size_t inizio_riga = 0;
};

class LettoreCampi {
public:
    // Reads `dati`, which must outlive the reader.
    explicit LettoreCampi(std::string_view dati);

    // True when no byte is left after the last delimiter consumed.
    bool fine() const { return pos_ >= dati_.size(); }

    std::string leggi_stringa();
    std::int32_t leggi_32();
    std::int16_t leggi_16();
    std::uint8_t leggi_u8();

    // The position of the field returned last.
    PosizioneCampo posizione_campo() const { return campo_; }
    // The text of the line at `p`, without its line end.
    std::string testo_riga(const PosizioneCampo& p) const;

private:
    std::size_t lunghezza_fine_riga(std::size_t i) const;
    void salta_blank();
    void consuma_delimitatore();
    void inizia_campo();
    std::int64_t leggi_numero(std::int64_t minimo, std::int64_t massimo);

    std::string_view dati_;
    std::size_t pos_ = 0;
    int riga_ = 1;
    std::size_t inizio_riga_ = 0;
    PosizioneCampo campo_;
};

}  // namespace compattatore::lettore
