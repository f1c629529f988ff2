// Field-by-field reading of a description text held in memory.
//
// A field ends at a comma or at the end of a line (CR LF or LF); leading
// blanks (spaces and tabs) are skipped.  A numeric field also ends at a blank,
// and the blanks after it together with one comma or line end belong to it,
// so "12  ,5" reads 12 then 5 and "16    20    30 " reads three numbers.
// A line whose first non-blank byte is '#' is a comment: the reader passes
// over it whole, as if it were not there.
// A string field keeps everything up to its comma or line end, without its
// trailing blanks; a string field that starts with a double quote runs to
// the closing quote on the same line and keeps its content as it stands.
//
// A record stands on one line: once inizia_record() has begun a record, a
// field asked for after its line has ended (or after the end of the data)
// is missing, and the next line stays unread for the next record.
//
// A read past the end of the data, a missing field, a text where a number
// is expected and a number that does not fit the requested width throw
// GuastoCampo, which says which of these it is and where the field stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore::lettore {

// Where a field stands: its 1-based line and column (bytes, after the
// blanks that lead it), its width in bytes, the offset where that line
// begins, and whether it is the first field of its line.
struct PosizioneCampo {
    int riga = 0;
    int colonna = 0;
    std::size_t inizio_riga = 0;
    int larghezza = 0;
    bool primo = false;
};

// What ended the field read last.
enum class Delimitatore { virgola, fine_riga, fine_dati };

class GuastoCampo : public std::runtime_error {
public:
    enum class Causa {
        fine_dati,      // the text ends where a field is expected
        mancante,       // the record's line ends where a field is expected: the place is just after its last field
        non_numero,     // a text where a number is expected
        fuori_campo,    // a number beyond the width asked for
        virgolette,     // a quoted field not closed on its line
    };
    GuastoCampo(Causa causa, const PosizioneCampo& campo, std::int64_t minimo = 0, std::int64_t massimo = 0);

    Causa causa;
    PosizioneCampo campo;
    std::int64_t minimo, massimo;  // the range of a number beyond its width
    bool sopra = false;            // beyond the range's top rather than below its bottom
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
    // What ended it.
    Delimitatore delimitatore() const { return delimitatore_; }
    // The text of the line at `p`, without its line end.
    std::string testo_riga(const PosizioneCampo& p) const;
    std::string_view riga(const PosizioneCampo& p) const;

    // The fields read since the last call, the first one included: a record
    // starts its list with its keyword.
    // From the first call on, the fields of each record stand on the line of its first.
    void inizia_record() {
        campi_.clear();
        in_record_ = true;
    }
    const std::vector<PosizioneCampo>& campi_record() const { return campi_; }

    // Passes over what is left of line `riga`, up to and including its line
    // end; nothing when the reading has already left that line.
    void salta_riga(int riga);

private:
    std::size_t lunghezza_fine_riga(std::size_t i) const;
    void salta_blank();
    void salta_commenti();
    void consuma_delimitatore();
    void inizia_campo();
    void chiudi_campo(std::size_t fine_testo);
    std::int64_t leggi_numero(std::int64_t minimo, std::int64_t massimo);

    std::string_view dati_;
    std::size_t pos_ = 0;
    int riga_ = 1;
    std::size_t inizio_riga_ = 0;
    PosizioneCampo campo_;
    Delimitatore delimitatore_ = Delimitatore::fine_dati;
    std::vector<PosizioneCampo> campi_;
    bool in_record_ = false;
};

// The line of `testo` that starts at byte `inizio`, without its line end.
std::string_view riga_del_testo(std::string_view testo, std::size_t inizio);

}  // namespace compattatore::lettore
