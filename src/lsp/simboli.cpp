// The outline of a description text, and the kilometre post beside each
// position.
#include "lsp/funzioni.h"
#include "tables/chilometri.h"

namespace compattatore::lsp {

namespace {

// Protocol constants: symbol kinds, and the inlay hint kind of a parameter.
constexpr int simbolo_spazio = 3, simbolo_costante = 14, simbolo_evento = 24, simbolo_numero = 16;

json simbolo(const Riga& r, std::string nome, int tipo, std::string dettaglio) {
    const json tutto = intervallo_byte(r.numero, r.testo, 0, r.testo.size());
    const Campo& c = r.campi.size() > 1 ? r.campi[1] : r.campi[0];
    return {{"name", std::move(nome)},
            {"kind", tipo},
            {"detail", std::move(dettaglio)},
            {"range", tutto},
            {"selectionRange", intervallo_byte(r.numero, r.testo, c.inizio, c.fine)},
            {"children", json::array()}};
}

}  // namespace

json simboli(const Analisi& a, const std::string& percorso) {
    json radice = json::array();
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe) return radice;
    json* sezione = nullptr;
    for (const Riga& r : *righe) {
        if (r.tipo == TipoRiga::intestazione) {
            json s = simbolo(r, std::string(r.campi[0].testo), simbolo_spazio, "");
            s["selectionRange"] = s["range"];
            radice.push_back(std::move(s));
            sezione = &radice.back();
            continue;
        }
        if (r.tipo != TipoRiga::record || !r.record || r.prima_del_generale) continue;
        using enum lettore::IdRecord;
        const lettore::IdRecord id = r.record->id;
        std::optional<json> s;
        if (id == stazione && r.campi.size() >= 18)
            s = simbolo(r, std::string(r.campi.back().testo), simbolo_costante, std::string(r.campi[1].testo) + " m");
        else if (id == rallentamento && r.campi.size() >= 3)
            s = simbolo(r, "rallentamento " + std::string(r.campi[2].testo) + " km/h", simbolo_evento,
                        std::string(r.campi[1].testo) + " m");
        else if ((id == progressiva_uno || id == progressiva_due || id == progressiva_tre) && r.campi.size() >= 3)
            s = simbolo(r, std::string(r.record->parole[0]), simbolo_numero,
                        "da " + std::string(r.campi[1].testo) + " m, " + std::string(r.campi[2].testo));
        else if (id == cartello_indicatore && r.campi.size() >= 3)
            s = simbolo(r, std::string(r.campi.back().testo), simbolo_costante, std::string(r.campi[1].testo) + " m");
        if (!s) continue;
        if (sezione)
            (*sezione)["children"].push_back(std::move(*s));
        else
            radice.push_back(std::move(*s));
    }
    return radice;
}

json suggerimenti(const Analisi& a, const std::string& percorso, int da, int a_riga) {
    json lista = json::array();
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe) return lista;
    const auto progressive = progressive_linea(a.compilazione.scenario.voci);
    for (const Riga& r : *righe) {
        if (r.numero < da || r.numero > a_riga) continue;
        const auto p = posizione_di(r);
        if (!p || *p < INT32_MIN || *p > INT32_MAX) continue;
        const Campo& c = r.campi[1];
        lista.push_back({{"position", posizione(r.numero, colonna_utf16(r.testo, c.fine))},
                         {"label", " " + chilometri(chilometro(progressive, static_cast<std::int32_t>(*p)))},
                         {"paddingLeft", false}});
    }
    return lista;
}

}  // namespace compattatore::lsp
