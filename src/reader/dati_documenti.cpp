// The train description's records for the driver's documents alone: the
// train number and category of the timetable card, and the recovery margin
// of a station.  They change nothing in the grid or the entries; a value
// that does not fit its cell of the card is refused like any value that
// does not fit its field (code 25).
#include <string>

#include "reader/fasi.h"

namespace compattatore::lettore {

namespace {

// The widths of the card's cells.
constexpr std::size_t largo_numero = 6;
constexpr std::size_t largo_categoria = 19;
constexpr std::size_t largo_recupero = 4;

// The text of field `campo`; the caret of a refusal goes under it.
std::string testo_in(LettoreCampi& f, std::size_t largo, const char* cosa, int campo) {
    std::string t = f.leggi_stringa();
    if (t.size() > largo)
        throw GuastoImprevisto(std::string(cosa) + " oltre " + std::to_string(largo) + " caratteri", campo);
    return t;
}

// Minutes as the card shows them: digits, and at most one decimal after a
// full stop ("1", "0.5", "12.5").
bool minuti_validi(const std::string& t) {
    const std::size_t punto = t.find('.');
    const std::string interi = t.substr(0, punto);
    if (interi.empty() || interi.find_first_not_of("0123456789") != std::string::npos) return false;
    if (punto == std::string::npos) return true;
    const std::string decimale = t.substr(punto + 1);
    return decimale.size() == 1 && decimale[0] >= '0' && decimale[0] <= '9';
}

}  // namespace

void numero_treno(Lettura& l) {
    l.s.documenti.numero_treno = testo_in(l.f(), largo_numero, "numero del treno", 1);
}

void categoria(Lettura& l) {
    l.s.documenti.categoria = testo_in(l.f(), largo_categoria, "categoria del treno", 1);
}

void recupero(Lettura& l) {
    Recupero r;
    r.posizione = l.f().leggi_32();
    l.ricordi.recuperi.push_back({r.posizione, record_corrente(l, 1)});
    r.minuti = testo_in(l.f(), largo_recupero, "recupero", 2);
    if (!minuti_validi(r.minuti)) throw GuastoImprevisto("recupero non in minuti", 2);
    l.s.documenti.recuperi.push_back(std::move(r));
}

}  // namespace compattatore::lettore
