#include "app/diagnostica.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "tables/utf8.h"

namespace compattatore {

namespace {

constexpr char cifre[] = "0123456789ABCDEF";

// One byte, or one UTF-8 sequence, as it is shown.
struct Segno {
    std::size_t byte;  // where it starts in the text
    std::string testo;
    std::size_t colonne;
};

// Characters that would act on the terminal rather than show: the C1
// controls, the line and paragraph separators, the marks and overrides of
// the writing direction.
bool invisibile(std::uint32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::vector<Segno> segni(std::string_view t) {
    std::vector<Segno> r;
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        std::uint32_t punto = 0;
        const std::size_t n = c < 0x80 ? 0 : sequenza_utf8(t, i, punto);
        if (n > 0 && invisibile(punto)) {
            r.push_back({i, std::string("\\u") + cifre[punto >> 12 & 0xF] + cifre[punto >> 8 & 0xF] +
                                cifre[punto >> 4 & 0xF] + cifre[punto & 0xF], 6});
            i += n;
            continue;
        }
        if (n > 0) {
            r.push_back({i, std::string(t.substr(i, n)), 1});
            i += n;
            continue;
        }
        if (c >= 0x20 && c < 0x7F) {
            r.push_back({i, std::string(1, static_cast<char>(c)), 1});
        } else if (c == '\t') {
            r.push_back({i, "\\t", 2});
        } else if (c == '\r') {
            r.push_back({i, "\\r", 2});
        } else if (c == '\n') {
            r.push_back({i, "\\n", 2});
        } else {
            r.push_back({i, std::string("\\x") + cifre[c >> 4] + cifre[c & 0xF], 4});
        }
        ++i;
    }
    return r;
}

// Margin kept before the field when the line has to be cut.
constexpr std::size_t margine = 40;
const std::string taglio = "...";

std::string indentata(const std::string& riga) { return "    " + riga + "\n"; }

}  // namespace

std::string testo_per_terminale(std::string_view testo) {
    std::string r;
    for (const Segno& s : segni(testo)) r += s.testo;
    return r;
}

RigaConCursore riga_con_cursore(const Luogo& u, std::size_t colonne) {
    const std::vector<Segno> s = segni(u.testo);
    // Display column where each sign starts; the field's first and last sign.
    std::vector<std::size_t> col(s.size() + 1, 0);
    for (std::size_t k = 0; k < s.size(); ++k) col[k + 1] = col[k] + s[k].colonne;
    const std::size_t inizio_campo =
        u.colonna > u.inizio_testo ? static_cast<std::size_t>(u.colonna - u.inizio_testo) : 0;
    const std::size_t fine_campo = inizio_campo + static_cast<std::size_t>(std::max(u.larghezza, 1));
    std::size_t primo = s.size(), ultimo = s.size();
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (primo == s.size() && s[k].byte >= inizio_campo) primo = k;
        if (s[k].byte < fine_campo) ultimo = k + 1;
    }
    if (ultimo < primo + 1) ultimo = std::min(s.size(), primo + 1);

    // The window of signs shown: all of them when they fit.
    std::size_t da = 0, a = s.size();
    bool prima = u.inizio_testo > 1, dopo = u.continua;
    if (prima || dopo || col[s.size()] > colonne) {
        if (col[primo] > margine + (prima ? 0 : taglio.size())) {
            while (da < primo && col[primo] - col[da] > margine) ++da;
        }
        prima = prima || da > 0;
        const std::size_t spazio = colonne - (prima ? taglio.size() : 0) - taglio.size();
        a = da;
        while (a < s.size() && col[a + 1] - col[da] <= spazio) ++a;
        dopo = dopo || a < s.size();
    }

    RigaConCursore r;
    if (prima) r.riga = taglio;
    for (std::size_t k = da; k < a; ++k) r.riga += s[k].testo;
    if (dopo) r.riga += taglio;
    if (u.colonna <= 0) return r;

    const std::size_t davanti = (prima ? taglio.size() : 0) + col[std::min(primo, a)] - col[da];
    const std::size_t fino = std::min(ultimo, a);
    const std::size_t larghezza = fino > primo ? col[fino] - col[primo] : 1;
    r.cursore = std::string(davanti, ' ') + "^" + std::string(larghezza > 1 && u.larghezza > 0 ? larghezza - 1 : 0, '~');
    return r;
}

std::string testo_diagnostica(const Diagnostica& d) {
    std::string r;
    const Luogo& u = d.luogo;
    if (!u.file.empty()) {
        r += testo_per_terminale(u.file);
        if (u.riga > 0) {
            r += ":" + std::to_string(u.riga);
            if (u.colonna > 0) r += ":" + std::to_string(u.colonna);
        }
        r += ": ";
    }
    if (d.gravita == Gravita::errore) {
        r += "errore: ";
        // Errors that are no code of the compiler (the error report, the
        // author's notes) carry no "codice".
        if (d.numero != 0 && d.numero != 1250 && d.numero != 1251) r += "codice " + std::to_string(d.numero) + ": ";
    } else {
        r += "avviso: ";
    }
    r += testo_per_terminale(d.messaggio);
    if (d.posizione) r += " (posizione " + std::to_string(*d.posizione) + " m)";
    if (d.gravita == Gravita::avviso) r += " [" + d.nome + "]";
    r += "\n";
    if (u.riga > 0) {
        const RigaConCursore rc = riga_con_cursore(u);
        r += indentata(rc.riga);
        if (!rc.cursore.empty()) r += indentata(rc.cursore);
    }
    for (const std::string& nota : d.note) r += indentata(testo_per_terminale(nota));
    return r;
}

std::string testo_diagnostiche(const EsitoCompilazione& e, std::size_t limite) {
    const std::vector<Diagnostica>& tutte = e.diagnostiche;
    const auto errori = static_cast<std::size_t>(std::count_if(
        tutte.begin(), tutte.end(), [](const Diagnostica& d) { return d.gravita == Gravita::errore; }));
    // Errors first: past the limit the first ones and the outcome's (the
    // last one with a code; with no code recorded, the last one); warnings
    // in the room the errors leave.
    std::vector<bool> mostra(tutte.size(), false);
    std::size_t errori_mostrati = 0, avvisi_mostrati = 0;
    const Diagnostica* dell_esito = e.codice == Codice::nessuno ? nullptr : errore_dell_esito(e, numero(e.codice));
    if (!dell_esito && errori > 0) dell_esito = ultimo_errore(e);
    const std::size_t ultimo = dell_esito ? static_cast<std::size_t>(dell_esito - tutte.data()) : tutte.size();
    for (std::size_t i = 0; i < tutte.size(); ++i) {
        if (tutte[i].gravita != Gravita::errore) continue;
        if (errori_mostrati + 1 < limite || (i == ultimo && limite > 0)) mostra[i] = true, ++errori_mostrati;
    }
    for (std::size_t i = 0; i < tutte.size() && errori_mostrati + avvisi_mostrati < limite; ++i)
        if (tutte[i].gravita == Gravita::avviso) mostra[i] = true, ++avvisi_mostrati;

    std::string r;
    for (std::size_t i = 0; i < tutte.size(); ++i)
        if (mostra[i]) r += testo_diagnostica(tutte[i]);
    const std::size_t altri_errori = conta(e, Gravita::errore) - errori_mostrati;
    const std::size_t altri_avvisi = conta(e, Gravita::avviso) - avvisi_mostrati;
    if (altri_errori > 0 && altri_avvisi > 0)
        r += "... non mostrati: " + quanti(altri_errori, Gravita::errore) + " e " +
             quanti(altri_avvisi, Gravita::avviso) + "\n";
    else if (altri_errori + altri_avvisi > 0)
        r += "... non mostrati: " +
             (altri_errori > 0 ? quanti(altri_errori, Gravita::errore) : quanti(altri_avvisi, Gravita::avviso)) + "\n";
    return r;
}

const Diagnostica* errore_dell_esito(const EsitoCompilazione& e, std::int32_t codice) {
    for (auto d = e.diagnostiche.rbegin(); d != e.diagnostiche.rend(); ++d)
        if (d->gravita == Gravita::errore && d->numero == codice) return &*d;
    return nullptr;
}

const Diagnostica* ultimo_errore(const EsitoCompilazione& e) {
    for (auto d = e.diagnostiche.rbegin(); d != e.diagnostiche.rend(); ++d)
        if (d->gravita == Gravita::errore) return &*d;
    return nullptr;
}

const Diagnostica* primo_errore(const EsitoCompilazione& e) {
    for (const Diagnostica& d : e.diagnostiche)
        if (d.gravita == Gravita::errore) return &d;
    return nullptr;
}

std::string quanti(std::size_t n, Gravita g) {
    const bool errore = g == Gravita::errore;
    return std::to_string(n) + (n == 1 ? (errore ? " errore" : " avviso") : (errore ? " errori" : " avvisi"));
}

std::size_t conta(const EsitoCompilazione& e, Gravita g) {
    const auto elencate = static_cast<std::size_t>(
        std::count_if(e.diagnostiche.begin(), e.diagnostiche.end(), [g](const Diagnostica& d) { return d.gravita == g; }));
    return elencate + (g == Gravita::errore ? e.errori_tralasciati : e.tralasciate - e.errori_tralasciati);
}

namespace {

// The keys of a diagnostic shared by the outcome object.
void chiavi_del_luogo(ScrittoreJson& j, const Diagnostica* d) {
    j.chiave("posizione");
    d && d->posizione ? j.intero(*d->posizione) : j.nullo();
    const bool luogo = d && !d->luogo.file.empty();
    j.chiave("file");
    luogo ? j.testo_utf8(d->luogo.file) : j.nullo();
    j.chiave("riga");
    luogo && d->luogo.riga > 0 ? j.intero(d->luogo.riga) : j.nullo();
    j.chiave("colonna");
    luogo && d->luogo.colonna > 0 ? j.intero(d->luogo.colonna) : j.nullo();
    j.chiave("testo");
    if (luogo && d->luogo.riga > 0) {
        std::string t = d->luogo.testo;
        if (d->luogo.inizio_testo > 1) t = taglio + t;
        if (d->luogo.continua) t += taglio;
        d->luogo.utf8 ? j.testo_utf8(t) : j.testo(t);
    } else {
        j.nullo();
    }
}

}  // namespace

void scrivi_json(ScrittoreJson& j, const Diagnostica& d) {
    j.apri_oggetto(true);
    j.chiave("gravita");
    j.testo(d.gravita == Gravita::errore ? "errore" : "avviso");
    j.chiave("codice");
    d.gravita == Gravita::errore ? j.intero(d.numero) : j.nullo();
    j.chiave("nome");
    d.gravita == Gravita::avviso ? j.testo(d.nome) : j.nullo();
    j.chiave("spiegazione");
    j.testo_utf8(d.messaggio);
    chiavi_del_luogo(j, &d);
    j.chiave("note");
    j.apri_lista(true);
    for (const std::string& n : d.note) j.testo_utf8(n);
    j.chiudi_lista();
    j.chiudi_oggetto();
}

std::string esito_json(const EsitoCompilazione& e, const Diagnostica* principale, std::int32_t codice,
                       const bool* scritti) {
    std::ostringstream out;
    ScrittoreJson j(out);
    j.apri_oggetto(true);
    j.campo("codice", codice);
    j.chiave("spiegazione");
    j.testo_utf8(principale ? principale->messaggio : std::string(spiegazione_codice(Codice::nessuno)));
    chiavi_del_luogo(j, principale);
    if (scritti) {
        j.chiave("scritti");
        j.booleano(*scritti);
    }
    j.campo("errori", static_cast<std::int64_t>(conta(e, Gravita::errore)));
    j.campo("avvisi", static_cast<std::int64_t>(conta(e, Gravita::avviso)));
    j.campo("tralasciati", static_cast<std::int64_t>(e.tralasciate));
    j.chiave("diagnostiche");
    j.apri_lista(true);
    for (const Diagnostica& d : e.diagnostiche) scrivi_json(j, d);
    j.chiudi_lista();
    j.chiudi_oggetto();
    return out.str();
}

}  // namespace compattatore
