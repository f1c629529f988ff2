// The title of the page: the scenario's names and what the line holds.
#include "plot/pagina.h"

#include "compiled/descrizione.h"

namespace compattatore::grafico {

void disegna_titolo(Pagina& pg) {
    const std::string linea = accorcia(testo_leggibile(pg.voci[voce_linea].nome), nome_nel_titolo);
    const std::string treno = accorcia(testo_leggibile(pg.voci[voce_treno].nome), nome_nel_titolo);
    const std::string intero = "Scenario " + testo_leggibile(pg.voci[voce_linea].nome) + " \u00b7 treno " +
                               testo_leggibile(pg.voci[voce_treno].nome);
    const std::string corto = "Scenario " + linea + " \u00b7 treno " + treno;
    pg.svg.testo(margine_sx, 44, corto, "titolo", 0, corto == intero ? std::string_view{} : std::string_view{intero});
    pg.svg.testo(margine_sx, 70,
                 "linea di " + km(pg.p.lunghezza) + " km \u00b7 " + std::to_string(pg.p.stazioni.size()) +
                     " stazioni \u00b7 " + std::to_string(pg.p.segnali.size()) + " segnali \u00b7 " +
                     std::to_string(pg.p.indicatori.size()) + " indicatori di velocit\u00e0 massima \u00b7 " +
                     std::to_string(pg.p.cartelli.size()) + " cartelli \u00b7 " +
                     std::to_string(pg.p.rallentamenti.size()) + " rallentamenti",
                 "sottotitolo");
}

}  // namespace compattatore::grafico
