// The three documents for the driver: timetable card, speed-restriction order, notes.
#pragma once

#include <span>
#include <string_view>

#include "platform/output_set.h"
#include "tables/nomi_file.h"
#include "tables/scenario.h"

namespace compattatore {

// The built-in texts.  The card and the order are those worked out from the
// compiled built-in scenario with dati_documenti_predefiniti().
std::span<const std::string_view> righe_scheda();
std::span<const std::string_view> righe_rallentamenti();
// The notes, already in the single-byte Western European encoding.
std::span<const std::string_view> righe_note();

// The values the built-in card shows that the train description does not give.
DatiDocumenti dati_documenti_predefiniti();

// Add the documents, in the scenario's folder, to a run's outputs.
void dati_scheda(const FileScenario& s, OutputSet& uscite);
void dati_rallentamenti(const FileScenario& s, OutputSet& uscite);
void dati_note(const FileScenario& s, OutputSet& uscite);

}  // namespace compattatore
