// Cells of the documents' fixed-width tables: texts padded, centred or cut
// to their width, kilometres with three decimals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace compattatore {

// "126.000" for 126000 metres, "-0.500" for -500.
std::string testo_km(std::int64_t metri);

// `t` cut to `n` characters (the last kept one a full stop when something
// was cut), then padded with blanks on the right or on the left.
std::string a_sinistra(std::string_view t, std::size_t n);
std::string a_destra(std::string_view t, std::size_t n);
// `t` cut as above and centred, the odd blank to the right.
std::string al_centro(std::string_view t, std::size_t n);

// A table row: a blank, a bar, then each cell followed by a bar.
std::string riga_tabella(std::initializer_list<std::string_view> celle);

}  // namespace compattatore
