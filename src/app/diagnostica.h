// The errors and warnings of a compilation as the authors read them: text
// in the format every editor understands, or JSON for other tools.
//
//   FILE:LINE:COLUMN: errore: codice 16: segnale su una cella occupata (posizione 1050 m)
//       segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0
//                   ^~~~
//       la cella 22 (1050 m) contiene già un segnale (FILE:214)
//
// The record is cut to fit 100 columns around the field at fault, with
// "..." where it is cut; control bytes and bytes that are no UTF-8 show as
// \r, \t, \xNN.  A warning ends its first line with its name in brackets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "format/json.h"
#include "tables/esito.h"

namespace compattatore {

// The lines of one diagnostic, each ended by a line end.
std::string testo_diagnostica(const Diagnostica& d);

// A message made safe for a terminal: control bytes and bytes that start no
// UTF-8 sequence written as \r, \t, \xNN.
std::string testo_per_terminale(std::string_view testo);

// The record line and the caret line of a place (without indent or line
// end): the line cut to `colonne` around the field, the caret under it.
struct RigaConCursore {
    std::string riga, cursore;
};
RigaConCursore riga_con_cursore(const Luogo& u, std::size_t colonne = 100);

// The diagnostics of `e`, at most `limite` of them, errors before warnings
// (past the limit the first errors and the last), in the order they were
// met; then "... non mostrati: N errori e M avvisi" for the rest.
std::string testo_diagnostiche(const EsitoCompilazione& e, std::size_t limite);

// The diagnostic that explains the outcome's code: the last error with that
// number (nullptr: none).
const Diagnostica* errore_dell_esito(const EsitoCompilazione& e, std::int32_t codice);

// The error that decided the outcome: the last one recorded (nullptr: none).
const Diagnostica* ultimo_errore(const EsitoCompilazione& e);
// The first error recorded (nullptr: none).
const Diagnostica* primo_errore(const EsitoCompilazione& e);
// How many errors or warnings, those past the list included.
std::size_t conta(const EsitoCompilazione& e, Gravita g);
// "1 errore", "3 avvisi": how many, in words.
std::string quanti(std::size_t n, Gravita g);

// One diagnostic as a JSON object: "gravita", "codice" (null for a
// warning), "nome" (null for an error), "spiegazione", "posizione", "file",
// "riga", "colonna", "testo" (null where there is none), "note".
void scrivi_json(ScrittoreJson& j, const Diagnostica& d);

// The outcome as one JSON object on one line: the keys of the diagnostic
// `principale` (the outcome's code: 0 and "nessun errore" when there is
// none), then "errori", "avvisi", "tralasciati", "diagnostiche" (every
// diagnostic in order), and `scritti` when it is given.
std::string esito_json(const EsitoCompilazione& e, const Diagnostica* principale, std::int32_t codice,
                       const bool* scritti);

}  // namespace compattatore
