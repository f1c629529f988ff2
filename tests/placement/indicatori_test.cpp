#include <gtest/gtest.h>

#include "support/grid.h"
#include "placement/posa.h"

using namespace compattatore;

namespace {

struct Indicatore {
    std::int32_t posizione;
    std::int32_t vas, vbs, vcs, strisces, vad, vbd, vcd, strisced;

    void posa(test::Grid& s) {
        s.record(memo_indicatori_v_max(s.celle, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced));
    }
};

TEST(MemoIndicatori, RecordDellaDescrizione) {
    struct Caso {
        Indicatore i;
        std::size_t cella;
        std::int16_t v1, v2, v3, v4;
    };
    // indicatori_vmax,  7300,  75,  80,  85,  0,  75,  80,  85,  0
    // indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0   (right side empty)
    for (Caso caso : {Caso{{7300, 75, 80, 85, 0, 75, 80, 85, 0}, 147, 1515, 1616, 1717, 0},
                      Caso{{1000, 90, 95, 100, 0, 0, 0, 0, 0}, 21, 1800, 1900, 2000, 0},
                      Caso{{1000, 0, 0, 0, 2, 12, 13, 5, 1}, 21, 2, 3, 1, 21}}) {
        test::Grid s = test::empty_grid(200);
        const test::Grid prima = s;
        caso.i.posa(s);
        EXPECT_EQ(numero(s.codice), 0);
        const Cella& c = s.celle[caso.cella];
        EXPECT_EQ(codice_tipo_cella(c.tipo), 6);
        EXPECT_EQ(c.valore1, caso.v1);
        EXPECT_EQ(c.valore2, caso.v2);
        EXPECT_EQ(c.valore3, caso.v3);
        EXPECT_EQ(c.valore4, caso.v4);
        EXPECT_EQ(test::changed_cells(prima, s), std::vector<std::size_t>{caso.cella});
    }
}

TEST(MemoIndicatori, CellaOccupataRifiutaCon21IlSegnoNo) {
    test::Grid s = test::empty_grid(200);
    s.celle[147].tipo = TipoCella::segnale;
    const test::Grid prima = s;
    Indicatore{7300, 75, 80, 85, 0, 75, 80, 85, 0}.posa(s);
    EXPECT_EQ(numero(s.codice), 21);
    EXPECT_TRUE((prima.celle == s.celle));

    test::Grid t = test::empty_grid(200);
    t.celle[147].tipo = TipoCella::segno_montagna;
    Indicatore{7300, 75, 80, 85, 0, 75, 80, 85, 0}.posa(t);
    EXPECT_EQ(numero(t.codice), 0);
    EXPECT_EQ(codice_tipo_cella(t.celle[147].tipo), 6);
}

TEST(MemoIndicatori, VelocitaFuoriCampoRifiutaCon25) {
    for (Indicatore i : {Indicatore{7300, 1700, 0, 0, 0, 0, 0, 0, 0},     // 34000
                         Indicatore{7300, 0, 0, -1700, 0, 0, 0, 0, 0},    // -34000
                         Indicatore{7300, 0, 0, 0, 3300, 0, 0, 0, 0}}) {  // stripes 33000
        test::Grid s = test::empty_grid(200);
        const test::Grid prima = s;
        i.posa(s);
        EXPECT_EQ(numero(s.codice), 25);
        EXPECT_TRUE((prima.celle == s.celle));
    }
}

}  // namespace
