// Formatting: each record's fields laid out as decompile writes them; the
// keyword and every value stay as the author wrote them.
#include <map>

#include "lsp/funzioni.h"

namespace compattatore::lsp {

namespace {

// How decompile writes one field: what goes before it, and the width it is
// right-aligned in (0: as it is).
struct Colonna {
    std::string_view prima;
    int larghezza;
};

struct Impaginazione {
    Impaginazione(std::vector<Colonna> c = {}, bool t = false, std::string_view f = {})
        : colonne(std::move(c)), testo_finale(t), fine(f) {}
    std::vector<Colonna> colonne;
    bool testo_finale;  // the last field is a text, kept as written
    std::string_view fine;  // what closes the line
};

const Impaginazione* impaginazione(lettore::IdRecord id) {
    using V = std::vector<Colonna>;
    using enum lettore::IdRecord;
    static const std::map<lettore::IdRecord, Impaginazione> tabella = [] {
        std::map<lettore::IdRecord, Impaginazione> t;
        const V quattro_spazi{{",    ", 0}};
        for (lettore::IdRecord r : {lunghezza_percorso, sfondo_uno, sfondo_due, sfondo_tre, numero_vetture, massa_frenata, sabbia})
            t[r] = {quattro_spazi};
        for (lettore::IdRecord r : {progressiva_uno, progressiva_due, progressiva_tre})
            t[r] = {V{{",    ", 0}, {",    ", 0}, {",    ", 0}}};
        t[ripetizione_segnali] = {V{{",    ", 0}, {",    ", 0}}};
        t[curva] = {V{{",  ", 0}, {",  ", 0}}};
        t[pendenza] = {V{{",  ", 0}, {",   ", 0}}};
        t[montagna] = {V{{",   ", 0}, {",  ", 0}, {",  ", 0}}};
        t[indicatori_vmax] = {V(9, Colonna{",  ", 0})};
        t[cartello_indicatore] = {V{{",  ", 0}, {",   ", 0}}, true};
        t[orologio] = {V{{",    ", 0}, {"              ", 0}, {"            ", 0}}, false, " "};
        t[aderenza] = t[velocita] = t[abbattimento] = {V{{",", 8}, {",", 6}}};
        t[stazione] = {V{{",", 8}, {",", 3}, {",", 5}, {",", 3}, {",", 2}, {",", 2}, {",", 3}, {",", 1}, {",", 1},
                         {",", 3}, {",", 1}, {",", 1}, {",", 5}, {",", 4}, {",", 2}, {",", 2}, {", ", 0}},
                       true, ""};
        t[rallentamento] = {V{{",  ", 0}, {",    ", 0}, {",  ", 0}, {", ", 0}, {",  ", 0}, {",  ", 0}}};
        t[segnale] = {V{{",", 8}, {",", 4}, {",", 2}, {",", 2}, {",", 3}, {",", 2}, {",", 5}, {",", 3}, {",", 1},
                        {",", 1}, {", ", 0}}};
        return t;
    }();
    const auto i = tabella.find(id);
    return i == tabella.end() ? nullptr : &i->second;
}

// The record laid out, or nullopt when it is left as it is: a keyword of
// another shape, a field count other than its own, a text where a number goes.
std::optional<std::string> impagina(const Riga& r) {
    if (r.tipo != TipoRiga::record || !r.record || r.prima_del_generale) return std::nullopt;
    const Impaginazione* imp = impaginazione(r.record->id);
    if (!imp || r.campi.size() != imp->colonne.size() + 1) return std::nullopt;
    std::string s(r.campi[0].testo);
    for (std::size_t k = 0; k < imp->colonne.size(); ++k) {
        const Campo& c = r.campi[k + 1];
        const Colonna& col = imp->colonne[k];
        s += col.prima;
        if (imp->testo_finale && k + 1 == imp->colonne.size()) {
            s += r.testo.substr(c.inizio);
            return s;
        }
        if (!c.numero) return std::nullopt;
        if (static_cast<int>(c.testo.size()) < col.larghezza) s.append(static_cast<std::size_t>(col.larghezza) - c.testo.size(), ' ');
        s += c.testo;
    }
    // Orologio's three numbers are one field of the reader: they stand on
    // blanks alone, never after a comma.
    if (e(r, lettore::IdRecord::orologio)) {
        std::size_t virgole = 0;
        for (char ch : r.testo) virgole += ch == ',' ? 1 : 0;
        if (virgole != 1) return std::nullopt;
    }
    s += imp->fine;
    return s;
}

}  // namespace

json formattazione(const Analisi& a, const std::string& percorso) {
    json modifiche = json::array();
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe) return modifiche;
    for (const Riga& r : *righe) {
        const auto nuova = impagina(r);
        if (!nuova || *nuova == r.testo) continue;
        modifiche.push_back({{"range", intervallo_byte(r.numero, r.testo, 0, r.testo.size())}, {"newText", *nuova}});
    }
    return modifiche;
}

}  // namespace compattatore::lsp
