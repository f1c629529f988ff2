// `check DIR`: every error and warning of the two description files in one
// run, writing nothing.
#pragma once

#include <iosfwd>

#include "app/esecuzione.h"

namespace compattatore {

// Reads the description files (and the author's notes) as `compile` does
// and reports, in the order the compiler meets them, every error (the codes
// `compile` records, going on past each one at the next line wherever the
// reading can; then the notes' error) and every warning: as text on `err`, at most diagnostiche_mostrate and then a count
// of the rest, or as one JSON object on `out`.  The first error is the one
// `compile` reports first.  Status 0 when there is no error (and, with
// avvisi_come_errori, no warning), 1 otherwise.
int controlla_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err);

}  // namespace compattatore
