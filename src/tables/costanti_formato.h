// The constants of the scenario's formats, each under one name: the grid's
// step, how far it runs beyond the line, the longest line.
#pragma once

#include <cstdint>

namespace compattatore {

// One grid cell covers this many metres of line.
inline constexpr std::int32_t lunghezza_cella = 50;
// The grid and the plan run this far beyond the end of the line.
inline constexpr std::int32_t prolungamento_linea = 7000;
// The longest line a description may give (code 1 beyond it).
inline constexpr std::int32_t lunghezza_massima_linea = 1000000;

}  // namespace compattatore
