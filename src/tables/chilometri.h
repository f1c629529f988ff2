// The line's own kilometres: the kilometre references the entries 81 to 83
// hold, and the kilometre of a route position under them.
#pragma once

#include <cstdint>
#include <vector>

#include "tables/scenario.h"

namespace compattatore {

// The ordering of the references adds this to the value of a reference
// whose kilometres decrease (sense 1 in the entry's `posizione`).
inline constexpr std::int32_t aggiunta_decrescente = 100;
inline bool verso_decrescente(std::int32_t verso) { return verso == 1; }

// The value an ordered reference entry was given by the line description:
// its `fine`, less the addition when it decreases.
inline std::int64_t valore_progressiva(const Voce& v) {
    return verso_decrescente(v.posizione) ? std::int64_t{v.fine} - aggiunta_decrescente : v.fine;
}

// A kilometre reference in force from route position `inizio`, with the
// value the line description gives it: the kilometre (in metres) at p is
// p + valore, or valore - p when the kilometres decrease.
struct Progressiva {
    std::int32_t inizio = 0;
    std::int64_t valore = 0;
    bool decrescente = false;
};

// The references of the entries, ascending by start; entries that hold no
// reference (all three fields 0) are left out; the values are those of
// valore_progressiva.
std::vector<Progressiva> progressive_linea(const Voci& voci);

// The kilometre at `p`, in metres: p itself before the first reference.
std::int64_t chilometro(const std::vector<Progressiva>& progressive, std::int32_t p);
// The kilometre at `p` under the reference in force just before `p`.
std::int64_t chilometro_prima(const std::vector<Progressiva>& progressive, std::int32_t p);

}  // namespace compattatore
