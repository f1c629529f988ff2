// The input of the fuzz targets that compile: arbitrary bytes as the two
// description texts of the line "Brunovale" and the train "Quarzo".
//
// Layout (kept readable so that the corpus can be read and edited):
//   byte 0         low bit set: the plan is asked for, otherwise not;
//   bytes 1..      the line description, up to the first separator line;
//   separator      "\n%%treno%%\n";
//   the rest       the train description.
// Without a separator there is no train description file at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "reader/memorizza_dati.h"

namespace compattatore::fuzz {

inline constexpr std::string_view separatore = "\n%%treno%%\n";

// The texts in `dati` (n > 0); they point into `dati`.
inline Descrizioni descrizioni(const std::uint8_t* dati, std::size_t n) {
    const bool piano = (dati[0] & 1) != 0;
    const std::string_view resto(reinterpret_cast<const char*>(dati) + 1, n - 1);
    const std::size_t taglio = resto.find(separatore);
    Descrizioni d{"Brunovale", "Quarzo", resto.substr(0, taglio), std::nullopt, piano, {}, {}};
    if (taglio != std::string_view::npos) d.treno = resto.substr(taglio + separatore.size());
    return d;
}

}  // namespace compattatore::fuzz
