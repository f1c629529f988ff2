// The built-in description of the line and of the train, and their writers.
#pragma once

#include <span>
#include <string_view>

#include "platform/output_set.h"
#include "tables/nomi_file.h"

namespace compattatore {

// The names of the built-in line and train.
inline constexpr const char* linea_predefinita = "Brunovale";
inline constexpr const char* treno_predefinito = "Quarzo";

// The 537 lines of the built-in line description, in file order.
std::span<const std::string_view> righe_linea();
// The 397 lines of the built-in train description, in file order.
std::span<const std::string_view> righe_treno();

// Add the description files, in the scenario's folder, to a run's outputs.
void dati_linea(const FileScenario& s, OutputSet& uscite);
void dati_treno(const FileScenario& s, OutputSet& uscite);

// The same with the starter of `sources --nuovo` (scenario_nuovo.h).
void dati_linea_nuova(const FileScenario& s, OutputSet& uscite);
void dati_treno_nuovo(const FileScenario& s, OutputSet& uscite);

}  // namespace compattatore
