#include "lsp/scenari.h"

#include <algorithm>

#include "compile/compilazione.h"

namespace compattatore::lsp {

namespace {

constexpr std::string_view coda_linea = "_linea.txt";
constexpr std::string_view coda_treno = "-.txt";
constexpr std::string_view coda_note = "_note-.txt";

bool finisce(std::string_view s, std::string_view coda) {
    return s.size() >= coda.size() && s.substr(s.size() - coda.size()) == coda;
}

std::size_t dopo_cartella(const std::string& percorso) {
    const std::size_t s = percorso.find_last_of("/\\");
    return s == std::string::npos ? 0 : s + 1;
}

}  // namespace

std::optional<RuoloFile> ruolo_di(const std::string& percorso, const std::function<bool(const std::string&)>& c_e) {
    const std::size_t k = dopo_cartella(percorso);
    RuoloFile r;
    r.cartella = percorso.substr(0, k);
    const std::string nome = percorso.substr(k);
    if (finisce(nome, coda_linea) && nome.size() > coda_linea.size()) {
        r.linea = nome.substr(0, nome.size() - coda_linea.size());
        return r;
    }
    if (!finisce(nome, coda_treno) || finisce(nome, coda_note)) return std::nullopt;
    const std::string base = nome.substr(0, nome.size() - coda_treno.size());
    // The line's name ends at an underscore: the first whose line file
    // exists, or the first of all.
    std::optional<std::size_t> scelto;
    for (std::size_t i = base.find('_'); i != std::string::npos; i = base.find('_', i + 1)) {
        if (i == 0 || i + 1 == base.size()) continue;
        if (!scelto) scelto = i;
        if (c_e(r.cartella + base.substr(0, i) + std::string(coda_linea))) {
            scelto = i;
            break;
        }
    }
    if (!scelto) return std::nullopt;
    r.linea = base.substr(0, *scelto);
    r.treno = base.substr(*scelto + 1);
    return r;
}

const std::string* Scenari::testo_aperto(const std::string& percorso) const {
    const auto i = aperti_.find(percorso);
    return i == aperti_.end() ? nullptr : &i->second;
}

std::vector<std::string> Scenari::percorsi_aperti() const {
    std::vector<std::string> p;
    for (const auto& [k, v] : aperti_) p.push_back(k);
    return p;
}

std::optional<std::string> Scenari::testo(const std::string& percorso) const {
    if (const std::string* t = testo_aperto(percorso)) return *t;
    return disco_.leggi ? disco_.leggi(percorso) : std::nullopt;
}

bool Scenari::esiste(const std::string& percorso) const {
    if (aperti_.count(percorso)) return true;
    if (!disco_.elenca) return false;
    const std::size_t k = dopo_cartella(percorso);
    const auto nomi = disco_.elenca(percorso.substr(0, k));
    return std::find(nomi.begin(), nomi.end(), percorso.substr(k)) != nomi.end();
}

std::vector<std::pair<std::string, std::string>> Scenari::coppie_di(const std::string& percorso) const {
    const auto ruolo = ruolo_di(percorso, [this](const std::string& p) { return esiste(p); });
    if (!ruolo) return {};
    const std::string linea = ruolo->cartella + ruolo->linea + std::string(coda_linea);
    if (ruolo->treno) return {{linea, percorso}};
    std::vector<std::pair<std::string, std::string>> coppie;
    const std::string prefisso = ruolo->cartella + ruolo->linea + "_";
    auto del_treno = [&](const std::string& p) {
        if (p.compare(0, prefisso.size(), prefisso) != 0 || p == linea) return false;
        const auto r = ruolo_di(p, [this](const std::string& q) { return esiste(q); });
        return r && r->treno && r->linea == ruolo->linea && r->cartella == ruolo->cartella;
    };
    for (const auto& [p, t] : aperti_)
        if (del_treno(p)) coppie.emplace_back(linea, p);
    if (coppie.empty() && disco_.elenca) {
        auto nomi = disco_.elenca(ruolo->cartella);
        std::sort(nomi.begin(), nomi.end());
        for (const std::string& n : nomi)
            if (del_treno(ruolo->cartella + n)) {
                coppie.emplace_back(linea, ruolo->cartella + n);
                break;
            }
    }
    if (coppie.empty()) coppie.emplace_back(linea, std::string());
    return coppie;
}

std::shared_ptr<const Analisi> Scenari::analisi(const std::string& percorso_linea, const std::string& percorso_treno) {
    std::optional<std::string> linea = testo(percorso_linea);
    std::optional<std::string> treno = percorso_treno.empty() ? std::nullopt : testo(percorso_treno);
    auto& voce = cache_[{percorso_linea, percorso_treno}];
    if (voce && voce->linea == linea && voce->treno == treno) return voce;

    auto a = std::make_shared<Analisi>();
    a->percorso_linea = percorso_linea;
    a->percorso_treno = percorso_treno;
    a->linea = std::move(linea);
    a->treno = std::move(treno);
    if (a->linea) a->righe_linea = righe_di(*a->linea, true);
    if (a->treno) a->righe_treno = righe_di(*a->treno, false);
    const auto ruolo = ruolo_di(percorso_treno.empty() ? percorso_linea : percorso_treno, [](const std::string&) { return true; });
    Descrizioni d;
    d.nome_linea = ruolo ? ruolo->linea : std::string();
    d.nome_treno = ruolo && ruolo->treno ? *ruolo->treno : std::string();
    if (a->linea) d.linea = *a->linea;
    // A line without its train is checked with an empty train text: what is
    // said of the train then concerns no file the author holds.
    static const std::string vuoto;
    d.treno = a->treno ? std::string_view(*a->treno) : std::string_view(vuoto);
    d.file_linea = percorso_linea;
    d.file_treno = percorso_treno.empty() ? std::string("\x01") : percorso_treno;
    a->compilazione = compila_descrizioni(d, true);
    voce = a;
    return voce;
}

std::shared_ptr<const Analisi> Scenari::analisi_di(const std::string& percorso) {
    const auto coppie = coppie_di(percorso);
    if (coppie.empty()) return nullptr;
    for (const auto& [l, t] : coppie)
        if (t == percorso) return analisi(l, t);
    return analisi(coppie.front().first, coppie.front().second);
}

std::string chilometri(long long metri_linea) {
    const long long a = metri_linea < 0 ? -metri_linea : metri_linea;
    std::string metri = std::to_string(a % 1000);
    metri.insert(0, 3 - metri.size(), '0');
    return std::string("km ") + (metri_linea < 0 ? "-" : "") + std::to_string(a / 1000) + "." + metri;
}

}  // namespace compattatore::lsp
