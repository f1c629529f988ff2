#include <gtest/gtest.h>

#include "support/grid.h"
#include "placement/posa.h"

using namespace compattatore;

namespace {

struct Rallentamento {
    std::int32_t x = 123150, v = 80, l = 800, f_tt = 0, f_ta = 1, d_v = 80;

    void posa(test::Grid& s) { s.record(memo_rallentamento(s.celle, x, v, l, f_tt, f_ta, d_v)); }
};

TEST(MemoRallentamento, RecordDellaDescrizioneConSecondaVelocita) {
    // rallentamento,  123150,    80,  800, 0,  1,  80
    test::Grid s = test::empty_grid(2600);
    const test::Grid prima = s;
    Rallentamento{}.posa(s);
    EXPECT_EQ(numero(s.codice), 0);

    struct Atteso {
        std::size_t cella;
        std::uint8_t tipo;
        std::int16_t v1, v2, v3;
    };
    for (const Atteso a : {Atteso{2440, 4, 80, 80, 0}, Atteso{2464, 3, 80, 80, 0}, Atteso{2480, 2, 80, 80, 0},
                           Atteso{2439, 5, 1, 1, 0}, Atteso{2438, 5, 2, 2, 0}, Atteso{2437, 5, 3, 3, 0},
                           Atteso{2436, 5, 4, 4, 0}}) {
        const Cella& c = s.celle[a.cella];
        EXPECT_EQ(codice_tipo_cella(c.tipo), a.tipo) << a.cella;
        EXPECT_EQ(c.valore1, a.v1) << a.cella;
        EXPECT_EQ(c.valore2, a.v2) << a.cella;
        EXPECT_EQ(c.valore3, a.v3) << a.cella;
    }
    EXPECT_EQ(test::changed_cells(prima, s),
              (std::vector<std::size_t>{2436, 2437, 2438, 2439, 2440, 2464, 2480}));
}

TEST(MemoRallentamento, SenzaSecondaVelocitaValore2RestaComEra) {
    test::Grid s = test::empty_grid(2600);
    for (std::size_t c : {2436u, 2437u, 2438u, 2439u, 2440u, 2464u, 2480u}) s.celle[c].valore2 = 7;
    Rallentamento r;
    r.d_v = 0;
    r.f_tt = 3;
    r.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    for (std::size_t c : {2436u, 2437u, 2438u, 2439u, 2440u, 2464u, 2480u}) EXPECT_EQ(s.celle[c].valore2, 7) << c;
    EXPECT_EQ(s.celle[2464].valore3, 3);
    EXPECT_EQ(s.celle[2480].valore3, 3);
    EXPECT_EQ(s.celle[2440].valore3, 0);
    EXPECT_EQ(s.celle[2436].valore1, 4);
}

TEST(MemoRallentamento, AvvisoSoloOltre1500) {
    test::Grid s = test::empty_grid(200);
    const test::Grid prima = s;
    Rallentamento r;
    r.x = 1500;
    r.l = 500;
    r.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(test::changed_cells(prima, s), (std::vector<std::size_t>{31, 41}));

    test::Grid t = test::empty_grid(200);
    r.x = 1550;
    r.posa(t);
    EXPECT_EQ(numero(t.codice), 0);
    EXPECT_EQ(test::changed_cells(prima, t), (std::vector<std::size_t>{4, 5, 6, 7, 8, 32, 42}));
    EXPECT_EQ(codice_tipo_cella(t.celle[8].tipo), 4);
    EXPECT_EQ(t.celle[7].valore1, 1);
    EXPECT_EQ(t.celle[4].valore1, 4);
}

TEST(MemoRallentamento, RifiutiECioCheLiPrecede) {
    struct Caso {
        std::size_t occupata;
        std::int32_t codice;
        std::vector<std::size_t> scritte;
    };
    for (const Caso& caso : {Caso{2440, 17, {}}, Caso{2464, 18, {}}, Caso{2480, 19, {}},
                             Caso{2437, 20, {2440, 2464, 2480}}}) {
        test::Grid s = test::empty_grid(2600);
        s.celle[caso.occupata].tipo = TipoCella::indicatore_v_max;
        const test::Grid prima = s;
        Rallentamento{}.posa(s);
        EXPECT_EQ(numero(s.codice), caso.codice);
        EXPECT_EQ(test::changed_cells(prima, s), caso.scritte) << caso.codice;
    }
}

TEST(MemoRallentamento, LeCelleDeiPreavvisiSiControllanoSoloSeRichieste) {
    test::Grid s = test::empty_grid(2600);
    s.celle[2437].tipo = TipoCella::segnale;
    Rallentamento r;
    r.f_ta = 0;
    r.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(codice_tipo_cella(s.celle[2439].tipo), 0);
    EXPECT_EQ(codice_tipo_cella(s.celle[2440].tipo), 4);
}

TEST(MemoRallentamento, UnRallentamentoPiuCortoDiUnaCellaFiniscePerInizio) {
    test::Grid s = test::empty_grid(2600);
    Rallentamento r;
    r.l = 10;
    r.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(codice_tipo_cella(s.celle[2464].tipo), 3);
    EXPECT_EQ(s.celle[2464].valore1, 80);
}

TEST(MemoRallentamento, UnaFineOltreLaGrigliaESaltata) {
    test::Grid s = test::empty_grid(2470);
    const test::Grid prima = s;
    Rallentamento{}.posa(s);  // end due at 2480
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(s.celle.size(), 2471u);
    EXPECT_EQ(test::changed_cells(prima, s), (std::vector<std::size_t>{2436, 2437, 2438, 2439, 2440, 2464}));
}

TEST(MemoRallentamento, UnValoreFuoriCampoRifiutaCon25) {
    for (Rallentamento r : {Rallentamento{123150, 40000, 800, 0, 1, 80}, Rallentamento{123150, 80, 800, 0, 1, -40000},
                            Rallentamento{123150, 80, 800, 32768, 1, 80}}) {
        test::Grid s = test::empty_grid(2600);
        const test::Grid prima = s;
        r.posa(s);
        EXPECT_EQ(numero(s.codice), 25);
        EXPECT_TRUE((prima.celle == s.celle));
    }
}

}  // namespace
