// The authors' subcommands as the program runs them: read the files, turn a
// malformed one into a one-line message, return the exit status.  I/O
// failures raise IoError for the caller to report.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "decompile/decompilazione.h"
#include "dump/dump.h"

namespace compattatore {

// `dump FILE`: the listing on `out`; status 0, or 1 with the kind of file,
// the offset and the reason on `err` when the file breaks its layout.
int comando_dump(const std::filesystem::path& file, FormatoDump formato, std::int32_t passo, std::ostream& out,
                 std::ostream& err);

// `plot DIR`: the SVG page of the compiled scenario `linea`/`treno` in
// `cartella`, written to `uscita`.  The plan file is optional (a scenario
// compiled without the plan has none); the entries and the grid are not.
int comando_plot(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                 const std::filesystem::path& uscita, std::ostream& err);

// `decompile DIR`: the two description files of the compiled scenario
// `linea`/`treno` in `cartella`, written into `uscita`, and checked by
// compiling them.  Existing description files are replaced
// only with `forza`.  Status 0 when the texts give back the compiled files
// byte for byte; 1 when a file is malformed, when an output exists, or when
// some values cannot be given back (listed on `err`; the closest texts are
// written all the same).
int comando_decompile(const std::filesystem::path& cartella, const std::string& linea, const std::string& treno,
                      const std::filesystem::path& uscita, bool forza, std::ostream& out,
                      std::ostream& err);

}  // namespace compattatore
