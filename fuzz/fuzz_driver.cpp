// Fuzz target: arbitrary bytes as the two description texts (the layout of
// ingresso.h), compiled in memory as the driver compiles them.
//
// Besides the sanitizers, every run checks what the program promises: the
// description texts the run would delete are those the reader says it
// consumed, the grid has a cell per 50 m and the plan a row per metre, the
// entries encode to their sizes and pass the plausibility check of the
// compiled-scenario readers, every code recorded is a diagnostic, the last
// one with a code the outcome's, and the report an author reads holds no
// raw control byte.  One compile per input: `check`'s agreement and the
// driver's documents have a target of their own (fuzz_controllo).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/diagnostica.h"
#include "compile/compilazione.h"
#include "compiled/plausibilita_voci.h"
#include "ingresso.h"
#include "tables/file_compilati.h"

namespace {

using namespace compattatore;

[[noreturn]] void violazione(const char* cosa, const EsitoCompilazione& e) {
    std::fprintf(stderr, "fuzz_driver: %s (codice %d, posizione_errore %d)\n", cosa,
                 static_cast<int>(numero(e.codice)), static_cast<int>(e.posizione_errore));
    std::abort();
}

std::size_t byte_attesi_voci(const Voci& voci) {
    std::size_t n = 0;
    for (const Voce& v : voci) n += byte_voce_fissi + v.nome.size();
    return n;
}

bool codice_noto(Codice c) {
    static const std::set<std::int32_t> noti = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,  12,  13,
                                                15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103};
    return noti.count(numero(c)) != 0;
}

// Codes with which the reader stops inside the line text: only then may the
// train text stay unread.  The finishing pass runs after such a stop and
// may replace the code with one of its own (11, 12, 13).
bool fermo_nella_linea(Codice c) {
    const std::int32_t n = numero(c);
    return n == 102 || n == 1 || n == 3 || n == 4 || n == 5 || n == 103 || n == 6 || n == 21 || n == 11 ||
           n == 12 || n == 13;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n == 0) return 0;
    const Descrizioni d = fuzz::descrizioni(dati, n);
    const bool piano = d.compila_linea;
    const Compilazione c = compila_descrizioni(d);
    const EsitoCompilazione& e = c.esito;
    const Scenario& s = c.scenario;

    if (!codice_noto(e.codice)) violazione("codice sconosciuto", e);
    if (e.codice != Codice::nessuno && spiegazione_codice(e.codice).empty()) violazione("codice senza spiegazione", e);
    const Diagnostica* ultimo = ultimo_errore(e);
    if (e.codice != Codice::nessuno && !ultimo) violazione("codice senza diagnostica", e);
    // The last error listed with a code carries the outcome's code; errors
    // with no code (an empty train) may follow it.
    const Diagnostica* ultimo_con_codice = nullptr;
    for (const Diagnostica& x : e.diagnostiche)
        if (x.gravita == Gravita::errore && x.numero != 0) ultimo_con_codice = &x;
    if (e.errore_segnalato == 0 && e.codice != Codice::nessuno &&
        (!ultimo_con_codice || ultimo_con_codice->numero != numero(e.codice)))
        violazione("l'ultimo errore con un codice non e' il codice dell'esito", e);
    if (e.errore_segnalato == 0 && e.codice == Codice::nessuno && ultimo_con_codice) violazione("un errore con codice e un esito senza", e);
    for (const char ch : testo_diagnostiche(e, 1000))
        if (static_cast<unsigned char>(ch) < 0x20 && ch != '\n') violazione("byte di controllo nel rapporto", e);
    for (const char ch : esito_json(e, ultimo, numero(e.codice), nullptr))
        if (static_cast<unsigned char>(ch) < 0x20) violazione("JSON con un carattere di controllo", e);

    if (!e.letta_linea) violazione("il testo della linea non e' stato consumato", e);
    if (!e.letto_treno && !fermo_nella_linea(e.codice)) violazione("il testo del treno non e' stato consumato", e);
    if (e.errore_segnalato != 0 && e.errore_segnalato != 1250 && e.errore_segnalato != 1251)
        violazione("errore segnalato sconosciuto", e);

    if (s.griglia_esiste() && e.errore_segnalato == 0) {
        if (s.celle.size() != static_cast<std::size_t>(s.numero_celle) + 1)
            violazione("griglia di dimensione diversa da numero_celle + 1", e);
        if (codifica_voci(s.voci).size() != byte_attesi_voci(s.voci)) violazione("voci codificate incomplete", e);
        // Whatever the texts, the entries are ones a .sim may hold: the
        // plausibility check of dump and decompile never flags them.
        const std::vector<VoceInverosimile> inverosimili = esamina_voci(s.voci, d.nome_linea + "_" + d.nome_treno);
        if (!inverosimili.empty()) {
            std::fprintf(stderr, "fuzz_driver: %s\n", inverosimili.front().motivo.c_str());
            violazione("voce che la verifica dei file .sim giudica inverosimile", e);
        }
        if (piano != s.tabella_linea.esiste()) violazione("piano senza richiesta o richiesta senza piano", e);
        if (piano) {
            // The plan's bytes are checked by the writer's tests; walking up to
            // two million elements here would take most of each run.
            if (s.tabella_linea.righe != s.lunghezza_estesa + 1) violazione("piano di dimensione sbagliata", e);
        }
    }
    return 0;
}
