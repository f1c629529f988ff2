// The rows of the timetable card's table, in running order: stations with
// their times and recovery margins, the protection signal before each timed
// stop, the changes of the train's speed limit (with the switches near the
// stations), the kilometre reference changes and kilometre posts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "documents/corsa.h"
#include "tables/scenario.h"

namespace compattatore {

enum class TipoRigaScheda {
    stazione,
    protezione,     // the protection signal of a timed stop
    velocita,       // a change of the train's limit
    cambio,         // where the kilometre reference changes: the old count, ended by "/"
    nuovo_valore,   // the row after it: the new count alone
    cippo,          // a kilometre post
};

struct RigaScheda {
    TipoRigaScheda tipo;
    std::int32_t posizione = 0;
    std::string testo;  // 83 characters
};

// The rows with `cippi_sparsi` kilometre posts spread along the run besides
// those the restrictions refer to (fewer when the line has no room for
// them).  Posts keep clear of the other rows.
std::vector<RigaScheda> righe_tabella_scheda(const Corsa& c, const DatiDocumenti& d, int cippi_sparsi);

// How many rows there are without spread posts.
std::size_t righe_senza_cippi_sparsi(const Corsa& c, const DatiDocumenti& d);

}  // namespace compattatore
