// The exit statuses of the program, the one list every command returns.
#pragma once

namespace compattatore {

namespace stato {
enum Stato : int {
    riuscito = 0,
    // The scenario has errors (or warnings, when they count as errors), the
    // error report ended the run, a compiled file is malformed, a
    // description file would be overwritten, or decompile's texts do not
    // give back the compiled files.
    non_riuscito = 1,
    // A file or folder could not be read or written.
    errore_io = 2,
    // Memory ran out.
    memoria_insufficiente = 3,
    // The command line is wrong.
    riga_di_comando = 64,
};
}  // namespace stato

using StatoUscita = stato::Stato;

}  // namespace compattatore
