#include "plot/grafico.h"

#include "plot/pagina.h"

namespace compattatore {

std::string disegna_scenario(const ScenarioCompilato& s) {
    grafico::Pagina pg(s);
    grafico::disegna_titolo(pg);
    grafico::disegna_pianta(pg);
    grafico::disegna_legenda(pg);
    grafico::disegna_corsie(pg);
    grafico::disegna_elementi(pg);
    grafico::disegna_scala_km(pg);
    return pg.svg.documento();
}

}  // namespace compattatore
