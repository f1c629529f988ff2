// progressive_ordina: the three kilometre references, greatest start first,
// and the fixed +100 on references whose kilometres run backwards.
#include "placement/progressive.h"

#include <array>
#include <limits>

namespace compattatore {

namespace {

struct Riferimento {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t posizione = 0;
};

Riferimento leggi(const Voce& v) { return {v.inizio, v.fine, v.posizione}; }

void scrivi(Voce& v, const Riferimento& r) {
    v.inizio = r.inizio;
    v.fine = r.fine;
    v.posizione = r.posizione;
}

constexpr std::size_t prima_voce = voce_progressiva_tre;  // entries 81, 82, 83
constexpr std::int32_t correzione_decrescente = 100;

}  // namespace

Codice progressive_ordina(Voci& voci) {
    const Riferimento r1 = leggi(voci[prima_voce]);
    const Riferimento r2 = leggi(voci[prima_voce + 1]);
    const Riferimento r3 = leggi(voci[prima_voce + 2]);
    const std::int64_t p1 = r1.inizio, p2 = r2.inizio, p3 = r3.inizio;

    std::array<Riferimento, 3> esito{};  // all cleared unless a rule below fills it
    if (p1 + p2 + p3 != 0) {
        if (p1 > p2 && p1 > p3) {
            esito = p2 > p3 ? std::array{r1, r2, r3} : std::array{r1, r3, r2};
        } else if (p2 > p1 && p2 > p3) {
            esito = p1 > p3 ? std::array{r2, r1, r3} : std::array{r2, r3, r1};
        } else if (p3 > p1 && p3 > p2) {
            esito = p1 > p2 ? std::array{r3, r1, r2} : std::array{r3, r2, r1};
        }
        // A greatest start shared by two or three references leaves no
        // usable order: all three are cleared.
    } else {
        // No start positions: the reference with a positive value goes
        // first; a later entry wins over an earlier one.
        if (r1.fine > 0) esito = {r1, r2, r3};
        if (r2.fine > 0) esito = {r2, r1, r3};
        if (r3.fine > 0) esito = {r3, r2, r1};
    }

    Codice codice = Codice::nessuno;
    for (std::size_t i = 0; i < 3; ++i) {
        Riferimento& r = esito[i];
        if (r.posizione == 1) {
            // A value already at the top of the field cannot take the
            // correction: it is recorded instead of wrapping round.
            if (r.fine > std::numeric_limits<std::int32_t>::max() - correzione_decrescente) {
                codice = Codice::guasto;
            } else {
                r.fine += correzione_decrescente;
            }
        }
        scrivi(voci[prima_voce + i], r);
    }
    return codice;
}

}  // namespace compattatore
