// The columns of the timetable card's table, declared once: the seven cells
// of a row in order with their widths.  A row is a blank, a bar, then each
// cell followed by a bar: 83 characters.
#pragma once

#include <array>
#include <cstddef>

#include "tables/costanti_formato.h"

namespace compattatore {

enum class CellaScheda { limite, marcia, km, no_rs, nome, orario, recupero };

inline constexpr std::array<std::size_t, 7> larghezze_celle_scheda = {5, 5, 10, 5, colonne_nome_scheda, 16, 5};

constexpr std::size_t larghezza(CellaScheda c) { return larghezze_celle_scheda[static_cast<std::size_t>(c)]; }

// The character where cell `c` starts in a row.
constexpr std::size_t inizio(CellaScheda c) {
    std::size_t at = 2;
    for (std::size_t k = 0; k < static_cast<std::size_t>(c); ++k) at += larghezze_celle_scheda[k] + 1;
    return at;
}

inline constexpr std::size_t larghezza_riga_scheda = inizio(CellaScheda::recupero) + larghezza(CellaScheda::recupero) + 1;
static_assert(larghezza_riga_scheda == 83);

}  // namespace compattatore
