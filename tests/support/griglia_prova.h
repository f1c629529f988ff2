// Small helpers for the grid tests: a scenario with an empty grid, a cell
// setter and field-by-field comparisons of cells.
#pragma once

#include <tuple>
#include <vector>

#include "tables/scenario.h"

namespace prova {

inline compattatore::Scenario griglia_vuota(std::int32_t n) {
    compattatore::Scenario s;
    s.numero_celle = n;
    s.lunghezza_estesa = n * 50;
    s.celle.assign(static_cast<std::size_t>(n) + 1, {});
    return s;
}

inline void metti(compattatore::Scenario& s, std::size_t c, std::uint8_t tipo, std::int16_t valore1 = 0) {
    s.celle[c].tipo = tipo;
    s.celle[c].valore1 = valore1;
}

inline auto campi(const compattatore::Cella& c) {
    return std::tie(c.tipo, c.valore1, c.valore2, c.valore3, c.valore4, c.tempo, c.preavviso,
                    c.montagna, c.velocita, c.pendenza, c.aderenza);
}

inline bool stessa_griglia(const compattatore::Scenario& a, const compattatore::Scenario& b) {
    if (a.celle.size() != b.celle.size()) return false;
    for (std::size_t i = 0; i < a.celle.size(); ++i) {
        if (campi(a.celle[i]) != campi(b.celle[i])) return false;
    }
    return true;
}

// Indices of the cells whose content differs between two grids of one size.
inline std::vector<std::size_t> celle_cambiate(const compattatore::Scenario& prima,
                                               const compattatore::Scenario& dopo) {
    std::vector<std::size_t> diverse;
    for (std::size_t i = 0; i < prima.celle.size(); ++i) {
        if (campi(prima.celle[i]) != campi(dopo.celle[i])) diverse.push_back(i);
    }
    return diverse;
}

}  // namespace prova
