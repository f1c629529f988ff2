// Keyword tests on a field: a record is recognised by the words its first
// field contains, at any position.
#pragma once

#include <string_view>

namespace compattatore::lettore {

// `parola` occurs in `campo` exactly as written.
bool contiene(std::string_view campo, std::string_view parola);

// `parola` (written in lower case) occurs in `campo` whatever the case of
// campo's letters.
bool contiene_ci(std::string_view campo, std::string_view parola);

}  // namespace compattatore::lettore
