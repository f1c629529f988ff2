// The one-line report of a recorded code, for the people who write scenarios.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/scenario.h"

namespace compattatore {

// Short Italian explanation of a code; empty for an unknown code.
std::string_view spiegazione_codice(std::int32_t codice);

// Whether posizione_errore goes with this code.
bool codice_con_posizione(std::int32_t codice);

// "file:line: codice N: explanation (posizione P m)", the location part only
// when a record caused the code.
std::string descrivi_errore(const Scenario& s);

}  // namespace compattatore
