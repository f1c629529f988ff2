#include "reader/provenienze.h"

#include <algorithm>

#include "reader/lettore_campi.h"

namespace compattatore {

namespace {

// A long line is kept from this many bytes before its field, this many in all.
constexpr std::size_t prima_del_campo = 80;
constexpr std::size_t byte_tenuti = 240;

std::string_view elemento(TipoCella tipo) {
    switch (tipo) {
        case TipoCella::segnale: return "un segnale";
        case TipoCella::fine_rallentamento: return "la fine di un rallentamento";
        case TipoCella::inizio_rallentamento: return "l'inizio di un rallentamento";
        case TipoCella::avviso_rallentamento: return "l'avviso di un rallentamento";
        case TipoCella::preavviso_rallentamento: return "un preavviso di rallentamento";
        case TipoCella::indicatore_v_max: return "un indicatore di velocità massima";
        case TipoCella::fermata: return "la fermata di una stazione";
        case TipoCella::codice: return "un codice";
        case TipoCella::abbattimento: return "un abbattimento senza codice";
        case TipoCella::cartello: return "un cartello indicatore";
        default: return {};
    }
}

}  // namespace

const LuogoRecord* Provenienze::di(std::int64_t c) const {
    if (c < 0 || c >= static_cast<std::int64_t>(celle.size())) return nullptr;
    const std::uint32_t i = celle[static_cast<std::size_t>(c)];
    return i == 0 || i >= record.size() ? nullptr : &record[i];
}

Luogo luogo_del_record(const TestiLetti& testi, const LuogoRecord& r) {
    Luogo u;
    u.file = testi.nomi[r.testo];
    u.riga = r.riga;
    u.colonna = r.colonna;
    u.larghezza = r.larghezza;
    const std::string_view riga = lettore::riga_del_testo(testi.dati[r.testo], r.inizio_riga);
    if (riga.size() <= byte_tenuti) {
        u.testo = std::string(riga);
        return u;
    }
    const std::size_t campo = r.colonna > 0 ? static_cast<std::size_t>(r.colonna - 1) : 0;
    const std::size_t inizio = std::min(campo > prima_del_campo ? campo - prima_del_campo : 0, riga.size());
    const std::string_view parte = riga.substr(inizio, byte_tenuti);
    u.testo = std::string(parte);
    u.inizio_testo = static_cast<int>(inizio) + 1;
    u.continua = inizio + parte.size() < riga.size();
    return u;
}

std::string nome_cella(std::int64_t c) { return "cella " + std::to_string(c); }

std::string cosa_contiene(const Provenienze& p, const TestiLetti& testi, const std::vector<Cella>& celle,
                          std::int64_t c) {
    if (c < 0 || c >= static_cast<std::int64_t>(celle.size())) return "nulla";
    const TipoCella tipo = celle[static_cast<std::size_t>(c)].tipo;
    std::string r(elemento(tipo));
    if (r.empty()) r = "un elemento di tipo " + std::to_string(codice_tipo_cella(tipo));
    if (const LuogoRecord* o = p.di(c)) r += " (" + testi.nomi[o->testo] + ":" + std::to_string(o->riga) + ")";
    return r;
}

}  // namespace compattatore
