// The three per-cell profiles: gradient (line file), speed limit and
// adhesion (train file).  Each record of a profile closes the stretch of the
// record before it: the value carried so far is written from the next
// unwritten cell up to the record's cell p / 50, at least one cell per record.
// What is carried at the end of the file runs on to the end of the grid.
#pragma once

#include <cstdint>

#include "reader/lettura.h"

namespace compattatore::lettore {

// Gradient record: position p, gradient g in per mille.
Esito pendenza(Lettura& l);
void coda_pendenza(Lettura& l);

// Speed-limit record: position p, limit in km/h.
Esito velocita(Lettura& l);
void coda_velocita(Lettura& l);

// Adhesion record: position p, adhesion value.
Esito aderenza(Lettura& l);
void coda_aderenza(Lettura& l);

// A speed limit as its cell byte: the limit / 5, rounded; a fifth that does
// not fit the byte is an unexpected failure.
std::uint8_t byte_velocita(std::int32_t limite);

}  // namespace compattatore::lettore
