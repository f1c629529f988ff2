// Fuzz target: arbitrary bytes as the two description texts (the layout of
// ingresso.h), compiled in memory; the compiled tables are then decompiled
// as `decompile` does, and the texts it writes compiled again.
//
// Besides the sanitizers, every run checks what decompile promises: it says
// that its texts give the compiled files back exactly when compiling them
// does give them back.  With COMPATTATORE_FUZZ_GIRO set in the environment
// it also asks every scenario compiled without a code to come back, which
// finds the descriptions no decompilation reaches.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "compile/compilazione.h"
#include "decompile/decompilazione.h"
#include "ingresso.h"

namespace {

using namespace compattatore;

[[noreturn]] void violazione(const char* cosa, const Decompilazione& d) {
    std::fprintf(stderr, "fuzz_decompila: %s (%zu differenze)\n", cosa, d.differenze.size());
    for (std::size_t i = 0; i < d.differenze.size() && i < 10; ++i) std::fprintf(stderr, "  %s\n", d.differenze[i].c_str());
    std::abort();
}

bool stesso_piano(const TabellaLinea& a, const TabellaLinea& b) {
    const std::size_t n = a.elementi.size();
    return a.righe == b.righe && n == b.elementi.size() &&
           (n == 0 || std::memcmp(a.elementi.slot(0), b.elementi.slot(0), n * slot_piano::byte) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n == 0) return 0;
    const Descrizioni d = fuzz::descrizioni(dati, n);
    const Compilazione c = compila_descrizioni(d);
    if (!c.scenario.griglia_esiste() || c.esito.errore_segnalato != 0) return 0;

    std::optional<TabellaLinea> piano;
    if (d.compila_linea) piano = c.scenario.tabella_linea;
    const ScenarioCompilato k(d.nome_linea, d.nome_treno, c.scenario.celle, c.scenario.voci, std::move(piano));
    const Decompilazione dec = decompila(k);

    const Compilazione r =
        compila_descrizioni({d.nome_linea, d.nome_treno, dec.testo_linea, dec.testo_treno, d.compila_linea, {}, {}});
    const Scenario& s = r.scenario;
    const bool tornano = r.esito.errore_segnalato == 0 && s.griglia_esiste() && s.celle == k.celle() &&
                         s.voci == k.voci() && (!k.piano() || stesso_piano(s.tabella_linea, *k.piano()));
    if (dec.riprodotti() != tornano) violazione("decompile dice il contrario di quel che la compilazione da'", dec);
    if (std::getenv("COMPATTATORE_FUZZ_GIRO") && c.esito.codice == Codice::nessuno && !tornano)
        violazione("uno scenario compilato senza codici non torna", dec);
    return 0;
}
