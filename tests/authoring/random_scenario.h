// A generator of valid description texts for the decompilation tests: small
// lines with every kind of record, drawn from a seed.  Valid means that
// compile takes them with code 0; a draw that is not is thrown away and the
// next one taken, so the round trip is never asked of a rejected scenario.
#pragma once

#include <cstdint>
#include <string>

#include "compile_for_test.h"

namespace compattatore::prova {

struct RandomScenario {
    std::uint64_t seed = 0;
    int draws = 0;  // how many draws the seed took to give a valid one
    std::string line_text;
    std::string train_text;
    bool plan = true;
    CompiledFiles compiled;
};

inline constexpr const char* random_line = "Casuale";
inline constexpr const char* random_train = "Prova";

// The first valid draw from `seed`.
RandomScenario valid_random_scenario(std::uint64_t seed);

}  // namespace compattatore::prova
