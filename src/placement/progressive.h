// Ordering of the three kilometre references held in voci 81 to 83.
#pragma once

#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore {

// Codice::guasto when a correction would not fit its field.
Codice progressive_ordina(Voci& voci);

}  // namespace compattatore
