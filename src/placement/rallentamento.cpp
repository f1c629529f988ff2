// memo_rallentamento: a speed restriction laid out over its warning board,
// start, end and the four approach markers before the board.
//
// The caller only checks that the start lies inside the grid.  A cell that a
// computed index puts outside the grid (the end of a restriction that runs
// past the last cell, markers before cell 0) is not there: it is never
// occupied, so it does not refuse the restriction, and it is not written.
#include "placement/griglia.h"
#include "placement/posa.h"
#include "tables/arrotonda.h"
#include "tables/celle.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {
// Below this start the line has no room for the 1200-m warning board.
constexpr std::int32_t inizio_minimo_avviso = 1500;
constexpr std::int64_t distanza_avviso = 1200;
}  // namespace

CelleRallentamento celle_rallentamento(std::int32_t x, std::int32_t l) {
    return {cella_di(x - distanza_avviso), cella_di(x), cella_di(static_cast<std::int64_t>(x) + l),
            // The markers are counted from the board's position without the +1 of the cell rule.
            arrotonda(static_cast<double>(static_cast<std::int64_t>(x) - distanza_avviso) / lunghezza_cella)};
}

Codice memo_rallentamento(std::vector<Cella>& celle, std::int32_t x, std::int32_t v, std::int32_t l,
                          std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v) {
    if (!sta_in_16_bit(v) || !sta_in_16_bit(d_v) || !sta_in_16_bit(f_tt)) return codice_valore_fuori_campo;

    const CelleRallentamento celle_r = celle_rallentamento(x, l);
    const std::int64_t w = celle_r.avviso;
    const std::int64_t inizio = celle_r.inizio;
    const std::int64_t fine = celle_r.fine;
    const bool con_avviso = x > inizio_minimo_avviso;

    if (con_avviso) {
        if (occupata(celle, w)) return Codice::avviso_occupato;
    } else {
        f_ta = 0;
    }
    if (occupata(celle, inizio)) return Codice::inizio_rallentamento_occupato;
    if (occupata(celle, fine)) return Codice::fine_rallentamento_occupata;

    const auto velocita = static_cast<std::int16_t>(v);
    const auto seconda = static_cast<std::int16_t>(d_v);

    // Written end first: a restriction shorter than one cell ends as a start.
    if (nella_griglia(celle, fine)) {
        Cella& e = cella(celle, fine);
        e.tipo = TipoCella::fine_rallentamento;
        if (d_v != 0) e.valore2 = seconda;
    }
    if (nella_griglia(celle, inizio)) {
        Cella& i = cella(celle, inizio);
        i.tipo = TipoCella::inizio_rallentamento;
        if (d_v != 0) i.valore2 = seconda;
    }
    if (con_avviso && nella_griglia(celle, w)) {
        Cella& a = cella(celle, w);
        a.tipo = TipoCella::avviso_rallentamento;
        if (d_v != 0) a.valore2 = seconda;
        a.valore1 = velocita;
    }
    if (nella_griglia(celle, inizio)) {
        cella(celle, inizio).valore1 = velocita;
        cella(celle, inizio).valore3 = static_cast<std::int16_t>(f_tt);
    }
    if (nella_griglia(celle, fine)) {
        cella(celle, fine).valore1 = velocita;
        cella(celle, fine).valore3 = static_cast<std::int16_t>(f_tt);
    }

    if (f_ta == 0) return Codice::nessuno;

    // The markers stand in the four cells before the board.
    const std::int64_t k = celle_r.preavviso;
    for (std::int64_t i = 0; i <= 3; ++i) {
        if (occupata(celle, k - i)) return Codice::preavvisi_occupati;
    }
    for (std::int64_t i = 0; i <= 3; ++i) {
        if (!nella_griglia(celle, k - i)) continue;
        Cella& m = cella(celle, k - i);
        m.tipo = TipoCella::preavviso_rallentamento;
        m.valore1 = static_cast<std::int16_t>(i + 1);
        if (d_v != 0) m.valore2 = static_cast<std::int16_t>(i + 1);
    }
    return Codice::nessuno;
}

}  // namespace compattatore
