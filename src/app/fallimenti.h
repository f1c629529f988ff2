// The failures that end a command anywhere in it, each turned into one
// message and its exit status.
#pragma once

#include <functional>
#include <iosfwd>

#include "app/stato_uscita.h"

namespace compattatore {

// Runs `comando`, turning an I/O failure (once, with the file and the
// system's reason), the error report or a lack of memory into one message
// on `err` and its status.
StatoUscita riporta_fallimenti(const std::function<StatoUscita()>& comando, std::ostream& err);

}  // namespace compattatore
