// The driver's documents of a compiled scenario: the timetable card and the
// speed-restriction order, worked out from the grid, the entries and the
// values the train description gives for the documents alone; and the
// simulator's notes from the author's own text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/scenario.h"

namespace compattatore {

// The card's lines: as many pages as its rows need.
std::vector<std::string> righe_scheda_treno(const Scenario& s);
// The order's lines.
std::vector<std::string> righe_ordine_rallentamenti(const Scenario& s);

// The documents' bytes, lines ended by CR LF.
std::string scheda_treno(const Scenario& s);
std::string ordine_rallentamenti(const Scenario& s);

// What the card's header shows where the description says nothing.
inline constexpr std::string_view categoria_predefinita = "REGIONALE";

}  // namespace compattatore
