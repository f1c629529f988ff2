// The lane of the elements placed on the line: montagna stretches, signals,
// boards and signs, restrictions and stations.
#include "plot/pagina.h"

#include <algorithm>

#include "format/formato.h"

namespace compattatore::grafico {

void disegna_elementi(Pagina& pg) {
    pg.svg.linea(margine_sx, corsia_elementi.alto, margine_sx, corsia_elementi.basso(), "asse");
    const struct {
        double y;
        const char* nome;
    } righe[] = {{riga_montagna, "montagna"},
                 {riga_segnali, "segnali"},
                 {riga_cartelli, "cartelli"},
                 {riga_rallentamenti, "rallentamenti"},
                 {riga_stazioni, "stazioni"}};
    for (const auto& r : righe) pg.svg.testo(margine_sx - 7, r.y + 4, r.nome, "tacca-testo fine-testo");

    for (const Gradino& g : pg.p.montagne) {
        double x0, x1;
        if (!pg.dentro(g.da, g.a, x0, x1)) continue;
        pg.svg.rettangolo(x0, riga_montagna - 5, std::max(x1 - x0, 1.5), 10, "montagna",
                          "montagna di tipo " + formato("%.0f", g.valore) + " da " + metri(g.da) + " a " + metri(g.a));
    }
    for (const ElementoLinea& e : pg.p.segnali) {
        if (e.metri < 0 || e.metri > pg.p.lunghezza) continue;
        pg.svg.rettangolo(pg.x(e.metri) - 0.6, riga_segnali - 8, 1.2, 16, "segnale",
                          "segnale a " + pg.luogo(e.metri) + ": " + e.testo);
    }
    for (const IndicatoreLinea& i : pg.p.indicatori) {
        if (i.metri < 0 || i.metri > pg.p.lunghezza) continue;
        pg.svg.rettangolo(pg.x(i.metri) - 0.7, riga_cartelli - 8, 1.4, 8, "indicatore",
                          "indicatore a " + pg.luogo(i.metri) + ": " + std::to_string(i.sinistro_a) + "/" +
                              std::to_string(i.sinistro_b) + "/" + std::to_string(i.sinistro_c) + " km/h");
    }
    for (const ElementoLinea& e : pg.p.cartelli) {
        if (e.metri < 0 || e.metri > pg.p.lunghezza) continue;
        pg.svg.rettangolo(pg.x(e.metri) - 0.7, riga_cartelli, 1.4, 8, "cartello",
                          "cartello a " + pg.luogo(e.metri) + ": " + e.testo);
    }
    for (const StazioneLinea& st : pg.p.stazioni) {
        double x0, x1;
        if (!pg.dentro(st.inizio, st.fine, x0, x1)) {
            if (st.posizione < 0 || st.posizione > pg.p.lunghezza) continue;
            x0 = x1 = pg.x(st.posizione);
        }
        const bool orario = st.orario != 0;
        if (orario) {
            const double x = pg.x(std::clamp(st.posizione, 0.0, pg.p.lunghezza));
            for (const Corsia& c : {corsia_pendenza, corsia_velocita, corsia_aderenza})
                pg.svg.linea(x, c.alto, x, c.basso(), "guida");
        }
        pg.svg.rettangolo(x0 - 1, riga_stazioni - 7, std::max(x1 - x0, 0.0) + 2, 14,
                          orario ? "stazione-orario" : "stazione", pg.descrivi(st));
    }
}

}  // namespace compattatore::grafico
