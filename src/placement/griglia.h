// Bounds of the grid as the placement operations see it: a computed cell
// index may fall before cell 0 or past the last cell (a signal near the start
// of the line, a stretch or a restriction that runs past the end).  Such a
// cell is simply not there: it is never read, never counted as occupied and
// never written.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore {

inline bool nella_griglia(const std::vector<Cella>& celle, std::int64_t c) {
    return c >= 0 && c < static_cast<std::int64_t>(celle.size());
}

// Occupied means: inside the grid and holding something other than nothing
// or the montagna mark.
inline bool occupata(const std::vector<Cella>& celle, std::int64_t c) {
    return nella_griglia(celle, c) && !cella_libera(celle[static_cast<std::size_t>(c)]);
}

inline Cella& cella(std::vector<Cella>& celle, std::int64_t c) { return celle[static_cast<std::size_t>(c)]; }

inline bool sta_in_16_bit(std::int64_t v) {
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

// A value that cannot be stored in its field is not something the
// descriptions should ever produce; it is refused like an unexpected failure.
inline constexpr Codice codice_valore_fuori_campo = Codice::guasto;

}  // namespace compattatore
