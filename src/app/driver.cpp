#include "app/driver.h"

#include "finishing/finitura.h"
#include "reader/memorizza_dati.h"
#include "tables/compiled_files.h"

namespace compattatore {

void memorizza_percorso(Scenario& s, std::int32_t j) {
    s.compila_linea = j;
    s.codice_errore = 0;
    for (Voce& v : s.voci) v = Voce{};

    memorizza_dati(s);
    if (!s.griglia_esiste()) return;

    completa_codici(s);
    timbra_intestazione(s);  // raises ErroreSegnalato on an occupied header slot
    scrivi_file_compilati(s);
}

}  // namespace compattatore
