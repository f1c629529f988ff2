// The plan of the track, north up, in a square box, from the start of the
// line to its end, with the stations, the signals and the line's kilometres.
#include "plot/pagina.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "compiled/sommario_piano.h"

namespace compattatore::grafico {

namespace {

// A label near the point `q`, `distanza` pixels away at least: right,
// left, above and below (sliding sideways), then the corners; then the
// same farther away.  Left out when no place is free.
void etichetta(PaginaSvg& svg, Etichette& e, PuntoSvg q, const std::string& t, Carattere c, double distanza,
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
            svg.testo(p.x, p.y, t, classe, 0, titolo);
            return;
        }
    }
}

}  // namespace

void disegna_pianta(Pagina& pg) {
    pg.svg.testo(margine_sx, alto_piano - 12, "Pianta del tracciato", "sezione");
    pg.svg.rettangolo(margine_sx, alto_piano, lato_piano, lato_piano, "riquadro");
    auto nota = [&](const char* t) {
        pg.svg.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano / 2, t, "nota centro-testo");
    };
    if (!pg.piano) return nota("pianta non disponibile: scenario compilato senza il file _linea.dat");
    const SommarioPiano s = riassumi_piano(*pg.piano, 0);
    if (s.righe_con_punto < 2) return nota("il file _linea.dat non contiene punti del tracciato");
    const TabellaLinea& t = *pg.piano;
    const auto fine_linea = static_cast<std::int32_t>(std::min<double>(s.ultima_riga, std::max(pg.p.lunghezza, 0.0)));
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
        pg.svg.linea(px(v), alto_piano, px(v), alto_piano + lato_piano, "griglia");
        pg.svg.testo(px(v), alto_piano + lato_piano + 16, tacca(v / 1000, passo / 1000), "tacca-testo centro-testo");
    }
    for (double v : tacche(py.d0, py.d1, passo)) {
        pg.svg.linea(margine_sx, py(v), margine_sx + lato_piano, py(v), "griglia");
        pg.svg.testo(margine_sx - 6, py(v) + 4, tacca(v / 1000, passo / 1000), "tacca-testo fine-testo");
    }
    pg.svg.testo(margine_sx + lato_piano / 2, alto_piano + lato_piano + 34, "x (km)", "titolo-asse centro-testo");
    pg.svg.testo(margine_sx - 44, alto_piano + lato_piano / 2, "y (km)", "titolo-asse centro-testo", -90);

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
            pg.svg.polilinea(tratto, "binario");
            tratto.clear();
            continue;
        }
        tratto.push_back({px(q->x), py(q->y)});
        if (tratto.size() > 1) etichette.segmento(tratto[tratto.size() - 2], tratto.back());
    }
    pg.svg.polilinea(tratto, "binario");
    auto segno = [&](PuntoSvg q, double r) { etichette.ostacolo({q.x - r, q.y - r, q.x + r, q.y + r}); };

    for (const ElementoLinea& e : pg.p.segnali) {
        PuntoSvg q;
        if (e.metri <= pg.p.lunghezza && punto(e.metri, q))
            pg.svg.cerchio(q.x, q.y, 1.8, "segnale", "segnale a " + pg.luogo(e.metri) + ": " + e.testo);
    }
    PuntoSvg q;
    if (punto(s.prima_riga, q)) {
        pg.svg.poligono({{q.x, q.y - 8}, {q.x - 7, q.y + 5}, {q.x + 7, q.y + 5}}, "inizio", "inizio della linea");
        segno(q, 9);
    }
    if (punto(fine_linea, q)) {
        pg.svg.rettangolo(q.x - 5, q.y - 5, 10, 10, "fine", "fine della linea, " + pg.luogo(fine_linea));
        segno(q, 7);
    }
    // Marks where the line's own kilometres are round.
    struct Tacca {
        PuntoSvg q;
        std::int64_t km;
        double metri;
    };
    std::vector<Tacca> tacche_km;
    const auto passo_km = static_cast<std::int64_t>(passo_tondo(std::max(pg.p.lunghezza, 1.0), 7));
    for (std::int32_t m = 50; passo_km >= 50 && m < fine_linea; m += 50) {
        const std::int64_t k = chilometro(pg.progressive, m);
        if (k % passo_km != 0 || !punto(m, q)) continue;
        pg.svg.cerchio(q.x, q.y, 3.5, "tacca-km", km_linea(k) + " a " + metri(m) + " del percorso");
        segno(q, 5);
        tacche_km.push_back({q, k, static_cast<double>(m)});
    }
    struct Nome {
        PuntoSvg q;
        const StazioneLinea* st;
    };
    std::vector<Nome> nomi;
    for (const StazioneLinea& st : pg.p.stazioni) {
        if (!punto(st.posizione, q)) continue;
        const bool orario = st.orario != 0;
        pg.svg.cerchio(q.x, q.y, orario ? 6 : 4, orario ? "stazione-orario" : "stazione", pg.descrivi(st));
        segno(q, orario ? 8 : 6);
        nomi.push_back({q, &st});
    }
    // The names of the timed stations first, then the others, then the
    // kilometres: each at the first free place around its point.
    std::stable_partition(nomi.begin(), nomi.end(), [](const Nome& n) { return n.st->orario != 0; });
    for (const Nome& n : nomi) {
        const bool orario = n.st->orario != 0;
        const std::string nome = accorcia(n.st->nome, nome_in_pianta);
        etichetta(pg.svg, etichette, n.q, nome, orario ? carattere_nome_orario : carattere_nome, orario ? 10 : 8,
                  std::string(orario ? "nome-stazione-orario" : "nome-stazione") + " alone",
                  nome == n.st->nome ? std::string() : n.st->nome);
    }
    for (const Tacca& k : tacche_km) {
        const std::string testo = km_linea(k.km);
        etichetta(pg.svg, etichette, k.q, testo.substr(0, testo.size() - 4), carattere_km, 6, "testo-km", {});
    }
}

}  // namespace compattatore::grafico
