#include "app/esecuzione.h"

#include <ostream>
#include <string>

#include "app/diagnostica.h"
#include "app/driver.h"
#include "documents/documenti.h"
#include "finishing/finitura.h"
#include "platform/file_io.h"
#include "sources/descrizioni.h"

namespace compattatore {

namespace {

void prepara(Scenario& s, const std::filesystem::path& cartella, const std::string& linea,
             const std::string& treno) {
    s.nome_linea = linea;
    s.nome_treno = treno;
    s.cartella = cartella;
}

}  // namespace

int esegui_lavoro(Scenario& s, const std::filesystem::path& cartella, std::ostream& out,
                  std::ostream& err) {
    prepara(s, cartella, linea_predefinita, treno_predefinito);
    out << "Attendere" << std::endl;

    dati_linea(s);
    dati_treno(s);
    dati_note(s);
    dati_rallentamenti(s);
    dati_scheda(s);
    memorizza_percorso(s, 1);

    if (!s.griglia_esiste() || s.codice_errore != 0) {
        err << descrivi_errore(s) << '\n';
        if (const std::string record = riga_del_record(s); !record.empty()) err << record << '\n';
        return 1;
    }
    return 0;
}

int scrivi_sorgenti(const std::filesystem::path& cartella) {
    Scenario s;
    prepara(s, cartella, linea_predefinita, treno_predefinito);
    dati_linea(s);
    dati_treno(s);
    return 0;
}

int compila_sorgenti(Scenario& s, const std::filesystem::path& cartella, const std::string& linea,
                     const std::string& treno, bool piano, std::ostream& out, bool json) {
    prepara(s, cartella, linea, treno);
    s.elimina_sorgenti = false;
    memorizza_percorso(s, piano ? 1 : 0);
    if (json) {
        out << diagnostica_json(s) << '\n';
    } else {
        out << descrivi_errore(s) << '\n';
        if (const std::string record = riga_del_record(s); !record.empty()) out << record << '\n';
    }
    return s.griglia_esiste() && s.codice_errore == 0 ? 0 : 1;
}

int riporta_fallimenti(const std::function<int()>& lavoro, std::ostream& err) {
    try {
        return lavoro();
    } catch (const ErroreSegnalato& e) {
        err << e.what() << '\n';
        return 1;
    } catch (const ErroreIO& e) {
        err << "compattatore: " << e.file().string() << ": " << e.motivo() << '\n';
        return 2;
    }
}

}  // namespace compattatore
