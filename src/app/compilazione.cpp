#include "app/compilazione.h"

#include "finishing/finitura.h"

namespace compattatore {

Compilazione compila_descrizioni(const Descrizioni& d) {
    Compilazione c = memorizza_dati(d);
    Scenario& s = c.scenario;
    if (!s.griglia_esiste()) return c;
    completa_codici(s.celle, c.esito);
    c.esito.errore_segnalato = timbra_intestazione(s.voci, s.celle);
    return c;
}

}  // namespace compattatore
