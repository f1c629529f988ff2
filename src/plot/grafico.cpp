#include "plot/grafico.h"

#include <algorithm>
#include <cmath>

#include "compiled/descrizione.h"
#include "plot/etichette.h"
#include "format/formato.h"
#include "plot/profilo.h"
#include "compiled/sommario_piano.h"
#include "plot/svg.h"
#include "tables/chilometri.h"

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

// The fonts of the labels the page places, as the style sets them.
constexpr Carattere carattere_nome{10, false};          // nome-stazione
constexpr Carattere carattere_nome_orario{12, true};    // nome-stazione-orario
constexpr Carattere carattere_km{10, false};            // testo-km
constexpr Carattere carattere_rallentamento{11, true};  // testo-rallentamento

// Longest texts, in characters; a longer one is cut with "…" and kept whole
// in its hover text.
constexpr std::size_t nome_in_pianta = 28;
constexpr std::size_t nome_sotto_asse = 26;
constexpr std::size_t nome_in_tabella = 56;
constexpr std::size_t nome_nel_titolo = 40;

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

// Route distances in kilometres for the page's figures; route positions to
// the metre, "12345 m", and the line's own kilometres as its posts show
// them, "km 15.395".
std::string km(double metri) { return formato("%.1f", metri / 1000.0); }
std::string metri(double m) { return formato("%.0f m", m); }
std::string km_linea(std::int64_t metri_linea) {
    const std::int64_t a = metri_linea < 0 ? -metri_linea : metri_linea;
    return formato("km %s%lld.%03lld", metri_linea < 0 ? "-" : "", static_cast<long long>(a / 1000),
                   static_cast<long long>(a % 1000));
}

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
    explicit Pagina(const ScenarioCompilato& s)
        : voci_(s.voci()),
          piano_(s.piano() ? &*s.piano() : nullptr),
          p_(estrai_profilo(s)),
          progressive_(s.progressive()),
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
    // A route position with the line's kilometre there: "49300 m (km 52.350)".
    std::string luogo(double m) const {
        return metri(m) + " (" + km_linea(chilometro(progressive_, static_cast<std::int32_t>(std::clamp(m, -2e9, 2e9)))) +
               ")";
    }

    // The stretch of a run inside the line, in pixels; false when outside.
    bool dentro(double da, double a, double& x0, double& x1) const {
        da = std::max(da, 0.0);
        a = std::min(a, p_.lunghezza);
        if (a <= da) return false;
        x0 = x_(da);
        x1 = x_(a);
        return true;
    }

    // A text cut to `n` characters, with the whole of it as hover text when cut.
    void testo_accorciato(double x, double y, const std::string& t, std::size_t n, std::string_view classe,
                          double rotazione = 0) {
        const std::string corto = accorcia(t, n);
        svg_.testo(x, y, corto, classe, rotazione, corto == t ? std::string_view{} : std::string_view{t});
    }

    void titolo() {
        const std::string linea = accorcia(testo_leggibile(voci_[voce_linea].nome), nome_nel_titolo);
        const std::string treno = accorcia(testo_leggibile(voci_[voce_treno].nome), nome_nel_titolo);
        const std::string intero =
            "Scenario " + testo_leggibile(voci_[voce_linea].nome) + " \u00b7 treno " + testo_leggibile(voci_[voce_treno].nome);
        const std::string corto = "Scenario " + linea + " \u00b7 treno " + treno;
        svg_.testo(margine_sx, 44, corto, "titolo", 0, corto == intero ? std::string_view{} : std::string_view{intero});
        svg_.testo(margine_sx, 70,
                   "linea di " + km(p_.lunghezza) + " km \u00b7 " + std::to_string(p_.stazioni.size()) +
                       " stazioni \u00b7 " + std::to_string(p_.segnali.size()) + " segnali \u00b7 " +
                       std::to_string(p_.indicatori.size()) + " indicatori di velocit\u00e0 massima \u00b7 " +
                       std::to_string(p_.cartelli.size()) + " cartelli \u00b7 " +
                       std::to_string(p_.rallentamenti.size()) + " rallentamenti",
                   "sottotitolo");
    }

    // The plan of the track, north up, in a square box, from the start of
    // the line to its end.
    void pianta() {
        svg_.testo(margine_sx, alto_piano - 12, "Pianta del tracciato", "sezione");
        svg_.rettangolo(margine_sx, alto_piano, lato_piano, lato_piano, "riquadro");
        auto nota = [&](const char* t) {
            svg_.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano / 2, t, "nota centro-testo");
        };
        if (!piano_) return nota("pianta non disponibile: scenario compilato senza il file _linea.dat");
        const SommarioPiano s = riassumi_piano(*piano_, 0);
        if (s.righe_con_punto < 2) return nota("il file _linea.dat non contiene punti del tracciato");
        const TabellaLinea& t = *piano_;
        const auto fine_linea = static_cast<std::int32_t>(std::min<double>(s.ultima_riga, std::max(p_.lunghezza, 0.0)));
        auto coordinate = [&](std::int32_t metro) -> std::optional<PuntoSvg> {
            const auto x = coordinata(t, metro, 0), y = coordinata(t, metro, 1);
            if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) return std::nullopt;
            return PuntoSvg{*x, *y};
        };
        // The box of the track up to the end of the line, and the track
        // itself, one point every 50 m and its last metre.
        double x_min = INFINITY, x_max = -INFINITY, y_min = INFINITY, y_max = -INFINITY;
        for (std::int32_t m = s.prima_riga; m <= fine_linea; ++m)
            if (const std::optional<PuntoSvg> q = coordinate(m)) {
                x_min = std::min(x_min, q->x);
                x_max = std::max(x_max, q->x);
                y_min = std::min(y_min, q->y);
                y_max = std::max(y_max, q->y);
            }
        std::vector<std::optional<PuntoSvg>> binario;
        for (std::int32_t m = s.prima_riga;; m = std::min(m + 50, fine_linea)) {
            binario.push_back(coordinate(m));
            if (m >= fine_linea) break;
        }
        if (!(x_min <= x_max)) return nota("il file _linea.dat non contiene punti del tracciato");
        // Same scale on both axes, the track centred with a small border.
        const double lato = std::max({x_max - x_min, y_max - y_min, 1.0}) * 1.08;
        if (!std::isfinite(lato)) return nota("le coordinate del file _linea.dat sono fuori scala");
        const double cx = (x_min + x_max) / 2, cy = (y_min + y_max) / 2;
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

        auto punto = [&](double metro, PuntoSvg& out) {
            const auto m = static_cast<std::int32_t>(std::clamp<double>(metro, s.prima_riga, s.ultima_riga));
            const std::optional<PuntoSvg> q = coordinate(m);
            if (!q) return false;
            out = {px(q->x), py(q->y)};
            return true;
        };

        // The labels keep inside the box, off the track and the markers.
        Etichette etichette({margine_sx + 2, alto_piano + 2, margine_sx + lato_piano - 2, alto_piano + lato_piano - 2});
        std::vector<PuntoSvg> tratto;
        for (const std::optional<PuntoSvg>& q : binario) {
            if (!q) {
                svg_.polilinea(tratto, "binario");
                tratto.clear();
                continue;
            }
            tratto.push_back({px(q->x), py(q->y)});
            if (tratto.size() > 1) etichette.segmento(tratto[tratto.size() - 2], tratto.back());
        }
        svg_.polilinea(tratto, "binario");
        auto segno = [&](PuntoSvg q, double r) { etichette.ostacolo({q.x - r, q.y - r, q.x + r, q.y + r}); };

        for (const ElementoLinea& e : p_.segnali) {
            PuntoSvg q;
            if (e.metri <= p_.lunghezza && punto(e.metri, q))
                svg_.cerchio(q.x, q.y, 1.8, "segnale", "segnale a " + luogo(e.metri) + ": " + e.testo);
        }
        PuntoSvg q;
        if (punto(s.prima_riga, q)) {
            svg_.poligono({{q.x, q.y - 8}, {q.x - 7, q.y + 5}, {q.x + 7, q.y + 5}}, "inizio", "inizio della linea");
            segno(q, 9);
        }
        if (punto(fine_linea, q)) {
            svg_.rettangolo(q.x - 5, q.y - 5, 10, 10, "fine", "fine della linea, " + luogo(fine_linea));
            segno(q, 7);
        }
        // Marks where the line's own kilometres are round.
        struct Tacca {
            PuntoSvg q;
            std::int64_t km;
            double metri;
        };
        std::vector<Tacca> tacche_km;
        const auto passo_km = static_cast<std::int64_t>(passo_tondo(std::max(p_.lunghezza, 1.0), 7));
        for (std::int32_t m = 50; passo_km >= 50 && m < fine_linea; m += 50) {
            const std::int64_t k = chilometro(progressive_, m);
            if (k % passo_km != 0 || !punto(m, q)) continue;
            svg_.cerchio(q.x, q.y, 3.5, "tacca-km", km_linea(k) + " a " + metri(m) + " del percorso");
            segno(q, 5);
            tacche_km.push_back({q, k, static_cast<double>(m)});
        }
        struct Nome {
            PuntoSvg q;
            const StazioneLinea* st;
        };
        std::vector<Nome> nomi;
        for (const StazioneLinea& st : p_.stazioni) {
            if (!punto(st.posizione, q)) continue;
            const bool orario = st.orario != 0;
            svg_.cerchio(q.x, q.y, orario ? 6 : 4, orario ? "stazione-orario" : "stazione", descrivi(st));
            segno(q, orario ? 8 : 6);
            nomi.push_back({q, &st});
        }
        // The names of the timed stations first, then the others, then the
        // kilometres: each at the first free place around its point.
        std::stable_partition(nomi.begin(), nomi.end(), [](const Nome& n) { return n.st->orario != 0; });
        for (const Nome& n : nomi) {
            const bool orario = n.st->orario != 0;
            const std::string nome = accorcia(n.st->nome, nome_in_pianta);
            etichetta(etichette, n.q, nome, orario ? carattere_nome_orario : carattere_nome, orario ? 10 : 8,
                      std::string(orario ? "nome-stazione-orario" : "nome-stazione") + " alone",
                      nome == n.st->nome ? std::string() : n.st->nome);
        }
        for (const Tacca& k : tacche_km) {
            const std::string testo = km_linea(k.km);
            etichetta(etichette, k.q, testo.substr(0, testo.size() - 4), carattere_km, 6, "testo-km", {});
        }
    }

    // A label near the point `q`, `distanza` pixels away at least: right,
    // left, above and below (sliding sideways), then the corners; then the
    // same farther away.  Left out when no place is free.
    void etichetta(Etichette& e, PuntoSvg q, const std::string& t, Carattere c, double distanza,
                   const std::string& classe, const std::string& titolo) {
        const Riquadro r = riquadro_testo(0, 0, t, c, Ancora::inizio);
        const double largo = r.x1 - r.x0, alto = -r.y0, basso = r.y1, mezzo = (alto - basso) / 2;
        for (const double d : {distanza, distanza * 1.8, distanza * 3}) {
            // Where the text starts and where its baseline runs.
            std::vector<PuntoSvg> posti = {{q.x + d, q.y + mezzo}, {q.x - d - largo, q.y + mezzo}};
            for (const double y : {q.y - d - basso, q.y + d + alto})
                for (const double frazione : {0.5, 0.375, 0.625, 0.25, 0.75, 0.125, 0.875, 0.0, 1.0})
                    posti.push_back({q.x - frazione * largo, y});
            for (const double sx : {1.0, -1.0})
                for (const double sy : {-1.0, 1.0})
                    posti.push_back({sx > 0 ? q.x + d * 0.7 : q.x - d * 0.7 - largo,
                                     sy < 0 ? q.y - d * 0.7 - basso : q.y + d * 0.7 + alto});
            for (const PuntoSvg& p : posti) {
                if (!e.prendi(riquadro_testo(p.x, p.y, t, c, Ancora::inizio))) continue;
                svg_.testo(p.x, p.y, t, classe, 0, titolo);
                return;
            }
        }
    }

    std::string descrivi(const StazioneLinea& st) const {
        std::string r = st.nome + " \u2014 " + luogo(st.posizione) + ", da " + metri(st.inizio) + " a " + metri(st.fine) +
                        ", tipo " + std::to_string(st.tipo);
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
        voce_legenda([&](double x, double yy) { svg_.cerchio(x, yy, 3.5, "tacca-km"); },
                     "progressiva chilometrica della linea (pianta)");
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
        svg_.testo(sx_pannello, y, "Posizioni in metri dal\u2019inizio del percorso (m); progressive della linea in km.",
                   "nota");
        y += 20;

        y += 18;
        svg_.testo(sx_pannello, y, "Fermate con orario", "sezione");
        y += 24;
        svg_.testo(sx_pannello, y, "orario", "nota-forte");
        svg_.testo(sx_pannello + 80, y, "progr. km", "nota-forte");
        svg_.testo(sx_pannello + 160, y, "stazione", "nota-forte");
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
            svg_.testo(sx_pannello + 80, y, km_linea(chilometro(progressive_, static_cast<std::int32_t>(st.posizione))).substr(3),
                       "nota");
            testo_accorciato(sx_pannello + 160, y, st.nome, nome_in_tabella, "nota");
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
                                      : "ripetizione segnali a " + std::to_string(v86.posizione) + " codici da " +
                                            metri(v86.inizio) + " a " + metri(v86.fine) + " del percorso");
        for (const Progressiva& r : progressive_)
            righe.push_back("da " + metri(r.inizio) + " del percorso la progressiva \u00e8 " +
                            km_linea(chilometro(progressive_, r.inizio)) + " e " + (r.decrescente ? "decresce" : "cresce"));
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
                            "pendenza " + formato("%.0f", g.valore) + " \u2030 da " + metri(g.da) + " a " +
                                metri(g.a));
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
                          "indicatore a " + luogo(i.metri) + ": " + std::to_string(i.sinistro_a) + "/" +
                              std::to_string(i.sinistro_b) + "/" + std::to_string(i.sinistro_c) + " km/h");
        }
        // The restrictions' speeds over their bands, above or below the line,
        // or only in the hover text where two stand too close.
        Etichette velocita({margine_sx, corsia_velocita.alto, margine_sx + larghezza_utile, corsia_velocita.basso()});
        for (const RallentamentoLinea& r : p_.rallentamenti) {
            const double x0 = x_(r.inizio), x1 = std::max(x_(r.fine), x0 + 5), y = sv(r.velocita);
            const std::string titolo = "rallentamento a " + std::to_string(r.velocita) + " km/h da " +
                                       luogo(r.inizio) + " a " + luogo(r.fine);
            svg_.rettangolo(std::min(x0, (x0 + x1) / 2 - 2), corsia_velocita.alto, std::max(x1 - x0, 4.0),
                            corsia_velocita.altezza, "fascia-rallentamento", titolo);
            svg_.linea(x0, y, x1, y, "rallentamento");
            const std::string v = std::to_string(r.velocita);
            for (const double dy : {-8.0, 18.0, -22.0, 32.0}) {
                if (!velocita.prendi(riquadro_testo((x0 + x1) / 2, y + dy, v, carattere_rallentamento, Ancora::centro)))
                    continue;
                svg_.testo((x0 + x1) / 2, y + dy, v, "testo-rallentamento centro-testo");
                break;
            }
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
                            "montagna di tipo " + formato("%.0f", g.valore) + " da " + metri(g.da) + " a " + metri(g.a));
        }
        for (const ElementoLinea& e : p_.segnali) {
            if (e.metri < 0 || e.metri > p_.lunghezza) continue;
            svg_.rettangolo(x_(e.metri) - 0.6, riga_segnali - 8, 1.2, 16, "segnale", "segnale a " + luogo(e.metri) + ": " + e.testo);
        }
        for (const IndicatoreLinea& i : p_.indicatori) {
            if (i.metri < 0 || i.metri > p_.lunghezza) continue;
            svg_.rettangolo(x_(i.metri) - 0.7, riga_cartelli - 8, 1.4, 8, "indicatore",
                            "indicatore a " + luogo(i.metri) + ": " + std::to_string(i.sinistro_a) + "/" +
                                std::to_string(i.sinistro_b) + "/" + std::to_string(i.sinistro_c) + " km/h");
        }
        for (const ElementoLinea& e : p_.cartelli) {
            if (e.metri < 0 || e.metri > p_.lunghezza) continue;
            svg_.rettangolo(x_(e.metri) - 0.7, riga_cartelli, 1.4, 8, "cartello", "cartello a " + luogo(e.metri) + ": " + e.testo);
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
        // Station names hang below the axis, each under its station: those
        // of the timed stations first; a name with no room beside the
        // others is left to the station's hover text in the lane above.
        Etichette nomi({margine_sx - 20, alto_nomi - 2, larghezza_pagina, altezza_pagina});
        std::vector<const StazioneLinea*> ordine;
        for (const StazioneLinea& st : p_.stazioni)
            if (st.posizione >= -1e-9 && st.posizione <= p_.lunghezza) ordine.push_back(&st);
        std::stable_partition(ordine.begin(), ordine.end(), [](const StazioneLinea* st) { return st->orario != 0; });
        for (const StazioneLinea* st : ordine) {
            const double x = x_(st->posizione) - 4;
            const bool orario = st->orario != 0;
            const std::string nome = accorcia(st->nome, nome_sotto_asse);
            if (!nomi.prendi(riquadro_testo(x, alto_nomi, nome, orario ? carattere_nome_orario : carattere_nome,
                                            Ancora::inizio, true)))
                continue;
            svg_.testo(x, alto_nomi, nome, orario ? "nome-stazione-orario" : "nome-stazione", 90,
                       nome == st->nome ? std::string_view{} : std::string_view{st->nome});
        }
    }

    const Voci& voci_;
    const TabellaLinea* piano_;
    ProfiloLinea p_;
    std::vector<Progressiva> progressive_;
    PaginaSvg svg_;
    Scala x_;
};

}  // namespace

std::string disegna_scenario(const ScenarioCompilato& s) {
    return Pagina(s).disegna();
}

}  // namespace compattatore
