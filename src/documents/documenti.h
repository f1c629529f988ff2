// The three documents for the driver: timetable card, speed-restriction order, notes.
#pragma once

#include <span>
#include <string_view>

#include "platform/output_set.h"
#include "tables/nomi_file.h"
#include "tables/scenario.h"

namespace compattatore {

// The notes, already in the single-byte Western European encoding.
std::span<const std::string_view> righe_note();

// The values the built-in card shows that the built-in train description
// does not give.
DatiDocumenti dati_documenti_predefiniti();

// Add the built-in notes, in the scenario's folder, to a run's outputs.
void dati_note(const FileScenario& s, OutputSet& uscite);

}  // namespace compattatore
