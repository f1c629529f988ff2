#include "lsp/testo_editor.h"

namespace compattatore::lsp {

namespace {

// Bytes of the UTF-8 sequence starting at `i`, 1 for a byte that starts none.
std::size_t lunghezza_sequenza(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (i + n > s.size()) return 1;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
    return n;
}

int esadecimale(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::size_t colonna_utf16(std::string_view riga, std::size_t byte) {
    std::size_t col = 0;
    for (std::size_t i = 0; i < riga.size() && i < byte;) {
        const std::size_t n = lunghezza_sequenza(riga, i);
        col += n == 4 ? 2 : 1;
        i += n;
    }
    if (byte > riga.size()) col += byte - riga.size();
    return col;
}

std::size_t byte_di_colonna(std::string_view riga, std::size_t colonna) {
    std::size_t col = 0, i = 0;
    while (i < riga.size() && col < colonna) {
        const std::size_t n = lunghezza_sequenza(riga, i);
        col += n == 4 ? 2 : 1;
        i += n;
    }
    return i;
}

json posizione(int riga, std::size_t carattere) { return {{"line", riga}, {"character", carattere}}; }

json intervallo(int riga, std::size_t da, int riga_fine, std::size_t a) {
    return {{"start", posizione(riga, da)}, {"end", posizione(riga_fine, a)}};
}

json intervallo_byte(int numero, std::string_view riga, std::size_t da, std::size_t a) {
    return intervallo(numero, colonna_utf16(riga, da), numero, colonna_utf16(riga, a));
}

std::string uri_di(std::string_view percorso) {
    static const char* cifre = "0123456789ABCDEF";
    std::string u = "file://";
    if (!percorso.empty() && percorso.front() != '/') u += '/';  // C:/...
    for (char ch : percorso) {
        const auto c = static_cast<unsigned char>(ch == '\\' ? '/' : ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
            c == '_' || c == '.' || c == '~')
            u += static_cast<char>(c);
        else
            u += std::string("%") + cifre[c >> 4] + cifre[c & 15];
    }
    return u;
}

bool percorso_di(std::string_view uri, std::string& percorso) {
    constexpr std::string_view schema = "file://";
    if (uri.substr(0, schema.size()) != schema) return false;
    uri.remove_prefix(schema.size());
    const std::size_t barra = uri.find('/');  // an authority ("localhost") before the path
    if (barra == std::string_view::npos) return false;
    uri.remove_prefix(barra);
    std::string p;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && esadecimale(uri[i + 1]) >= 0 && esadecimale(uri[i + 2]) >= 0) {
            p += static_cast<char>(esadecimale(uri[i + 1]) * 16 + esadecimale(uri[i + 2]));
            i += 2;
        } else {
            p += uri[i];
        }
    }
    // "/C:/x" is the Windows path "C:/x".
    if (p.size() >= 3 && p[0] == '/' && p[2] == ':') p.erase(0, 1);
    percorso = std::move(p);
    return true;
}

}  // namespace compattatore::lsp
