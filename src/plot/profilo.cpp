#include "plot/profilo.h"

#include <algorithm>

#include "compiled/descrizione.h"

namespace compattatore {

namespace {

// Runs of equal values of one byte of the cells, through `valore`.
template <typename F>
std::vector<Gradino> gradini(const std::vector<Cella>& celle, F valore, bool salta_zero = false) {
    std::vector<Gradino> r;
    for (std::size_t c = 0; c < celle.size(); ++c) {
        const double v = valore(celle[c]);
        const double da = static_cast<double>(c) * 50.0;
        if (salta_zero && v == 0) continue;
        if (!r.empty() && r.back().a == da && r.back().valore == v)
            r.back().a = da + 50.0;
        else
            r.push_back({da, da + 50.0, v});
    }
    return r;
}

}  // namespace

ProfiloLinea estrai_profilo(const std::vector<Cella>& celle, const Voci& voci) {
    ProfiloLinea p;
    p.lunghezza = voci[voce_percorso].fine > 0 ? voci[voce_percorso].fine
                                    : std::max(50.0, (static_cast<double>(celle.size()) - 1.0) * 50.0 - 7000.0);
    p.pendenza = gradini(celle, [](const Cella& c) { return static_cast<double>(c.pendenza) - 100.0; });
    p.velocita = gradini(celle, [](const Cella& c) { return static_cast<double>(c.velocita) * 5.0; });
    p.aderenza = gradini(celle, [](const Cella& c) { return static_cast<double>(c.aderenza); });
    p.montagne = gradini(celle, [](const Cella& c) { return static_cast<double>(c.montagna); }, true);

    RallentamentoLinea aperto;  // the restriction whose end is still to come
    bool in_corso = false;
    double avviso = -1;
    for (std::size_t n = 0; n < celle.size(); ++n) {
        const Cella& c = celle[n];
        const double m = static_cast<double>(metri_cella(static_cast<std::int64_t>(n)));
        switch (c.tipo) {
            case tipo_cella::segnale:
                p.segnali.push_back({m, dettaglio_cella(c)});
                break;
            case tipo_cella::indicatore_v_max:
                if (c.valore1 >= 0 && c.valore2 >= 0 && c.valore3 >= 0)
                    p.indicatori.push_back({m, c.valore1 / 100 * 5, c.valore2 / 100 * 5, c.valore3 / 100 * 5});
                break;
            case tipo_cella::cartello: {
                std::string testo;
                if (c.valore1 >= 0 && c.valore1 <= ultima_voce)
                    testo = testo_leggibile(voci[static_cast<std::size_t>(c.valore1)].nome);
                p.cartelli.push_back({m, testo});
                break;
            }
            case tipo_cella::avviso_rallentamento:
                avviso = m;
                break;
            case tipo_cella::inizio_rallentamento:
                // A start that is its own end (a very short restriction) is
                // closed by the next start.
                if (in_corso) p.rallentamenti.push_back(aperto);
                aperto = {avviso, m, m, c.valore1};
                avviso = -1;
                in_corso = true;
                break;
            case tipo_cella::fine_rallentamento:
                if (in_corso) {
                    aperto.fine = m;
                    p.rallentamenti.push_back(aperto);
                    in_corso = false;
                }
                break;
            default:
                break;
        }
    }
    if (in_corso) p.rallentamenti.push_back(aperto);

    const auto ruoli = ruoli_voci(voci);
    for (std::size_t i = 0; i < voci.size(); ++i) {
        if (ruoli[i] != RuoloVoce::stazione) continue;
        const Voce& v = voci[i];
        p.stazioni.push_back({static_cast<int>(i), static_cast<double>(v.posizione), static_cast<double>(v.inizio),
                              static_cast<double>(v.fine), testo_leggibile(v.nome), v.orario, v.tipo});
    }
    return p;
}

}  // namespace compattatore
