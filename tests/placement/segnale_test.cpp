#include <gtest/gtest.h>

#include "support/grid.h"
#include "placement/posa.h"

using namespace compattatore;

namespace {

struct Segnale {
    std::int32_t posizione = 1050;
    std::int32_t sx = 2, s1 = 4, s2 = 1, s3 = 1, rapp = 0, dx = 2, d1 = 2, d2 = 1, d3 = 1, tempo = 0;

    void posa(test::Grid& s) { s.record(memo_segnale(s.celle, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo)); }
};

TEST(MemoSegnale, IlRecordDellaDescrizioneRiempieCellaEPreavvisi) {
    // segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0
    test::Grid s = test::empty_grid(100);
    const test::Grid prima = s;
    Segnale{}.posa(s);

    EXPECT_EQ(numero(s.codice), 0);
    const Cella& c = s.celle[22];
    EXPECT_EQ(codice_tipo_cella(c.tipo), 1);
    EXPECT_EQ(c.valore1, 42);
    EXPECT_EQ(c.valore2, 11);
    EXPECT_EQ(c.valore3, 11);
    EXPECT_EQ(c.valore4, 8);
    EXPECT_EQ(c.tempo, 0);
    EXPECT_EQ(s.celle[20].preavviso, 81);
    EXPECT_EQ(s.celle[18].preavviso, 82);
    EXPECT_EQ(s.celle[16].preavviso, 83);
    EXPECT_EQ(s.celle[14].preavviso, 84);
    EXPECT_EQ(test::changed_cells(prima, s), (std::vector<std::size_t>{14, 16, 18, 20, 22}));
}

TEST(MemoSegnale, LaCellaDiUnaPosizioneArrotondaAlPari) {
    struct Caso {
        std::int32_t posizione;
        std::size_t cella;
    };
    for (const Caso caso : {Caso{1000, 21}, Caso{1025, 22}, Caso{1075, 22}, Caso{25, 2}, Caso{1074, 22},
                            Caso{1076, 23}}) {
        test::Grid s = test::empty_grid(100);
        Segnale g;
        g.posizione = caso.posizione;
        g.posa(s);
        EXPECT_EQ(codice_tipo_cella(s.celle[caso.cella].tipo), 1) << caso.posizione;
    }
}

TEST(MemoSegnale, IlSegnoDiMontagnaELiberoGliAltriRifiutanoCon16) {
    test::Grid s = test::empty_grid(100);
    s.celle[22].tipo = TipoCella::segno_montagna;
    s.celle[22].montagna = 2;
    Segnale{}.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(codice_tipo_cella(s.celle[22].tipo), 1);
    EXPECT_EQ(s.celle[22].montagna, 2);

    // A second signal on the same cell changes nothing, not even the marks.
    const test::Grid prima = s;
    Segnale altro;
    altro.s1 = 9;
    altro.dx = 0;
    altro.posa(s);
    EXPECT_EQ(numero(s.codice), 16);
    EXPECT_TRUE((prima.celle == s.celle));
}

TEST(MemoSegnale, IPreavvisiSostituisconoQuelliEsistentiSuOgniCella) {
    test::Grid s = test::empty_grid(100);
    s.celle[20].preavviso = 33;  // a stopping point's mark
    s.celle[18].tipo = TipoCella::fermata;
    s.celle[18].preavviso = 34;
    Segnale{}.posa(s);
    EXPECT_EQ(s.celle[20].preavviso, 81);
    EXPECT_EQ(s.celle[18].preavviso, 82);
    EXPECT_EQ(s.celle[18].tipo, TipoCella::fermata);
}

TEST(MemoSegnale, ByteDelTempo) {
    struct Caso {
        std::int32_t tempo, sx;
        std::uint8_t byte;
    };
    // A time from 1 to 100 counts as 101; only a left-hand type-2 signal keeps it.
    for (const Caso caso : {Caso{0, 2, 0}, Caso{1, 2, 101}, Caso{100, 2, 101}, Caso{101, 2, 101}, Caso{255, 2, 255},
                            Caso{100, 1, 0}, Caso{255, 0, 0}, Caso{300, 1, 0}}) {
        test::Grid s = test::empty_grid(100);
        Segnale g;
        g.tempo = caso.tempo;
        g.sx = caso.sx;
        g.posa(s);
        EXPECT_EQ(numero(s.codice), 0) << caso.tempo;
        EXPECT_EQ(s.celle[22].tempo, caso.byte) << caso.tempo;
    }
}

TEST(MemoSegnale, ValoriCheNonStannoNeiCampiRifiutanoCon25) {
    struct Caso {
        const char* nome;
        Segnale g;
    };
    std::vector<Caso> casi;
    {
        Segnale g;
        g.tempo = 256;
        casi.push_back({"tempo 256", g});
    }
    {
        Segnale g;
        g.tempo = -1;
        casi.push_back({"tempo -1", g});
    }
    {
        Segnale g;
        g.s1 = 3277;  // 32770 + d1
        casi.push_back({"valore1", g});
    }
    {
        Segnale g;
        g.s3 = -3277;
        casi.push_back({"valore3", g});
    }
    {
        Segnale g;
        g.rapp = 3300;
        casi.push_back({"valore4", g});
    }
    for (Caso& caso : casi) {
        test::Grid s = test::empty_grid(100);
        const test::Grid prima = s;
        caso.g.posa(s);
        EXPECT_EQ(numero(s.codice), 25) << caso.nome;
        EXPECT_TRUE((prima.celle == s.celle)) << caso.nome;
    }
}

TEST(MemoSegnale, IlPreavvisoTieneIBassiOttoBit) {
    test::Grid s = test::empty_grid(100);
    Segnale g;
    g.sx = 9;  // (27 + 0) * 10 + k = 271..274
    g.dx = 0;
    g.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(s.celle[20].preavviso, 271 - 256);
    EXPECT_EQ(s.celle[14].preavviso, 274 - 256);
}

TEST(MemoSegnale, PreavvisiPrimaDellaPrimaCellaSaltati) {
    test::Grid s = test::empty_grid(100);
    const test::Grid prima = s;
    Segnale g;
    g.posizione = 100;  // cell 3: marks due at 1, -1, -3, -5
    g.posa(s);
    EXPECT_EQ(numero(s.codice), 0);
    EXPECT_EQ(codice_tipo_cella(s.celle[3].tipo), 1);
    EXPECT_EQ(s.celle[1].preavviso, 81);
    EXPECT_EQ(test::changed_cells(prima, s), (std::vector<std::size_t>{1, 3}));
}

}  // namespace
