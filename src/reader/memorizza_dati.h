// The source reader: reads the line description, then the train
// description, into a new scenario, recording every failure in the outcome.
// It reads only the texts it is given: the files, and their deletion, are
// the driver's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "reader/provenienze.h"
#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore {

// The two description texts of a scenario, as the driver found them.
struct Descrizioni {
    std::string nome_linea;
    std::string nome_treno;
    std::optional<std::string_view> linea;  // the line text; none when there is no line file
    std::optional<std::string_view> treno;  // the train text; none when there is no train file
    bool compila_linea = true;              // also build the plan of the track
    // How the diagnostics name the two texts; empty: the files' own names.
    std::string file_linea;
    std::string file_treno;
};

// A scenario as far as a compilation took it, and how it ended.
struct Compilazione {
    Scenario scenario;
    EsitoCompilazione esito;
    Provenienze provenienze;
};

// The scenario read from the two texts.  The grid and the plan exist only
// when the line's length was read.  With `fino_alla_fine` the reading does
// not stop at an error: it records each one and goes on at the next line
// wherever it can (the scenario is then no compiled scenario, only a check).
Compilazione memorizza_dati(const Descrizioni& d, bool fino_alla_fine = false);

// The names and the texts the diagnostics of a reading of `d` refer to.
TestiLetti testi_letti(const Descrizioni& d);

}  // namespace compattatore
