// The run sequence and the authors' commands.  Each returns the process's
// exit status; I/O failures and the error report raise and are turned into a
// message by riporta_fallimenti at the top.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>


namespace compattatore {

inline constexpr const char* linea_predefinita = "Brunovale";
inline constexpr const char* treno_predefinito = "Quarzo";

// The job of the program started with no arguments: writes the built-in
// descriptions and the three documents into `cartella`, then compiles.
// A recorded code is reported on `err` (with the record that caused it)
// and gives status 1.
int esegui_lavoro(const std::filesystem::path& cartella, std::ostream& out, std::ostream& err);

// Writes only the two built-in description files into `cartella`.
int scrivi_sorgenti(const std::filesystem::path& cartella);

// Compiles the description files an author keeps in `cartella`; they are
// never deleted.  Prints the recorded code on `out`: one line, followed by
// the record that caused it when there is one, or with `json` one JSON
// object on one line.
int compila_sorgenti(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                     bool piano, std::ostream& out, bool json = false);

// Runs `lavoro`, turning an I/O failure or the error report into a message
// on `err` and a non-zero status.
int riporta_fallimenti(const std::function<int()>& lavoro, std::ostream& err);

}  // namespace compattatore
