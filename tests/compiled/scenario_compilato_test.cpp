// The model of a compiled scenario: which entries are stations and sign
// texts, how restriction cells pair, and the kilometre references, on
// layouts of entries and cells written the way the compiler writes them and
// the ways a damaged or hand-edited file may hold them.
#include "compiled/scenario_compilato.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/scenario_prova.h"

namespace compattatore {
namespace {

using test::cella;

Voce stazione(std::uint8_t tipo, std::int32_t posizione, const char* nome) {
    Voce v;
    v.tipo = tipo;
    v.posizione = posizione;
    v.inizio = posizione - 200;
    v.fine = posizione + 200;
    v.nome = nome;
    return v;
}

Voce testo(const char* t) {
    Voce v;
    v.nome = t;
    return v;
}

// Roles written as one letter per entry from entry 1 to 80: S station,
// C sign text, v empty, a something else.
std::string ruoli_1_80(const RipartizioneVoci& r) {
    std::string s;
    for (std::size_t i = 1; i <= ultimo_cartello; ++i) {
        switch (r.ruoli[i]) {
            case RuoloVoce::stazione: s += 'S'; break;
            case RuoloVoce::cartello: s += 'C'; break;
            case RuoloVoce::vuota: s += 'v'; break;
            default: s += 'a'; break;
        }
    }
    return s;
}

std::string ruoli_attesi(const std::vector<std::pair<int, char>>& tratti) {
    std::string s;
    for (const auto& [n, c] : tratti) s += std::string(static_cast<std::size_t>(n), c);
    return s;
}

TEST(RipartizioneVoci, StazioniDa1CartelliDa80) {
    struct Caso {
        const char* nome;
        std::vector<std::pair<int, Voce>> voci;
        std::vector<Cella> celle;  // cells 0.. of the grid; none: the entries alone
        int numero_stazioni, primo_cartello;
        std::string ruoli;
    };
    const Caso casi[] = {
        {"come il compilatore le scrive",
         {{1, stazione(1, 1000, "Brunovale")}, {2, stazione(22, 5000, "Quarzo")}, {80, testo("(Zona)")},
          {79, testo("(Dev.I.)")}},
         {},
         2, 79, ruoli_attesi({{2, 'S'}, {76, 'v'}, {2, 'C'}})},
        {"una stazione con il solo nome resta una stazione",
         {{1, testo("Capolinea")}, {2, stazione(22, 5000, "Seconda")}, {80, testo("(Zona)")}},
         {},
         2, 80, ruoli_attesi({{2, 'S'}, {77, 'v'}, {1, 'C'}})},
        {"un cartello dal testo vuoto si trova dalla cella che lo indica",
         {{1, stazione(1, 1000, "A")}, {79, testo("(Zona)")}},
         {Cella{}, cella(TipoCella::cartello, 80), cella(TipoCella::cartello, 79)},
         1, 79, ruoli_attesi({{1, 'S'}, {77, 'v'}, {2, 'C'}})},
        {"senza la griglia, dal primo testo dopo le stazioni",
         {{1, stazione(1, 1000, "A")}, {79, testo("(Zona)")}},
         {},
         1, 79, ruoli_attesi({{1, 'S'}, {77, 'v'}, {2, 'C'}})},
        {"un cartello perso sotto una fermata resta un cartello",
         {{1, stazione(1, 1000, "A")}, {78, testo("(Dev.I.)")}, {79, testo("(Zona)")}},
         {cella(TipoCella::cartello, 79), cella(TipoCella::cartello, 80)},
         1, 78, ruoli_attesi({{1, 'S'}, {76, 'v'}, {3, 'C'}})},
        {"le stazioni finiscono alla prima voce vuota",
         {{1, stazione(1, 1000, "A")}, {3, stazione(1, 3000, "C")}},
         {},
         1, 81, ruoli_attesi({{1, 'S'}, {1, 'v'}, {1, 'a'}, {77, 'v'}})},
        {"un solo nome dopo l'ultima stazione e un cartello",
         {{1, stazione(1, 1000, "A")}, {2, testo("(Zona)")}},
         {},
         1, 2, ruoli_attesi({{1, 'S'}, {79, 'C'}})},
        {"una cella che indica una stazione o l'intestazione non sposta i cartelli",
         {{1, stazione(1, 1000, "A")}, {80, testo("(Zona)")}},
         {cella(TipoCella::cartello, 1), cella(TipoCella::cartello, 85), cella(TipoCella::cartello, -3)},
         1, 80, ruoli_attesi({{1, 'S'}, {78, 'v'}, {1, 'C'}})},
        {"nessuna voce", {}, {}, 0, 81, ruoli_attesi({{80, 'v'}})},
    };
    for (const Caso& c : casi) {
        Voci voci{};
        for (const auto& [i, v] : c.voci) voci[static_cast<std::size_t>(i)] = v;
        const RipartizioneVoci r = ripartisci_voci(voci, c.celle);
        EXPECT_EQ(r.numero_stazioni, c.numero_stazioni) << c.nome;
        EXPECT_EQ(r.primo_cartello, c.primo_cartello) << c.nome;
        EXPECT_EQ(ruoli_1_80(r), c.ruoli) << c.nome;
        EXPECT_EQ(r.ruoli[0], RuoloVoce::vuota) << c.nome;
        for (std::size_t i = voce_progressiva_tre; i <= voce_treno; ++i)
            EXPECT_EQ(r.ruoli[i], RuoloVoce::intestazione) << c.nome;
    }
    Voci voci{};
    voci[0].orario = 1;
    EXPECT_EQ(ripartisci_voci(voci).ruoli[0], RuoloVoce::altro);
}

// Restriction cells as (type, first value) from cell 0, and the pairs each
// rule finds as (warning, start, end).
TEST(RallentamentiCompilati, InizioEFineInCoppia) {
    using Tripla = std::tuple<std::int64_t, std::int64_t, std::int64_t>;
    constexpr TipoCella A = TipoCella::avviso_rallentamento, I = TipoCella::inizio_rallentamento,
                           F = TipoCella::fine_rallentamento, S = TipoCella::segnale;
    struct Caso {
        const char* nome;
        std::vector<std::pair<TipoCella, std::int16_t>> celle;
        std::vector<Tripla> in_ordine, come_scritti;
    };
    const Caso casi[] = {
        {"avviso, inizio e fine", {{A, 60}, {S, 0}, {I, 60}, {TipoCella::vuota, 0}, {F, 60}}, {{0, 2, 4}}, {{-1, 2, 4}}},
        {"senza fine finisce sul suo inizio", {{I, 60}, {TipoCella::vuota, 0}}, {{-1, 0, 0}}, {{-1, 0, 0}}},
        {"una fine senza inizio non conta", {{F, 60}, {I, 60}, {F, 60}}, {{-1, 1, 2}}, {{-1, 1, 2}}},
        {"un inizio dentro un altro",
         {{I, 60}, {I, 30}, {F, 30}, {F, 60}},
         {{-1, 0, 0}, {-1, 1, 2}},
         {{-1, 0, 3}, {-1, 1, 2}}},
        {"l'avviso va all'inizio che lo segue",
         {{A, 60}, {I, 60}, {F, 60}, {A, 30}, {I, 30}, {F, 30}},
         {{0, 1, 2}, {3, 4, 5}},
         {{-1, 1, 2}, {-1, 4, 5}}},
    };
    for (const Caso& c : casi) {
        std::vector<Cella> celle;
        for (const auto& [tipo, v] : c.celle) celle.push_back(cella(tipo, v));
        for (const Appaiamento a : {Appaiamento::in_ordine, Appaiamento::come_scritti}) {
            std::vector<Tripla> trovate;
            for (const RallentamentoCompilato& r : rallentamenti_compilati(celle, a)) {
                trovate.emplace_back(r.cella_avviso, r.cella_inizio, r.cella_fine);
                EXPECT_EQ(r.velocita, celle[static_cast<std::size_t>(r.cella_inizio)].valore1) << c.nome;
            }
            EXPECT_EQ(trovate, a == Appaiamento::in_ordine ? c.in_ordine : c.come_scritti) << c.nome;
        }
    }
}

TEST(ScenarioCompilato, ChilometriCelleEStazioni) {
    Voci voci{};
    voci[1] = stazione(1, 1000, "Citt\xE0");
    voci[2] = stazione(22, 6000, "Quarzo");
    voci[80] = testo("(Zona)");
    // Two references: from 0 m increasing at 100 km, from 3000 m decreasing
    // from 110 km (the ordering stored it with 100 m added).
    voci[voce_progressiva_tre] = Voce{};
    voci[voce_progressiva_tre].inizio = 3000;
    voci[voce_progressiva_tre].fine = 110000 + aggiunta_decrescente;
    voci[voce_progressiva_tre].posizione = 1;
    voci[voce_progressiva_due].fine = 100000;
    voci[voce_percorso].fine = 8000;
    std::vector<Cella> celle(10);
    celle[3] = cella(TipoCella::cartello, 80);
    celle[5] = cella(TipoCella::inizio_rallentamento, 30);
    celle[8] = cella(TipoCella::fine_rallentamento, 30);
    const ScenarioCompilato s("L", "T", celle, voci, std::nullopt);

    ASSERT_EQ(s.stazioni().size(), 2u);
    EXPECT_EQ(s.stazioni()[0].voce, 1);
    EXPECT_EQ(s.stazioni()[0].nome, "Citt\xE0");
    EXPECT_EQ(s.stazioni()[1].posizione, 6000);
    EXPECT_EQ(s.stazioni()[1].tipo, 22);
    EXPECT_EQ(s.lunghezza_linea(), 8000);

    ASSERT_EQ(s.progressive().size(), 2u);
    EXPECT_EQ(s.progressive()[0].inizio, 0);
    EXPECT_EQ(s.progressive()[0].valore, 100000);
    EXPECT_FALSE(s.progressive()[0].decrescente);
    EXPECT_EQ(s.progressive()[1].inizio, 3000);
    EXPECT_EQ(s.progressive()[1].valore, 110000);
    EXPECT_TRUE(s.progressive()[1].decrescente);
    EXPECT_EQ(chilometro(s.progressive(), 2000), 102000);
    EXPECT_EQ(chilometro(s.progressive(), 4000), 106000);

    ASSERT_NE(s.testo_cartello(celle[3]), nullptr);
    EXPECT_EQ(*s.testo_cartello(celle[3]), "(Zona)");
    EXPECT_EQ(s.testo_cartello(cella(TipoCella::cartello, 87)), nullptr);

    ASSERT_EQ(s.rallentamenti().size(), 1u);
    EXPECT_EQ(s.rallentamenti()[0].metro_inizio(), 200);
    EXPECT_EQ(s.rallentamenti()[0].metro_fine(), 350);

    // An element at p goes into cell p / 50 + 1; cell n stands for (n - 1) x 50.
    for (std::int64_t p : {0, 50, 1000, 333350}) EXPECT_EQ(metro_di_cella(cella_di(p)), p) << p;
    EXPECT_EQ(inizio_tratto(3), 150);
}

}  // namespace
}  // namespace compattatore
