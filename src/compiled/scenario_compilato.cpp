#include "compiled/scenario_compilato.h"

#include <map>
#include <tuple>
#include <utility>

namespace compattatore {

namespace {

bool campi_nulli(const Voce& v) {
    return v.tipo == 0 && v.inizio == 0 && v.fine == 0 && v.posizione == 0 && v.byte1 == 0 && v.intero1 == 0 &&
           v.intero2 == 0 && v.intero3 == 0 && v.intero4 == 0 && v.intero5 == 0 && v.byte2 == 0 && v.byte3 == 0 &&
           v.byte4 == 0 && v.byte5 == 0 && v.orario == 0;
}

bool solo_testo(const Voce& v) { return !v.nome.empty() && campi_nulli(v); }

std::vector<RallentamentoCompilato> in_ordine(std::span<const Cella> celle) {
    std::vector<RallentamentoCompilato> r;
    std::int64_t avviso = -1;
    bool aperto = false;
    for (std::size_t i = 0; i < celle.size(); ++i) {
        const Cella& c = celle[i];
        const auto n = static_cast<std::int64_t>(i);
        if (c.tipo == TipoCella::avviso_rallentamento) {
            avviso = n;
        } else if (c.tipo == TipoCella::inizio_rallentamento) {
            r.push_back({avviso, n, n, c.valore1, c.valore2, c.valore3});
            avviso = -1;
            aperto = true;
        } else if (c.tipo == TipoCella::fine_rallentamento && aperto) {
            r.back().cella_fine = n;
            aperto = false;
        }
    }
    return r;
}

std::vector<RallentamentoCompilato> come_scritti(std::span<const Cella> celle) {
    // The end cells of each set of values wait in order of position, each
    // start taking the first one after it.
    using Valori = std::tuple<std::int16_t, std::int16_t, std::int16_t>;
    std::map<Valori, std::vector<std::int64_t>> fini;
    for (std::size_t e = 0; e < celle.size(); ++e) {
        const Cella& c = celle[e];
        if (c.tipo == TipoCella::fine_rallentamento)
            fini[{c.valore1, c.valore2, c.valore3}].push_back(static_cast<std::int64_t>(e));
    }
    std::map<Valori, std::size_t> prossima_fine;
    std::vector<RallentamentoCompilato> r;
    for (std::size_t s = 0; s < celle.size(); ++s) {
        const Cella& c = celle[s];
        if (c.tipo != TipoCella::inizio_rallentamento) continue;
        const auto i = static_cast<std::int64_t>(s);
        RallentamentoCompilato t{-1, i, i, c.valore1, c.valore2, c.valore3};
        const Valori chiave{c.valore1, c.valore2, c.valore3};
        if (auto f = fini.find(chiave); f != fini.end()) {
            std::size_t& k = prossima_fine[chiave];
            while (k < f->second.size() && f->second[k] <= i) ++k;
            if (k < f->second.size()) t.cella_fine = f->second[k++];
        }
        r.push_back(t);
    }
    return r;
}

}  // namespace

std::string_view nome_ruolo(RuoloVoce r) {
    switch (r) {
        case RuoloVoce::vuota: return "vuota";
        case RuoloVoce::stazione: return "stazione";
        case RuoloVoce::cartello: return "cartello";
        case RuoloVoce::intestazione: return "intestazione";
        case RuoloVoce::altro: return "altro";
    }
    return "";
}

bool voce_vuota(const Voce& v) { return v.nome.empty() && campi_nulli(v); }

RipartizioneVoci ripartisci_voci(const Voci& voci, std::span<const Cella> celle) {
    RipartizioneVoci r;
    auto voce = [&voci](int i) -> const Voce& { return voci[static_cast<std::size_t>(i)]; };
    const int ultimo = static_cast<int>(ultimo_cartello);
    for (int i = 1; i <= ultimo && !voce_vuota(voce(i)); ++i)
        if (!campi_nulli(voce(i))) r.numero_stazioni = i;
    for (int i = r.numero_stazioni + 1; i <= ultimo; ++i) {
        if (solo_testo(voce(i))) {
            r.primo_cartello = i;
            break;
        }
    }
    for (const Cella& c : celle) {
        if (c.tipo == TipoCella::cartello && c.valore1 > r.numero_stazioni && c.valore1 < r.primo_cartello)
            r.primo_cartello = c.valore1;
    }
    for (int i = 0; i <= ultima_voce; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (k >= voce_progressiva_tre)
            r.ruoli[k] = RuoloVoce::intestazione;
        else if (i >= r.primo_cartello)
            r.ruoli[k] = RuoloVoce::cartello;
        else if (i >= 1 && i <= r.numero_stazioni)
            r.ruoli[k] = RuoloVoce::stazione;
        else
            r.ruoli[k] = voce_vuota(voci[k]) ? RuoloVoce::vuota : RuoloVoce::altro;
    }
    return r;
}

std::vector<StazioneCompilata> stazioni_compilate(const Voci& voci, const RipartizioneVoci& r) {
    std::vector<StazioneCompilata> s;
    for (int i = 1; i <= r.numero_stazioni; ++i) {
        const Voce& v = voci[static_cast<std::size_t>(i)];
        s.push_back({i, v.posizione, v.inizio, v.fine, v.orario, v.tipo, v.nome});
    }
    return s;
}

std::vector<RallentamentoCompilato> rallentamenti_compilati(std::span<const Cella> celle, Appaiamento a) {
    return a == Appaiamento::in_ordine ? in_ordine(celle) : come_scritti(celle);
}

ScenarioCompilato::ScenarioCompilato(std::string nome_linea, std::string nome_treno, std::vector<Cella> celle,
                                     Voci voci, std::optional<TabellaLinea> piano)
    : nome_linea_(std::move(nome_linea)),
      nome_treno_(std::move(nome_treno)),
      celle_(std::move(celle)),
      voci_(std::move(voci)),
      piano_(std::move(piano)),
      ripartizione_(ripartisci_voci(voci_, celle_)),
      stazioni_(stazioni_compilate(voci_, ripartizione_)),
      progressive_(progressive_linea(voci_)),
      rallentamenti_(rallentamenti_compilati(celle_, Appaiamento::in_ordine)) {}

const std::string* ScenarioCompilato::testo_cartello(const Cella& c) const {
    if (c.valore1 < 0 || c.valore1 > ultima_voce) return nullptr;
    return &voci_[static_cast<std::size_t>(c.valore1)].nome;
}

}  // namespace compattatore
