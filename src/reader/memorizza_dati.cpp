#include "reader/memorizza_dati.h"

#include "reader/fasi.h"
#include "reader/lettura.h"

namespace compattatore {

namespace lettore {
namespace {

// An unexpected failure: both description files go, whichever phase was
// running, and the code is 25 with posizione_errore left as it was.
void guasto(Lettura& l) {
    registra_codice(l, 25);
    l.campi.reset();
    elimina_sorgente(l.s, l.file_linea);
    elimina_sorgente(l.s, l.file_treno);
}

}  // namespace
}  // namespace lettore

void memorizza_dati(Scenario& s) {
    using namespace lettore;
    Lettura l(s);
    s.origine_errore = {};
    // The grid and the plan belong to this reading: only its length key creates them.
    s.celle.clear();
    s.tabella_linea = TabellaLinea{};
    s.lunghezza_estesa = 0;
    s.numero_celle = 0;
    try {
        if (apri_linea(l) == Esito::fermo) return;
        if (sezione_generale(l) == Esito::fermo) return;
        if (record_linea(l) == Esito::fermo) return;
        record_treno(l);
    } catch (const GuastoCampo&) {
        // Outside a record the field that failed is the place to show.
        if (!l.record && l.campi) l.record = l.campi->posizione_campo();
        guasto(l);
    } catch (const GuastoImprevisto&) {
        guasto(l);
    }
}

}  // namespace compattatore
