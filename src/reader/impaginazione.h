// How a record is laid out when the program writes it: after the keyword,
// each value follows its separator, right-aligned in its width.  Decompile
// writes its records this way and the editors' formatter lays an author's
// records out the same, so the two cannot drift apart.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "reader/formato_descrizione.h"

namespace compattatore::lettore {

// One value's place: what goes before it, and the width it is right-aligned
// in (0: as it is).
struct Colonna {
    std::string_view prima;
    int larghezza;
};

struct Impaginazione {
    std::span<const Colonna> colonne;  // one per value, after the keyword
    bool testo_finale = false;         // the last value is a text, written as it is
    std::string_view fine;             // what closes the line
};

// The layout of a record; nullptr for a record the program never writes.
const Impaginazione* impaginazione(IdRecord id);

// The record's line: `parola`, then each value in its column, then the
// layout's close.  `valori` holds one text per column.
std::string impagina(const Impaginazione& imp, std::string_view parola, std::span<const std::string> valori);

}  // namespace compattatore::lettore
