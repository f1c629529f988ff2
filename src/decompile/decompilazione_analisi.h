// The analyses of a decompilation, one per part of the compiled files: the
// entries (general values, kilometre references, stations), the grid
// (profiles, montagna stretches, boards, signs, signals, restrictions, code
// cuts) and the plan (curves).  Each inverts the reader and the placement
// for its part and returns the records an author would have written; what
// no record can give is left for the comparison after the compilation.
#pragma once

#include <cstdint>
#include <vector>

#include "compiled/scenario_compilato.h"
#include "decompile/decompilazione_record.h"
#include "tables/scenario.h"

namespace compattatore::decompilazione {

// Division and remainder rounding down, so that q * d + r gives back v with
// r between 0 and d - 1, for negative values too.
inline std::int64_t quoziente(std::int64_t v, std::int64_t d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }
inline std::int64_t resto(std::int64_t v, std::int64_t d) { return v - quoziente(v, d) * d; }

// The first position whose cell, by the rule of signals, signs, boards and
// restrictions (tables/celle.h), is `cella`.
inline std::int32_t posizione_di_cella(std::int64_t cella) { return static_cast<std::int32_t>(metro_di_cella(cella)); }

// --- entries -----------------------------------------------------------

// The rows of the general sections: length, kilometre references,
// backgrounds, signal repetition, and the train's general values.
void generale_da_voci(const Voci& voci, Linea& linea, Treno& treno);

// The station rows of entries 1 to n.
std::vector<Stazione> stazioni_da_voci(const Voci& voci, int numero_stazioni);

// --- grid --------------------------------------------------------------

// A per-cell profile byte as rows: a row at position 0, one where the value
// changes, and the rows the last cells need.  `valore` turns a byte into
// the value the row gives.
std::vector<Punto> profilo(const std::vector<Cella>& celle, std::uint8_t Cella::*campo,
                           std::int32_t (*valore)(std::uint8_t));

std::vector<Montagna> montagne(const std::vector<Cella>& celle);
std::vector<Indicatore> indicatori(const std::vector<Cella>& celle);
std::vector<Segnale> segnali(const std::vector<Cella>& celle);
std::vector<Rallentamento> rallentamenti(const std::vector<Cella>& celle);

// The sign rows in the order of their entries, 80 downwards.  A sign text
// that no cell points at lost its cell to a station's stop, which is written
// whatever the cell holds: its row goes on such a stop cell.
std::vector<Cartello> cartelli(const std::vector<Cella>& celle, const Voci& voci, const RipartizioneVoci& r);

// The code-cut rows: the cells without a code, and of the code cells those
// that the finishing pass does not write by itself (decompilazione_codici).
std::vector<Abbattimento> abbattimenti(const std::vector<Cella>& celle);

// --- plan --------------------------------------------------------------

// The curve rows that give the plan: the change of heading of each metre
// names its curvature.
std::vector<Curva> curve(const TabellaLinea& piano);

}  // namespace compattatore::decompilazione
