// Beside the plan: the legend, the timetable and the scenario's general
// values.
#include "plot/pagina.h"

#include "compiled/descrizione.h"
#include "format/formato.h"

namespace compattatore::grafico {

void disegna_legenda(Pagina& pg) {
    double y = alto_piano - 12;
    pg.svg.testo(sx_pannello, y, "Legenda", "sezione");
    y += 26;
    auto voce_legenda = [&](auto simbolo, const std::string& testo) {
        simbolo(sx_pannello + 12, y - 4);
        pg.svg.testo(sx_pannello + 32, y, testo, "nota");
        y += 20;
    };
    voce_legenda([&](double x, double yy) { pg.svg.linea(x - 10, yy, x + 10, yy, "binario"); }, "binario (pianta)");
    voce_legenda([&](double x, double yy) { pg.svg.cerchio(x, yy, 6, "stazione-orario"); }, "stazione con orario");
    voce_legenda([&](double x, double yy) { pg.svg.cerchio(x, yy, 4, "stazione"); }, "stazione senza orario");
    voce_legenda([&](double x, double yy) { pg.svg.cerchio(x, yy, 2.5, "segnale"); }, "segnale");
    voce_legenda([&](double x, double yy) { pg.svg.cerchio(x, yy, 3.5, "tacca-km"); },
                 "progressiva chilometrica della linea (pianta)");
    voce_legenda([&](double x, double yy) { pg.svg.rettangolo(x - 1.5, yy - 6, 3, 12, "indicatore"); },
                 "indicatore di velocit\u00e0 massima (nel profilo: velocit\u00e0 di rango A)");
    voce_legenda([&](double x, double yy) { pg.svg.rettangolo(x - 1.5, yy - 6, 3, 12, "cartello"); },
                 "cartello indicatore");
    voce_legenda([&](double x, double yy) { pg.svg.linea(x - 10, yy, x + 10, yy, "rallentamento"); },
                 "rallentamento (tratteggio: cartello di avviso)");
    voce_legenda([&](double x, double yy) { pg.svg.rettangolo(x - 10, yy - 6, 20, 12, "fascia-montagna"); },
                 "tratto in montagna");
    voce_legenda([&](double x, double yy) { pg.svg.linea(x - 10, yy, x + 10, yy, "linea-velocita"); },
                 "limite di velocit\u00e0 del treno");
    voce_legenda(
        [&](double x, double yy) {
            pg.svg.rettangolo(x - 10, yy - 6, 10, 12, "salita");
            pg.svg.rettangolo(x, yy - 6, 10, 12, "discesa");
        },
        "pendenza in salita / in discesa");
    voce_legenda([&](double x, double yy) { pg.svg.linea(x - 10, yy, x + 10, yy, "linea-aderenza"); }, "aderenza");
    pg.svg.testo(sx_pannello, y, "Posizioni in metri dal\u2019inizio del percorso (m); progressive della linea in km.",
                 "nota");
    y += 20;

    y += 18;
    pg.svg.testo(sx_pannello, y, "Fermate con orario", "sezione");
    y += 24;
    pg.svg.testo(sx_pannello, y, "orario", "nota-forte");
    pg.svg.testo(sx_pannello + 80, y, "progr. km", "nota-forte");
    pg.svg.testo(sx_pannello + 160, y, "stazione", "nota-forte");
    y += 18;
    // The timetable keeps clear of the scenario's data below it.
    const double fondo_orari = alto_piano + lato_piano - 190;
    std::size_t con_orario = 0, scritte = 0;
    for (const StazioneLinea& st : pg.p.stazioni)
        if (st.orario != 0) ++con_orario;
    for (const StazioneLinea& st : pg.p.stazioni) {
        if (st.orario == 0) continue;
        if (y > fondo_orari && scritte + 1 < con_orario) {
            pg.svg.testo(sx_pannello, y,
                         "\u2026 e altre " + std::to_string(con_orario - scritte) + " fermate con orario", "nota");
            y += 18;
            break;
        }
        pg.svg.testo(sx_pannello, y, testo_orario(st.orario), "nota");
        pg.svg.testo(sx_pannello + 80, y,
                     km_linea(chilometro(pg.progressive, static_cast<std::int32_t>(st.posizione))).substr(3), "nota");
        pg.testo_accorciato(sx_pannello + 160, y, st.nome, nome_in_tabella, "nota");
        y += 18;
        ++scritte;
    }

    y += 18;
    pg.svg.testo(sx_pannello, y, "Dati dello scenario", "sezione");
    y += 24;
    const Voce& v84 = pg.voci[voce_percorso];
    const Voce& v85 = pg.voci[voce_linea];
    const Voce& v86 = pg.voci[voce_treno];
    std::vector<std::string> righe;
    righe.push_back("treno: " + std::to_string(v84.posizione) + " vetture, massa frenata " +
                    std::to_string(v84.inizio) + "%, sabbia " + std::to_string(v86.intero1));
    righe.push_back("orologio " + formato("%d:%02d:%02d", v86.intero3, v86.intero4, v86.intero5));
    righe.push_back(v86.fine == 0 ? std::string("nessuna ripetizione segnali")
                                  : "ripetizione segnali a " + std::to_string(v86.posizione) + " codici da " +
                                        metri(v86.inizio) + " a " + metri(v86.fine) + " del percorso");
    for (const Progressiva& r : pg.progressive)
        righe.push_back("da " + metri(r.inizio) + " del percorso la progressiva \u00e8 " +
                        km_linea(chilometro(pg.progressive, r.inizio)) + " e " +
                        (r.decrescente ? "decresce" : "cresce"));
    righe.push_back("sfondi " + std::to_string(v85.inizio) + ", " + std::to_string(v85.posizione) + ", " +
                    std::to_string(v85.fine) + "; codice gara " + std::to_string(v85.orario));
    for (const std::string& r : righe) {
        pg.svg.testo(sx_pannello, y, r, "nota");
        y += 18;
    }
}

}  // namespace compattatore::grafico
