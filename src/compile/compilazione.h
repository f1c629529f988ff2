// One compilation in memory: the two description texts in, the finished
// scenario and its outcome out.  No file is read, deleted or written here.
#pragma once

#include "reader/memorizza_dati.h"

namespace compattatore {

// The reader, then, when the grid exists, the signal-code finishing pass
// and the header stamp.  A failed stamp leaves its number in
// esito.errore_segnalato: the run then ends with the error report and the
// scenario must not be written.  Every code recorded on the way is also a
// diagnostic, the finishing pass's and the stamp's naming the record of
// the element they concern.
//
// With `controllo` the reading goes on past each error (memorizza_dati):
// the diagnostics are then the full list that `check` reports, and the
// scenario is no compiled scenario.
Compilazione compila_descrizioni(const Descrizioni& d, bool controllo = false);

// A compilation that gives a scenario to write: the grid exists, no code and
// no error without a code was recorded, and the header stamp found its
// place.
bool riuscita(const Compilazione& c);

// The number a run reports for its outcome: the error report's, when the
// run ended with it, or else the code (0 for none).
std::int32_t codice_riportato(const EsitoCompilazione& e);

}  // namespace compattatore
