// The profile along the line, lane by lane against the route's kilometres:
// the gradient, the train's speed limit with the boards and the restrictions,
// the adhesion; the montagna stretches behind them.
#include "plot/pagina.h"

#include <algorithm>
#include <cmath>

#include "format/formato.h"

namespace compattatore::grafico {

namespace {

double massimo_nel_tratto(const std::vector<Gradino>& g, double lunghezza, double minimo) {
    double m = minimo;
    for (const Gradino& x : g)
        if (x.da < lunghezza) m = std::max(m, std::fabs(x.valore));
    return m;
}

void asse_y(Pagina& pg, const Corsia& c, const Scala& s, double passo, const std::string& titolo) {
    pg.svg.linea(margine_sx, c.alto, margine_sx, c.basso(), "asse");
    for (double v : tacche(std::min(s.d0, s.d1), std::max(s.d0, s.d1), passo)) {
        pg.svg.linea(margine_sx - 4, s(v), margine_sx, s(v), "asse");
        pg.svg.linea(margine_sx, s(v), margine_sx + larghezza_utile, s(v), "griglia");
        pg.svg.testo(margine_sx - 7, s(v) + 4, tacca(v, passo), "tacca-testo fine-testo");
    }
    pg.svg.testo(margine_sx - 48, c.alto + c.altezza / 2, titolo, "titolo-asse centro-testo", -90);
}

// A step line through runs of a profile, clipped to the line.
void gradini(Pagina& pg, const std::vector<Gradino>& g, const Scala& s, std::string_view classe) {
    std::vector<PuntoSvg> punti;
    for (const Gradino& x : g) {
        double x0, x1;
        if (!pg.dentro(x.da, x.a, x0, x1)) continue;
        if (!punti.empty() && std::fabs(punti.back().x - x0) > 0.05) {
            pg.svg.polilinea(punti, classe);
            punti.clear();
        }
        punti.push_back({x0, s(x.valore)});
        punti.push_back({x1, s(x.valore)});
    }
    pg.svg.polilinea(punti, classe);
}

}  // namespace

void disegna_corsie(Pagina& pg) {
    pg.svg.testo(margine_sx, alto_profilo - 14, "Profilo lungo la linea", "sezione");
    for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza, corsia_elementi})
        pg.svg.rettangolo(margine_sx, c.alto, larghezza_utile, c.altezza, "riquadro");

    // Kilometre grid through every lane, montagna stretches behind the curves.
    const double passo_km = pg.passo_km();
    for (double m : tacche(0, pg.p.lunghezza, passo_km))
        for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza, corsia_elementi})
            pg.svg.linea(pg.x(m), c.alto, pg.x(m), c.basso(), "griglia");
    for (const Gradino& g : pg.p.montagne) {
        double x0, x1;
        if (!pg.dentro(g.da, g.a, x0, x1)) continue;
        for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza})
            pg.svg.rettangolo(x0, c.alto, std::max(x1 - x0, 1.0), c.altezza, "fascia-montagna");
    }

    // Gradient: filled above or below zero.
    const double g_max = std::ceil(massimo_nel_tratto(pg.p.pendenza, pg.p.lunghezza, 4) / 5) * 5;
    const Scala sp{-g_max, g_max, corsia_pendenza.basso() - 6, corsia_pendenza.alto + 6};
    asse_y(pg, corsia_pendenza, sp, passo_tondo(2 * g_max, 4), "pendenza (\u2030)");
    for (const Gradino& g : pg.p.pendenza) {
        double x0, x1;
        if (!pg.dentro(g.da, g.a, x0, x1) || g.valore == 0) continue;
        const double y0 = sp(0), y1 = sp(g.valore);
        pg.svg.rettangolo(x0, std::min(y0, y1), x1 - x0, std::fabs(y1 - y0), g.valore > 0 ? "salita" : "discesa",
                          "pendenza " + formato("%.0f", g.valore) + " \u2030 da " + metri(g.da) + " a " + metri(g.a));
    }
    pg.svg.linea(margine_sx, sp(0), margine_sx + larghezza_utile, sp(0), "zero");
    gradini(pg, pg.p.pendenza, sp, "linea-pendenza");

    // Speed: the train's limit, the boards' rank A speeds, the restrictions.
    double v_max = massimo_nel_tratto(pg.p.velocita, pg.p.lunghezza, 40);
    for (const IndicatoreLinea& i : pg.p.indicatori) v_max = std::max<double>(v_max, i.sinistro_a);
    v_max = std::ceil((v_max + 10) / 20) * 20;
    const Scala sv{0, v_max, corsia_velocita.basso(), corsia_velocita.alto + 8};
    asse_y(pg, corsia_velocita, sv, passo_tondo(v_max, 5), "velocit\u00e0 (km/h)");
    gradini(pg, pg.p.velocita, sv, "linea-velocita");
    for (const IndicatoreLinea& i : pg.p.indicatori) {
        if (i.metri < 0 || i.metri > pg.p.lunghezza) continue;
        const double x = pg.x(i.metri), y = sv(i.sinistro_a);
        pg.svg.poligono({{x, y - 5}, {x - 4, y + 3}, {x + 4, y + 3}}, "indicatore",
                        "indicatore a " + pg.luogo(i.metri) + ": " + std::to_string(i.sinistro_a) + "/" +
                            std::to_string(i.sinistro_b) + "/" + std::to_string(i.sinistro_c) + " km/h");
    }
    // The restrictions' speeds over their bands, above or below the line,
    // or only in the hover text where two stand too close.
    Etichette velocita({margine_sx, corsia_velocita.alto, margine_sx + larghezza_utile, corsia_velocita.basso()});
    for (const RallentamentoLinea& r : pg.p.rallentamenti) {
        const double x0 = pg.x(r.inizio), x1 = std::max(pg.x(r.fine), x0 + 5), y = sv(r.velocita);
        const std::string titolo = "rallentamento a " + std::to_string(r.velocita) + " km/h da " + pg.luogo(r.inizio) +
                                   " a " + pg.luogo(r.fine);
        pg.svg.rettangolo(std::min(x0, (x0 + x1) / 2 - 2), corsia_velocita.alto, std::max(x1 - x0, 4.0),
                          corsia_velocita.altezza, "fascia-rallentamento", titolo);
        pg.svg.linea(x0, y, x1, y, "rallentamento");
        const std::string v = std::to_string(r.velocita);
        for (const double dy : {-8.0, 18.0, -22.0, 32.0}) {
            if (!velocita.prendi(riquadro_testo((x0 + x1) / 2, y + dy, v, carattere_rallentamento, Ancora::centro)))
                continue;
            pg.svg.testo((x0 + x1) / 2, y + dy, v, "testo-rallentamento centro-testo");
            break;
        }
        if (r.avviso >= 0)
            pg.svg.linea(pg.x(r.avviso), corsia_velocita.alto, pg.x(r.avviso), corsia_velocita.basso(), "avviso");
        pg.svg.rettangolo(x0, riga_rallentamenti - 6, x1 - x0, 12, "blocco-rallentamento", titolo);
        if (r.avviso >= 0)
            pg.svg.linea(pg.x(r.avviso), riga_rallentamenti - 9, pg.x(r.avviso), riga_rallentamenti + 9, "avviso");
    }

    // Adhesion.
    const double a_max = std::max(100.0, std::ceil(massimo_nel_tratto(pg.p.aderenza, pg.p.lunghezza, 0) / 20) * 20);
    const Scala sa{0, a_max, corsia_aderenza.basso(), corsia_aderenza.alto + 6};
    asse_y(pg, corsia_aderenza, sa, passo_tondo(a_max, 4), "aderenza");
    gradini(pg, pg.p.aderenza, sa, "linea-aderenza");
}

}  // namespace compattatore::grafico
