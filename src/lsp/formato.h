// What the editor says of a record and its fields, from the format's
// declared table (reader/formato_descrizione.h).
#pragma once

#include <string>
#include <string_view>

#include "reader/formato_descrizione.h"

namespace compattatore::lsp {

// Where a record belongs, as a phrase: "della sezione [generale] della linea".
std::string dove_va(const lettore::Record& r);

// A snippet for the record written with `parola`: the keyword, then a
// placeholder named after each field.
std::string modello_record(const lettore::Record& r, std::string_view parola);

// The fields of `r` as a numbered list, one per line, with type, unit and range.
std::string elenco_campi(const lettore::Record& r);

}  // namespace compattatore::lsp
