// A generator of valid description texts for the decompilation tests: small
// lines with every kind of record, drawn from a seed.  Valid means that
// compile takes them with code 0; a draw that is not is thrown away and the
// next one taken, so the round trip is never asked of a rejected scenario.
#pragma once

#include <cstdint>
#include <string>

#include "compilazione_prova.h"

namespace compattatore::test {

struct ScenarioCasuale {
    std::uint64_t seme = 0;
    int estrazioni = 0;  // how many draws the seed took to give a valid one
    std::string testo_linea;
    std::string testo_treno;
    bool piano = true;
    FileCompilati compilati;
};

inline constexpr const char* linea_casuale = "Casuale";
inline constexpr const char* treno_casuale = "Prova";

// The first valid draw from `seme`.
ScenarioCasuale scenario_casuale_valido(std::uint64_t seme);

}  // namespace compattatore::test
