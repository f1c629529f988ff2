#include "compilazione_prova.h"

#include "compile/compilazione.h"
#include "compiled/decodifica.h"
#include "tables/file_compilati.h"

namespace compattatore::test {

FileCompilati compila_testi(const std::string& linea, const std::string& treno, const std::string& testo_linea,
                            const std::string& testo_treno, bool piano) {
    const Compilazione c = compila_descrizioni({linea, treno, testo_linea, testo_treno, piano, {}, {}});
    FileCompilati f;
    f.errore_segnalato = c.esito.errore_segnalato;
    if (f.errore_segnalato != 0) return f;
    const Scenario& s = c.scenario;
    f.codice = s.griglia_esiste() ? numero(c.esito.codice) : -1;
    if (!s.griglia_esiste()) return f;
    if (piano) f.piano = codifica_tabella_linea(s.tabella_linea);
    f.sim = codifica_voci(s.voci);
    f.griglia = codifica_griglia(s.celle);
    return f;
}

ScenarioCompilato decodifica(const std::string& linea, const std::string& treno, const FileCompilati& f) {
    std::optional<TabellaLinea> piano;
    if (f.piano) piano = decodifica_tabella_linea(*f.piano);
    return {linea, treno, decodifica_griglia(f.griglia), decodifica_voci(f.sim), std::move(piano)};
}

}  // namespace compattatore::test
