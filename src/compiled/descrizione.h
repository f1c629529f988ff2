// What the values of the compiled tables mean, in words an author reads:
// names of the cell types, roles of the entries of voci, times, and the
// decoding of the values that the placement packs into a cell.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiled/decodifica.h"
#include "tables/scenario.h"

namespace compattatore {

// Stable identifier of a cell type ("segnale", "codice" ...); "sconosciuto"
// for a code the compiler never writes.
std::string_view nome_tipo_cella(std::uint8_t tipo);

// The metre a cell stands for: cell n holds the elements placed at about
// (n - 1) x 50 m.
inline std::int64_t metri_cella(std::int64_t indice) { return (indice - 1) * 50; }

// A cell whose fields are all zero.
bool cella_vuota(const Cella& c);

// The element in words, from its type and value fields ("" when the type has
// nothing to say): aspects of a signal, speeds of a board, the entry of a
// station or of a sign text, the value of a code.
std::string dettaglio_cella(const Cella& c);

// `altro` is an entry that holds something where nothing belongs (entry 0).
enum class RuoloVoce { vuota, stazione, cartello, intestazione, altro };

std::string_view nome_ruolo(RuoloVoce r);

// The role of each entry.  81 to 86 are the header.  Below them, sign texts
// fill a block from entry 80 downwards and carry nothing but their text;
// every other entry that holds something is a station.
std::array<RuoloVoce, ultima_voce + 1> ruoli_voci(const Voci& voci);

// "h:mm:ss" of a count of seconds (hours may pass 23; a negative count keeps
// its sign).
std::string testo_orario(std::int64_t secondi);

// The meaning of a header entry (81 to 86) in one line, or of a station's
// time; empty for the other entries.
std::string significato_voce(const Voci& voci, int indice, RuoloVoce ruolo);

// Letters and numbers of a name for a terminal or an SVG page: printable
// ASCII as is, bytes from 0xA0 up as the UTF-8 form of their Latin-1
// letter, any other byte as \xNN.
std::string testo_leggibile(std::string_view byte);

}  // namespace compattatore
