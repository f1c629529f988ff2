// The timetable card: pages of 31 table rows, each with the header box, the
// classification box and the table head, the page marker "SCHEDA n/N".
#include <array>
#include <string>
#include <vector>

#include "documents/corsa.h"
#include "documents/documenti_scenario.h"
#include "documents/formato_documenti.h"
#include "documents/tabella_scheda.h"
#include "documents/testo_documento.h"
#include "tables/celle.h"

namespace compattatore {

namespace {

constexpr std::size_t righe_per_pagina = 31;
// How many post counts above the one that surely fits are tried.
constexpr std::size_t prove_oltre_il_minimo = 64;

const std::string chiusura = " |_____|_____|__________|_____|____________________________|________________|_____|";

// Tonnes of train per coach, for the blocked mass.
constexpr int tonnellate_per_vettura = 50;
// The speed classes of rolling stock: the train's is the first one that
// reaches its highest limit.
constexpr std::array<int, 7> classi_velocita = {100, 120, 140, 160, 200, 250, 300};

// What the header boxes show.
struct Intestazione {
    std::string numero, origine, destinazione, classe, frenatura, categoria, massa;
};

// The rank (A, B or C) whose board speeds the train's limit follows: at
// each maximum-speed board, the rank whose speed equals the limit there.
std::string rango(const Scenario& s, const Corsa& c) {
    std::array<int, 3> uguali{};
    for (std::size_t n = 1; n < s.celle.size(); ++n) {
        const Cella& x = s.celle[n];
        if (x.tipo != TipoCella::indicatore_v_max) continue;
        const int limite = c.limite(static_cast<std::int32_t>(metro_di_cella(static_cast<std::int64_t>(n))));
        const std::array<std::int16_t, 3> valori = {x.valore1, x.valore2, x.valore3};
        for (std::size_t r = 0; r < 3; ++r)
            if (valori[r] >= 0 && valori[r] / 100 * 5 == limite) ++uguali[r];
    }
    std::size_t migliore = 2;
    for (std::size_t r = 3; r-- > 0;)
        if (uguali[r] > uguali[migliore]) migliore = r;
    if (uguali[migliore] == 0) return {};
    return std::string(1, static_cast<char>('A' + migliore));
}

std::string classe_treno(const Scenario& s, const Corsa& c) {
    int massima = 0;
    for (const CambioVelocita& v : c.velocita) massima = std::max(massima, v.kmh);
    if (massima <= 0) return {};
    int classe = massima;
    for (int k : classi_velocita)
        if (k >= massima) {
            classe = k;
            break;
        }
    const std::string r = rango(s, c);
    return "V" + std::to_string(classe) + (r.empty() ? "" : " " + r);
}

Intestazione intestazione(const Scenario& s, const Corsa& c) {
    const VistaIntestazione h{s.voci};
    Intestazione i;
    i.numero = s.documenti.numero_treno.empty() ? h.nome_treno() : s.documenti.numero_treno;
    i.categoria = s.documenti.categoria.empty() ? std::string(categoria_predefinita) : s.documenti.categoria;
    if (!c.stazioni.empty()) {
        i.origine = c.stazioni.front().nome;
        i.destinazione = c.stazioni.back().nome;
    }
    i.classe = classe_treno(s, c);
    i.frenatura = std::to_string(h.massa_frenata()) + "%";
    i.massa = std::to_string(static_cast<std::int64_t>(h.vetture()) * tonnellate_per_vettura) + "T";
    return i;
}

std::vector<std::string> testata(const Intestazione& i, std::size_t pagina, std::size_t pagine) {
    const std::string marcatore = "SCHEDA " + std::to_string(pagina) + "/" + std::to_string(pagine);
    return {
        "  " + std::string(19, '_') + std::string(47, ' ') + std::string(14, '_'),
        " |" + std::string(19, ' ') + "|" + a_sinistra(std::string(20, ' ') + marcatore, 45) + "|" +
            std::string(14, ' ') + "|",
        " |   TRENO n.  " + a_sinistra(i.numero, 6) + "|" + a_sinistra(std::string(19, ' ') + "da: " + i.origine, 45) +
            "|" + al_centro(i.classe, 14) + "|",
        " |" + std::string(19, '_') + "|" + a_sinistra(std::string(20, ' ') + "a: " + i.destinazione, 45) + "|" +
            al_centro(i.frenatura, 14) + "|",
        std::string(67, ' ') + "|" + std::string(14, '_') + "|",
        "  ___________________                ___________________",
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
        " |" + al_centro(i.categoria, 19) + "|" + std::string(14, ' ') + "|" + a_sinistra("      " + i.massa, 19) + "|",
        " |___________________|              |___________________|",
        "",
        "  " + std::string(80, '_'),
        " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
        " | Lim.|Marc.|          |  Rs |                            |                |     |",
        chiusura,
    };
}

// A row written into the closing rule: every blank inside the frame an underscore.
std::string sulla_chiusura(std::string r) {
    for (std::size_t k = 1; k < r.size(); ++k)
        if (r[k] == ' ') r[k] = '_';
    return r;
}

// A page's rows, pointing into the rows they were cut from.
struct Pagina {
    std::vector<const std::string*> righe;
    bool ultima_sulla_chiusura = false;
};

// Pages of 31 rows.  A page never begins with a protection signal, so that
// the page turns at the station it protects: a page followed by one is
// written with that row into its closing rule.  A page turn parts two legs
// already: no page begins with a spacer row.
std::vector<Pagina> impagina(const RigheScheda& tabella) {
    const std::vector<const RigaScheda*>& righe = tabella.ordine;
    std::vector<Pagina> pagine;
    std::size_t i = 0;
    while (i < righe.size() || pagine.empty()) {
        Pagina p;
        while (p.righe.size() < righe_per_pagina && i < righe.size()) {
            const RigaScheda* r = righe[i++];
            if (r->tipo != TipoRigaScheda::spaziatura || !p.righe.empty()) p.righe.push_back(&r->testo);
        }
        // The spacer rows the next page would begin with are dropped here,
        // so that a protection signal after them is seen.
        while (i < righe.size() && righe[i]->tipo == TipoRigaScheda::spaziatura) ++i;
        if (i < righe.size() && righe[i]->tipo == TipoRigaScheda::protezione) {
            p.righe.push_back(&righe[i++]->testo);
            p.ultima_sulla_chiusura = true;
        }
        pagine.push_back(std::move(p));
    }
    return pagine;
}

// The card's lines: two empty lines, the pages with their separators, an
// empty line.
std::vector<std::string> componi_pagine(const Intestazione& i, const std::vector<Pagina>& pagine) {
    std::vector<std::string> out = {"", ""};
    for (std::size_t n = 1; n <= pagine.size(); ++n) {
        const Pagina& p = pagine[n - 1];
        for (std::string& r : testata(i, n, pagine.size())) out.push_back(std::move(r));
        for (std::size_t k = 0; k < p.righe.size(); ++k)
            out.push_back(p.ultima_sulla_chiusura && k + 1 == p.righe.size() ? sulla_chiusura(*p.righe[k]) : *p.righe[k]);
        if (!p.ultima_sulla_chiusura) out.push_back(chiusura);
        if (n == pagine.size()) break;
        // The separators between pages.
        if (n == 1)
            out.insert(out.end(), {"", "", std::string(81, '.'), "", ""});
        else if (n == 2)
            out.insert(out.end(), {"", "", std::string(72, '.'), ""});
        else
            out.insert(out.end(), {"", std::string(72, '.'), ""});
    }
    out.push_back("");
    return out;
}

// The rows and their pages: the kilometre posts spread along the run fill
// the pages that the other rows need, as many as they hold (pages that take
// a 32nd row into their closing rule hold one more: the counts up to one
// post more per page are tried, most first); then the spacer rows take the
// places of some of them.
std::vector<std::string> pagine_della_scheda(const Corsa& c, const DatiDocumenti& d, const Intestazione& i) {
    const TabellaScheda tabella(c, d);
    const std::size_t fisse = tabella.senza_cippi_sparsi();
    const std::size_t pagine = std::max<std::size_t>(1, (fisse + righe_per_pagina - 1) / righe_per_pagina);
    // Rows enough to fill every page: they always fit.
    const std::size_t minimo = righe_per_pagina * pagine - fisse;
    const std::size_t massimo = minimo + std::min<std::size_t>(pagine, prove_oltre_il_minimo);
    for (std::size_t sparsi = massimo; sparsi > minimo; --sparsi) {
        const int n = static_cast<int>(sparsi);
        if (impagina(tabella.righe(n, false)).size() > pagine) continue;
        const RigheScheda righe = tabella.righe(n, true);
        if (const std::vector<Pagina> p = impagina(righe); p.size() <= pagine) return componi_pagine(i, p);
    }
    const RigheScheda righe = tabella.righe(static_cast<int>(minimo), true);
    return componi_pagine(i, impagina(righe));
}

}  // namespace

std::vector<std::string> righe_scheda_treno(const Scenario& s) {
    const Corsa c = leggi_corsa(s);
    return pagine_della_scheda(c, s.documenti, intestazione(s, c));
}

std::string scheda_treno(const Scenario& s) { return testo_crlf(righe_scheda_treno(s)); }

}  // namespace compattatore
