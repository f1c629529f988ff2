// The documents go out in the single-byte Western European code page, while
// their texts are kept in the source as UTF-8: this turns the one into the other.
#pragma once

#include <string>
#include <string_view>

namespace compattatore {

// The Latin-1 bytes of a UTF-8 text.  A character outside Latin-1, or bytes
// that are not well-formed UTF-8, raise std::invalid_argument: a document
// must never go out with a letter silently changed.
std::string in_latino1(std::string_view utf8);

}  // namespace compattatore
