#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banco_lettura.h"

namespace compattatore {
namespace {

using test::BancoLettura;
using test::posizione_intatta;

// A station row with empty code groups, no stop value and no time.
std::string stazione(std::int32_t posizione, int tipo, std::int32_t lunghezza, int campo5 = 0, int campo6 = 0,
                     const std::string& nome = "Stazione") {
    return "stazione,  " + std::to_string(posizione) + ",  " + std::to_string(tipo) + ",  " +
           std::to_string(lunghezza) + ",  0, " + std::to_string(campo5) + ", " + std::to_string(campo6) +
           ",  0,0,0,  0,0,0,    0,  0,0,0, " + nome;
}

TEST(Stazioni, LaPrimaStazione) {
    BancoLettura b;
    b.linea_lunga(3000, {});
    b.treno_con({"stazione,       0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,  16,14,30, Borgo Ulivo"});
    b.leggi();
    ASSERT_EQ(b.codice(), 0);
    const Voce& v = b.s.voci[1];
    EXPECT_EQ(v.posizione, 0);
    EXPECT_EQ(v.tipo, 8);
    EXPECT_EQ(v.inizio, -500);
    EXPECT_EQ(v.fine, 500);
    EXPECT_EQ(v.byte1, 1);
    EXPECT_EQ(v.byte5, 0);
    EXPECT_EQ(v.byte4, 0);
    EXPECT_EQ(v.intero1, 4);
    EXPECT_EQ(v.intero2, 1);
    EXPECT_EQ(v.byte2, 0);
    EXPECT_EQ(v.intero3, 2);
    EXPECT_EQ(v.intero4, 1);
    EXPECT_EQ(v.intero5, 1);
    EXPECT_EQ(v.byte3, 1);
    EXPECT_EQ(v.orario, 58470);
    EXPECT_EQ(v.nome, "Borgo Ulivo");
    EXPECT_EQ(b.cella(8).preavviso, 81);
    EXPECT_EQ(b.cella(7).preavviso, 82);
    EXPECT_EQ(b.cella(6).preavviso, 83);
    EXPECT_EQ(b.cella(5).preavviso, 84);
    EXPECT_EQ(b.cella(4).preavviso, 0);
    EXPECT_EQ(b.cella(9).tipo, TipoCella::fermata);
    EXPECT_EQ(b.cella(9).valore1, 1);
    EXPECT_EQ(b.cella(9).preavviso, 0);
}

TEST(Stazioni, EstensioneMarcheEFermataSecondoIlTipo) {
    struct Caso {
        int tipo;
        std::int32_t posizione, lunghezza;
        int campo6;
        std::int32_t inizio, fine;
        bool marche, fermata;
    };
    const std::vector<Caso> casi = {
        {22, 3100, 400, 0, 2900, 3300, true, true},
        {22, 3100, 400, 1, 2900, 3350, true, true},
        {24, 3100, 400, 0, 2900, 3300, true, true},
        {7, 3000, 500, 1, 2500, 3500, true, true},
        {8, 3000, 500, 0, 2500, 3500, true, true},
        {5, 3000, 300, 1, 2700, 3150, false, true},
        {6, 3000, 300, 0, 2700, 3150, false, true},
        {25, 3100, 400, 0, 2900, 3300, false, false},
        {27, 3100, 400, 0, 2900, 3300, false, false},
        {28, 3100, 400, 1, 2900, 3350, false, false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::to_string(c.tipo) + " " + std::to_string(c.campo6));
        BancoLettura b;
        b.linea_lunga(3000, {});
        b.treno_con({stazione(c.posizione, c.tipo, c.lunghezza, 0, c.campo6)});
        b.leggi();
        ASSERT_EQ(b.codice(), 0);
        const Voce& v = b.s.voci[1];
        EXPECT_EQ(v.inizio, c.inizio);
        EXPECT_EQ(v.fine, c.fine);
        EXPECT_EQ(v.byte4, 0);  // cleared on the first station
        const std::size_t ultima = static_cast<std::size_t>(c.fine / 50);
        EXPECT_EQ(b.cella(ultima - 2).preavviso, c.marche ? 81 : 0);
        EXPECT_EQ(b.cella(ultima - 5).preavviso, c.marche ? 84 : 0);
        EXPECT_EQ(b.cella(ultima - 1).tipo, c.fermata ? TipoCella::fermata : TipoCella::vuota);
    }
}

TEST(Stazioni, IndicatoriDelleStazioniSuccessive) {
    BancoLettura b;
    b.linea_lunga(3000, {});
    b.treno_con({stazione(0, 8, 500, 1, 1), stazione(2000, 2, 600, 1, 1, "Pieve - San Colle "),
                 stazione(4000, 2, 400, 1, 0)});
    b.leggi();
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.voci[1].byte5, 0);
    EXPECT_EQ(b.s.voci[2].byte5, 1);
    EXPECT_EQ(b.s.voci[2].byte4, 1);
    EXPECT_EQ(b.s.voci[2].fine, 2350);
    EXPECT_EQ(b.s.voci[2].nome, "Pieve - San Colle");
    EXPECT_EQ(b.s.voci[2].orario, 0);
    EXPECT_EQ(b.s.voci[3].byte5, 0);
    EXPECT_EQ(b.cella(46).tipo, TipoCella::fermata);
    EXPECT_EQ(b.cella(46).valore1, 2);
    EXPECT_EQ(b.cella(83).valore1, 3);
}

TEST(Stazioni, CodiciCheFermanoIlTreno) {
    struct Caso {
        const char* nome;
        std::string seconda;
        std::int32_t codice;
        std::int32_t posizione;
        const char* campo;  // the first note: the field at fault, as the format names it
    };
    const std::vector<Caso> casi = {
        {"posizione fuori passo", stazione(1025, 2, 200), 8, 1025,
         "campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50"},
        {"lunghezza fuori passo", stazione(2000, 2, 250), 9, 2000,
         "campo 3 di 17: lunghezza del marciapiede, in m, da 0 a 1000000, multiplo di 100"},
        {"troppo vicina alla precedente", stazione(900, 2, 200), 22, 900,
         "campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50"},
        {"fermata prima della cella 2", stazione(50, 2, 100), 24, posizione_intatta,
         "campo 1 di 17: posizione, in m, da 0 a 1000000, multiplo di 50"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        BancoLettura b;
        b.linea_lunga(3000, {});
        b.treno_con({"velocita,   0,    30", stazione(0, 8, 500), c.seconda, "sabbia,    180"});
        b.leggi();
        EXPECT_EQ(b.codice(), c.codice);
        EXPECT_EQ(b.esito.posizione_errore, c.posizione);
        EXPECT_EQ(b.esito.origine.riga, 4);
        EXPECT_EQ(b.esito.origine.testo, c.seconda);
        ASSERT_FALSE(b.esito.diagnostiche.empty());
        ASSERT_FALSE(b.esito.diagnostiche.back().note.empty());
        EXPECT_EQ(b.esito.diagnostiche.back().note.front(), c.campo);
        EXPECT_EQ(b.s.voci[voce_treno].intero1, 0);
        EXPECT_EQ(b.cella(0).velocita, 0);
        EXPECT_FALSE(b.c_e_treno());
    }
}

TEST(Stazioni, DistaccoDi350MetriAccettato) {
    BancoLettura b;
    b.linea_lunga(3000, {});
    b.treno_con({stazione(0, 8, 500), stazione(950, 2, 200)});
    b.leggi();
    EXPECT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.voci[2].inizio, 850);
}

TEST(Stazioni, OltreLaGrigliaCodice15) {
    for (std::int32_t posizione : {9200, 9250}) {
        SCOPED_TRACE(posizione);
        BancoLettura b;
        b.linea_lunga(3000, {});
        b.treno_con({"velocita,   0,    30", stazione(posizione, 27, 200), "sabbia,    180"});
        b.leggi();
        // The loop ends at the station beyond the grid; the tails still run.
        EXPECT_EQ(b.cella(197).velocita, 6);
        if (posizione == 9200) {
            EXPECT_EQ(b.codice(), 0);
            EXPECT_EQ(b.s.voci[voce_treno].intero1, 180);
        } else {
            EXPECT_EQ(b.codice(), 15);
            EXPECT_EQ(b.esito.posizione_errore, 9250);
            EXPECT_EQ(b.s.voci[voce_treno].intero1, 0);
        }
        EXPECT_FALSE(b.c_e_treno());
    }
}

TEST(Stazioni, StazioniECartelliSiDividonoLeVoci) {
    std::vector<std::string> cartelli;
    for (int i = 0; i < 19; ++i) cartelli.push_back("cartello_indicatore,  " + std::to_string(500 + 100 * i) + ",   (C)");
    std::vector<std::string> stazioni;
    for (int i = 0; i < 60; ++i) stazioni.push_back(stazione(1000 + 600 * i, 27, 200));
    BancoLettura b;
    b.linea_lunga(40000, cartelli);
    b.treno_con(stazioni);
    b.leggi();
    EXPECT_EQ(b.codice(), 10);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    EXPECT_EQ(b.s.voci[59].posizione, 1000 + 600 * 58);
    EXPECT_EQ(b.s.voci[60].posizione, 1000 + 600 * 59);
    EXPECT_EQ(b.s.voci[62].nome, "(C)");
    EXPECT_TRUE(b.s.voci[61].nome.empty());
    EXPECT_EQ(b.esito.origine.riga, 61);
    EXPECT_FALSE(b.c_e_treno());
}

TEST(Stazioni, UnCampoOltreIlByteEUnGuasto) {
    BancoLettura b;
    b.linea_lunga(3000, {});
    b.treno_con({stazione(0, 300, 500)});
    b.leggi();
    EXPECT_EQ(b.codice(), 25);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    EXPECT_EQ(b.s.voci[1].posizione, 0);
    EXPECT_FALSE(b.c_e_treno());
}

}  // namespace
}  // namespace compattatore
