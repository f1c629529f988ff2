// The phases of the reader, run in this order by memorizza_dati.  Each
// returns Esito::fermo when the reader stopped with a code and must return.
#pragma once

#include "reader/lettura.h"

namespace compattatore::lettore {

// Starts on the line text and looks for its general section (codes 101, 102).
Esito apri_linea(Lettura& l);
// The general section, then the preparation of the line records.
Esito sezione_generale(Lettura& l);
// The line records and the completion of the line phase.
Esito record_linea(Lettura& l);
// The train text: its records, the completion and the final checks.
Esito record_treno(Lettura& l);

// The checks of the train's run once every record is read: the schedule
// against itself and against the train's limits, the limits against the
// line's boards, the recovery margins against the stations.  Warnings only.
void controlla_corsa(Lettura& l);

// One "stazione" record (the keyword already read).
Esito stazione(Lettura& l);

// The records for the driver's documents: "numero treno", "categoria" and
// "recupero" (the keyword already read).
void numero_treno(Lettura& l);
void categoria(Lettura& l);
void recupero(Lettura& l);

}  // namespace compattatore::lettore
