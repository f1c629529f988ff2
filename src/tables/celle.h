// The one rule between grid cells and route metres.  The grid has a cell
// for every 50 m.  An element placed at a position (a signal, a sign, a
// board, a restriction's cells, a stop) goes into cell p / 50 + 1, rounded:
// cell n stands for the metre (n - 1) x 50.  The per-cell profiles
// (gradient, speed, adhesion, montagna) are filled by stretches: cell c
// holds the stretch from c x 50 to (c + 1) x 50.
#pragma once

#include <cstdint>

#include "tables/arrotonda.h"
#include "tables/costanti_formato.h"

namespace compattatore {

// The cell of an element at position `p`.
inline std::int64_t cella_di(std::int64_t p) {
    return arrotonda(static_cast<double>(p) / static_cast<double>(lunghezza_cella) + 1.0);
}

// The metre an element in cell `n` stands for: the first position whose
// cell is `n`, when there is one.
inline std::int64_t metro_di_cella(std::int64_t n) { return (n - 1) * lunghezza_cella; }

// The metre where the profile stretch of cell `c` starts.
inline std::int64_t inizio_tratto(std::int64_t c) { return c * lunghezza_cella; }

}  // namespace compattatore
