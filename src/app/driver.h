// The compaction driver: reads the two description files back, finishes the
// grid, stamps the header and writes the compiled files.
#pragma once

#include <cstdint>

#include "tables/scenario.h"

namespace compattatore {

// j nonzero also builds the plan of the track and writes the compiled line
// file.  When the reader stops before the grid exists there is nothing to
// finish or write, and the driver returns with the reader's code standing.
void memorizza_percorso(Scenario& s, std::int32_t j);

}  // namespace compattatore
