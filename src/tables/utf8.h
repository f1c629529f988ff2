// UTF-8 sequences in byte texts.  The description texts and the compiled
// files hold bytes in an 8-bit code page, the program's messages are UTF-8:
// where the two meet, a byte that starts no valid sequence stands for itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace compattatore {

// The length of the valid UTF-8 sequence of two to four bytes at `i` (its
// code point in `punto`), or 0 when the byte there starts none.  A byte
// below 0x80 is no sequence either: the callers treat it apart.
inline std::size_t sequenza_utf8(std::string_view t, std::size_t i, std::uint32_t& punto) {
    const auto c = static_cast<unsigned char>(t[i]);
    std::size_t n;
    std::uint32_t minimo;
    if ((c & 0xE0) == 0xC0) {
        n = 2, minimo = 0x80, punto = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3, minimo = 0x800, punto = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4, minimo = 0x10000, punto = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > t.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(t[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        punto = (punto << 6) | (b & 0x3F);
    }
    if (punto < minimo || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF)) return 0;
    return n;
}

}  // namespace compattatore
