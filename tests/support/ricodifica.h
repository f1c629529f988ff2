// Rebuilds a compiled file from its JSON dump, byte by byte, with nothing but
// the layout of the files: the proof that a dump holds the whole file.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace compattatore::test {

// Dispatches on "tipo_file": "griglia", "voci" or "piano".
std::string ricodifica(const nlohmann::json& dump);

}  // namespace compattatore::test
