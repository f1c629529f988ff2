// Scenarios built for the tests of the authors' tools.
#pragma once

#include "tables/scenario.h"

namespace compattatore::test {

// A cell holding an element: its type and its four values.
Cella cella(TipoCella tipo, std::int16_t v1, std::int16_t v2 = 0, std::int16_t v3 = 0, std::int16_t v4 = 0);

// A scenario of full size that touches every field of the three compiled
// files: every cell type and one the compiler never writes, the extremes of
// every width, empty cells at the end of the grid, names with quotes,
// control bytes and Latin-1 letters, and a plan of 341001 rows with integer,
// real and empty elements, among them -0, a denormal, NaN and infinities.
Scenario scenario_completo();

}  // namespace compattatore::test
