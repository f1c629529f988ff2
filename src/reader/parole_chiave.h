// Keyword tests on a field: a record is recognised by the words its first
// field contains, at any position (the rules of each record are in
// formato_descrizione.h); and the nearest keyword, for the warnings about
// the fields that match none.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "reader/formato_descrizione.h"

namespace compattatore::lettore {

// `parola` occurs in `campo` exactly as written.
bool contiene(std::string_view campo, std::string_view parola);

// `parola` (written in lower case) occurs in `campo` whatever the case of
// campo's letters.
bool contiene_ci(std::string_view campo, std::string_view parola);

// The record of `contesto` that `campo` is recognised as, if any.
const Record* riconosci(std::string_view campo, Contesto contesto);

// The keyword of `contesto` nearest to `campo` by edit distance (letters
// swapped, added, dropped or changed, case ignored), when it is near enough
// to be a typing slip.
std::optional<std::string_view> parola_vicina(std::string_view campo, Contesto contesto);

// Edit distance with adjacent swaps, case ignored.
std::size_t distanza(std::string_view a, std::string_view b);

}  // namespace compattatore::lettore
