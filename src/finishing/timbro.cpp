// The header stamp: two fixed values and the two competition codes, each
// pair written only into slots that nothing else has used.
#include <stdexcept>

#include "finishing/finitura.h"

namespace compattatore {

namespace {
constexpr std::int16_t valore_intestazione_voci = 610;
constexpr std::int16_t valore_intestazione_celle = 5121;
}  // namespace

void timbra_intestazione(Scenario& s) {
    if (s.celle.size() < 2) throw std::logic_error("timbra_intestazione: the grid does not exist");
    Voce& intestazione = s.voci[85];
    Cella& prima = s.celle[1];

    if (intestazione.intero1 != 0 || prima.valore1 != 0) errore(s, std::to_string(1250));
    intestazione.intero1 = valore_intestazione_voci;
    prima.valore1 = valore_intestazione_celle;

    if (intestazione.orario != 0 || prima.valore2 != 0) errore(s, std::to_string(1251));
    intestazione.orario = codice_gara_st(s);
    // At most 25 * 255 = 6375: it always fits the 16-bit slot.
    prima.valore2 = static_cast<std::int16_t>(codice_gara_og(s));
}

}  // namespace compattatore
