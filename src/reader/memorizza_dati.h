// The source reader: reads the line description, then the train description,
// into the scenario tables, recording every failure as codice_errore.
#pragma once

#include "tables/scenario.h"

namespace compattatore {

void memorizza_dati(Scenario& s);

}  // namespace compattatore
