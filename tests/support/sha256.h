// SHA-256 of a byte string, as lower-case hex: enough for the tests to pin
// whole output files without keeping the files themselves.
#pragma once

#include <string>
#include <string_view>

namespace compattatore::test {

std::string sha256_hex(std::string_view bytes);

}  // namespace compattatore::test
