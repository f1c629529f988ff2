// Formatting: each record's fields laid out as decompile writes them; the
// keyword and every value stay as the author wrote them.
#include "lsp/funzioni.h"
#include "reader/impaginazione.h"

namespace compattatore::lsp {

namespace {

// The record laid out, or nullopt when it is left as it is: a keyword of
// another shape, a field count other than its own, a text where a number goes.
std::optional<std::string> impagina(const Riga& r) {
    if (r.tipo != TipoRiga::record || !r.record || r.prima_del_generale) return std::nullopt;
    const lettore::Impaginazione* imp = lettore::impaginazione(r.record->id);
    if (!imp || r.campi.size() != imp->colonne.size() + 1) return std::nullopt;
    std::string s(r.campi[0].testo);
    for (std::size_t k = 0; k < imp->colonne.size(); ++k) {
        const Campo& c = r.campi[k + 1];
        const lettore::Colonna& col = imp->colonne[k];
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
