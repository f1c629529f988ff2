// The train's run as the driver's documents see it, read from a compiled
// scenario: the stations with their times, the changes of the train's speed
// limit, the line's kilometre references, the signals and the temporary
// restrictions.  Positions are route metres from the start of the line.
// Which entries are stations and how a restriction's cells pair come from
// the one model of a compiled scenario (compiled/scenario_compilato.h);
// cells and metres from tables/celle.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tables/chilometri.h"
#include "tables/scenario.h"

namespace compattatore {

struct StazioneCorsa {
    std::int32_t posizione = 0;
    std::int32_t inizio = 0;   // first and last positions of the station
    std::int32_t fine = 0;
    std::int32_t orario = 0;   // seconds since midnight; 0 without a time
    std::string nome;          // bytes as read
};

// From `posizione` on the train's limit is `kmh`.
struct CambioVelocita {
    std::int32_t posizione = 0;
    int kmh = 0;
};

struct RallentamentoCorsa {
    std::int32_t inizio = 0;
    std::int32_t lunghezza = 0;
    int kmh = 0;
};

struct Corsa {
    std::int32_t lunghezza_linea = 0;
    std::vector<StazioneCorsa> stazioni;           // in running order
    std::vector<CambioVelocita> velocita;          // ascending; the first one may stand at 0
    std::vector<Progressiva> progressive;          // ascending by inizio
    std::vector<std::int32_t> segnali;             // ascending
    std::vector<RallentamentoCorsa> rallentamenti; // ascending

    // The train's limit in force at `p` (0 before the first change).
    int limite(std::int32_t p) const;
    // The line's kilometre at `p`, in metres: p itself before the first reference.
    std::int64_t chilometro(std::int32_t p) const;
    // The kilometre at `p` under the reference in force just before `p`.
    std::int64_t chilometro_prima(std::int32_t p) const;
    // The last position at or before `p`, not before `da`, where a whole
    // kilometre stands (a kilometre post); none when no post stands there.
    std::optional<std::int32_t> cippo_prima(std::int32_t p, std::int32_t da = 0) const;

    // The train's run: from the first station to the last (the whole line
    // without stations).
    std::int32_t origine() const { return stazioni.empty() ? 0 : stazioni.front().posizione; }
    std::int32_t destinazione() const { return stazioni.empty() ? lunghezza_linea : stazioni.back().posizione; }
};

// The run of a scenario whose reading ended without a code.
Corsa leggi_corsa(const Scenario& s);

}  // namespace compattatore
