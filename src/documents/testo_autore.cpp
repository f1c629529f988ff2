#include "documents/testo_autore.h"

#include "tables/windows1252.h"
#include "platform/text_encoding.h"
#include "tables/utf8.h"

namespace compattatore {

namespace {

constexpr std::string_view bom_utf8 = "\xEF\xBB\xBF";
constexpr std::string_view bom_utf16le = "\xFF\xFE";
constexpr std::string_view bom_utf16be = "\xFE\xFF";

bool utf8_valido(std::string_view t) {
    for (std::size_t i = 0; i < t.size();) {
        if (static_cast<unsigned char>(t[i]) < 0x80) {
            ++i;
            continue;
        }
        std::uint32_t punto = 0;
        const std::size_t n = sequenza_utf8(t, i, punto);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string da_utf16(std::string_view byte, bool little_endian) {
    std::u16string unita;
    unita.reserve(byte.size() / 2);
    for (std::size_t i = 0; i + 1 < byte.size(); i += 2) {
        const auto a = static_cast<unsigned char>(byte[i]), b = static_cast<unsigned char>(byte[i + 1]);
        unita.push_back(static_cast<char16_t>(little_endian ? (b << 8 | a) : (a << 8 | b)));
    }
    // A last odd byte is half a character.
    if (byte.size() % 2 != 0) unita.push_back(u'\uFFFD');
    return utf16_to_utf8(unita);
}

// The length of the UTF-8 sequence that starts with `primo`, in a text known to be well-formed.
std::size_t lunghezza_sequenza(unsigned char primo) {
    return primo < 0x80 ? 1 : primo < 0xE0 ? 2 : primo < 0xF0 ? 3 : 4;
}

// One line of UTF-8 text in Windows-1252, the characters it lacks listed.
void riga_in_windows1252(std::string_view riga, int numero, DescrizioneAutore& d) {
    std::size_t da = 0;
    for (;;) {
        try {
            d.testo += in_windows1252(riga.substr(da));
            return;
        } catch (const CarattereNonRappresentabile& e) {
            const std::size_t qui = da + e.offset();
            const std::size_t n = lunghezza_sequenza(static_cast<unsigned char>(riga[qui]));
            d.testo += in_windows1252(riga.substr(da, qui - da));
            d.testo += '?';
            d.fuori.push_back({numero, static_cast<int>(qui) + 1, static_cast<int>(n), e.carattere(), std::string(riga)});
            da = qui + n;
        }
    }
}

}  // namespace

CodificaAutore codifica_autore(std::string_view byte) {
    if (byte.starts_with(bom_utf16le) || byte.starts_with(bom_utf16be)) return CodificaAutore::utf16;
    if (byte.starts_with(bom_utf8)) byte.remove_prefix(bom_utf8.size());
    return utf8_valido(byte) ? CodificaAutore::utf8 : CodificaAutore::windows1252;
}

std::string testo_autore_utf8(std::string_view byte) {
    switch (codifica_autore(byte)) {
        case CodificaAutore::utf16: return da_utf16(byte.substr(2), byte.starts_with(bom_utf16le));
        case CodificaAutore::utf8: return std::string(byte.starts_with(bom_utf8) ? byte.substr(bom_utf8.size()) : byte);
        case CodificaAutore::windows1252: break;
    }
    if (byte.starts_with(bom_utf8)) byte.remove_prefix(bom_utf8.size());
    std::string r;
    r.reserve(byte.size());
    for (const char c : byte) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            r.push_back(c);
            continue;
        }
        r += utf16_to_utf8(std::u16string(1, windows_1252_character(b)));
    }
    return r;
}

DescrizioneAutore descrizione_in_windows1252(std::string_view byte) {
    DescrizioneAutore d;
    if (codifica_autore(byte) == CodificaAutore::windows1252) {
        d.testo = std::string(byte);
        return d;
    }
    const std::string utf8 = testo_autore_utf8(byte);
    d.testo.reserve(utf8.size());
    std::string_view resto = utf8;
    for (int numero = 1; !resto.empty(); ++numero) {
        const std::size_t a_capo = resto.find('\n');
        std::string_view riga = resto.substr(0, a_capo);
        const std::size_t fine = a_capo == std::string_view::npos ? resto.size() : a_capo + 1;
        // The line end goes over as it is.
        std::string_view chiusura = resto.substr(riga.size(), fine - riga.size());
        if (riga.ends_with('\r')) {
            riga.remove_suffix(1);
            chiusura = resto.substr(riga.size(), fine - riga.size());
        }
        riga_in_windows1252(riga, numero, d);
        d.testo += chiusura;
        resto.remove_prefix(fine);
    }
    return d;
}

}  // namespace compattatore
