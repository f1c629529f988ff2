#include "app/nome_scenario.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <system_error>
#include <vector>

#include "platform/paths.h"
#include "tables/utf8.h"
#include "tables/windows1252.h"

namespace compattatore {

namespace {

// The name as it can be shown in a message: a control character or a byte
// that is no UTF-8 as \xNN.
std::string mostrabile(std::string_view nome) {
    std::string r;
    for (std::size_t i = 0; i < nome.size();) {
        const auto b = static_cast<unsigned char>(nome[i]);
        std::uint32_t punto = 0;
        const std::size_t n = b < 0x80 ? 1 : sequenza_utf8(nome, i, punto);
        if (n == 0 || b < 0x20 || b == 0x7F || (punto >= 0x80 && punto < 0xA0)) {
            char t[8];
            std::snprintf(t, sizeof t, "\\x%02X", b);
            r += t;
            ++i;
            continue;
        }
        r.append(nome.substr(i, n));
        i += n;
    }
    return r;
}

char maiuscola(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, in any case, alone or
// before an extension: Windows opens the device whatever the folder.
bool riservato_da_windows(std::string_view nome) {
    std::string base(nome.substr(0, nome.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = maiuscola(c);
    for (const char* r : {"CON", "PRN", "AUX", "NUL"})
        if (base == r) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
           base[3] <= '9';
}

// The characters of a UTF-8 text with the letters of Windows-1252 in upper
// case, as Windows compares file names; none when the text is no UTF-8.
std::optional<std::u32string> senza_maiuscole(std::string_view t) {
    std::u32string r;
    for (std::size_t i = 0; i < t.size();) {
        std::uint32_t c = static_cast<unsigned char>(t[i]);
        const std::size_t n = c < 0x80 ? 1 : sequenza_utf8(t, i, c);
        if (n == 0) return std::nullopt;
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
        else if (c == 0xFF) c = 0x178;
        else if (c == 0x161 || c == 0x153 || c == 0x17E) c -= 1;
        r.push_back(c);
        i += n;
    }
    return r;
}

// The first `caratteri` characters of a UTF-8 text, from character `da`.
std::string caratteri(std::string_view t, std::size_t da, std::size_t quanti) {
    std::size_t i = 0, k = 0, inizio = 0;
    for (; i < t.size() && k < da + quanti; ++i) {
        if ((static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) continue;
        if (k++ == da) inizio = i;
    }
    while (i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) ++i;
    return std::string(t.substr(inizio, i - inizio));
}

std::size_t lunghezza(std::string_view t) { return senza_maiuscole(t).value_or(std::u32string()).size(); }

}  // namespace

std::optional<std::string> difetto_del_nome(std::string_view nome) {
    const std::string tra_virgolette = "\"" + mostrabile(nome) + "\"";
    if (nome.empty()) return std::string("il nome è vuoto");
    for (std::size_t i = 0; i < nome.size();) {
        const auto b = static_cast<unsigned char>(nome[i]);
        std::uint32_t punto = b;
        const std::size_t n = b < 0x80 ? 1 : sequenza_utf8(nome, i, punto);
        if (n == 0) return tra_virgolette + " non è testo UTF-8";
        if (punto < 0x20 || punto == 0x7F || (punto >= 0x80 && punto < 0xA0))
            return tra_virgolette + " contiene un carattere di controllo";
        i += n;
    }
    if (nome.find_first_of("/\\") != std::string_view::npos)
        return tra_virgolette + " contiene un separatore di cartelle: è un nome, non un percorso";
    if (const std::size_t i = nome.find_first_of("<>:\"|?*"); i != std::string_view::npos)
        return tra_virgolette + " contiene il carattere " + nome[i] + ", che Windows non ammette nei nomi dei file";
    try {
        in_windows1252(nome);
    } catch (const CarattereNonRappresentabile& e) {
        std::uint32_t punto = 0;
        const std::size_t n = sequenza_utf8(nome, e.offset(), punto);
        char codice[16];
        std::snprintf(codice, sizeof codice, "U+%04X", static_cast<unsigned>(punto));
        return tra_virgolette + " contiene \"" + std::string(nome.substr(e.offset(), n)) + "\" (" + codice +
               "), che il simulatore non sa mostrare: un nome si scrive con i caratteri di Windows-1252";
    }
    if (nome == "." || nome == "..") return tra_virgolette + " è il nome di una cartella";
    if (riservato_da_windows(nome)) return tra_virgolette + " è un nome che Windows riserva ai dispositivi";
    if (nome.back() == '.' || nome.back() == ' ')
        return tra_virgolette + " finisce con un punto o uno spazio, che Windows toglie dai nomi dei file";
    return std::nullopt;
}

bool nomi_come_nella_cartella(const std::filesystem::path& cartella, std::string& linea, std::string& treno) {
    std::vector<std::string> nomi;
    std::error_code ec;
    for (std::filesystem::directory_iterator i(cartella, ec), fine; !ec && i != fine; i.increment(ec))
        nomi.push_back(path_text(i->path().filename()));
    // The name of the folder's file that spells `atteso` in some case: itself
    // when it is there, or none.
    const auto trovato = [&nomi](const std::string& atteso) -> std::optional<std::string> {
        const std::optional<std::u32string> chiave = senza_maiuscole(atteso);
        std::optional<std::string> simile;
        for (const std::string& n : nomi) {
            if (n == atteso) return n;
            if (!simile && chiave && senza_maiuscole(n) == chiave) simile = n;
        }
        return simile;
    };
    const std::string prima_linea = linea, primo_treno = treno;
    // The scenario's files, descriptions first; the train's only after the line's.
    const auto del_treno = [&] {
        return std::vector<std::string>{linea + "_" + treno + "-.txt", linea + "_" + treno + ".sim",
                                        linea + "_" + treno + ".dat"};
    };
    std::vector<std::string> della_linea{linea + "_linea.txt", linea + "_linea.dat"};
    for (const std::string& f : del_treno()) della_linea.push_back(f);
    for (const std::string& f : della_linea)
        if (const std::optional<std::string> n = trovato(f)) {
            linea = caratteri(*n, 0, lunghezza(linea));
            break;
        }
    for (const std::string& f : del_treno())
        if (const std::optional<std::string> n = trovato(f)) {
            treno = caratteri(*n, lunghezza(linea) + 1, lunghezza(treno));
            break;
        }
    return linea != prima_linea || treno != primo_treno;
}

}  // namespace compattatore
