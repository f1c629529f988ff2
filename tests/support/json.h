// Reading the program's JSON back in tests, with an independent parser.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace compattatore::test {

// Parses a whole document.  A bare -0 is read as the real negative zero,
// which is what the program means by it.
nlohmann::json parse_json(std::string_view text);

// The bytes of a JSON string: the program writes every byte above 0x7F as
// \u00XX, which a parser hands back as UTF-8; this undoes that.
std::string json_bytes(const nlohmann::json& value);

}  // namespace compattatore::test
