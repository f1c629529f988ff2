// `reference [PAROLA]`: the reference of the description format, whole or
// one record's, on the terminal.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace compattatore {

// The whole reference (no word) or the record of `parola` on `out`, status
// 0; a word that is no keyword: the nearest ones on `err`, status 64.
int comando_reference(std::string_view parola, std::ostream& out, std::ostream& err);

// The keywords a `reference` accepts, for its help.
std::string parole_del_riferimento();

}  // namespace compattatore
