// Reading compiled files for the commands: a file of a known kind read
// whole once its size is one the kind can have, the three files of a
// scenario into the model, and the one-line report of a malformed file.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "compiled/decodifica.h"
#include "compiled/scenario_compilato.h"
#include "tables/nomi_file.h"

namespace compattatore {

// What a name that is no regular file is, in a report.
inline constexpr const char* non_un_file = "non è un file ma una cartella, un dispositivo o una pipe";

// "compattatore: FILE (file TIPO): offset N: reason" on `err`.
void riporta_malformato(std::ostream& err, const std::filesystem::path& file, std::string_view tipo,
                        const FileMalformato& e);

// "compattatore: FILE (file voci): offset N: avviso: voce K: reason" on
// `err` for every entry no compilation leaves as it stands; `scenario` is
// the file's name without ".sim", when it has that ending.
void riporta_inverosimili(std::ostream& err, const std::filesystem::path& file, const Voci& voci,
                          std::optional<std::string_view> scenario);

// The whole of `fonte`, once its size is known to be one a compiled file can have.
std::string tutto(FonteByte& fonte);

// A compiled file of kind `t`, read whole once it is known to be a regular
// file of a size its kind can have.
std::string leggi_compilato(const std::filesystem::path& file, TipoFile t);

// The three compiled files of a scenario, the plan only when it exists (a
// scenario compiled without it has none); none, with the file and the
// reason on `err`, when one breaks its layout.
std::optional<ScenarioCompilato> leggi_scenario(const FileScenario& s, std::ostream& err);

}  // namespace compattatore
