// The check's errors and warnings as the editor shows them.
#include <charconv>

#include "lsp/funzioni.h"

namespace compattatore::lsp {

namespace {

// The range of a place: its field, or the field that starts at its column,
// or its whole line.
json intervallo_luogo(const Luogo& u, const std::vector<Riga>& righe) {
    if (u.riga <= 0 || static_cast<std::size_t>(u.riga) > righe.size()) return intervallo(0, 0, 0, 0);
    const Riga& r = righe[static_cast<std::size_t>(u.riga - 1)];
    if (u.colonna <= 0) return intervallo_byte(r.numero, r.testo, 0, r.testo.size());
    const std::size_t da = static_cast<std::size_t>(u.colonna - 1);
    std::size_t a = da + static_cast<std::size_t>(u.larghezza);
    if (u.larghezza == 0) {
        a = r.testo.size();
        for (const Campo& c : r.campi)
            if (c.inizio == da) a = std::max(c.fine, da + 1);
    }
    return intervallo_byte(r.numero, r.testo, std::min(da, r.testo.size()), std::min(std::max(a, da), r.testo.size()));
}

// "(FILE:LINE)" in a note, for one of the pair's files: where it points.
std::optional<std::pair<std::string, int>> rimando(const std::string& nota, const Analisi& a) {
    for (const std::string* p : {&a.percorso_linea, &a.percorso_treno}) {
        if (p->empty()) continue;
        const std::string cerca = "(" + *p + ":";
        const std::size_t i = nota.find(cerca);
        if (i == std::string::npos) continue;
        int riga = 0;
        const char* inizio = nota.data() + i + cerca.size();
        if (std::from_chars(inizio, nota.data() + nota.size(), riga).ec == std::errc() && riga > 0)
            return std::pair{*p, riga};
    }
    return std::nullopt;
}

}  // namespace

const std::vector<Riga>* righe_del(const Analisi& a, const std::string& percorso) {
    if (percorso == a.percorso_linea && a.linea) return &a.righe_linea;
    if (!a.percorso_treno.empty() && percorso == a.percorso_treno && a.treno) return &a.righe_treno;
    return nullptr;
}

const std::string* testo_del(const Analisi& a, const std::string& percorso) {
    if (percorso == a.percorso_linea && a.linea) return &*a.linea;
    if (!a.percorso_treno.empty() && percorso == a.percorso_treno && a.treno) return &*a.treno;
    return nullptr;
}

json diagnostiche_di(const Analisi& a, const std::string& percorso) {
    json lista = json::array();
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe) return lista;
    const bool senza_file_qui = a.percorso_treno.empty() ? percorso == a.percorso_linea : percorso == a.percorso_treno;
    for (const Diagnostica& d : a.compilazione.esito.diagnostiche) {
        const bool qui = d.luogo.file == percorso;
        const bool altrove = d.luogo.file == a.percorso_linea || d.luogo.file == a.percorso_treno;
        if (!qui && (altrove || !senza_file_qui || d.luogo.file == "\x01")) continue;
        json j;
        j["range"] = qui ? intervallo_luogo(d.luogo, *righe) : intervallo(0, 0, 0, 0);
        j["severity"] = d.gravita == Gravita::errore ? 1 : 2;
        j["source"] = "compattatore";
        if (d.gravita == Gravita::errore)
            j["code"] = d.numero;
        else
            j["code"] = d.nome;
        std::string messaggio = d.messaggio;
        json collegate = json::array();
        for (const std::string& nota : d.note) {
            if (const auto r = rimando(nota, a)) {
                const std::vector<Riga>* altre = righe_del(a, r->first);
                json luogo_intervallo = intervallo(r->second - 1, 0, r->second - 1, 0);
                if (altre && static_cast<std::size_t>(r->second) <= altre->size()) {
                    const Riga& rr = (*altre)[static_cast<std::size_t>(r->second - 1)];
                    luogo_intervallo = intervallo_byte(rr.numero, rr.testo, 0, rr.testo.size());
                }
                collegate.push_back({{"location", {{"uri", uri_di(r->first)}, {"range", luogo_intervallo}}},
                                     {"message", nota}});
            }
            messaggio += "\n" + nota;
        }
        j["message"] = messaggio;
        if (!collegate.empty()) j["relatedInformation"] = collegate;
        if (d.posizione) j["data"] = {{"posizione", *d.posizione}};
        lista.push_back(std::move(j));
    }
    return lista;
}

}  // namespace compattatore::lsp
