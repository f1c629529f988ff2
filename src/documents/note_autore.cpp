#include "documents/note_autore.h"

#include <cstdio>

#include "documents/testo_documento.h"
#include "tables/windows1252.h"

namespace compattatore {

namespace {

constexpr std::string_view rientro = "   ";
constexpr std::string_view bom = "\xEF\xBB\xBF";

bool blank(char c) { return c == ' '; }

// Characters of UTF-8 text before byte `offset`: the column of the next one is this + 1.
int caratteri_prima(std::string_view t, std::size_t offset) {
    int n = 0;
    for (std::size_t i = 0; i < offset && i < t.size(); ++i)
        if ((static_cast<unsigned char>(t[i]) & 0xC0) != 0x80) ++n;
    return n;
}

// A paragraph of one line and more, each of at most lunghezza_riga_note bytes.
void dividi(std::string paragrafo, std::vector<std::string>& righe) {
    while (paragrafo.size() > lunghezza_riga_note) {
        const std::size_t taglio = paragrafo.rfind(' ', lunghezza_riga_note);
        // No blank after the first word: a word as long as the line is cut.
        if (taglio == std::string::npos || paragrafo.find_first_not_of(' ') > taglio) {
            righe.push_back(paragrafo.substr(0, lunghezza_riga_note - 1) + "-");
            paragrafo.erase(0, lunghezza_riga_note - 1);
            continue;
        }
        righe.push_back(paragrafo.substr(0, taglio));
        paragrafo.erase(0, paragrafo.find_first_not_of(' ', taglio));
    }
    righe.push_back(std::move(paragrafo));
}

}  // namespace

ErroreNote::ErroreNote(int riga, int colonna, const std::string& messaggio, std::string testo_riga)
    : std::runtime_error(messaggio), riga_(riga), colonna_(colonna), testo_riga_(std::move(testo_riga)) {}

std::vector<std::string> righe_note_autore(std::string_view utf8) {
    if (utf8.starts_with(bom)) utf8.remove_prefix(bom.size());
    std::vector<std::string> righe;
    int numero = 0;
    while (!utf8.empty()) {
        ++numero;
        const std::size_t a_capo = utf8.find('\n');
        std::string_view riga = utf8.substr(0, a_capo);
        utf8.remove_prefix(a_capo == std::string_view::npos ? utf8.size() : a_capo + 1);
        if (riga.ends_with('\r')) riga.remove_suffix(1);

        if (numero > static_cast<int>(righe_note_massime))
            throw ErroreNote(numero, 1, "le note superano le " + std::to_string(righe_note_massime) + " righe",
                             std::string(riga));
        // A tab too: the simulator shows the notes as they are, and a tab
        // has no width there.  U+0080..U+009F are the controls of UTF-8's
        // two-byte range.
        for (std::size_t i = 0; i < riga.size(); ++i) {
            const auto c = static_cast<unsigned char>(riga[i]);
            const bool c1 = c == 0xC2 && i + 1 < riga.size() && static_cast<unsigned char>(riga[i + 1]) <= 0x9F &&
                            static_cast<unsigned char>(riga[i + 1]) >= 0x80;
            if (c < 0x20 || c == 0x7F || c1)
                throw ErroreNote(numero, caratteri_prima(riga, i) + 1,
                                 c == '\t' ? "tabulazione nelle note: al suo posto degli spazi"
                                           : "carattere di controllo nelle note",
                                 std::string(riga));
        }
        std::string testo;
        try {
            testo = in_windows1252(riga);
        } catch (const CarattereNonRappresentabile& e) {
            char codice[16];
            std::snprintf(codice, sizeof codice, "U+%04X", static_cast<unsigned>(e.carattere()));
            throw ErroreNote(numero, caratteri_prima(riga, e.offset()) + 1,
                             e.utf8_valido() ? "carattere " + std::string(codice) + " non rappresentabile in Windows-1252"
                                             : std::string("testo non in UTF-8"),
                             std::string(riga));
        }
        const std::size_t inizio = testo.find_first_not_of(' ');
        if (inizio == std::string::npos) {
            righe.emplace_back();
        } else {
            std::size_t fine = testo.size();
            while (blank(testo[fine - 1])) --fine;
            dividi(std::string(rientro) + testo.substr(inizio, fine - inizio), righe);
        }
    }
    return righe;
}

std::string note_autore(std::string_view utf8) { return testo_crlf(righe_note_autore(utf8)); }

}  // namespace compattatore
