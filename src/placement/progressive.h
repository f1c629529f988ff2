// Ordering of the three kilometre references held in voci 81 to 83.
#pragma once

#include <array>

#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore {

// Codice::guasto when a correction would not fit its field.
Codice progressive_ordina(Voci& voci);

// Where each of entries 81, 82, 83 takes its reference from when the
// references are ordered: 0, 1 or 2 for the old entry 81, 82 or 83, -1 for
// a cleared entry.
std::array<int, 3> ordine_progressive(const Voci& voci);

}  // namespace compattatore
