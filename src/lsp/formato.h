// What the editor says of a keyword and its fields, from the format's
// declared keywords.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reader/parole_chiave.h"

namespace compattatore::lsp {

// One field of a record as the author reads it.
struct CampoDescritto {
    std::string nome;
    std::string unita;
    std::string ammessi;     // the accepted values
    std::string significato;
};

// The fields of `parola`, in order; empty when the format declares none.
std::vector<CampoDescritto> campi_della_parola(const lettore::ParolaChiave& parola);

// Where a keyword belongs, as a phrase: "della sezione [generale] della linea".
std::string dove_va(const lettore::ParolaChiave& parola);

// A snippet for the record: the keyword, then a placeholder per field.
std::string modello_record(const lettore::ParolaChiave& parola);

}  // namespace compattatore::lsp
