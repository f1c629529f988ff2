// The standard input and output as byte pipes, for a program that speaks a
// protocol on them (the language server): no translation of line ends, and
// a read returns as soon as some bytes arrived.
#pragma once

#include <cstddef>
#include <string_view>

namespace compattatore {

// Reads at most `size` bytes of the standard input; 0 at its end (or when
// it cannot be read any more).
std::size_t read_standard_input(char* into, std::size_t size);

// Writes all of `bytes` to the standard output; false when it cannot.
bool write_standard_output(std::string_view bytes);

}  // namespace compattatore
