// Fuzz target: the field reader alone, on arbitrary bytes.
//
// Input layout:
//   byte 0          k: the next k % 16 bytes are the reading script;
//   script bytes    each picks one typed read (value % 4: string, 32-bit,
//                   16-bit, unsigned 8-bit); the script repeats;
//   the rest        the text being read.
// An empty script reads strings only, as the top of every record loop does.
//
// The reads go on until the text is used up or a read fails, as in the
// reader, where the first failure ends the reading.  Besides the sanitizers
// the run checks the promises the reader relies on: every read that succeeds
// consumes at least one byte (so no loop can spin), a string never carries
// a line end, a field's line is a line of the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reader/lettore_campi.h"

namespace {

using compattatore::lettore::GuastoCampo;
using compattatore::lettore::LettoreCampi;
using compattatore::lettore::PosizioneCampo;

[[noreturn]] void violazione(const char* cosa) {
    std::fprintf(stderr, "fuzz_campi: %s\n", cosa);
    std::abort();
}

void controlla_posizione(const LettoreCampi& f, const PosizioneCampo& p, std::size_t dimensione) {
    if (p.riga < 1) violazione("riga del campo sotto 1");
    if (p.inizio_riga > dimensione) violazione("inizio della riga oltre il testo");
    if (f.testo_riga(p).find('\n') != std::string::npos) violazione("la riga del campo contiene un a capo");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    if (n == 0) return 0;
    const std::size_t lunghezza_copione = std::min<std::size_t>(dati[0] % 16, n - 1);
    const std::string_view copione(reinterpret_cast<const char*>(dati) + 1, lunghezza_copione);
    const std::string testo(reinterpret_cast<const char*>(dati) + 1 + lunghezza_copione,
                            n - 1 - lunghezza_copione);

    LettoreCampi f(testo);
    // Every successful read takes at least one byte: more reads than bytes
    // means the reader stopped moving.
    std::size_t letture = 0;
    int riga_precedente = 1;
    while (!f.fine()) {
        if (++letture > testo.size() + 1) violazione("una lettura riuscita non ha consumato nulla");
        const char operazione = copione.empty() ? 0 : copione[(letture - 1) % copione.size()];
        try {
            switch (static_cast<unsigned char>(operazione) % 4) {
                case 0: {
                    const std::string campo = f.leggi_stringa();
                    if (campo.find('\n') != std::string::npos) violazione("una stringa contiene un a capo");
                    break;
                }
                case 1: (void)f.leggi_32(); break;
                case 2: (void)f.leggi_16(); break;
                default: (void)f.leggi_u8(); break;
            }
        } catch (const GuastoCampo&) {
            controlla_posizione(f, f.posizione_campo(), testo.size());
            break;
        }
        const PosizioneCampo p = f.posizione_campo();
        controlla_posizione(f, p, testo.size());
        if (p.riga < riga_precedente) violazione("le righe dei campi tornano indietro");
        riga_precedente = p.riga;
    }
    // Past the end every read fails cleanly.
    if (f.fine()) {
        try {
            (void)f.leggi_stringa();
            violazione("lettura oltre la fine riuscita");
        } catch (const GuastoCampo&) {
        }
    }
    return 0;
}
