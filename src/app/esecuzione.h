// The run sequence and the authors' commands.  Each returns the process's
// exit status; I/O failures and the error report raise and are turned into a
// message by riporta_fallimenti at the top.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

#include "sources/descrizioni.h"

namespace compattatore {

// Exit statuses of the program.
namespace stato {
inline constexpr int riuscito = 0;
// The scenario has errors (or warnings, when they count as errors), the
// error report ended the run, a compiled file is malformed, or a
// description file would be overwritten.
inline constexpr int non_riuscito = 1;
// A file or folder could not be read or written.
inline constexpr int errore_io = 2;
// Memory ran out.
inline constexpr int memoria_insufficiente = 3;
// The command line is wrong.
inline constexpr int riga_di_comando = 64;
}  // namespace stato

// The options of `compile` and `check`.
struct OpzioniSorgenti {
    std::filesystem::path cartella;
    std::string linea = linea_predefinita;
    std::string treno = treno_predefinito;
    bool piano = true;
    bool json = false;
    bool avvisi_come_errori = false;
};

// How many errors and warnings the text report shows before it only counts.
inline constexpr std::size_t diagnostiche_mostrate = 50;

// The job of the program started with no arguments: writes the built-in
// descriptions and the three documents into `cartella`, then compiles.
// A recorded code is reported on `err` (with the record that caused it)
// and gives status 1.
int esegui_lavoro(const std::filesystem::path& cartella, std::ostream& out, std::ostream& err);

// Writes the two built-in description files into `cartella`, named after
// `linea` and `treno`, creating the folder.  Without `forza` an existing
// description file is not overwritten: nothing is written and the status is 1.
// With `nuovo`, the starter of a new scenario in place of the built-in one.
int scrivi_sorgenti(const std::filesystem::path& cartella, std::ostream& err, const std::string& linea = linea_predefinita,
                    const std::string& treno = treno_predefinito, bool forza = false, bool nuovo = false);

// Compiles the description files an author keeps in a folder; they are
// never deleted.  The compiled files are replaced only when the code is 0
// (and, with avvisi_come_errori, when there is no warning); otherwise
// nothing is written.  A scenario that compiles also gets its timetable
// card and restriction order, and its notes when the folder holds the
// author's notes (<linea>_<treno>_note-.txt, UTF-8); notes that cannot be
// written are reported on `err` at their line and column, and then nothing
// is compiled or written.  The errors and warnings go to `err` as text, then a
// line with the outcome; with `json` one JSON object goes to `out` instead.
int compila_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err);

// `plot DIR -o uscita`: the SVG page of a scenario.  When the folder holds
// its description files they are compiled in memory and drawn, or, when
// they record a code, nothing is drawn: the code and the record that caused
// it go to `err` and the status is 1.  Otherwise the compiled files are
// drawn (see comando_plot).
int disegna_cartella(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                     const std::filesystem::path& uscita, std::ostream& err);

// Runs `lavoro`, turning an I/O failure, the error report or a lack of
// memory into one message on `err` and a non-zero status.
int riporta_fallimenti(const std::function<int()>& lavoro, std::ostream& err);

}  // namespace compattatore
