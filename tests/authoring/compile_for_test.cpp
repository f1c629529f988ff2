#include "compile_for_test.h"

#include <sstream>

#include "app/esecuzione.h"
#include "finishing/finitura.h"
#include "support/cartella_temporanea.h"
#include "tables/nomi_file.h"

namespace compattatore::prova {

CompiledFiles compile_texts(const std::string& line, const std::string& train, const std::string& line_text,
                            const std::string& train_text, bool plan) {
    CartellaTemporanea folder;
    Scenario names;
    names.nome_linea = line;
    names.nome_treno = train;
    names.cartella = folder.percorso();
    scrivi_byte(file_linea_txt(names), line_text);
    scrivi_byte(file_treno_txt(names), train_text);

    CompiledFiles f;
    Scenario s;
    std::ostringstream report;
    try {
        compila_sorgenti(s, folder.percorso(), line, train, plan, report);
    } catch (const ErroreSegnalato& e) {
        const std::string m = e.what();
        f.error_report = std::stoi(m.substr(m.find_last_not_of("0123456789") + 1));
        return f;
    }
    f.code = s.griglia_esiste() ? s.codice_errore : -1;
    if (!s.griglia_esiste()) return f;
    if (plan) f.plan = leggi_byte(file_linea_dat(names));
    f.sim = leggi_byte(file_sim(names));
    f.grid = leggi_byte(file_griglia_dat(names));
    return f;
}

Compilati decode(const std::string& line, const std::string& train, const CompiledFiles& f) {
    Compilati c;
    c.nome_linea = line;
    c.nome_treno = train;
    c.voci = decodifica_voci(f.sim);
    c.celle = decodifica_griglia(f.grid);
    if (f.plan) c.piano = decodifica_tabella_linea(*f.plan);
    return c;
}

}  // namespace compattatore::prova
