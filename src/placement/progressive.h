// Ordering of the three kilometre references held in voci 81 to 83.
#pragma once

#include "tables/scenario.h"

namespace compattatore {

void progressive_ordina(Scenario& s);

}  // namespace compattatore
