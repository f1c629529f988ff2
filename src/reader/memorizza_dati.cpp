#include "reader/memorizza_dati.h"

#include "reader/fasi.h"
#include "reader/lettura.h"

namespace compattatore {

namespace lettore {
namespace {

// An unexpected failure: both description texts count as read, whichever
// phase was running, and the code is 25 with posizione_errore left as it was.
void guasto(Lettura& l) {
    registra_codice(l, Codice::guasto);
    l.campi.reset();
    l.esito.letta_linea = true;
    l.esito.letto_treno = true;
}

}  // namespace
}  // namespace lettore

Compilazione memorizza_dati(const Descrizioni& d) {
    using namespace lettore;
    Compilazione c;
    c.scenario.nome_linea = d.nome_linea;
    c.scenario.nome_treno = d.nome_treno;
    Lettura l(d, c.scenario, c.esito);
    try {
        if (apri_linea(l) == Esito::fermo) return c;
        if (sezione_generale(l) == Esito::fermo) return c;
        if (record_linea(l) == Esito::fermo) return c;
        record_treno(l);
    } catch (const GuastoCampo&) {
        // Outside a record the field that failed is the place to show.
        if (!l.record && l.campi) l.record = l.campi->posizione_campo();
        guasto(l);
    } catch (const GuastoImprevisto&) {
        guasto(l);
    }
    return c;
}

}  // namespace compattatore
