// What the values of the compiled tables mean, in words an author reads:
// roles of the entries of voci, times, and the
// decoding of the values that the placement packs into a cell.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiled/decodifica.h"
#include "compiled/scenario_compilato.h"
#include "tables/scenario.h"

namespace compattatore {

// A cell whose fields are all zero.
bool cella_vuota(const Cella& c);

// The element in words, from its type and value fields ("" when the type has
// nothing to say): aspects of a signal, speeds of a board, the entry of a
// station or of a sign text, the value of a code.
std::string dettaglio_cella(const Cella& c);

// "h:mm:ss" of a count of seconds (hours may pass 23; a negative count keeps
// its sign).
std::string testo_orario(std::int64_t secondi);

// The meaning of a header entry (81 to 86) in one line, or of a station's
// time; empty for the other entries.
std::string significato_voce(const Voci& voci, int indice, RuoloVoce ruolo);

// Letters and numbers of a name for a terminal or an SVG page: printable
// ASCII as is, the letters and signs of Windows-1252 (0x80 to 0xFF) in their
// UTF-8 form, any other byte (the controls, and the five bytes the code
// page leaves undefined) as \xNN.
std::string testo_leggibile(std::string_view byte);

}  // namespace compattatore
