// The header stamp: two fixed values and the two competition codes, each
// pair written only into slots that nothing else has used.
#include <stdexcept>

#include "finishing/finitura.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {
constexpr std::int32_t errore_intestazione = 1250;
constexpr std::int32_t errore_codici_gara = 1251;
}  // namespace

std::int32_t timbra_intestazione(Voci& voci, std::vector<Cella>& celle) {
    if (celle.size() < 2) throw std::logic_error("timbra_intestazione: the grid does not exist");
    const VistaIntestazione intestazione{voci};
    Cella& prima = celle[1];

    if (intestazione.valore_intestazione() != 0 || prima.valore1 != 0) return errore_intestazione;
    intestazione.valore_intestazione() = valore_intestazione_voci;
    prima.valore1 = valore_intestazione_celle;

    if (intestazione.codice_gara_st() != 0 || prima.valore2 != 0) return errore_codici_gara;
    intestazione.codice_gara_st() = codice_gara_st(intestazione.nome_linea(), intestazione.nome_treno());
    // At most 25 * 255 = 6375: it always fits the 16-bit slot.
    prima.valore2 = static_cast<std::int16_t>(codice_gara_og(intestazione.nome_linea(), intestazione.nome_treno()));
    return 0;
}

}  // namespace compattatore
