// The outcome of one compilation: the code recorded last, its position,
// the record it came from, which description texts the reading took, and
// every error and warning met on the way (tables/diagnostica.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tables/diagnostica.h"

namespace compattatore {

// A code the finishing pass recorded, with the cells it concerns: the cell
// whose position goes with the code, and the cell of the element the code
// is about (the signal behind a warning board, the start of a restriction).
struct CodiceDiFinitura {
    Codice codice = Codice::nessuno;
    std::int64_t cella = 0;
    std::int64_t cella_elemento = 0;
};

struct EsitoCompilazione {
    Codice codice = Codice::nessuno;  // the last one recorded wins
    std::int32_t posizione_errore = 0;
    // Where the code came from: the record (and its field) that caused it;
    // an empty file name when no record did.
    Luogo origine;

    // The description texts the reading consumed: the no-argument run
    // deletes these files.  A stop inside the line text leaves the train
    // text unread; an unexpected failure consumes both; a missing line text
    // consumes nothing.
    bool letta_linea = false;
    bool letto_treno = false;

    // 1250 or 1251 when the header stamp failed: the run ends with the
    // error report and writes no compiled file.
    std::int32_t errore_segnalato = 0;

    // Every error and warning, in the order they were met, at most
    // massimo_diagnostiche of them; the others only counted.  Warnings give
    // way first: an error met with the list full takes the place of the
    // latest warning listed, and once only errors are left, the place of the
    // latest error, so that the error that gave the outcome its code, the
    // last one recorded with a code, is always listed.  An error with no
    // code (an empty train, a train with no station) is only counted rather
    // than take that one's place.
    std::vector<Diagnostica> diagnostiche;
    std::size_t tralasciate = 0;
    std::size_t errori_tralasciati = 0;  // of those, the errors
    // The codes of the finishing pass, in the order it recorded them, under
    // the same bound: past it the latest takes the place of the one before.
    std::vector<CodiceDiFinitura> finitura;

    void aggiungi(Diagnostica d);
    void aggiungi(const CodiceDiFinitura& f);

    // Whether a diagnostic of gravity g would take a place in the list
    // rather than that of the latest error; one that would not may be only
    // counted (tralascia), with no need to word it.
    bool elenca(Gravita g) const {
        return diagnostiche.size() < massimo_diagnostiche || (g == Gravita::errore && avvisi_elencati_ > 0);
    }
    void tralascia(Gravita g) {
        ++tralasciate;
        if (g == Gravita::errore) ++errori_tralasciati;
    }

private:
    std::size_t avvisi_elencati_ = 0;
};

}  // namespace compattatore
