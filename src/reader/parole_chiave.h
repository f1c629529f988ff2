// Keyword tests on a field: a record is recognised by the words its first
// field contains, at any position.  And the list of every keyword the two
// description texts know, for the warnings about the fields that match none.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace compattatore::lettore {

// `parola` occurs in `campo` exactly as written.
bool contiene(std::string_view campo, std::string_view parola);

// `parola` (written in lower case) occurs in `campo` whatever the case of
// campo's letters.
bool contiene_ci(std::string_view campo, std::string_view parola);

// Where a keyword is read: the general section of the line text, the line
// records after it, the train text.
enum class Contesto { generale, linea, treno };

struct ParolaChiave {
    std::string_view parola;    // as the description files write it
    Contesto contesto;
    // The words the reader looks for in the field (one or two); with
    // `esatte` they match in lower case only.
    std::string_view prima, seconda;
    bool esatte = false;
    // A record of the driver's documents: the compiler reads no value of it.
    bool solo_documenti = false;
};

// Every keyword, in one list.  The records of the documents ("numero
// treno", "categoria", "recupero") are here so that no warning calls them unknown.
std::span<const ParolaChiave> parole_chiave();

// The keyword of `contesto` that `campo` is recognised as, if any.
const ParolaChiave* riconosci(std::string_view campo, Contesto contesto);

// The keyword of `contesto` nearest to `campo` by edit distance (letters
// swapped, added, dropped or changed, case ignored), when it is near enough
// to be a typing slip.
std::optional<std::string_view> parola_vicina(std::string_view campo, Contesto contesto);

// Edit distance with adjacent swaps, case ignored.
std::size_t distanza(std::string_view a, std::string_view b);

}  // namespace compattatore::lettore
