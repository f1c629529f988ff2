// Fuzz target: arbitrary bytes as the two description texts (the layout of
// ingresso.h), through `check` and, when they compile, the driver's
// documents.
//
// `check` reads on past every error: it must not fail, and its first error
// must be the compile's first, at the same place.  The timetable card and
// the restriction order of a scenario that compiled keep to their widths.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/diagnostica.h"
#include "compile/compilazione.h"
#include "documents/documenti_scenario.h"
#include "ingresso.h"

namespace {

using namespace compattatore;

[[noreturn]] void violazione(const char* cosa, const EsitoCompilazione& e) {
    std::fprintf(stderr, "fuzz_controllo: %s (codice %d, posizione_errore %d)\n", cosa,
                 static_cast<int>(numero(e.codice)), static_cast<int>(e.posizione_errore));
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n == 0) return 0;
    const Descrizioni d = fuzz::descrizioni(dati, n);
    const Compilazione c = compila_descrizioni(d);
    const EsitoCompilazione& e = c.esito;
    const Scenario& s = c.scenario;

    const Compilazione k = compila_descrizioni(d, true);
    const Diagnostica* primo_c = primo_errore(e);
    const Diagnostica* primo_k = primo_errore(k.esito);
    if (primo_c && (!primo_k || primo_k->numero != primo_c->numero || primo_k->luogo != primo_c->luogo))
        violazione("il primo errore di check non e' quello di compile", e);
    if (!primo_c && primo_k) violazione("check trova un errore dove compile non ne trova", e);

    if (s.griglia_esiste() && e.codice == Codice::nessuno && e.errore_segnalato == 0) {
        for (const std::string& r : righe_scheda_treno(s))
            if (r.size() > 83) violazione("riga della scheda oltre 83 caratteri", e);
        const std::vector<std::string> ordine = righe_ordine_rallentamenti(s);
        // Lines 5 and 7 carry the stations' and the train's names whole.
        for (std::size_t i = 0; i < ordine.size(); ++i)
            if (i != 4 && i != 6 && ordine[i].size() > 82) violazione("riga dell'ordine oltre 82 caratteri", e);
    }
    return 0;
}
