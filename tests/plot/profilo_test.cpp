#include "plot/profilo.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Profilo, IByteDelleCelleDiventanoTrattiDi50Metri) {
    std::vector<Cella> celle(6);
    const std::uint8_t velocita[] = {6, 6, 20, 20, 20, 0};
    const std::uint8_t pendenza[] = {100, 100, 100, 89, 89, 0};
    for (std::size_t c = 0; c < 6; ++c) {
        celle[c].velocita = velocita[c];
        celle[c].pendenza = pendenza[c];
    }
    celle[2].montagna = 2;
    celle[3].montagna = 2;
    celle[5].montagna = 3;
    const ProfiloLinea p = estrai_profilo({"L", "T", celle, Voci{}, std::nullopt});

    ASSERT_EQ(p.velocita.size(), 3u);
    EXPECT_EQ(p.velocita[0].da, 0);
    EXPECT_EQ(p.velocita[0].a, 100);
    EXPECT_EQ(p.velocita[0].valore, 30);  // km/h
    EXPECT_EQ(p.velocita[1].da, 100);
    EXPECT_EQ(p.velocita[1].a, 250);
    EXPECT_EQ(p.velocita[1].valore, 100);
    ASSERT_EQ(p.pendenza.size(), 3u);
    EXPECT_EQ(p.pendenza[1].valore, -11);  // per mille
    // Montagna stretches only where the byte is set, split where the kind changes.
    ASSERT_EQ(p.montagne.size(), 2u);
    EXPECT_EQ(p.montagne[0].da, 100);
    EXPECT_EQ(p.montagne[0].a, 200);
    EXPECT_EQ(p.montagne[1].da, 250);
    EXPECT_EQ(p.montagne[1].valore, 3);
}

TEST(Profilo, GliElementiStannoDoveLaPosaLiHaMessi) {
    std::vector<Cella> celle(2500);
    celle[22].tipo = TipoCella::segnale;
    celle[21].tipo = TipoCella::indicatore_v_max;
    celle[21].valore1 = 1800;
    celle[21].valore2 = 1900;
    celle[21].valore3 = 2000;
    celle[160].tipo = TipoCella::cartello;
    celle[160].valore1 = 80;
    // "rallentamento, 123150, 80, 800, 0, 1, 80": warning 2440, start 2464, end 2480.
    celle[2440].tipo = TipoCella::avviso_rallentamento;
    celle[2464].tipo = TipoCella::inizio_rallentamento;
    celle[2464].valore1 = 80;
    celle[2480].tipo = TipoCella::fine_rallentamento;
    // A restriction shorter than a cell: its start is its own end.
    celle[100].tipo = TipoCella::inizio_rallentamento;
    celle[100].valore1 = 30;
    Voci voci{};
    voci[80].nome = "(Zona)(Cod )";
    voci[voce_percorso].fine = 120000;
    const ProfiloLinea p = estrai_profilo({"L", "T", celle, voci, std::nullopt});

    EXPECT_EQ(p.lunghezza, 120000);
    ASSERT_EQ(p.segnali.size(), 1u);
    EXPECT_EQ(p.segnali[0].metri, 1050);
    ASSERT_EQ(p.indicatori.size(), 1u);
    EXPECT_EQ(p.indicatori[0].metri, 1000);
    EXPECT_EQ(p.indicatori[0].sinistro_a, 90);
    EXPECT_EQ(p.indicatori[0].sinistro_c, 100);
    ASSERT_EQ(p.cartelli.size(), 1u);
    EXPECT_EQ(p.cartelli[0].metri, 7950);
    EXPECT_EQ(p.cartelli[0].testo, "(Zona)(Cod )");
    ASSERT_EQ(p.rallentamenti.size(), 2u);
    EXPECT_EQ(p.rallentamenti[0].inizio, 4950);
    EXPECT_EQ(p.rallentamenti[0].fine, 4950);
    EXPECT_EQ(p.rallentamenti[0].avviso, -1);
    EXPECT_EQ(p.rallentamenti[1].avviso, 121950);
    EXPECT_EQ(p.rallentamenti[1].inizio, 123150);
    EXPECT_EQ(p.rallentamenti[1].fine, 123950);
    EXPECT_EQ(p.rallentamenti[1].velocita, 80);
}

TEST(Profilo, StazioniDalleVociELunghezzaDallaGrigliaSeLIntestazioneNonCeLHa) {
    std::vector<Cella> celle(161);  // 8000 m of grid: a line of 1000 m
    Voci voci{};
    voci[1].tipo = 8;
    voci[1].inizio = -500;
    voci[1].fine = 500;
    voci[1].nome = "Citt\xE0";
    voci[1].orario = 58470;
    voci[80].nome = "(Dev.I.)";
    const ProfiloLinea p = estrai_profilo({"L", "T", celle, voci, std::nullopt});
    EXPECT_EQ(p.lunghezza, 1000);
    ASSERT_EQ(p.stazioni.size(), 1u);
    EXPECT_EQ(p.stazioni[0].voce, 1);
    EXPECT_EQ(p.stazioni[0].inizio, -500);
    EXPECT_EQ(p.stazioni[0].nome, "Citt\xC3\xA0");
    EXPECT_EQ(p.stazioni[0].orario, 58470);
}

}  // namespace
}  // namespace compattatore
