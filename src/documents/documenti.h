// The three documents for the driver: timetable card, speed-restriction order, notes.
#pragma once

#include <span>
#include <string_view>

#include "tables/scenario.h"

namespace compattatore {

std::span<const std::string_view> righe_scheda();
std::span<const std::string_view> righe_rallentamenti();
// The notes, already in the single-byte Western European encoding.
std::span<const std::string_view> righe_note();

void dati_scheda(const Scenario& s);
void dati_rallentamenti(const Scenario& s);
void dati_note(const Scenario& s);

}  // namespace compattatore
