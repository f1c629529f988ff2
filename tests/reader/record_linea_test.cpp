#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banco_lettura.h"

namespace compattatore {
namespace {

using test::BancoLettura;
using test::posizione_intatta;

TEST(Pendenze, OgniRecordChiudeIlTrattoPrecedente) {
    BancoLettura b = test::letta(3000, {"pendenza,  0,   0", "pendenza,  600,   -11", "pendenza,  1250,   -4,5",
                         "pendenza,  1500,   5", "pendenza,  1510,   7", "pendenza,  2000,   1"});
    ASSERT_EQ(b.codice(), 0);
    ASSERT_EQ(b.s.numero_celle, 200);
    auto pendenza = [&](std::size_t i) { return static_cast<int>(b.cella(i).pendenza); };
    EXPECT_EQ(pendenza(0), 100);
    EXPECT_EQ(pendenza(11), 100);
    EXPECT_EQ(pendenza(12), 89);
    EXPECT_EQ(pendenza(24), 89);
    // "-4,5" is -4; the "5" after it is a field of its own.
    EXPECT_EQ(pendenza(25), 96);
    EXPECT_EQ(pendenza(29), 96);
    // 1510 falls in the same cell as 1500: that record still writes one cell.
    EXPECT_EQ(pendenza(30), 105);
    EXPECT_EQ(pendenza(31), 107);
    EXPECT_EQ(pendenza(39), 107);
    // The last gradient runs to cell numero_celle - 3; the last three keep 0.
    EXPECT_EQ(pendenza(40), 101);
    EXPECT_EQ(pendenza(197), 101);
    EXPECT_EQ(pendenza(198), 0);
    EXPECT_EQ(pendenza(200), 0);
}

TEST(Pendenze, OltreLaGrigliaCodice15EIlTrenoSiLeggeComunque) {
    for (std::int32_t posizione : {340900, 340901}) {
        SCOPED_TRACE(posizione);
        BancoLettura b;
        b.linea_lunga(334000, {"pendenza,  0,   2", "pendenza,  " + std::to_string(posizione) + ",   3",
                               "pendenza,  340950,   4"});
        b.treno_con({"sabbia,    180"});
        b.leggi();
        EXPECT_EQ(b.s.voci[voce_treno].intero1, 180);
        EXPECT_FALSE(b.c_e_linea());
        EXPECT_FALSE(b.c_e_treno());
        if (posizione == 340900) {
            // Accepted: the record beyond it is the one refused.
            EXPECT_EQ(b.codice(), 15);
            EXPECT_EQ(b.esito.posizione_errore, 340950);
            EXPECT_EQ(b.cella(6817).pendenza, 102);
            EXPECT_EQ(b.cella(6818).pendenza, 103);
        } else {
            EXPECT_EQ(b.codice(), 15);
            EXPECT_EQ(b.esito.posizione_errore, 340901);
            EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
            EXPECT_EQ(b.esito.origine.riga, 5);
            EXPECT_EQ(b.esito.origine.testo, "pendenza,  340901,   3");
            // The line phase completed with the gradient carried so far.
            EXPECT_EQ(b.cella(6817).pendenza, 102);
        }
    }
}

TEST(RecordLinea, OgniRecordPosizionatoControllaLaGriglia) {
    // Length 3000: numero_celle 200, the largest position accepted is 9900.
    const std::vector<std::string> record = {
        "curvad1,  9901,  50",
        "montagna,   9901,  10000,  2",
        "indicatori_vmax,  9901,  90,  95,  100,  0,  ,  ,  ,  0",
        "cartello_indicatore,  9901,   (Zona)",
    };
    for (const std::string& r : record) {
        SCOPED_TRACE(r);
        BancoLettura b = test::letta(3000, {"pendenza,  0,   0", r, "pendenza,  500,   3"}, true);
        EXPECT_EQ(b.codice(), 15);
        EXPECT_EQ(b.esito.posizione_errore, 9901);
        // The loop ended there: the gradient after it was never read.
        EXPECT_EQ(b.cella(50).pendenza, 100);
        EXPECT_FALSE(b.c_e_linea());
        EXPECT_FALSE(b.c_e_treno());
    }
}

TEST(Piano, CurvaDestraPiegaIMetriDopoIlSuoInizio) {
    BancoLettura b = test::letta(3000, {"curvad3,  2150,  100"}, true);
    ASSERT_EQ(b.codice(), 0);
    const TabellaLinea& t = b.s.tabella_linea;
    ASSERT_EQ(t.righe, 10001);
    struct Punto {
        std::int32_t metro;
        double x, y;
    };
    // Worked out metre by metre in the same order of operations.
    const std::vector<Punto> punti = {
        {2150, 0.0, 2150.0},
        {2151, 0.0004, 2151.0},
        {2152, 0.0012000000000000001, 2151.99999984},
        {2200, 0.5099840065844744, 2199.9966680601447},
        {2250, 2.0197387057774843, 2249.9733380276784},
        {2251, 2.059728357748404, 2250.9725461280573},
        {5000, 111.99128162579191, 4997.795614069891},
        {9998, 311.8595621763899, 9991.837699763953},
    };
    for (const Punto& p : punti) {
        SCOPED_TRACE(p.metro);
        EXPECT_EQ(t(p.metro, 0).valore, p.x);
        EXPECT_EQ(t(p.metro, 1).valore, p.y);
        EXPECT_EQ(t(p.metro, 0).stato, ValoreTabella::Stato::reale);
    }
    EXPECT_EQ(t(0, 0).stato, ValoreTabella::Stato::intero16);
    EXPECT_EQ(t(1, 1).stato, ValoreTabella::Stato::intero16);
    EXPECT_EQ(t(1, 1).valore, 1.0);
    EXPECT_EQ(t(9999, 0).stato, ValoreTabella::Stato::vuoto);
    EXPECT_EQ(t(10000, 1).stato, ValoreTabella::Stato::vuoto);
}

TEST(Piano, CurvaSinistraPiegaAlContrario) {
    BancoLettura b = test::letta(0, {"curvas1,  100,  10"}, true);
    ASSERT_EQ(b.codice(), 0);
    const TabellaLinea& t = b.s.tabella_linea;
    EXPECT_EQ(t(100, 0).valore, 0.0);
    EXPECT_EQ(t(101, 0).valore, -0.0001);
    EXPECT_EQ(t(102, 0).valore, -0.00030000000000000003);
    EXPECT_EQ(t(102, 1).valore, 101.99999999);
    EXPECT_EQ(t(110, 0).valore, -0.00549999967000002);
    EXPECT_EQ(t(111, 0).valore, -0.006499999550000025);
}

TEST(Piano, UnaLineaDrittaHaXZeroEYUgualeAlMetro) {
    BancoLettura b = test::letta(1000, {"pendenza,  0,   0"}, true);
    ASSERT_EQ(b.codice(), 0);
    const TabellaLinea& t = b.s.tabella_linea;
    for (std::int32_t m = 0; m <= 7998; ++m) {
        ASSERT_EQ(t(m, 0).valore, 0.0) << m;
        ASSERT_EQ(t(m, 1).valore, static_cast<double>(m)) << m;
    }
    EXPECT_EQ(t(7999, 1).stato, ValoreTabella::Stato::vuoto);
}

TEST(Piano, SenzaPianoLeCurveNonContano) {
    BancoLettura b = test::letta(3000, {"curvad3,  2150,  100", "curva,  100,  50", "pendenza,  500,   3"});
    EXPECT_EQ(b.codice(), 0);
    EXPECT_FALSE(b.s.tabella_linea.esiste());
    EXPECT_EQ(b.cella(20).pendenza, 103);
}

// A curve the plan cannot take stops the line text with no position: 103
// for a curve without a class or a plan past metre 1000000, which leave the
// train text unread, 25 for a curve past the end of the table.  The place is
// the keyword without a class, or else the length that goes too far.
TEST(Piano, CurveCheIlPianoNonPrende) {
    struct Caso {
        const char* nome;
        std::int32_t lunghezza;
        const char* curva;
        int codice;
        bool treno_resta;
        int colonna;
    };
    for (const Caso& c : {Caso{"senza classe", 3000, "curva,  100,  50", 103, true, 1},
                          // Length 0: the plan ends at metre 7000, the curve would reach 7100.
                          Caso{"oltre la tabella", 0, "curvad1,  6900,  200", 25, false, 18},
                          Caso{"oltre il metro 1000000", 1000000, "curvad1,  999000,  2000", 103, true, 20}}) {
        SCOPED_TRACE(c.nome);
        BancoLettura b = test::letta(c.lunghezza, {c.curva}, true);
        EXPECT_EQ(b.codice(), c.codice);
        EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
        EXPECT_EQ(b.esito.origine.riga, 4);
        EXPECT_EQ(b.esito.origine.colonna, c.colonna);
        EXPECT_FALSE(b.c_e_linea());
        EXPECT_EQ(b.c_e_treno(), c.treno_resta);
    }
    // The plan stops at metre 1000000 exactly.
    BancoLettura b = test::letta(1000000, {"curvad1,  999000,  2000"}, true);
    EXPECT_EQ(b.s.tabella_linea(1000000, 0).stato, ValoreTabella::Stato::reale);
    EXPECT_EQ(b.s.tabella_linea(1000001, 0).stato, ValoreTabella::Stato::vuoto);
}

TEST(Cartelli, TestoNellaCellaENelleVoci) {
    BancoLettura b = test::letta(3000, {"cartello_indicatore,  7950,   (Zona)(Cod )", "cartello_indicatore,  2000,   (Dev.I.)"});
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.cella(160).tipo, TipoCella::cartello);
    EXPECT_EQ(b.cella(160).valore1, 80);
    EXPECT_EQ(b.s.voci[80].nome, "(Zona)(Cod )");
    EXPECT_EQ(b.cella(41).tipo, TipoCella::cartello);
    EXPECT_EQ(b.cella(41).valore1, 79);
    EXPECT_EQ(b.s.voci[79].nome, "(Dev.I.)");
}

TEST(Cartelli, DueCartelliSullaStessaCellaCodice6) {
    BancoLettura b = test::letta(3000, {"cartello_indicatore,  7950,   (Zona)(Cod )", "cartello_indicatore,  7960,   (Altro)",
                         "pendenza,  0,   0"});
    EXPECT_EQ(b.codice(), 6);
    EXPECT_EQ(b.esito.posizione_errore, 7960);
    EXPECT_EQ(b.s.voci[80].nome, "(Zona)(Cod )");
    EXPECT_TRUE(b.s.voci[79].nome.empty());
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_TRUE(b.c_e_treno());
    EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
    EXPECT_EQ(b.esito.origine.riga, 5);
    EXPECT_EQ(b.esito.origine.testo, "cartello_indicatore,  7960,   (Altro)");
    // A stop returns at once: no gradient tail.
    EXPECT_EQ(b.cella(0).pendenza, 0);
}

TEST(Cartelli, UnCartelloSulSegnoDiMontagnaEAccettato) {
    // Cells 175..222 are in the stretch; 178 is its first free mark.
    BancoLettura b = test::letta(20000, {"montagna,   8750,  11150,  12", "cartello_indicatore,  8850,   (Galleria)"});
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.cella(182).tipo, TipoCella::segno_montagna);
    EXPECT_EQ(b.cella(178).tipo, TipoCella::cartello);
    EXPECT_EQ(b.cella(178).montagna, 2);
}

TEST(Cartelli, IlSettantanovesimoEntraLOttantesimoNo) {
    std::vector<std::string> record;
    for (int i = 0; i < 79; ++i) record.push_back("cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ",   (C)");
    BancoLettura b = test::letta(10000, record);
    EXPECT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.voci[2].nome, "(C)");
    EXPECT_TRUE(b.s.voci[1].nome.empty());

    record.push_back("cartello_indicatore,  9000,   (C)");
    BancoLettura c = test::letta(10000, record);
    EXPECT_EQ(c.codice(), 25);
    EXPECT_TRUE(c.s.voci[1].nome.empty());
    EXPECT_FALSE(c.c_e_linea());
    EXPECT_FALSE(c.c_e_treno());
}

TEST(RecordLinea, MontagneEIndicatoriPassanoAllaPosa) {
    BancoLettura b = test::letta(20000, {"montagna,   8750,  11150,  12", "montagna,   11300,  11500,  2",
                          "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0",
                          "indicatori_vmax,  7300,  75,  80,  85,  0,  75,  80,  85,  0"});
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.cella(175).montagna, 2);
    EXPECT_EQ(b.cella(222).montagna, 2);
    // 150 m after the previous stretch: kind 3.
    EXPECT_EQ(b.cella(226).montagna, 3);
    const Cella& c = b.cella(21);
    EXPECT_EQ(c.tipo, TipoCella::indicatore_v_max);
    EXPECT_EQ(c.valore1, 1800);
    EXPECT_EQ(c.valore2, 1900);
    EXPECT_EQ(c.valore3, 2000);
    EXPECT_EQ(c.valore4, 0);
    EXPECT_EQ(b.cella(147).valore1, 1515);
    EXPECT_EQ(b.cella(147).valore3, 1717);
}

TEST(RecordLinea, UnRifiutoDellaPosaFermaLaLinea) {
    BancoLettura b = test::letta(3000, {"cartello_indicatore,  1000,   (A)", "indicatori_vmax,  1000,  90,  95,  100,  0,  ,  ,  ,  0",
                         "pendenza,  0,   0"});
    EXPECT_EQ(b.codice(), 21);
    EXPECT_EQ(b.esito.posizione_errore, 1000);
    EXPECT_EQ(b.esito.origine.riga, 5);
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_TRUE(b.c_e_treno());
}

TEST(RecordLinea, CommentiEIntestazioniTraIRecord) {
    BancoLettura b = test::letta(3000, {"-----------", "pendenza,  0,   5", "[montagne]", "--- a ---", "--- b ---",
                         "pendenza,  500,   6", "--- c ---", "--- d ---", "--- e ---", "pendenza,  1000,   7"});
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.cella(0).pendenza, 105);
    EXPECT_EQ(b.cella(10).pendenza, 106);
    // The third comment in a row is the field itself: it matches nothing,
    // and the gradient after it is still read.
    EXPECT_EQ(b.cella(20).pendenza, 107);
}

}  // namespace
}  // namespace compattatore
