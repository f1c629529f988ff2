// Go to definition: from a record that stands at a position to the record
// whose element occupies the same cell, in either file; from a recovery
// margin to its station.
#include "lsp/funzioni.h"
#include "tables/costanti_formato.h"

namespace compattatore::lsp {

namespace {

json luogo_riga(const std::string& percorso, const Riga& r) {
    const Campo& c = r.campi.empty() ? Campo{} : r.campi[0];
    return {{"uri", uri_di(percorso)}, {"range", intervallo_byte(r.numero, r.testo, c.inizio, c.fine)}};
}

}  // namespace

json definizione(const Analisi& a, const std::string& percorso, int riga, std::size_t) {
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe || riga < 0 || static_cast<std::size_t>(riga) >= righe->size()) return nullptr;
    const Riga& r = (*righe)[static_cast<std::size_t>(riga)];
    const auto p = posizione_di(r);
    if (!p) return nullptr;
    if (e(r, lettore::IdRecord::recupero)) {
        for (const Riga& s : a.righe_treno)
            if (e(s, lettore::IdRecord::stazione) && posizione_di(s) == p) return luogo_riga(a.percorso_treno, s);
        return nullptr;
    }
    const long long cella = e(r, lettore::IdRecord::abbattimento) ? *p / lunghezza_cella : *p / lunghezza_cella + 1;
    const LuogoRecord* lr = a.compilazione.provenienze.di(cella);
    if (!lr) return nullptr;
    const std::string& file = lr->testo == 0 ? a.percorso_linea : a.percorso_treno;
    const std::vector<Riga>* altre = righe_del(a, file);
    if (!altre || lr->riga <= 0 || static_cast<std::size_t>(lr->riga) > altre->size()) return nullptr;
    const Riga& d = (*altre)[static_cast<std::size_t>(lr->riga - 1)];
    if (file == percorso && d.numero == r.numero) return nullptr;
    return luogo_riga(file, d);
}

}  // namespace compattatore::lsp
