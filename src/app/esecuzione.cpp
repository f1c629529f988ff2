#include "app/esecuzione.h"

#include <ostream>
#include <string>

#include "app/diagnostica.h"
#include "app/driver.h"
#include "documents/documenti.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "sources/descrizioni.h"

namespace compattatore {

namespace {

FileScenario predefinito(const std::filesystem::path& cartella) {
    return {cartella, linea_predefinita, treno_predefinito};
}

bool riuscita(const Compilazione& c) { return c.scenario.griglia_esiste() && c.esito.codice == Codice::nessuno; }

}  // namespace

int esegui_lavoro(const std::filesystem::path& cartella, std::ostream& out, std::ostream& err) {
    const FileScenario f = predefinito(cartella);
    out << "Attendere" << std::endl;

    dati_linea(f);
    dati_treno(f);
    dati_note(f);
    dati_rallentamenti(f);
    dati_scheda(f);
    const Compilazione c = memorizza_percorso(f, 1);

    if (!riuscita(c)) {
        err << descrivi_errore(c.esito) << '\n';
        if (const std::string record = riga_del_record(c.esito); !record.empty()) err << record << '\n';
        return 1;
    }
    return 0;
}

int scrivi_sorgenti(const std::filesystem::path& cartella) {
    const FileScenario f = predefinito(cartella);
    dati_linea(f);
    dati_treno(f);
    return 0;
}

int compila_sorgenti(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                     bool piano, std::ostream& out, bool json) {
    const Compilazione c = memorizza_percorso({cartella, linea, treno}, piano ? 1 : 0, false);
    if (json) {
        out << diagnostica_json(c.esito) << '\n';
    } else {
        out << descrivi_errore(c.esito) << '\n';
        if (const std::string record = riga_del_record(c.esito); !record.empty()) out << record << '\n';
    }
    return riuscita(c) ? 0 : 1;
}

int riporta_fallimenti(const std::function<int()>& lavoro, std::ostream& err) {
    try {
        return lavoro();
    } catch (const ErroreSegnalato& e) {
        err << e.what() << '\n';
        return 1;
    } catch (const IoError& e) {
        err << "compattatore: " << path_text(e.file()) << ": " << e.reason() << '\n';
        return 2;
    }
}

}  // namespace compattatore
