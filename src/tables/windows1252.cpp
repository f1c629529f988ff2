#include "tables/windows1252.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cstdio>

namespace compattatore {

namespace {

// The characters of bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> alti = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// A letter and the combining accent after it, as some editors save an
// accented letter, and the one byte of the letter with that accent.
struct Composta {
    char32_t accento;
    char lettera;
    unsigned char byte;
};
constexpr Composta composte[] = {
    {0x0300, 'A', 0xC0}, {0x0300, 'E', 0xC8}, {0x0300, 'I', 0xCC}, {0x0300, 'O', 0xD2}, {0x0300, 'U', 0xD9},
    {0x0300, 'a', 0xE0}, {0x0300, 'e', 0xE8}, {0x0300, 'i', 0xEC}, {0x0300, 'o', 0xF2}, {0x0300, 'u', 0xF9},
    {0x0301, 'A', 0xC1}, {0x0301, 'E', 0xC9}, {0x0301, 'I', 0xCD}, {0x0301, 'O', 0xD3}, {0x0301, 'U', 0xDA},
    {0x0301, 'Y', 0xDD}, {0x0301, 'a', 0xE1}, {0x0301, 'e', 0xE9}, {0x0301, 'i', 0xED}, {0x0301, 'o', 0xF3},
    {0x0301, 'u', 0xFA}, {0x0301, 'y', 0xFD}, {0x0302, 'A', 0xC2}, {0x0302, 'E', 0xCA}, {0x0302, 'I', 0xCE},
    {0x0302, 'O', 0xD4}, {0x0302, 'U', 0xDB}, {0x0302, 'a', 0xE2}, {0x0302, 'e', 0xEA}, {0x0302, 'i', 0xEE},
    {0x0302, 'o', 0xF4}, {0x0302, 'u', 0xFB}, {0x0303, 'A', 0xC3}, {0x0303, 'N', 0xD1}, {0x0303, 'O', 0xD5},
    {0x0303, 'a', 0xE3}, {0x0303, 'n', 0xF1}, {0x0303, 'o', 0xF5}, {0x0308, 'A', 0xC4}, {0x0308, 'E', 0xCB},
    {0x0308, 'I', 0xCF}, {0x0308, 'O', 0xD6}, {0x0308, 'U', 0xDC}, {0x0308, 'Y', 0x9F}, {0x0308, 'a', 0xE4},
    {0x0308, 'e', 0xEB}, {0x0308, 'i', 0xEF}, {0x0308, 'o', 0xF6}, {0x0308, 'u', 0xFC}, {0x0308, 'y', 0xFF},
    {0x030A, 'A', 0xC5}, {0x030A, 'a', 0xE5}, {0x030C, 'S', 0x8A}, {0x030C, 'Z', 0x8E}, {0x030C, 's', 0x9A},
    {0x030C, 'z', 0x9E}, {0x0327, 'C', 0xC7}, {0x0327, 'c', 0xE7},
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
    // Whether the last byte is a plain letter that an accent may still join.
    bool lettera = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            r.push_back(static_cast<char>(byte));
            lettera = (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z';
            ++i;
            continue;
        }
        const std::pair<char32_t, std::size_t> letto = decodifica(utf8, i);
        const char32_t c = letto.first;
        const std::size_t n = letto.second;
        if (n == 0) throw CarattereNonRappresentabile(i, 0, false);
        const bool dopo_lettera = lettera;
        lettera = false;
        if (dopo_lettera) {
            const Composta* k = std::find_if(std::begin(composte), std::end(composte),
                                             [&](const Composta& x) { return x.accento == c && x.lettera == r.back(); });
            if (k != std::end(composte)) {
                r.back() = static_cast<char>(k->byte);
                i += n;
                continue;
            }
        }
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

std::string nome_per_il_simulatore(std::string_view nome) {
    try {
        return in_windows1252(nome);
    } catch (const CarattereNonRappresentabile&) {
        return std::string(nome);
    }
}

}  // namespace compattatore
