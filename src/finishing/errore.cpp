// The error report: the one failure the user sees.  The run ends there and
// no compiled file is written; the top level shows the message.
#include "finishing/finitura.h"

namespace compattatore {

namespace {
constexpr std::int32_t bottone_ok = 1;
}

void errore(Scenario& s, const std::string& a) {
    const std::string messaggio = " Errore n. " + a;
    // The report offers only OK: acknowledging it is the only answer.
    s.risposta = bottone_ok;
    throw ErroreSegnalato(messaggio);
}

}  // namespace compattatore
