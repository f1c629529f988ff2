// The starter of `sources --nuovo`: a short line and train an author can
// grow, every record preceded by a comment that names its fields.
#pragma once

#include <string>
#include <vector>

namespace compattatore {

// The lines of the starter's line description and train description.
std::vector<std::string> righe_linea_nuova();
std::vector<std::string> righe_treno_nuovo();

}  // namespace compattatore
