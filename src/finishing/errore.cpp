// The error report: the one failure the user sees.  The run ends there and
// no compiled file is written; the top level shows the message.
#include "finishing/finitura.h"

namespace compattatore {

void errore(const std::string& a) { throw ErroreSegnalato(" Errore n. " + a); }

}  // namespace compattatore
