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

// Station kinds (field 2 of a station record) with a rule of their own;
// every other kind is a station that spans its length around its position.
namespace tipo_stazione {
// Kinds 5 and 6 end 150 m past their position and start their length before it.
inline constexpr bool fine_a_150_m(int tipo) { return tipo == 5 || tipo == 6; }
// Kinds 7 and 8 span their length on either side of their position.
inline constexpr bool doppia_lunghezza(int tipo) { return tipo == 7 || tipo == 8; }
// From this kind on a station has no stop cell and no approach marks.
inline constexpr int primo_senza_fermata = 25;
}  // namespace tipo_stazione

}  // namespace compattatore
