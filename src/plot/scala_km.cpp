// The kilometre axis under the profile, and the station names hanging below
// it.
#include "plot/pagina.h"

#include <algorithm>
#include <cmath>

namespace compattatore::grafico {

void disegna_scala_km(Pagina& pg) {
    const double passo = pg.passo_km();
    pg.svg.linea(margine_sx, asse_km, margine_sx + larghezza_utile, asse_km, "asse");
    const double etichette = passo * 2;
    for (double m : tacche(0, pg.p.lunghezza, passo)) {
        const bool con_testo = std::fabs(std::remainder(m, etichette)) < passo * 1e-6;
        pg.svg.linea(pg.x(m), asse_km, pg.x(m), asse_km + (con_testo ? 7 : 4), "asse");
        if (con_testo) pg.svg.testo(pg.x(m), asse_km + 20, tacca(m / 1000, passo / 1000), "tacca-testo centro-testo");
    }
    pg.svg.testo(margine_sx + larghezza_utile / 2, asse_km + 40, "distanza dall'inizio della linea (km)",
                 "titolo-asse centro-testo");
    // Station names hang below the axis, each under its station: those
    // of the timed stations first; a name with no room beside the
    // others is left to the station's hover text in the lane above.
    Etichette nomi({margine_sx - 20, alto_nomi - 2, larghezza_pagina, altezza_pagina});
    std::vector<const StazioneLinea*> ordine;
    for (const StazioneLinea& st : pg.p.stazioni)
        if (st.posizione >= -1e-9 && st.posizione <= pg.p.lunghezza) ordine.push_back(&st);
    std::stable_partition(ordine.begin(), ordine.end(), [](const StazioneLinea* st) { return st->orario != 0; });
    for (const StazioneLinea* st : ordine) {
        const double x = pg.x(st->posizione) - 4;
        const bool orario = st->orario != 0;
        const std::string nome = accorcia(st->nome, nome_sotto_asse);
        if (!nomi.prendi(riquadro_testo(x, alto_nomi, nome, orario ? carattere_nome_orario : carattere_nome,
                                        Ancora::inizio, true)))
            continue;
        pg.svg.testo(x, alto_nomi, nome, orario ? "nome-stazione-orario" : "nome-stazione", 90,
                     nome == st->nome ? std::string_view{} : std::string_view{st->nome});
    }
}

}  // namespace compattatore::grafico
