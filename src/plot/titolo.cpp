// The title of the page: the scenario's names and what the line holds.
#include "plot/pagina.h"

#include "compiled/descrizione.h"
#include "tables/conteggio.h"

namespace compattatore::grafico {

namespace {

template <class Elenco>
std::string quanti(const Elenco& e, std::string_view uno, std::string_view molti) {
    return conteggio(static_cast<std::int64_t>(e.size()), uno, molti);
}

}  // namespace

void disegna_titolo(Pagina& pg) {
    const std::string linea = accorcia(testo_leggibile(pg.voci[voce_linea].nome), nome_nel_titolo);
    const std::string treno = accorcia(testo_leggibile(pg.voci[voce_treno].nome), nome_nel_titolo);
    const std::string intero = "Scenario " + testo_leggibile(pg.voci[voce_linea].nome) + " \u00b7 treno " +
                               testo_leggibile(pg.voci[voce_treno].nome);
    const std::string corto = "Scenario " + linea + " \u00b7 treno " + treno;
    pg.svg.testo(margine_sx, 44, corto, "titolo", 0, corto == intero ? std::string_view{} : std::string_view{intero});
    pg.svg.testo(margine_sx, 70,
                 "linea di " + km(pg.p.lunghezza) + " km \u00b7 " + quanti(pg.p.stazioni, "stazione", "stazioni") +
                     " \u00b7 " + quanti(pg.p.segnali, "segnale", "segnali") + " \u00b7 " +
                     quanti(pg.p.indicatori, "indicatore di velocit\u00e0 massima",
                            "indicatori di velocit\u00e0 massima") +
                     " \u00b7 " + quanti(pg.p.cartelli, "cartello", "cartelli") + " \u00b7 " +
                     quanti(pg.p.rallentamenti, "rallentamento", "rallentamenti"),
                 "sottotitolo");
}

}  // namespace compattatore::grafico
