#include "documents/corsa.h"

#include <algorithm>

#include "compiled/scenario_compilato.h"
#include "tables/celle.h"

namespace compattatore {

int Corsa::limite(std::int32_t p) const {
    const auto dopo = std::upper_bound(velocita.begin(), velocita.end(), p,
                                       [](std::int32_t x, const CambioVelocita& c) { return x < c.posizione; });
    return dopo == velocita.begin() ? 0 : std::prev(dopo)->kmh;
}

std::int64_t Corsa::chilometro(std::int32_t p) const { return compattatore::chilometro(progressive, p); }

std::int64_t Corsa::chilometro_prima(std::int32_t p) const { return compattatore::chilometro_prima(progressive, p); }

std::optional<std::int32_t> Corsa::cippo_prima(std::int32_t p, std::int32_t da) const {
    // Of the 4000 m before p at most four references share the stretch, so
    // one of them holds 1000 m of it, and a whole kilometre: no need to look
    // further back.
    const std::int64_t fino = std::max<std::int64_t>(da, static_cast<std::int64_t>(p) - 4000);
    for (std::int64_t q = p; q >= fino; --q)
        if (chilometro(static_cast<std::int32_t>(q)) % 1000 == 0) return static_cast<std::int32_t>(q);
    return std::nullopt;
}

Corsa leggi_corsa(const Scenario& s) {
    Corsa c;
    const VistaIntestazione h{s.voci};
    c.lunghezza_linea = h.lunghezza_linea();

    for (const StazioneCompilata& v : stazioni_compilate(s.voci, ripartisci_voci(s.voci, s.celle)))
        c.stazioni.push_back({v.posizione, v.inizio, v.fine, v.orario, v.nome});

    // The limits along the line, and along the grid to the last station
    // where that stands beyond the line's length: cell n holds the stretch
    // from n x 50 m.
    const std::int64_t fine_corsa = std::max<std::int64_t>(c.lunghezza_linea, c.destinazione());
    int precedente = 0;
    for (std::size_t n = 0; n < s.celle.size(); ++n) {
        const std::int64_t metri = inizio_tratto(static_cast<std::int64_t>(n));
        if (metri > fine_corsa) break;
        const int kmh = s.celle[n].velocita * 5;
        if (kmh != precedente) c.velocita.push_back({static_cast<std::int32_t>(metri), kmh});
        precedente = kmh;
    }

    c.progressive = progressive_linea(s.voci);

    for (std::size_t n = 0; n < s.celle.size(); ++n)
        if (s.celle[n].tipo == TipoCella::segnale)
            c.segnali.push_back(static_cast<std::int32_t>(metro_di_cella(static_cast<std::int64_t>(n))));

    // The restrictions as the author wrote them: each start with the first
    // end after it that carries its values (they may overlap or lie one
    // inside another).
    for (const RallentamentoCompilato& r : rallentamenti_compilati(s.celle, Appaiamento::come_scritti)) {
        const auto inizio = static_cast<std::int32_t>(r.metro_inizio());
        const auto lunghezza = static_cast<std::int32_t>(r.ha_fine() ? r.metro_fine() - r.metro_inizio() : 0);
        c.rallentamenti.push_back({inizio, lunghezza, r.velocita});
    }
    return c;
}

}  // namespace compattatore
