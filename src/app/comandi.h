// The program's commands, one file each (comando_*.cpp), all of one shape:
// take the folder locks, read the files, run the pure core in memory, put
// the outputs in place as one set, report, return the exit status.  I/O
// failures and the error report raise, and riporta_fallimenti
// (fallimenti.h) turns them into one message and a status.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

#include "app/stato_uscita.h"
#include "dump/dump.h"
#include "sources/descrizioni.h"

namespace compattatore {

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
// and gives status 1.  A description file already in the folder with other
// bytes than the built-in ones is an author's: it is named on `err`, nothing
// is written and the status is 1.
StatoUscita esegui_lavoro(const std::filesystem::path& cartella, std::ostream& out, std::ostream& err);

// `sources`: writes the two built-in description files into `cartella`,
// named after `linea` and `treno`, creating the folder.  Without `forza` an
// existing description file is not overwritten: nothing is written and the
// status is 1.  With `nuovo`, the starter of a new scenario in place of the
// built-in one.  With `out`, the files written are named there, as
// `decompile` names its own.
StatoUscita scrivi_sorgenti(const std::filesystem::path& cartella, std::ostream& err,
                            const std::string& linea = linea_predefinita,
                            const std::string& treno = treno_predefinito, bool forza = false, bool nuovo = false,
                            std::ostream* out = nullptr);

// `compile`: compiles the description files an author keeps in a folder;
// they are never deleted.  The compiled files are replaced only when the
// code is 0 (and, with avvisi_come_errori, when there is no warning);
// otherwise nothing is written.  A scenario that compiles also gets its
// timetable card and restriction order, and its notes when the folder holds
// the author's notes (<linea>_<treno>_note-.txt, UTF-8); notes that cannot be
// written are reported on `err` at their line and column, and then nothing
// is compiled or written.  The errors and warnings go to `err` as text,
// then a line with the outcome; with `json` one JSON object goes to `out`
// instead.
StatoUscita compila_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err);

// `check`: reads the description files (and the author's notes) as
// `compile` does and reports, in the order the compiler meets them, every
// error (the codes `compile` records, going on past each one at the next
// line wherever the reading can; then the notes' error) and every warning:
// as text on `err`, at most diagnostiche_mostrate and then a count of the
// rest, or as one JSON object on `out`.  The first error is the one
// `compile` reports first.  Status 0 when there is no error (and, with
// avvisi_come_errori, no warning), 1 otherwise.  Nothing is written.
StatoUscita controlla_sorgenti(const OpzioniSorgenti& o, std::ostream& out, std::ostream& err);

// `dump FILE`: the listing on `out`; status 0, or 1 with the kind of file,
// the offset and the reason on `err` when the file breaks its layout.
StatoUscita comando_dump(const std::filesystem::path& file, FormatoDump formato, std::int32_t passo,
                         std::ostream& out, std::ostream& err);

// `plot DIR -o uscita`: the SVG page of a scenario.  When the folder holds
// its description files they are compiled in memory and drawn, or, when
// they record a code, nothing is drawn: the code and the record that caused
// it go to `err` and the status is 1.  Otherwise the compiled files are
// drawn; the plan file is optional (a scenario compiled without the plan
// has none), the entries and the grid are not.  `uscita` "-" is standard
// output, `out`.
StatoUscita disegna_cartella(const std::filesystem::path& cartella, const std::string& linea,
                             const std::string& treno, const std::filesystem::path& uscita, std::ostream& err,
                             std::ostream* out = nullptr);

// Whether `uscita` names standard output ("-"), where a command that writes
// one file writes it on request.
bool e_uscita_standard(const std::filesystem::path& uscita);

// `decompile DIR`: the two description files of the compiled scenario
// `linea`/`treno` in `cartella`, written into `uscita`, and checked by
// compiling them.  Existing description files are replaced only with
// `forza`.  Status 0 when the texts give back the compiled files byte for
// byte; 1 when a file is malformed, when an output exists, or when some
// values cannot be given back (listed on `err`; the closest texts are
// written all the same).
StatoUscita comando_decompile(const std::filesystem::path& cartella, const std::string& linea,
                              const std::string& treno, const std::filesystem::path& uscita, bool forza,
                              std::ostream& out, std::ostream& err);

// `reference [PAROLA]`: the whole reference of the description format (no
// word) or the record of `parola` on `out`, status 0; a word that is no
// keyword: the nearest ones on `err`, status 64.
StatoUscita comando_reference(std::string_view parola, std::ostream& out, std::ostream& err);

// The keywords a `reference` accepts, for its help.
std::string parole_del_riferimento();

// `lsp`: the language server on the standard streams (lsp/loop.h) until
// the editor ends it; status 0 after "shutdown" and "exit", 1 otherwise.
StatoUscita comando_lsp();

}  // namespace compattatore
