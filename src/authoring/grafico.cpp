#include "authoring/grafico.h"

#include <algorithm>
#include <cmath>

#include "authoring/descrizione.h"
#include "authoring/formato.h"
#include "authoring/profilo.h"
#include "authoring/sommario_piano.h"
#include "authoring/svg.h"

namespace compattatore {

namespace {

// Page geometry, in pixels.
constexpr double larghezza_pagina = 1600;
constexpr double margine_sx = 110;
constexpr double margine_dx = 40;
constexpr double larghezza_utile = larghezza_pagina - margine_sx - margine_dx;

constexpr double alto_piano = 116;
constexpr double lato_piano = 740;
constexpr double sx_pannello = margine_sx + lato_piano + 60;

constexpr double alto_profilo = alto_piano + lato_piano + 80;
struct Corsia {
    double alto, altezza;
    constexpr double basso() const { return alto + altezza; }
};
constexpr Corsia corsia_pendenza{alto_profilo, 150};
constexpr Corsia corsia_velocita{corsia_pendenza.basso() + 25, 220};
constexpr Corsia corsia_aderenza{corsia_velocita.basso() + 25, 110};
constexpr Corsia corsia_elementi{corsia_aderenza.basso() + 25, 150};
constexpr double asse_km = corsia_elementi.basso() + 10;
constexpr double alto_nomi = asse_km + 62;
constexpr double altezza_pagina = alto_nomi + 175;

// Rows of the elements lane: the centre line of each.
constexpr double riga_montagna = corsia_elementi.alto + 18;
constexpr double riga_segnali = corsia_elementi.alto + 44;
constexpr double riga_cartelli = corsia_elementi.alto + 70;
constexpr double riga_rallentamenti = corsia_elementi.alto + 96;
constexpr double riga_stazioni = corsia_elementi.alto + 126;

constexpr const char* stile = R"(text { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 11px; fill: #333333; }
.titolo { font-size: 26px; font-weight: bold; fill: #1a1a1a; }
.sottotitolo { font-size: 14px; fill: #555555; }
.sezione { font-size: 16px; font-weight: bold; fill: #1a1a1a; }
.nota { font-size: 12px; fill: #333333; }
.nota-forte { font-size: 12px; font-weight: bold; fill: #1a1a1a; }
.titolo-asse { font-size: 12px; font-weight: bold; fill: #222222; }
.tacca-testo { font-size: 11px; fill: #555555; }
.fine-testo { text-anchor: end; }
.centro-testo { text-anchor: middle; }
.riquadro { fill: #fcfcfc; stroke: #bbbbbb; stroke-width: 1; }
.griglia { stroke: #e6e6e6; stroke-width: 1; }
.asse { stroke: #444444; stroke-width: 1; }
.zero { stroke: #888888; stroke-width: 1; }
.binario { fill: none; stroke: #3a3a3a; stroke-width: 2; stroke-linejoin: round; stroke-linecap: round; }
.tacca-km { fill: #ffffff; stroke: #3a3a3a; stroke-width: 1.5; }
.testo-km { font-size: 10px; fill: #3a3a3a; paint-order: stroke; stroke: #ffffff; stroke-width: 3px; stroke-linejoin: round; }
.inizio { fill: #2ca02c; stroke: #ffffff; stroke-width: 1; }
.fine { fill: #111111; stroke: #ffffff; stroke-width: 1; }
.stazione { fill: #7fa0d6; stroke: #1f4e9c; stroke-width: 1; }
.stazione-orario { fill: #1f4e9c; stroke: #ffffff; stroke-width: 1.5; }
.nome-stazione { font-size: 10px; fill: #2a5db0; }
.nome-stazione-orario { font-size: 12px; font-weight: bold; fill: #12336b; }
.alone { paint-order: stroke; stroke: #ffffff; stroke-width: 3px; stroke-linejoin: round; }
.segnale { fill: #d62728; }
.indicatore { fill: #f28e2b; }
.cartello { fill: #8c8c8c; }
.montagna { fill: #a0522d; }
.fascia-montagna { fill: #d9c3a5; fill-opacity: 0.45; }
.salita { fill: #e8a87c; }
.discesa { fill: #85c1a7; }
.linea-pendenza { fill: none; stroke: #6b4e16; stroke-width: 1; }
.linea-velocita { fill: none; stroke: #1f77b4; stroke-width: 2; }
.linea-aderenza { fill: none; stroke: #8e44ad; stroke-width: 1.5; }
.rallentamento { stroke: #d62728; stroke-width: 4; }
.blocco-rallentamento { fill: #d62728; }
.avviso { stroke: #d62728; stroke-width: 1.2; stroke-dasharray: 3 2; }
.fascia-rallentamento { fill: #d62728; fill-opacity: 0.18; }
.testo-rallentamento { font-size: 11px; font-weight: bold; fill: #d62728; }
.guida { stroke: #9db4dd; stroke-width: 1; stroke-dasharray: 4 3; }
)";

struct Scala {
    double d0, d1, r0, r1;
    double operator()(double v) const { return d1 == d0 ? r0 : r0 + (v - d0) * (r1 - r0) / (d1 - d0); }
};

// A round step (1, 2 or 5 times a power of ten) that cuts `intervallo` into
// about `quante` parts.
double passo_tondo(double intervallo, double quante) {
    if (!(intervallo > 0)) return 1;
    const double grezzo = intervallo / quante;
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * potenza >= grezzo) return m * potenza;
    return 10 * potenza;
}

// The multiples of `passo` from `da` to `a`, both included, computed from
// their index so that rounding never stalls the count; at most 200.
std::vector<double> tacche(double da, double a, double passo) {
    std::vector<double> r;
    if (!(passo > 0) || !std::isfinite(da) || !std::isfinite(a)) return r;
    const double primo = std::ceil(da / passo - 1e-9);
    for (int k = 0; k < 200; ++k) {
        const double v = (primo + k) * passo;
        if (v > a + passo * 1e-9) break;
        r.push_back(v);
    }
    return r;
}

// Kilometres for a label, and to the metre for a tooltip.
std::string km(double metri) { return formato("%.1f", metri / 1000.0); }
std::string km_esatti(double metri) { return formato("%.3f", metri / 1000.0); }

// Numbers on an axis: no decimals unless the step needs them.
std::string tacca(double v, double passo) {
    if (std::fabs(v) < passo * 1e-9) v = 0;
    return passo >= 1 ? formato("%.0f", v) : formato("%.1f", v);
}

double massimo_nel_tratto(const std::vector<Gradino>& g, double lunghezza, double minimo) {
    double m = minimo;
    for (const Gradino& x : g)
        if (x.da < lunghezza) m = std::max(m, std::fabs(x.valore));
    return m;
}

class Pagina {
public:
    Pagina(const std::vector<Cella>& celle, const Voci& voci, const TabellaLinea* piano)
        : voci_(voci),
          piano_(piano),
          p_(estrai_profilo(celle, voci)),
          svg_(larghezza_pagina, altezza_pagina, stile),
          x_({0, p_.lunghezza, margine_sx, margine_sx + larghezza_utile}) {}

    std::string disegna() {
        titolo();
        pianta();
        pannello();
        profilo();
        return svg_.documento();
    }

private:
    // The stretch of a run inside the line, in pixels; false when outside.
    bool dentro(double da, double a, double& x0, double& x1) const {
        da = std::max(da, 0.0);
        a = std::min(a, p_.lunghezza);
        if (a <= da) return false;
        x0 = x_(da);
        x1 = x_(a);
        return true;
    }

    void titolo() {
        const std::string linea = testo_leggibile(voci_[voce_linea].nome), treno = testo_leggibile(voci_[voce_treno].nome);
        svg_.testo(margine_sx, 44, "Scenario " + linea + " \u00b7 treno " + treno, "titolo");
        svg_.testo(margine_sx, 70,
                   "linea di " + km(p_.lunghezza) + " km \u00b7 " + std::to_string(p_.stazioni.size()) +
                       " stazioni \u00b7 " + std::to_string(p_.segnali.size()) + " segnali \u00b7 " +
                       std::to_string(p_.indicatori.size()) + " indicatori di velocit\u00e0 massima \u00b7 " +
                       std::to_string(p_.cartelli.size()) + " cartelli \u00b7 " +
                       std::to_string(p_.rallentamenti.size()) + " rallentamenti",
                   "sottotitolo");
    }

    // The plan of the track, north up, in a square box.
    void pianta() {
        svg_.testo(margine_sx, alto_piano - 12, "Pianta del tracciato", "sezione");
        svg_.rettangolo(margine_sx, alto_piano, lato_piano, lato_piano, "riquadro");
        if (!piano_) {
            svg_.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano / 2,
                       "pianta non disponibile: scenario compilato senza il file _linea.dat", "nota centro-testo");
            return;
        }
        const SommarioPiano s = riassumi_piano(*piano_, 0);
        if (s.righe_con_punto < 2) {
            svg_.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano / 2,
                       "il file _linea.dat non contiene punti del tracciato", "nota centro-testo");
            return;
        }
        // Same scale on both axes, the track centred with a small border.
        const double lato = std::max({s.x_max - s.x_min, s.y_max - s.y_min, 1.0}) * 1.08;
        if (!std::isfinite(lato)) {
            svg_.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano / 2,
                       "le coordinate del file _linea.dat sono fuori scala", "nota centro-testo");
            return;
        }
        const double cx = (s.x_min + s.x_max) / 2, cy = (s.y_min + s.y_max) / 2;
        const Scala px{cx - lato / 2, cx + lato / 2, margine_sx, margine_sx + lato_piano};
        const Scala py{cy - lato / 2, cy + lato / 2, alto_piano + lato_piano, alto_piano};

        // Kilometre grid and axes.
        const double passo = passo_tondo(lato, 8);
        for (double v : tacche(px.d0, px.d1, passo)) {
            svg_.linea(px(v), alto_piano, px(v), alto_piano + lato_piano, "griglia");
            svg_.testo(px(v), alto_piano + lato_piano + 16, tacca(v / 1000, passo / 1000), "tacca-testo centro-testo");
        }
        for (double v : tacche(py.d0, py.d1, passo)) {
            svg_.linea(margine_sx, py(v), margine_sx + lato_piano, py(v), "griglia");
            svg_.testo(margine_sx - 6, py(v) + 4, tacca(v / 1000, passo / 1000), "tacca-testo fine-testo");
        }
        svg_.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano + 34, "x (km)", "titolo-asse centro-testo");
        svg_.testo(margine_sx - 44, alto_piano + lato_piano / 2, "y (km)", "titolo-asse centro-testo", -90);

        const TabellaLinea& t = *piano_;
        auto punto = [&](std::int32_t metro, PuntoSvg& out) {
            metro = std::clamp(metro, s.prima_riga, s.ultima_riga);
            const auto x = coordinata(t, metro, 0), y = coordinata(t, metro, 1);
            if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) return false;
            out = {px(*x), py(*y)};
            return true;
        };

        // The track, one point every 50 m, broken where a row has no point.
        std::vector<PuntoSvg> tratto;
        for (std::int32_t m = s.prima_riga;; m = std::min(m + 50, s.ultima_riga)) {
            PuntoSvg q;
            if (punto(m, q)) {
                tratto.push_back(q);
            } else {
                svg_.polilinea(tratto, "binario");
                tratto.clear();
            }
            if (m == s.ultima_riga) break;
        }
        svg_.polilinea(tratto, "binario");

        // Kilometre marks along the track.
        const double passo_km = passo_tondo(p_.lunghezza, 7);
        for (double m : tacche(passo_km, p_.lunghezza - 1, passo_km)) {
            PuntoSvg q;
            if (!punto(static_cast<std::int32_t>(m), q)) continue;
            svg_.cerchio(q.x, q.y, 3.5, "tacca-km", "km " + km_esatti(m));
            svg_.testo(q.x - 6, q.y - 6, "km " + formato("%.0f", m / 1000), "testo-km fine-testo");
        }
        for (const ElementoLinea& e : p_.segnali) {
            PuntoSvg q;
            if (punto(static_cast<std::int32_t>(e.metri), q))
                svg_.cerchio(q.x, q.y, 1.8, "segnale", "segnale a km " + km_esatti(e.metri) + ": " + e.testo);
        }
        PuntoSvg q;
        if (punto(s.prima_riga, q))
            svg_.poligono({{q.x, q.y - 8}, {q.x - 7, q.y + 5}, {q.x + 7, q.y + 5}}, "inizio", "inizio della linea");
        if (punto(static_cast<std::int32_t>(p_.lunghezza), q))
            svg_.rettangolo(q.x - 5, q.y - 5, 10, 10, "fine", "fine della linea, km " + km_esatti(p_.lunghezza));
        for (const StazioneLinea& st : p_.stazioni) {
            if (!punto(static_cast<std::int32_t>(st.posizione), q)) continue;
            const bool orario = st.orario != 0;
            svg_.cerchio(q.x, q.y, orario ? 6 : 4, orario ? "stazione-orario" : "stazione", descrivi(st));
            // The name goes right of its station, or left when it would
            // leave the box.
            const double largo = static_cast<double>(st.nome.size()) * (orario ? 7.5 : 6.0);
            const bool a_sinistra = q.x + 9 + largo > margine_sx + lato_piano;
            svg_.testo(a_sinistra ? q.x - 9 : q.x + 9, q.y + 4, st.nome,
                       std::string(orario ? "nome-stazione-orario" : "nome-stazione") + " alone" +
                           (a_sinistra ? " fine-testo" : ""));
        }
    }

    static std::string descrivi(const StazioneLinea& st) {
        std::string r = st.nome + " \u2014 km " + km_esatti(st.posizione) + " (da " + km_esatti(st.inizio) + " a " + km_esatti(st.fine) +
                        "), tipo " + std::to_string(st.tipo);
        if (st.orario != 0) r += ", orario " + testo_orario(st.orario);
        return r;
    }

    // Legend, timetable and the scenario's general values, beside the plan.
    void pannello() {
        double y = alto_piano - 12;
        svg_.testo(sx_pannello, y, "Legenda", "sezione");
        y += 26;
        auto voce_legenda = [&](auto simbolo, const std::string& testo) {
            simbolo(sx_pannello + 12, y - 4);
            svg_.testo(sx_pannello + 32, y, testo, "nota");
            y += 20;
        };
        voce_legenda([&](double x, double yy) { svg_.linea(x - 10, yy, x + 10, yy, "binario"); }, "binario (pianta)");
        voce_legenda([&](double x, double yy) { svg_.cerchio(x, yy, 6, "stazione-orario"); }, "stazione con orario");
        voce_legenda([&](double x, double yy) { svg_.cerchio(x, yy, 4, "stazione"); }, "stazione senza orario");
        voce_legenda([&](double x, double yy) { svg_.cerchio(x, yy, 2.5, "segnale"); }, "segnale");
        voce_legenda([&](double x, double yy) { svg_.rettangolo(x - 1.5, yy - 6, 3, 12, "indicatore"); },
                     "indicatore di velocit\u00e0 massima (nel profilo: velocit\u00e0 di rango A)");
        voce_legenda([&](double x, double yy) { svg_.rettangolo(x - 1.5, yy - 6, 3, 12, "cartello"); }, "cartello indicatore");
        voce_legenda([&](double x, double yy) { svg_.linea(x - 10, yy, x + 10, yy, "rallentamento"); },
                     "rallentamento (tratteggio: cartello di avviso)");
        voce_legenda([&](double x, double yy) { svg_.rettangolo(x - 10, yy - 6, 20, 12, "fascia-montagna"); },
                     "tratto in montagna");
        voce_legenda([&](double x, double yy) { svg_.linea(x - 10, yy, x + 10, yy, "linea-velocita"); },
                     "limite di velocit\u00e0 del treno");
        voce_legenda([&](double x, double yy) {
            svg_.rettangolo(x - 10, yy - 6, 10, 12, "salita");
            svg_.rettangolo(x, yy - 6, 10, 12, "discesa");
        }, "pendenza in salita / in discesa");
        voce_legenda([&](double x, double yy) { svg_.linea(x - 10, yy, x + 10, yy, "linea-aderenza"); }, "aderenza");

        y += 18;
        svg_.testo(sx_pannello, y, "Fermate con orario", "sezione");
        y += 24;
        svg_.testo(sx_pannello, y, "orario", "nota-forte");
        svg_.testo(sx_pannello + 80, y, "km", "nota-forte");
        svg_.testo(sx_pannello + 150, y, "stazione", "nota-forte");
        y += 18;
        // The timetable keeps clear of the scenario's data below it.
        const double fondo_orari = alto_piano + lato_piano - 190;
        std::size_t con_orario = 0, scritte = 0;
        for (const StazioneLinea& st : p_.stazioni)
            if (st.orario != 0) ++con_orario;
        for (const StazioneLinea& st : p_.stazioni) {
            if (st.orario == 0) continue;
            if (y > fondo_orari && scritte + 1 < con_orario) {
                svg_.testo(sx_pannello, y, "\u2026 e altre " + std::to_string(con_orario - scritte) + " fermate con orario",
                           "nota");
                y += 18;
                break;
            }
            svg_.testo(sx_pannello, y, testo_orario(st.orario), "nota");
            svg_.testo(sx_pannello + 80, y, km_esatti(st.posizione), "nota");
            svg_.testo(sx_pannello + 150, y, st.nome, "nota");
            y += 18;
            ++scritte;
        }

        y += 18;
        svg_.testo(sx_pannello, y, "Dati dello scenario", "sezione");
        y += 24;
        const Voce& v84 = voci_[voce_percorso];
        const Voce& v85 = voci_[voce_linea];
        const Voce& v86 = voci_[voce_treno];
        std::vector<std::string> righe;
        righe.push_back("treno: " + std::to_string(v84.posizione) + " vetture, massa frenata " +
                        std::to_string(v84.inizio) + "%, sabbia " + std::to_string(v86.intero1));
        righe.push_back("orologio " + formato("%d:%02d:%02d", v86.intero3, v86.intero4, v86.intero5));
        righe.push_back(v86.fine == 0 ? std::string("nessuna ripetizione segnali")
                                      : "ripetizione segnali a " + std::to_string(v86.posizione) + " codici da km " +
                                            km_esatti(v86.inizio) + " a km " + km_esatti(v86.fine));
        for (std::size_t i = voce_progressiva_tre; i <= voce_progressiva_uno; ++i) {
            const Voce& v = voci_[i];
            if (v.inizio == 0 && v.fine == 0 && v.posizione == 0) continue;
            righe.push_back("progressiva dalla posizione " + km_esatti(v.inizio) + " km: valore " + km_esatti(v.fine) + " km, " +
                            (v.posizione == 1 ? "decrescente" : "crescente"));
        }
        righe.push_back("sfondi " + std::to_string(v85.inizio) + ", " + std::to_string(v85.posizione) + ", " +
                        std::to_string(v85.fine) + "; codice gara " + std::to_string(v85.orario));
        for (const std::string& r : righe) {
            svg_.testo(sx_pannello, y, r, "nota");
            y += 18;
        }
    }

    void asse_y(const Corsia& c, const Scala& s, double passo, const std::string& titolo) {
        svg_.linea(margine_sx, c.alto, margine_sx, c.basso(), "asse");
        for (double v : tacche(std::min(s.d0, s.d1), std::max(s.d0, s.d1), passo)) {
            svg_.linea(margine_sx - 4, s(v), margine_sx, s(v), "asse");
            svg_.linea(margine_sx, s(v), margine_sx + larghezza_utile, s(v), "griglia");
            svg_.testo(margine_sx - 7, s(v) + 4, tacca(v, passo), "tacca-testo fine-testo");
        }
        svg_.testo(margine_sx - 48, c.alto + c.altezza / 2, titolo, "titolo-asse centro-testo", -90);
    }

    // A step line through runs of a profile, clipped to the line.
    void gradini(const std::vector<Gradino>& g, const Scala& s, std::string_view classe) {
        std::vector<PuntoSvg> punti;
        for (const Gradino& x : g) {
            double x0, x1;
            if (!dentro(x.da, x.a, x0, x1)) continue;
            if (!punti.empty() && std::fabs(punti.back().x - x0) > 0.05) {
                svg_.polilinea(punti, classe);
                punti.clear();
            }
            punti.push_back({x0, s(x.valore)});
            punti.push_back({x1, s(x.valore)});
        }
        svg_.polilinea(punti, classe);
    }

    void profilo() {
        svg_.testo(margine_sx, alto_profilo - 14, "Profilo lungo la linea", "sezione");
        for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza, corsia_elementi})
            svg_.rettangolo(margine_sx, c.alto, larghezza_utile, c.altezza, "riquadro");

        // Kilometre grid through every lane, montagna stretches behind the curves.
        const double passo_km = passo_tondo(p_.lunghezza, 40);
        for (double m : tacche(0, p_.lunghezza, passo_km))
            for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza, corsia_elementi})
                svg_.linea(x_(m), c.alto, x_(m), c.basso(), "griglia");
        for (const Gradino& g : p_.montagne) {
            double x0, x1;
            if (!dentro(g.da, g.a, x0, x1)) continue;
            for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza})
                svg_.rettangolo(x0, c.alto, std::max(x1 - x0, 1.0), c.altezza, "fascia-montagna");
        }

        // Gradient: filled above or below zero.
        const double g_max = std::ceil(massimo_nel_tratto(p_.pendenza, p_.lunghezza, 4) / 5) * 5;
        const Scala sp{-g_max, g_max, corsia_pendenza.basso() - 6, corsia_pendenza.alto + 6};
        asse_y(corsia_pendenza, sp, passo_tondo(2 * g_max, 4), "pendenza (\u2030)");
        for (const Gradino& g : p_.pendenza) {
            double x0, x1;
            if (!dentro(g.da, g.a, x0, x1) || g.valore == 0) continue;
            const double y0 = sp(0), y1 = sp(g.valore);
            svg_.rettangolo(x0, std::min(y0, y1), x1 - x0, std::fabs(y1 - y0), g.valore > 0 ? "salita" : "discesa",
                            "pendenza " + formato("%.0f", g.valore) + " \u2030 da km " + km_esatti(g.da) + " a km " +
                                km_esatti(g.a));
        }
        svg_.linea(margine_sx, sp(0), margine_sx + larghezza_utile, sp(0), "zero");
        gradini(p_.pendenza, sp, "linea-pendenza");

        // Speed: the train's limit, the boards' rank A speeds, the restrictions.
        double v_max = massimo_nel_tratto(p_.velocita, p_.lunghezza, 40);
        for (const IndicatoreLinea& i : p_.indicatori) v_max = std::max<double>(v_max, i.sinistro_a);
        v_max = std::ceil((v_max + 10) / 20) * 20;
        const Scala sv{0, v_max, corsia_velocita.basso(), corsia_velocita.alto + 8};
        asse_y(corsia_velocita, sv, passo_tondo(v_max, 5), "velocit\u00e0 (km/h)");
        gradini(p_.velocita, sv, "linea-velocita");
        for (const IndicatoreLinea& i : p_.indicatori) {
            if (i.metri < 0 || i.metri > p_.lunghezza) continue;
            const double x = x_(i.metri), y = sv(i.sinistro_a);
            svg_.poligono({{x, y - 5}, {x - 4, y + 3}, {x + 4, y + 3}}, "indicatore",
                          "indicatore a km " + km_esatti(i.metri) + ": " + std::to_string(i.sinistro_a) + "/" +
                              std::to_string(i.sinistro_b) + "/" + std::to_string(i.sinistro_c) + " km/h");
        }
        for (const RallentamentoLinea& r : p_.rallentamenti) {
            const double x0 = x_(r.inizio), x1 = std::max(x_(r.fine), x0 + 5), y = sv(r.velocita);
            const std::string titolo = "rallentamento a " + std::to_string(r.velocita) + " km/h da km " +
                                       km_esatti(r.inizio) + " a km " + km_esatti(r.fine);
            svg_.rettangolo(std::min(x0, (x0 + x1) / 2 - 2), corsia_velocita.alto, std::max(x1 - x0, 4.0),
                            corsia_velocita.altezza, "fascia-rallentamento", titolo);
            svg_.linea(x0, y, x1, y, "rallentamento");
            svg_.testo((x0 + x1) / 2, y - 8, std::to_string(r.velocita), "testo-rallentamento centro-testo");
            if (r.avviso >= 0) svg_.linea(x_(r.avviso), corsia_velocita.alto, x_(r.avviso), corsia_velocita.basso(), "avviso");
            svg_.rettangolo(x0, riga_rallentamenti - 6, x1 - x0, 12, "blocco-rallentamento", titolo);
            if (r.avviso >= 0) svg_.linea(x_(r.avviso), riga_rallentamenti - 9, x_(r.avviso), riga_rallentamenti + 9, "avviso");
        }

        // Adhesion.
        const double a_max = std::max(100.0, std::ceil(massimo_nel_tratto(p_.aderenza, p_.lunghezza, 0) / 20) * 20);
        const Scala sa{0, a_max, corsia_aderenza.basso(), corsia_aderenza.alto + 6};
        asse_y(corsia_aderenza, sa, passo_tondo(a_max, 4), "aderenza");
        gradini(p_.aderenza, sa, "linea-aderenza");

        elementi();
        scala_km(passo_km);
    }

    void elementi() {
        svg_.linea(margine_sx, corsia_elementi.alto, margine_sx, corsia_elementi.basso(), "asse");
        const struct {
            double y;
            const char* nome;
        } righe[] = {{riga_montagna, "montagna"}, {riga_segnali, "segnali"}, {riga_cartelli, "cartelli"},
                     {riga_rallentamenti, "rallentamenti"}, {riga_stazioni, "stazioni"}};
        for (const auto& r : righe) svg_.testo(margine_sx - 7, r.y + 4, r.nome, "tacca-testo fine-testo");

        for (const Gradino& g : p_.montagne) {
            double x0, x1;
            if (!dentro(g.da, g.a, x0, x1)) continue;
            svg_.rettangolo(x0, riga_montagna - 5, std::max(x1 - x0, 1.5), 10, "montagna",
                            "montagna di tipo " + formato("%.0f", g.valore) + " da km " + km_esatti(g.da) + " a km " + km_esatti(g.a));
        }
        for (const ElementoLinea& e : p_.segnali) {
            if (e.metri < 0 || e.metri > p_.lunghezza) continue;
            svg_.rettangolo(x_(e.metri) - 0.6, riga_segnali - 8, 1.2, 16, "segnale", "segnale a km " + km_esatti(e.metri) + ": " + e.testo);
        }
        for (const IndicatoreLinea& i : p_.indicatori) {
            if (i.metri < 0 || i.metri > p_.lunghezza) continue;
            svg_.rettangolo(x_(i.metri) - 0.7, riga_cartelli - 8, 1.4, 8, "indicatore",
                            "indicatore a km " + km_esatti(i.metri) + ": " + std::to_string(i.sinistro_a) + "/" +
                                std::to_string(i.sinistro_b) + "/" + std::to_string(i.sinistro_c) + " km/h");
        }
        for (const ElementoLinea& e : p_.cartelli) {
            if (e.metri < 0 || e.metri > p_.lunghezza) continue;
            svg_.rettangolo(x_(e.metri) - 0.7, riga_cartelli, 1.4, 8, "cartello", "cartello a km " + km_esatti(e.metri) + ": " + e.testo);
        }
        for (const StazioneLinea& st : p_.stazioni) {
            double x0, x1;
            if (!dentro(st.inizio, st.fine, x0, x1)) {
                if (st.posizione < 0 || st.posizione > p_.lunghezza) continue;
                x0 = x1 = x_(st.posizione);
            }
            const bool orario = st.orario != 0;
            if (orario) {
                const double x = x_(std::clamp(st.posizione, 0.0, p_.lunghezza));
                for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza})
                    svg_.linea(x, c.alto, x, c.basso(), "guida");
            }
            svg_.rettangolo(x0 - 1, riga_stazioni - 7, std::max(x1 - x0, 0.0) + 2, 14,
                            orario ? "stazione-orario" : "stazione", descrivi(st));
        }
    }

    void scala_km(double passo) {
        svg_.linea(margine_sx, asse_km, margine_sx + larghezza_utile, asse_km, "asse");
        const double etichette = passo * 2;
        for (double m : tacche(0, p_.lunghezza, passo)) {
            const bool con_testo = std::fabs(std::remainder(m, etichette)) < passo * 1e-6;
            svg_.linea(x_(m), asse_km, x_(m), asse_km + (con_testo ? 7 : 4), "asse");
            if (con_testo) svg_.testo(x_(m), asse_km + 20, tacca(m / 1000, passo / 1000), "tacca-testo centro-testo");
        }
        svg_.testo(margine_sx + larghezza_utile / 2, asse_km + 40, "distanza dall'inizio della linea (km)",
                   "titolo-asse centro-testo");
        // Station names hang below the axis, each under its station.
        for (const StazioneLinea& st : p_.stazioni) {
            if (st.posizione < -1e-9 || st.posizione > p_.lunghezza) continue;
            const double x = x_(st.posizione);
            svg_.testo(x - 4, alto_nomi, st.nome, st.orario != 0 ? "nome-stazione-orario" : "nome-stazione", 90);
        }
    }

    const Voci& voci_;
    const TabellaLinea* piano_;
    ProfiloLinea p_;
    PaginaSvg svg_;
    Scala x_;
};

}  // namespace

std::string disegna_scenario(const std::vector<Cella>& celle, const Voci& voci, const TabellaLinea* piano) {
    return Pagina(celle, voci, piano).disegna();
}

}  // namespace compattatore
