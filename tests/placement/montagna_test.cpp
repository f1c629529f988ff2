#include <gtest/gtest.h>

#include "support/grid.h"
#include "placement/posa.h"

using namespace compattatore;

namespace {

void montagna(test::Grid& s, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
    s.record(memo_montagna(s.celle, s.montagne, inizio, fine, tipo));
}

TEST(MemoMontagna, TipoOltreDieciSegnaOgniQuartaCellaLibera) {
    test::Grid s = test::empty_grid(300);
    s.celle[186].tipo = TipoCella::segnale;  // not free: keeps its element
    s.celle[200].montagna = 7;                // overwritten
    const test::Grid prima = s;
    std::int32_t tipo = 12;
    montagna(s, 8750, 11150, tipo);

    EXPECT_EQ(s.montagne.numero, 1);
    EXPECT_EQ(s.montagne.inizi[1], 8750);
    EXPECT_EQ(s.montagne.fini[1], 11150);
    std::vector<std::size_t> attese;
    for (std::size_t c = 175; c <= 222; ++c) {
        attese.push_back(c);
        EXPECT_EQ(s.celle[c].montagna, 2) << c;
        const bool segno = (c - 175 + 1) % 4 == 0 && c != 186;
        EXPECT_EQ(codice_tipo_cella(s.celle[c].tipo), segno ? 11 : (c == 186 ? 1 : 0)) << c;
    }
    EXPECT_EQ(codice_tipo_cella(s.celle[178].tipo), 11);
    EXPECT_EQ(codice_tipo_cella(s.celle[222].tipo), 11);
    EXPECT_EQ(test::changed_cells(prima, s), attese);
}

TEST(MemoMontagna, TipoFinoADieciNonScriveSegni) {
    test::Grid s = test::empty_grid(300);
    std::int32_t tipo = 10;
    montagna(s, 8750, 11150, tipo);
    for (std::size_t c = 175; c <= 222; ++c) {
        EXPECT_EQ(s.celle[c].montagna, 10);
        EXPECT_EQ(codice_tipo_cella(s.celle[c].tipo), 0);
    }
}

TEST(MemoMontagna, UnTrattoVicinoAlPrecedenteDiventaTipo3) {
    struct Caso {
        std::int32_t inizio, tipo, tipo_dopo;
    };
    // The previous stretch ends at 2000.
    for (const Caso caso : {Caso{2150, 1, 3}, Caso{2151, 1, 1}, Caso{1900, 2, 3}, Caso{2100, 12, 3},
                            Caso{2400, 12, 2}}) {
        test::Grid s = test::empty_grid(300);
        montagna(s, 1000, 2000, 1);
        montagna(s, caso.inizio, 4000, caso.tipo);
        const auto prima_cella = static_cast<std::size_t>(caso.inizio / 50);
        EXPECT_EQ(s.celle[prima_cella + 1].montagna, caso.tipo_dopo) << caso.inizio;
        // The filler request survives the change of type.
        EXPECT_EQ(codice_tipo_cella(s.celle[prima_cella + 3].tipo), caso.tipo > 10 ? 11 : 0) << caso.inizio;
    }
}

TEST(MemoMontagna, UnIntervalloVuotoNonScriveMaConta) {
    test::Grid s = test::empty_grid(300);
    const test::Grid prima = s;
    std::int32_t tipo = 12;
    montagna(s, 5000, 5000, tipo);
    EXPECT_EQ(s.montagne.numero, 1);
    EXPECT_EQ(s.montagne.fini[1], 5000);
    EXPECT_TRUE((prima.celle == s.celle));
}

TEST(MemoMontagna, CelleFuoriGrigliaSaltateENumerazioneMantenuta) {
    test::Grid s = test::empty_grid(100);
    std::int32_t tipo = 11;
    montagna(s, 4800, 6000, tipo);  // cells 96 to 119
    for (std::size_t c = 96; c <= 100; ++c) EXPECT_EQ(s.celle[c].montagna, 1);
    EXPECT_EQ(codice_tipo_cella(s.celle[99].tipo), 11);
    EXPECT_EQ(s.celle.size(), 101u);

    test::Grid t = test::empty_grid(100);
    tipo = 11;
    montagna(t, -200, 500, tipo);  // cells -4 to 9
    for (std::size_t c = 0; c <= 9; ++c) EXPECT_EQ(t.celle[c].montagna, 1);
    EXPECT_EQ(t.celle[10].montagna, 0);
    EXPECT_EQ(codice_tipo_cella(t.celle[3].tipo), 11);
    EXPECT_EQ(codice_tipo_cella(t.celle[7].tipo), 11);
    EXPECT_EQ(codice_tipo_cella(t.celle[4].tipo), 0);
}

TEST(MemoMontagna, LOttantunesimoRecordERifiutatoCon25) {
    test::Grid s = test::empty_grid(5000);
    for (std::int32_t n = 0; n < 80; ++n) {
        std::int32_t tipo = 1;
        montagna(s, n * 1000, n * 1000 + 500, tipo);
    }
    EXPECT_EQ(s.montagne.numero, 80);
    EXPECT_EQ(numero(s.codice), 0);

    const test::Grid prima = s;
    std::int32_t tipo = 12;
    montagna(s, 100000, 101000, tipo);
    EXPECT_EQ(numero(s.codice), 25);
    EXPECT_EQ(s.montagne.numero, 80);
    EXPECT_EQ(s.montagne.inizi, prima.montagne.inizi);
    EXPECT_EQ(s.montagne.fini, prima.montagne.fini);
    EXPECT_TRUE((prima.celle == s.celle));
}

}  // namespace
