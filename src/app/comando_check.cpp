// `check`: every error and warning of the two description files in one
// run, writing nothing.
#include <ostream>
#include <string>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/diagnostica.h"
#include "app/scenario_files.h"

namespace compattatore {

StatoUscita controlla_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err) {
    const BloccoCartelle blocco({{o.cartella, UsoCartella::lettura}}, err);
    const FileScenario f{o.cartella, o.linea, o.treno};
    const TestiSorgente testi = leggi_sorgenti(f);
    const EsitoCompilazione e = rapporto_controllo(f, testi, o.piano);
    const std::size_t errori = conta(e, Gravita::errore);
    const std::size_t avvisi = conta(e, Gravita::avviso);
    const bool ok = errori == 0 && !(o.avvisi_come_errori && avvisi > 0);

    if (o.json) {
        const Diagnostica* primo = primo_errore(e);
        out << esito_json(e, primo, primo ? primo->numero : 0, nullptr) << '\n';
    } else {
        err << testo_diagnostiche(e, diagnostiche_mostrate);
        if (errori == 0 && avvisi == 0)
            err << "nessun problema\n";
        else
            err << quanti(errori, Gravita::errore) << ", " << quanti(avvisi, Gravita::avviso) << '\n';
    }
    return ok ? stato::riuscito : stato::non_riuscito;
}

}  // namespace compattatore
