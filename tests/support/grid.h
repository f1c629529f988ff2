// Small helpers for the grid tests: an empty grid with the outcome its
// operations record, a cell setter and the list of cells two grids differ in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "placement/posa.h"
#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore::test {

struct Grid {
    std::vector<Cella> celle;
    Montagne montagne;
    // What the placement operations answered, the last refusal standing.
    Codice codice = Codice::nessuno;
    // What the finishing pass recorded.
    EsitoCompilazione esito;

    void record(Codice c) {
        if (c != Codice::nessuno) codice = c;
    }
};

// Cells 0 to n, all empty.
inline Grid empty_grid(std::int32_t n) {
    Grid g;
    g.celle.assign(static_cast<std::size_t>(n) + 1, {});
    return g;
}

inline void put_cell(Grid& g, std::size_t c, TipoCella tipo, std::int16_t valore1 = 0) {
    g.celle[c].tipo = tipo;
    g.celle[c].valore1 = valore1;
}

// Indices of the cells whose content differs between two grids of one size.
inline std::vector<std::size_t> changed_cells(const Grid& before, const Grid& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.celle.size(); ++i)
        if (before.celle[i] != after.celle[i]) changed.push_back(i);
    return changed;
}

}  // namespace compattatore::test
