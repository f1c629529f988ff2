// The two competition codes, sums over the first 25 characters of a work
// string made from the train and line identifiers.
#include <string>

#include "finishing/finitura.h"

namespace compattatore {

namespace {

constexpr std::size_t caratteri_contati = 25;
// Guarantees that positions 1 to 25 always exist.
constexpr std::string_view riempitivo = "ppqqrrssttuuvvzzkkjjhhggww";

// Lower case in the Western European 8-bit code page the identifiers are
// held in: A-Z, the accented capitals 0xC0-0xDE (but not the multiplication
// sign 0xD7), and the four capitals placed in 0x8A-0x9F.
unsigned char minuscola(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

// Train identifier, then line identifier, lower case, then the filler.
std::string stringa_di_lavoro(std::string_view nome_linea, std::string_view nome_treno) {
    std::string testo;
    testo.reserve(nome_treno.size() + nome_linea.size() + riempitivo.size());
    testo.append(nome_treno).append(nome_linea);
    for (char& c : testo) c = static_cast<char>(minuscola(static_cast<unsigned char>(c)));
    testo.append(riempitivo);
    return testo;
}

// Characters count as their byte value, 0 to 255.
std::int32_t valore(const std::string& t, std::size_t p) { return static_cast<unsigned char>(t[p - 1]); }

}  // namespace

std::int32_t codice_gara_og(std::string_view nome_linea, std::string_view nome_treno) {
    const std::string t = stringa_di_lavoro(nome_linea, nome_treno);
    std::int32_t somma = 0;
    for (std::size_t p = 1; p <= caratteri_contati; ++p) somma += valore(t, p);
    return somma;
}

std::int32_t codice_gara_st(std::string_view nome_linea, std::string_view nome_treno) {
    const std::string t = stringa_di_lavoro(nome_linea, nome_treno);
    std::int32_t somma = 0;
    for (std::size_t p = 1; p <= caratteri_contati; ++p) somma += static_cast<std::int32_t>(p) * valore(t, p);
    return somma;
}

}  // namespace compattatore
