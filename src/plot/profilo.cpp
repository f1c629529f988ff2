#include "plot/profilo.h"

#include <algorithm>

#include "compiled/descrizione.h"
#include "tables/costanti_formato.h"

namespace compattatore {

namespace {

// Runs of equal values of one byte of the cells, through `valore`.
template <typename F>
std::vector<Gradino> gradini(const std::vector<Cella>& celle, F valore, bool salta_zero = false) {
    std::vector<Gradino> r;
    for (std::size_t c = 0; c < celle.size(); ++c) {
        const double v = valore(celle[c]);
        const double da = static_cast<double>(inizio_tratto(static_cast<std::int64_t>(c)));
        if (salta_zero && v == 0) continue;
        if (!r.empty() && r.back().a == da && r.back().valore == v)
            r.back().a = da + lunghezza_cella;
        else
            r.push_back({da, da + lunghezza_cella, v});
    }
    return r;
}

}  // namespace

ProfiloLinea estrai_profilo(const ScenarioCompilato& s) {
    const std::vector<Cella>& celle = s.celle();
    const Voci& voci = s.voci();
    ProfiloLinea p;
    p.lunghezza = voci[voce_percorso].fine > 0 ? voci[voce_percorso].fine
                                    : std::max(double{lunghezza_cella},
                                               (static_cast<double>(celle.size()) - 1.0) * lunghezza_cella -
                                                   prolungamento_linea);
    p.pendenza = gradini(celle, [](const Cella& c) { return static_cast<double>(c.pendenza) - 100.0; });
    p.velocita = gradini(celle, [](const Cella& c) { return static_cast<double>(c.velocita) * 5.0; });
    p.aderenza = gradini(celle, [](const Cella& c) { return static_cast<double>(c.aderenza); });
    p.montagne = gradini(celle, [](const Cella& c) { return static_cast<double>(c.montagna); }, true);

    for (std::size_t n = 0; n < celle.size(); ++n) {
        const Cella& c = celle[n];
        const double m = static_cast<double>(metro_di_cella(static_cast<std::int64_t>(n)));
        switch (c.tipo) {
            case TipoCella::segnale:
                p.segnali.push_back({m, dettaglio_cella(c)});
                break;
            case TipoCella::indicatore_v_max:
                if (c.valore1 >= 0 && c.valore2 >= 0 && c.valore3 >= 0)
                    p.indicatori.push_back({m, c.valore1 / 100 * 5, c.valore2 / 100 * 5, c.valore3 / 100 * 5});
                break;
            case TipoCella::cartello: {
                const std::string* testo = s.testo_cartello(c);
                p.cartelli.push_back({m, testo ? testo_leggibile(*testo) : std::string()});
                break;
            }
            default:
                break;
        }
    }
    for (const RallentamentoCompilato& r : s.rallentamenti()) {
        const double avviso = r.cella_avviso < 0 ? -1.0 : static_cast<double>(metro_di_cella(r.cella_avviso));
        p.rallentamenti.push_back({avviso, static_cast<double>(r.metro_inizio()), static_cast<double>(r.metro_fine()),
                                   r.velocita});
    }
    for (const StazioneCompilata& z : s.stazioni())
        p.stazioni.push_back({z.voce, static_cast<double>(z.posizione), static_cast<double>(z.inizio),
                              static_cast<double>(z.fine), testo_leggibile(z.nome), z.orario, z.tipo});
    return p;
}

}  // namespace compattatore
