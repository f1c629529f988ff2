// Where the elements of the grid came from: for each cell, the record that
// placed what the cell holds.  The compiled files do not carry it; the
// diagnostics use it to name what holds an occupied cell, and the codes of
// the finishing pass to name the record of the element they concern.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/diagnostica.h"
#include "tables/scenario.h"

namespace compattatore {

// A record of a description text: which text (0 the line, 1 the train),
// and the line and field it stands at.
struct LuogoRecord {
    std::uint8_t testo = 0;
    int riga = 0;
    int colonna = 0;
    std::size_t inizio_riga = 0;
    int larghezza = 0;
};

// The names and the contents of the two description texts.
struct TestiLetti {
    std::array<std::string, 2> nomi;
    std::array<std::string_view, 2> dati;
};

struct Provenienze {
    std::vector<LuogoRecord> record;      // entry 0 unused: "no record"
    std::vector<std::uint32_t> celle;      // per cell, an index into `record`

    // The record that placed what cell `c` holds, or nullptr.
    const LuogoRecord* di(std::int64_t c) const;
};

// The place of a record, its line cut around the field when it is long.
Luogo luogo_del_record(const TestiLetti& testi, const LuogoRecord& r);

// "un segnale (FILE:LINE)": what cell `c` holds, and where it came from
// when the record is known.
std::string cosa_contiene(const Provenienze& p, const TestiLetti& testi, const std::vector<Cella>& celle,
                          std::int64_t c);

// Cell c as the author reads it: "cella 22".  (Which metres a cell stands
// for depends on the record: p / 50 + 1 for a signal, p / 50 for a code cut.)
std::string nome_cella(std::int64_t c);

}  // namespace compattatore
