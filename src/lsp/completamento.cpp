// Completion: the keywords of the section, the section headers, and the
// stations where a record names one by its position.
#include "lsp/formato.h"
#include "lsp/funzioni.h"

namespace compattatore::lsp {

namespace {

// Protocol constants: completion item kinds and insert text formats.
constexpr int tipo_parola = 14, tipo_modulo = 9, tipo_valore = 12;
constexpr int formato_testo = 1, formato_modello = 2;

}  // namespace

json completamento(const Analisi& a, const std::string& percorso, int riga, std::size_t carattere) {
    json voci = json::array();
    const std::vector<Riga>* righe = righe_del(a, percorso);
    if (!righe || riga < 0 || static_cast<std::size_t>(riga) >= righe->size()) return voci;
    const Riga& r = (*righe)[static_cast<std::size_t>(riga)];
    const bool linea = righe == &a.righe_linea;
    const std::size_t byte = byte_di_colonna(r.testo, carattere);
    const auto i = campo_in(r, byte);
    const bool prima_parola = r.tipo == TipoRiga::vuota || r.tipo == TipoRiga::intestazione ||
                              (r.tipo == TipoRiga::record && (!i || *i == 0));
    if (prima_parola) {
        // The context of the line: where a record typed here would be read.
        lettore::Contesto contesto = lettore::Contesto::treno;
        if (linea) {
            contesto = lettore::Contesto::generale;
            for (int k = riga; k >= 0; --k) {
                const Riga& q = (*righe)[static_cast<std::size_t>(k)];
                if (q.tipo == TipoRiga::intestazione) {
                    contesto = q.campi[0].testo == "[generale]" ? lettore::Contesto::generale : lettore::Contesto::linea;
                    break;
                }
            }
        }
        for (const lettore::Record& rec : lettore::formato_descrizione().records) {
            if (rec.contesto != contesto) continue;
            for (std::string_view p : rec.parole)
                voci.push_back({{"label", std::string(p)},
                                {"kind", tipo_parola},
                                {"detail", "record " + dove_va(rec)},
                                {"documentation", {{"kind", "markdown"},
                                                   {"value", std::string(rec.significato) + "\n\n" + elenco_campi(rec)}}},
                                {"insertText", modello_record(rec, p)},
                                {"insertTextFormat", formato_modello}});
        }
        const auto file = linea ? lettore::FileDescrizione::linea : lettore::FileDescrizione::treno;
        for (const lettore::Sezione& sez : lettore::formato_descrizione().sezioni)
            if (sez.file == file)
                voci.push_back({{"label", std::string(sez.intestazione)}, {"kind", tipo_modulo},
                                {"detail", std::string(sez.significato)},
                                {"insertText", std::string(sez.intestazione)}, {"insertTextFormat", formato_testo}});
        return voci;
    }
    // A recovery margin names its station by the station's position.
    if (e(r, lettore::IdRecord::recupero) && i && *i == 1) {
        for (const Riga& s : a.righe_treno)
            if (e(s, lettore::IdRecord::stazione) && s.campi.size() >= 18)
                if (const auto p = posizione_di(s))
                    voci.push_back({{"label", std::string(s.campi.back().testo)},
                                    {"kind", tipo_valore},
                                    {"detail", std::to_string(*p) + " m"},
                                    {"insertText", std::to_string(*p)},
                                    {"filterText", std::string(s.campi.back().testo)},
                                    {"insertTextFormat", formato_testo}});
    }
    return voci;
}

}  // namespace compattatore::lsp
