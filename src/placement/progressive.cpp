// progressive_ordina: the three kilometre references, greatest start first,
// and the fixed +100 on references whose kilometres run backwards.
#include "placement/progressive.h"

#include <array>
#include <limits>

#include "tables/chilometri.h"

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

}  // namespace

std::array<int, 3> ordine_progressive(const Voci& voci) {
    const std::int64_t p1 = voci[prima_voce].inizio, p2 = voci[prima_voce + 1].inizio, p3 = voci[prima_voce + 2].inizio;
    std::array<int, 3> ordine = {-1, -1, -1};  // all cleared unless a rule below fills it
    if (p1 + p2 + p3 != 0) {
        if (p1 > p2 && p1 > p3) {
            ordine = p2 > p3 ? std::array{0, 1, 2} : std::array{0, 2, 1};
        } else if (p2 > p1 && p2 > p3) {
            ordine = p1 > p3 ? std::array{1, 0, 2} : std::array{1, 2, 0};
        } else if (p3 > p1 && p3 > p2) {
            ordine = p1 > p2 ? std::array{2, 0, 1} : std::array{2, 1, 0};
        }
        // A greatest start shared by two or three references leaves no
        // usable order: all three are cleared.
    } else {
        // No start positions: the reference with a positive value goes
        // first; a later entry wins over an earlier one.
        if (voci[prima_voce].fine > 0) ordine = {0, 1, 2};
        if (voci[prima_voce + 1].fine > 0) ordine = {1, 0, 2};
        if (voci[prima_voce + 2].fine > 0) ordine = {2, 1, 0};
    }
    return ordine;
}

Codice progressive_ordina(Voci& voci) {
    const std::array<Riferimento, 3> prima = {leggi(voci[prima_voce]), leggi(voci[prima_voce + 1]),
                                              leggi(voci[prima_voce + 2])};
    std::array<Riferimento, 3> esito{};
    const std::array<int, 3> ordine = ordine_progressive(voci);
    for (std::size_t i = 0; i < 3; ++i)
        if (ordine[i] >= 0) esito[i] = prima[static_cast<std::size_t>(ordine[i])];

    Codice codice = Codice::nessuno;
    for (std::size_t i = 0; i < 3; ++i) {
        Riferimento& r = esito[i];
        if (verso_decrescente(r.posizione)) {
            // A value already at the top of the field cannot take the
            // correction: it is recorded instead of wrapping round.
            if (r.fine > std::numeric_limits<std::int32_t>::max() - aggiunta_decrescente) {
                codice = Codice::guasto;
            } else {
                r.fine += aggiunta_decrescente;
            }
        }
        scrivi(voci[prima_voce + i], r);
    }
    return codice;
}

}  // namespace compattatore
