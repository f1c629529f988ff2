// The two description texts of decompiled records, laid out as the built-in
// files are: the sections in their order under the same headers, one record
// a row, the same keywords and spacing, CR LF line ends.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decompile/decompilazione_record.h"

namespace compattatore::decompilazione {

enum class Sezione {
    generale,
    curve,
    pendenze,
    montagne,
    indicatori,
    cartelli,
    aderenze,
    velocita,
    stazioni,
    rallentamenti,
    segnali,
    abbattimenti,
};

// Which record a line of a written text holds.
struct RecordScritto {
    Sezione sezione;
    std::size_t indice;  // in the section's list
};

struct TestoScritto {
    std::string byte;
    // righe[n - 1] is the record on line n; none for headers and general rows.
    std::vector<std::optional<RecordScritto>> righe;
};

TestoScritto scrivi_linea(const Linea& l);
TestoScritto scrivi_treno(const Treno& t);

// Removes a record from its list; false when there is no such record.
bool togli_record(Descrizione& d, const RecordScritto& r);

// The field that the reader reads back as exactly `testo` when it ends a
// row (a sign's text, a station's name): the text itself, or the text in
// double quotes when it has blanks at either end or a comma.  None when no
// field reads back as it: a line end inside it, or a double quote where
// quoting is needed or at its start.
std::optional<std::string> campo_testo(std::string_view testo);

}  // namespace compattatore::decompilazione
