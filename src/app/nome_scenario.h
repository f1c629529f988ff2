// The line and train names an author gives on the command line.  A name
// becomes part of the names of the scenario's files, in the folder the run
// works in and on whatever system the scenario is taken to, and the
// simulator shows it in its code page, Windows-1252: a name must be one that
// every such system can store as it is.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace compattatore {

// Why `nome` cannot name a line or a train (it is empty, holds a folder
// separator, a control character, a character Windows refuses in file names
// or one Windows-1252 does not have, is "." or "..", a name Windows keeps
// for its devices, or ends with a dot or a blank); none when it can.
std::optional<std::string> difetto_del_nome(std::string_view nome);

// The names as the scenario's files in `cartella` spell them.  A folder on
// Windows finds "Brunovale_linea.txt" for the line "brunovale": where the
// folder holds one of the scenario's files (description, then compiled) in
// another case only, the names take that file's case, on every system, so
// that the compiled files and what they hold spell the names alike.
// Returns whether a name changed.
bool nomi_come_nella_cartella(const std::filesystem::path& cartella, std::string& linea, std::string& treno);

}  // namespace compattatore
