// The authors' reference of the description format, written from the
// format's table (formato_descrizione.h): docs/formato.md holds it, and
// `compattatore reference` prints it, whole or one record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace compattatore::lettore {

// The whole reference, in Markdown, lines ended by LF.
std::string riferimento_formato();

// The part of the reference about the record one of whose keywords is
// `parola` (case ignored); none when no record has it.
std::optional<std::string> riferimento_record(std::string_view parola);

}  // namespace compattatore::lettore
