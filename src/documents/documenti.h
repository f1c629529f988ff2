// The three documents for the driver: timetable card, speed-restriction order, notes.
#pragma once

#include <span>
#include <string_view>

#include "tables/nomi_file.h"

namespace compattatore {

std::span<const std::string_view> righe_scheda();
std::span<const std::string_view> righe_rallentamenti();
// The notes, already in the single-byte Western European encoding.
std::span<const std::string_view> righe_note();

void dati_scheda(const FileScenario& s);
void dati_rallentamenti(const FileScenario& s);
void dati_note(const FileScenario& s);

}  // namespace compattatore
