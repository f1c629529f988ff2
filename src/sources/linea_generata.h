// Description files of a made-up line of any length up to 1,000 km, for
// measuring how the compiler grows with the line.  The records follow the
// built-in line's densities (a curve every 2 km, a gradient every 1.3 km, a
// signal every 1.85 km ...) and stay inside the format's limits: at most 78
// stations and signs together, at most 80 montagna stretches, every element
// on a cell of its own, so the compilation records no code.
#pragma once

#include <cstdint>
#include <string>

namespace compattatore {

struct DescrizioniGenerate {
    std::string linea;  // the bytes of <linea>_linea.txt
    std::string treno;  // the bytes of <linea>_<treno>-.txt
};

// `lunghezza` in metres, 20,000 to 1,000,000.  `stazioni` asks for that many
// stations (2 at least, as many as the free slots allow); 0 gives the built-in
// line's density, a station every 7.4 km.
DescrizioniGenerate genera_descrizioni(std::int32_t lunghezza, int stazioni = 0);

}  // namespace compattatore
