#include "lsp/righe.h"

#include <charconv>

#include "reader/parole_chiave.h"

namespace compattatore::lsp {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool cifra(char c) { return c >= '0' && c <= '9'; }

// The fields of a record line, read as the reader reads them.
std::vector<Campo> campi_di(std::string_view t) {
    std::vector<Campo> campi;
    std::size_t i = 0;
    bool primo = true;
    while (i <= t.size()) {
        while (i < t.size() && blank(t[i])) ++i;
        Campo c;
        c.inizio = i;
        const bool segno = i < t.size() && (t[i] == '-' || t[i] == '+');
        if (!primo && i + (segno ? 1 : 0) < t.size() && cifra(t[i + (segno ? 1 : 0)])) {
            std::size_t j = i + (segno ? 1 : 0);
            while (j < t.size() && cifra(t[j])) ++j;
            if (j == t.size() || blank(t[j]) || t[j] == ',') {
                c.fine = j;
                c.numero = true;
                c.testo = t.substr(i, j - i);
                campi.push_back(c);
                while (j < t.size() && blank(t[j])) ++j;
                if (j < t.size() && t[j] == ',') ++j;
                else if (j == t.size()) break;
                i = j;
                primo = false;
                continue;
            }
        }
        std::size_t j = i;
        if (!primo && j < t.size() && t[j] == '"') {
            const std::size_t chiusa = t.find('"', j + 1);
            j = chiusa == std::string_view::npos ? t.size() : chiusa + 1;
        }
        while (j < t.size() && t[j] != ',') ++j;
        std::size_t fine = j;
        while (fine > i && blank(t[fine - 1])) --fine;
        c.fine = fine;
        c.testo = t.substr(i, fine - i);
        c.numero = !primo && c.testo.empty();
        campi.push_back(c);
        if (j >= t.size()) break;
        i = j + 1;
        primo = false;
    }
    return campi;
}

}  // namespace

std::vector<Riga> righe_di(std::string_view testo, bool linea) {
    std::vector<Riga> righe;
    std::size_t inizio = 0;
    bool generale_visto = false, in_generale = false;
    for (int n = 0; inizio < testo.size() || (inizio == testo.size() && n == 0); ++n) {
        std::size_t fine = testo.find('\n', inizio);
        const std::size_t dopo = fine == std::string_view::npos ? testo.size() : fine + 1;
        if (fine == std::string_view::npos) fine = testo.size();
        if (fine > inizio && testo[fine - 1] == '\r') --fine;
        Riga r;
        r.numero = n;
        r.inizio = inizio;
        r.testo = testo.substr(inizio, fine - inizio);
        const std::size_t primo = r.testo.find_first_not_of(" \t");
        if (primo == std::string_view::npos) {
            r.tipo = TipoRiga::vuota;
        } else if (r.testo[primo] == '#') {
            r.tipo = TipoRiga::commento;
        } else if (r.testo[primo] == '[' && r.testo.find(']') != std::string_view::npos &&
                   r.testo.find(',') == std::string_view::npos) {
            r.tipo = TipoRiga::intestazione;
            const bool generale = r.testo.find("[generale]") != std::string_view::npos;
            r.prima_del_generale = !generale_visto && !generale;
            if (generale && !generale_visto) generale_visto = in_generale = true;
            else if (generale_visto) in_generale = false;
            r.campi.push_back(Campo{primo, r.testo.find(']') + 1, r.testo.substr(primo, r.testo.find(']') + 1 - primo)});
        } else {
            r.tipo = TipoRiga::record;
            r.campi = campi_di(r.testo);
            r.prima_del_generale = !generale_visto;
            r.contesto = !linea ? lettore::Contesto::treno
                                : (in_generale ? lettore::Contesto::generale : lettore::Contesto::linea);
            if (!r.campi.empty() && r.campi[0].testo.find('-') == std::string_view::npos)
                r.record = lettore::riconosci(r.campi[0].testo, r.contesto);
        }
        righe.push_back(std::move(r));
        inizio = dopo;
        if (dopo == testo.size()) break;
    }
    return righe;
}

std::optional<std::size_t> campo_in(const Riga& r, std::size_t colonna) {
    std::optional<std::size_t> trovato;
    for (std::size_t i = 0; i < r.campi.size(); ++i)
        if (r.campi[i].inizio <= colonna) trovato = i;
    return trovato;
}

bool ha_posizione(const Riga& r) {
    if (r.tipo != TipoRiga::record || !r.record || r.prima_del_generale) return false;
    using enum lettore::IdRecord;
    switch (r.record->id) {
        case pendenza: case curva: case montagna: case indicatori_vmax: case cartello_indicatore: case velocita:
        case aderenza: case segnale: case rallentamento: case abbattimento: case stazione: case recupero:
            return true;
        default:
            return false;
    }
}

std::optional<long long> posizione_di(const Riga& r) {
    if (!ha_posizione(r) || r.campi.size() < 2 || !r.campi[1].numero) return std::nullopt;
    const std::string_view t = r.campi[1].testo;
    if (t.empty()) return 0;
    long long v = 0;
    const char* inizio = t.data() + (t.front() == '+' ? 1 : 0);
    if (std::from_chars(inizio, t.data() + t.size(), v).ec != std::errc()) return std::nullopt;
    return v;
}

}  // namespace compattatore::lsp
