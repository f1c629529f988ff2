// The job of the program started with no arguments.
#include <optional>
#include <ostream>
#include <string>

#include "app/blocco_cartelle.h"
#include "app/comandi.h"
#include "app/diagnostica.h"
#include "app/file_esistenti.h"
#include "app/lettura_descrizioni.h"
#include "app/scenario_files.h"
#include "compile/compilazione.h"
#include "documents/documenti.h"
#include "platform/output_set.h"
#include "sources/file_testo.h"

namespace compattatore {

StatoUscita esegui_lavoro(const std::filesystem::path& cartella, std::ostream& out, std::ostream& err) {
    const FileScenario f{cartella, linea_predefinita, treno_predefinito};
    out << "Attendere" << std::endl;
    const BloccoCartelle blocco({{cartella, UsoCartella::scrittura}}, err);
    const std::string linea = componi_testo(righe_linea());
    const std::string treno = componi_testo(righe_treno());
    // Description files under these names that this program did not write
    // are an author's work, which the run would replace and delete.
    if (rifiuta_diverse({{file_linea_txt(f), linea}, {file_treno_txt(f), treno}}, cartella, err))
        return stato::non_riuscito;

    // The description files live only until the reader has taken them; the
    // documents and the compiled files are the run's outputs, put in place
    // together at the end.
    DescrizioniProprie descrizioni;
    descrizioni.scrivi(file_linea_txt(f), linea);
    descrizioni.scrivi(file_treno_txt(f), treno);
    OutputSet uscite;
    dati_note(f, uscite);
    Compilazione c = memorizza_percorso(f, true, uscite, &descrizioni);
    // The card and the order are worked out from the scenario just compiled,
    // as for every other scenario.
    if (c.scenario.griglia_esiste()) {
        c.scenario.documenti = dati_documenti_predefiniti();
        aggiungi_documenti(f, c.scenario, std::nullopt, uscite);
    }
    uscite.commit();

    if (!riuscita(c)) {
        err << testo_diagnostiche(c.esito, diagnostiche_mostrate);
        return stato::non_riuscito;
    }
    return stato::riuscito;
}

}  // namespace compattatore
