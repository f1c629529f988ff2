// Decompilation: from the compiled files of a scenario back to the two
// description texts that compile to the same bytes.
//
// The entries, the grid and the plan are read back into records (see
// decompilazione_analisi.h), the records are written as texts, and the texts
// are compiled to check them: each difference between the compiled files
// found and those the texts give is listed.  A compiled file made or
// edited by other means still gets the closest description found, with the
// values its rows do not give back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiled/scenario_compilato.h"
#include "decompile/decompilazione_record.h"
#include "reader/memorizza_dati.h"
#include "tables/scenario.h"

namespace compattatore {

struct Decompilazione {
    decompilazione::Descrizione descrizione;
    std::string testo_linea;
    std::string testo_treno;
    // One line for each value of the compiled files that the texts do not
    // give back: "FILE: cella N (M m): campo trovato X, riproducibile Y".
    std::vector<std::string> differenze;
    // The code that compiling the texts records (0 for none), and the error
    // report number when the compilation ends with one.
    std::int32_t codice = 0;
    std::int32_t errore_segnalato = 0;

    bool riprodotti() const { return differenze.empty(); }
};

// The texts are checked by compiling them in memory, as compile does.
Decompilazione decompila(const ScenarioCompilato& c);

// The records of the compiled files, before any check.
decompilazione::Descrizione descrivi(const ScenarioCompilato& c);

// The report lines of the differences between the compiled files found and
// those compiled again.
std::vector<std::string> confronta(const ScenarioCompilato& trovati, const Compilazione& riprodotti);

}  // namespace compattatore
