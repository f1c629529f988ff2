// The report of a recorded code, for the people who write scenarios: one
// line of text, the record under it, or one JSON object for other tools.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/esito.h"

namespace compattatore {

// Short Italian explanation of a code; empty for an unknown code.
std::string_view spiegazione_codice(Codice codice);

// Whether posizione_errore goes with this code.
bool codice_con_posizione(Codice codice);

// "file:line: codice N: explanation (posizione P m)", the location part only
// when a record caused the code.
std::string descrivi_errore(const EsitoCompilazione& e);

// The record that caused the code as it stands in its file, indented by four
// blanks, to print under the line of descrivi_errore; empty when no record
// caused the code.
std::string riga_del_record(const EsitoCompilazione& e);

// The same diagnostic as one JSON object on one line: "codice",
// "spiegazione", "posizione" (null when the code has none), and "file",
// "riga", "testo" of the record (null when no record caused the code).
std::string diagnostica_json(const EsitoCompilazione& e);

}  // namespace compattatore
