// Conversions between the program's text, UTF-8, and the UTF-16 of the
// Windows interfaces (file names, command line, console).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace compattatore {

// UTF-8 to UTF-16.  A byte that does not belong to a well-formed sequence
// is read as a Windows-1252 letter: such bytes come from the authors' own
// files, which are written in that code page, so "Citt\xE0" still reads
// "Città".  Nothing is ever dropped.
std::u16string utf8_to_utf16(std::string_view text);

// The character of a Windows-1252 byte; the five bytes the code page leaves
// undefined keep their own value, as Windows does.
char16_t windows_1252_character(unsigned char b);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);

// The length of the longest start of `text` that does not end inside a
// sequence that the next bytes could still complete: what can be converted
// now when the text arrives in pieces.
std::size_t complete_utf8_prefix(std::string_view text);

}  // namespace compattatore
