#include "documents/corsa.h"

#include <algorithm>

namespace compattatore {

namespace {

constexpr std::int32_t passo_cella = 50;

// The lowest entry a sign text took: the stations lie below it.
std::size_t primo_cartello(const Scenario& s) {
    std::size_t primo = ultimo_cartello + 1;
    for (const Cella& c : s.celle)
        if (c.tipo == tipo_cella::cartello && c.valore1 >= static_cast<std::int16_t>(prima_stazione) &&
            c.valore1 <= static_cast<std::int16_t>(ultimo_cartello))
            primo = std::min(primo, static_cast<std::size_t>(c.valore1));
    return primo;
}

}  // namespace

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

    const std::size_t fine_stazioni = primo_cartello(s);
    for (std::size_t i = prima_stazione; i < fine_stazioni; ++i) {
        const Voce& v = s.voci[i];
        if (v == Voce{}) break;
        c.stazioni.push_back({v.posizione, v.inizio, v.fine, v.orario, v.nome});
    }

    // The limits along the line, and along the grid to the last station
    // where that stands beyond the line's length.
    const std::int64_t fine_corsa = std::max<std::int64_t>(c.lunghezza_linea, c.destinazione());
    int precedente = 0;
    for (std::size_t n = 0; n < s.celle.size(); ++n) {
        const std::int64_t metri = static_cast<std::int64_t>(n) * passo_cella;
        if (metri > fine_corsa) break;
        const int kmh = s.celle[n].velocita * 5;
        if (kmh != precedente) c.velocita.push_back({static_cast<std::int32_t>(metri), kmh});
        precedente = kmh;
    }

    c.progressive = progressive_linea(s.voci);

    // Elements stand in cell n at (n - 1) x 50 m; a restriction runs from
    // its start cell to its end cell, the first one after it that carries
    // the same values (restrictions may overlap or lie one inside another).
    std::vector<std::size_t> aperti;  // restrictions whose end is still to come
    std::vector<const Cella*> inizi;  // the start cell of each restriction
    for (std::size_t n = 0; n < s.celle.size(); ++n) {
        const Cella& cella = s.celle[n];
        const auto metri = static_cast<std::int32_t>((static_cast<std::int64_t>(n) - 1) * passo_cella);
        if (cella.tipo == tipo_cella::segnale) c.segnali.push_back(metri);
        if (cella.tipo == tipo_cella::inizio_rallentamento) {
            aperti.push_back(c.rallentamenti.size());
            inizi.push_back(&cella);
            c.rallentamenti.push_back({metri, 0, cella.valore1});
        }
        if (cella.tipo == tipo_cella::fine_rallentamento && !aperti.empty()) {
            auto r = std::find_if(aperti.begin(), aperti.end(), [&](std::size_t k) {
                const Cella& i = *inizi[k];
                return i.valore1 == cella.valore1 && i.valore2 == cella.valore2 && i.valore3 == cella.valore3;
            });
            if (r == aperti.end()) r = aperti.begin();
            c.rallentamenti[*r].lunghezza = metri - c.rallentamenti[*r].inizio;
            aperti.erase(r);
        }
    }
    return c;
}

}  // namespace compattatore
