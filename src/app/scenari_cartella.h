// The scenarios a folder holds, so that an author names them only where
// the folder holds more than one: every command that reads a folder takes
// its scenario from here when --linea or --treno is not given.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tables/esito.h"

namespace compattatore {

struct NomiScenario {
    std::string linea, treno;
    friend bool operator==(const NomiScenario&, const NomiScenario&) = default;
    friend auto operator<=>(const NomiScenario&, const NomiScenario&) = default;
};

// What a folder is looked at for: the description files of a scenario
// (LINEA_linea.txt and LINEA_TRENO-.txt), or its compiled files (LINEA_TRENO.sim).
enum class FileCercati { descrizioni, compilati };

// The scenarios of `cartella`, in order of name.  A folder that cannot be
// listed raises IoError.
std::vector<NomiScenario> scenari_della_cartella(const std::filesystem::path& cartella, FileCercati cercati);

// No scenario, or more than one, where the command line names none: the
// message lists those found and how to choose.
class ScenarioDaScegliere : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The scenario a command works on: the names given, completed from the one
// scenario of the folder that fits them.  Raises ScenarioDaScegliere.
NomiScenario scegli_scenario(const std::filesystem::path& cartella, FileCercati cercati,
                             const std::optional<std::string>& linea, const std::optional<std::string>& treno);

// After a reading that met no line or no train file under the names given:
// the scenarios the folder does hold, as a note of its first error.
void nota_scenari_presenti(const std::filesystem::path& cartella, EsitoCompilazione& e);

}  // namespace compattatore
