// Hover: the field under the cursor, from the format's table, and what it
// means in this scenario.
#include "lsp/formato.h"
#include "lsp/funzioni.h"
#include "tables/chilometri.h"
#include "tables/costanti_formato.h"

namespace compattatore::lsp {

namespace {

struct StazioneTesto {
    long long posizione;
    std::string_view nome;
};

std::vector<StazioneTesto> stazioni(const Analisi& a) {
    std::vector<StazioneTesto> s;
    for (const Riga& r : a.righe_treno)
        if (e(r, lettore::IdRecord::stazione) && r.campi.size() >= 18)
            if (const auto p = posizione_di(r)) s.push_back({*p, r.campi.back().testo});
    return s;
}

// What the scenario holds at `p`: cell, kilometre, limit, gradient, stations.
std::string nello_scenario(const Analisi& a, long long p) {
    std::string t;
    const Scenario& s = a.compilazione.scenario;
    const long long cella = p / lunghezza_cella + 1;
    t += "cella " + std::to_string(cella);
    if (p >= INT32_MIN && p <= INT32_MAX)
        t += ", " + chilometri(chilometro(progressive_linea(s.voci), static_cast<std::int32_t>(p)));
    if (s.griglia_esiste() && cella >= 0 && static_cast<std::size_t>(cella) < s.celle.size()) {
        const Cella& c = s.celle[static_cast<std::size_t>(cella)];
        t += "\n\nlimite di velocità " + std::to_string(c.velocita * 5) + " km/h, pendenza " +
             std::to_string(static_cast<int>(c.pendenza) - 100) + " ‰";
    }
    const auto st = stazioni(a);
    const StazioneTesto* prima = nullptr;
    const StazioneTesto* dopo = nullptr;
    for (const StazioneTesto& x : st) {
        if (x.posizione <= p && (!prima || x.posizione >= prima->posizione)) prima = &x;
        if (x.posizione > p && (!dopo || x.posizione < dopo->posizione)) dopo = &x;
    }
    if (prima || dopo) {
        t += "\n\n";
        if (prima) t += "dopo " + std::string(prima->nome) + " (" + std::to_string(p - prima->posizione) + " m)";
        if (prima && dopo) t += ", ";
        if (dopo) t += "prima di " + std::string(dopo->nome) + " (" + std::to_string(dopo->posizione - p) + " m)";
    }
    return t;
}

}  // namespace

json hover(const Analisi& a, const std::string& percorso, int riga, std::size_t carattere) {
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe || riga < 0 || static_cast<std::size_t>(riga) >= righe->size()) return nullptr;
    const Riga& r = (*righe)[static_cast<std::size_t>(riga)];
    if (r.tipo != TipoRiga::record) return nullptr;
    const auto i = campo_in(r, byte_di_colonna(r.testo, carattere));
    if (!i) return nullptr;
    const Campo& c = r.campi[*i];
    std::string t;
    if (!r.record) {
        t = r.prima_del_generale ? "prima di [generale]: il compilatore non legge questa riga"
                                 : "nessuna parola chiave riconosciuta";
    } else if (*i == 0) {
        t = "**" + std::string(lettore::nome_record(*r.record)) + "**: record " + dove_va(*r.record) + "\n\n" +
            std::string(r.record->significato) + "\n\n" + elenco_campi(*r.record);
    } else {
        t = "**" + std::string(lettore::nome_record(*r.record)) + "**, campo " + std::to_string(*i);
        if (*i - 1 < r.record->campi.size()) {
            const lettore::Campo& d = r.record->campi[*i - 1];
            t += ": **" + std::string(d.nome) + "**, " + lettore::descrivi_campo(d) + "\n\n" + std::string(d.significato);
        } else {
            t += ": campo in più, il compilatore lo ignora";
        }
    }
    if (const auto p = posizione_di(r)) t += "\n\n---\n\n" + nello_scenario(a, *p);
    return {{"contents", {{"kind", "markdown"}, {"value", t}}},
            {"range", intervallo_byte(r.numero, r.testo, c.inizio, c.fine)}};
}

}  // namespace compattatore::lsp
