// `check --watch DIR`: the check again after each save of a description
// file, for editors that have no language client.
#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>

#include "app/comandi.h"

namespace compattatore {

// Reports as `check` does, then again each time the line file, the train
// file or the author's notes change (their size or time), clearing the
// screen before each report.  A report that cannot be made (a file being
// replaced) says why and waits for the next change.  Checks the files every
// `periodo` while `continua(reports made)` holds; the status is the last
// report's.
StatoUscita osserva_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err,
                             const std::function<bool(int)>& continua,
                             std::chrono::milliseconds periodo = std::chrono::milliseconds(250));

}  // namespace compattatore
