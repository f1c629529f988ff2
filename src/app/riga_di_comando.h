// The command line: the subcommands, their options and the help, all in
// Italian, the failures of the parser included.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/stato_uscita.h"

namespace compattatore {

// The program's version, from the build.
const char* versione();

// Runs the program with `argomenti` (its own name first) and returns the
// exit status.  Help and version go to `out`; a wrong command line is one
// message on `err`, with the nearest command or option when one is close.
StatoUscita esegui_riga_di_comando(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err);

}  // namespace compattatore
