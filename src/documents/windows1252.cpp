#include "documents/windows1252.h"

#include <array>
#include <cstdio>

namespace compattatore {

namespace {

// The characters of bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> alti = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::string testo_errore(std::size_t offset, char32_t c, bool valido) {
    char t[96];
    if (valido)
        std::snprintf(t, sizeof t, "carattere U+%04X non rappresentabile in Windows-1252 (byte %zu)",
                      static_cast<unsigned>(c), offset);
    else
        std::snprintf(t, sizeof t, "testo non in UTF-8 (byte %zu)", offset);
    return t;
}

// The character that starts at byte i, and its length; length 0 when the
// bytes there are not well-formed UTF-8.
std::pair<char32_t, std::size_t> decodifica(std::string_view t, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    const unsigned char primo = b(i);
    std::size_t n = 0;
    char32_t c = 0;
    char32_t minimo = 0;
    if (primo >= 0xC2 && primo <= 0xDF) {
        n = 2;
        c = primo & 0x1F;
        minimo = 0x80;
    } else if (primo >= 0xE0 && primo <= 0xEF) {
        n = 3;
        c = primo & 0x0F;
        minimo = 0x800;
    } else if (primo >= 0xF0 && primo <= 0xF4) {
        n = 4;
        c = primo & 0x07;
        minimo = 0x10000;
    } else {
        return {0, 0};
    }
    if (i + n > t.size()) return {0, 0};
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return {0, 0};
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
    return {c, n};
}

}  // namespace

CarattereNonRappresentabile::CarattereNonRappresentabile(std::size_t offset, char32_t carattere, bool utf8_valido)
    : std::invalid_argument(testo_errore(offset, carattere, utf8_valido)),
      offset_(offset),
      carattere_(carattere),
      utf8_valido_(utf8_valido) {}

std::string in_windows1252(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            r.push_back(static_cast<char>(byte));
            ++i;
            continue;
        }
        const auto [c, n] = decodifica(utf8, i);
        if (n == 0) throw CarattereNonRappresentabile(i, 0, false);
        if (c >= 0xA0 && c <= 0xFF) {
            r.push_back(static_cast<char>(c));
        } else {
            std::size_t k = 0;
            while (k < alti.size() && (alti[k] == 0 || alti[k] != c)) ++k;
            if (k == alti.size()) throw CarattereNonRappresentabile(i, c, true);
            r.push_back(static_cast<char>(0x80 + k));
        }
        i += n;
    }
    return r;
}

}  // namespace compattatore
