// The source reader: reads the line description, then the train
// description, into a new scenario, recording every failure in the outcome.
// It reads only the texts it is given: the files, and their deletion, are
// the driver's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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
};

// A scenario as far as a compilation took it, and how it ended.
struct Compilazione {
    Scenario scenario;
    EsitoCompilazione esito;
};

// The scenario read from the two texts.  The grid and the plan exist only
// when the line's length was read.
Compilazione memorizza_dati(const Descrizioni& d);

}  // namespace compattatore
