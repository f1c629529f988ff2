#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "banco_lettura.h"

namespace compattatore {
namespace {

using test::BancoLettura;
using test::posizione_intatta;

// Length 3000 m: numero_celle 200, positions up to 9900 inside the grid.
void linea_corta(BancoLettura& b) { b.linea_lunga(3000, {}); }

TEST(RecordTreno, ValoriGeneraliDelTreno) {
    BancoLettura b;
    linea_corta(b);
    b.treno({"Merlo", "[generale]", "numero vetture,    12", "percentuale massa frenata,    130", "sabbia,    180",
             "orologio,    16              20            30 ", "[aderenze]", "", "[fine]"});
    b.leggi();
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.voci[voce_percorso].posizione, 12);
    EXPECT_EQ(b.s.voci[voce_percorso].inizio, 130);
    EXPECT_EQ(b.s.voci[voce_treno].intero1, 180);
    EXPECT_EQ(b.s.voci[voce_treno].intero3, 16);
    EXPECT_EQ(b.s.voci[voce_treno].intero4, 20);
    EXPECT_EQ(b.s.voci[voce_treno].intero5, 30);
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_FALSE(b.c_e_treno());
}

TEST(RecordTreno, ProfiliDiVelocitaEAderenza) {
    BancoLettura b;
    linea_corta(b);
    b.treno_con({"aderenza,       0,    58", "aderenza,    1950,    62", "velocita,   0,    30",
                 "velocita,    1000,   100", "velocita,  2000,   85"});
    b.leggi();
    ASSERT_EQ(b.codice(), 0);
    auto velocita = [&](std::size_t i) { return static_cast<int>(b.cella(i).velocita); };
    auto aderenza = [&](std::size_t i) { return static_cast<int>(b.cella(i).aderenza); };
    EXPECT_EQ(velocita(0), 6);
    EXPECT_EQ(velocita(19), 6);
    EXPECT_EQ(velocita(20), 20);
    EXPECT_EQ(velocita(39), 20);
    EXPECT_EQ(velocita(40), 17);
    EXPECT_EQ(velocita(197), 17);
    EXPECT_EQ(velocita(198), 0);
    EXPECT_EQ(aderenza(0), 58);
    EXPECT_EQ(aderenza(38), 58);
    EXPECT_EQ(aderenza(39), 62);
    EXPECT_EQ(aderenza(197), 62);
    EXPECT_EQ(aderenza(198), 0);
}

TEST(RecordTreno, IlLimiteDiVelocitaDivisoPerCinque) {
    struct Caso {
        std::int32_t limite;
        std::int32_t byte;  // -1: does not fit, code 25
    };
    const std::vector<Caso> casi = {{85, 17}, {12, 2}, {13, 3}, {1275, 255}, {1277, 255}, {-2, 0},
                                    {1278, -1}, {-3, -1}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.limite);
        BancoLettura b;
        linea_corta(b);
        b.treno_con({"velocita,   0,    " + std::to_string(c.limite)});
        b.leggi();
        if (c.byte < 0) {
            EXPECT_EQ(b.codice(), 25);
            EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
            EXPECT_FALSE(b.c_e_treno());
        } else {
            EXPECT_EQ(b.codice(), 0);
            EXPECT_EQ(b.cella(0).velocita, c.byte);
            EXPECT_EQ(b.cella(197).velocita, c.byte);
        }
    }
}

TEST(RecordTreno, SegnaliERallentamentiPassanoAllaPosa) {
    BancoLettura b;
    linea_corta(b);
    b.treno_con({"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0", "rallentamento,  3000,    60,  250, 0,  1,  0"});
    b.leggi();
    ASSERT_EQ(b.codice(), 0);
    const Cella& c = b.cella(22);
    EXPECT_EQ(c.tipo, TipoCella::segnale);
    EXPECT_EQ(c.valore1, 42);
    EXPECT_EQ(c.valore2, 11);
    EXPECT_EQ(c.valore3, 11);
    EXPECT_EQ(c.valore4, 8);
    EXPECT_EQ(b.cella(20).preavviso, 81);
    EXPECT_EQ(b.cella(37).tipo, TipoCella::avviso_rallentamento);
    EXPECT_EQ(b.cella(61).tipo, TipoCella::inizio_rallentamento);
    EXPECT_EQ(b.cella(61).valore1, 60);
    EXPECT_EQ(b.cella(66).tipo, TipoCella::fine_rallentamento);
}

TEST(RecordTreno, UnRifiutoDellaPosaFermaIlTreno) {
    struct Caso {
        std::string record;  // its cell is the cell of the signal at 1050
        std::int32_t codice;
    };
    const std::vector<Caso> casi = {
        {"segnale,    1060,   2, 4, 0,  0, 0,    0,  0,0,0, 0", 16},
        {"rallentamento,  1060,    60,  250, 0,  0,  0", 18},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.record);
        BancoLettura b;
        linea_corta(b);
        b.treno_con({"velocita,   0,    30", "segnale,    1050,   2, 4, 0,  0, 0,    0,  0,0,0, 0", c.record,
                     "sabbia,    180"});
        b.leggi();
        EXPECT_EQ(b.codice(), c.codice);
        EXPECT_EQ(b.esito.posizione_errore, 1060);
        EXPECT_EQ(b.esito.origine.file, "Valdorso_Merlo-.txt");
        EXPECT_EQ(b.esito.origine.riga, 4);
        EXPECT_EQ(b.esito.origine.testo, c.record);
        // Stopped at once: nothing after it, no tails.
        EXPECT_EQ(b.s.voci[voce_treno].intero1, 0);
        EXPECT_EQ(b.cella(0).velocita, 0);
        EXPECT_FALSE(b.c_e_treno());
    }
}

TEST(RecordTreno, PuntiDiAbbattimento) {
    BancoLettura b;
    linea_corta(b);
    b.treno_con({"abbattimento,    7050,   270", "abbattimento,    7100,   0", "abbattimento,    7150,   -5",
                 "segnale,    7300,   2, 4, 0,  0, 0,    0,  0,0,0, 0", "abbattimento,    7300,   270"});
    b.leggi();
    ASSERT_EQ(b.codice(), 0);
    EXPECT_EQ(b.cella(141).tipo, TipoCella::codice);
    EXPECT_EQ(b.cella(141).valore1, 270);
    EXPECT_EQ(b.cella(142).tipo, TipoCella::abbattimento);
    EXPECT_EQ(b.cella(142).valore1, 0);
    EXPECT_EQ(b.cella(143).tipo, TipoCella::abbattimento);
    // A cut at a signal's position lies in the cell before the signal.
    EXPECT_EQ(b.cella(147).tipo, TipoCella::segnale);
    EXPECT_EQ(b.cella(146).tipo, TipoCella::codice);
    EXPECT_EQ(b.cella(146).valore1, 270);

    BancoLettura c;
    linea_corta(c);
    c.treno_con({"segnale,    7000,   2, 4, 0,  0, 0,    0,  0,0,0, 0", "abbattimento,    7050,   270"});
    c.leggi();
    EXPECT_EQ(c.codice(), 7);
    EXPECT_EQ(c.esito.posizione_errore, 7050);
    EXPECT_EQ(c.cella(141).tipo, TipoCella::segnale);
    EXPECT_FALSE(c.c_e_treno());
}

TEST(RecordTreno, Codice15DellaLineaFermaIlTrenoAlPrimoSegnale) {
    BancoLettura b;
    b.linea({"[generale]", "lunghezza percorso,    3000", "progressiva chilometrica uno,    3075,    0,    0",
             "[pendenze]", "pendenza,  0,   1", "pendenza,  99999,   0", "[fine]"});
    b.treno_con({"velocita,   0,    30", "aderenza,       0,    58", "velocita,  500,    40",
                 "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0", "aderenza,    1000,    60"});
    b.leggi();
    EXPECT_EQ(b.codice(), 15);
    EXPECT_EQ(b.esito.posizione_errore, 1050);
    // The code is the gradient's, and so is its place: the signal only stopped the reading.
    EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
    EXPECT_EQ(b.esito.origine.riga, 6);
    ASSERT_EQ(b.esito.diagnostiche.size(), 1u);
    EXPECT_EQ(b.esito.diagnostiche[0].posizione, 99999);
    // The line phase completed; the signal was placed before the stop.
    EXPECT_EQ(b.cella(150).pendenza, 101);
    EXPECT_EQ(b.cella(22).tipo, TipoCella::segnale);
    // The train phase stopped: no tails, no record after the signal.
    EXPECT_EQ(b.cella(9).velocita, 6);
    EXPECT_EQ(b.cella(10).velocita, 0);
    EXPECT_EQ(b.cella(0).aderenza, 0);
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_FALSE(b.c_e_treno());
}

TEST(RecordTreno, ProgressivaFuoriPassoCodice2AllaFine) {
    BancoLettura b;
    b.linea({"[generale]", "lunghezza percorso,    3000", "progressiva chilometrica uno,    3075,    0,    0",
             "[fine]"});
    b.treno_con({"velocita,   0,    30", "sabbia,    180"});
    b.leggi();
    EXPECT_EQ(b.codice(), 2);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    // The record of the reference, at its start.
    EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
    EXPECT_EQ(b.esito.origine.riga, 3);
    EXPECT_EQ(b.esito.origine.colonna, 34);
    EXPECT_EQ(b.s.voci[voce_progressiva_tre].inizio, 3075);
    EXPECT_EQ(b.s.voci[voce_treno].intero1, 180);
    EXPECT_EQ(b.cella(197).velocita, 6);

    // Code 2 replaces a code 15 of the train phase, which completed first.
    BancoLettura c;
    c.linea({"[generale]", "lunghezza percorso,    3000", "progressiva chilometrica uno,    3075,    0,    0",
             "[fine]"});
    c.treno_con({"velocita,   0,    30", "aderenza,  99999,    1", "sabbia,    180"});
    c.leggi();
    EXPECT_EQ(c.codice(), 2);
    EXPECT_EQ(c.esito.posizione_errore, 99999);
    EXPECT_EQ(c.esito.origine.riga, 3);
    EXPECT_EQ(c.s.voci[voce_treno].intero1, 0);
    EXPECT_EQ(c.cella(197).velocita, 6);
    EXPECT_FALSE(c.c_e_treno());
}

TEST(RecordTreno, FileDelTrenoMancante) {
    BancoLettura b;
    linea_corta(b);
    b.senza_treno();
    b.leggi();
    EXPECT_EQ(b.codice(), 25);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    // The file named as a whole.
    EXPECT_EQ(b.esito.origine.file, "Valdorso_Merlo-.txt");
    EXPECT_EQ(b.esito.origine.riga, 0);
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_EQ(b.cella(0).pendenza, 100);
}

TEST(RecordTreno, SenzaGeneraleNonLeggeNulla) {
    BancoLettura b;
    b.linea({"[generale]", "lunghezza percorso,    3000", "progressiva chilometrica uno,    3075,    0,    0",
             "[fine]"});
    b.treno({"sabbia,    180", "velocita,   0,    30", "stazione,  5000,  2,  400,  0, 0, 0,  0,0,0,  0,0,0,  0,  0,0,0, X",
             "[fine]"});
    b.leggi();
    // Nothing stored, but the completion and the final check still ran.
    EXPECT_EQ(b.codice(), 2);
    EXPECT_EQ(b.s.voci[voce_treno].intero1, 0);
    EXPECT_EQ(b.s.voci[1].posizione, 0);
    EXPECT_EQ(b.cella(0).velocita, 0);
    EXPECT_FALSE(b.c_e_treno());
}

TEST(RecordTreno, UnValoreTroppoGrandeNelTrenoEUnGuasto) {
    BancoLettura b;
    linea_corta(b);
    b.treno_con({"sabbia,    180", "orologio,    16   70000   30"});
    b.leggi();
    EXPECT_EQ(b.codice(), 25);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    EXPECT_EQ(b.esito.origine.file, "Valdorso_Merlo-.txt");
    EXPECT_EQ(b.esito.origine.riga, 3);
    EXPECT_FALSE(b.c_e_treno());
}

// The card's own values: read whole, so that a text holding a keyword is
// never taken for another record, and written into no table the compiled
// files carry.
TEST(RecordTreno, NumeroCategoriaERecuperiSonoSoloPerLaScheda) {
    const std::vector<std::string> profilo = {"velocita,   0,    100",
                                              "stazione, 1000, 21, 400, 0,0,0, 1,0,0, 1,0,0, 60, 16,20,0, Bosco"};
    BancoLettura senza, con;
    linea_corta(senza);
    linea_corta(con);
    senza.treno_con(profilo);
    std::vector<std::string> righe = {"numero treno,  2345", "categoria, stazione e segnale",
                                      "recupero, 1000, 0.5", "Recupero, 2000, 12"};
    righe.insert(righe.end(), profilo.begin(), profilo.end());
    con.treno_con(righe);
    senza.leggi();
    con.leggi();
    ASSERT_EQ(con.codice(), 0);
    EXPECT_EQ(con.s.documenti.numero_treno, "2345");
    EXPECT_EQ(con.s.documenti.categoria, "stazione e segnale");
    ASSERT_EQ(con.s.documenti.recuperi.size(), 2u);
    EXPECT_EQ(con.s.documenti.recuperi[0].posizione, 1000);
    EXPECT_EQ(con.s.documenti.recuperi[0].minuti, "0.5");
    EXPECT_EQ(con.s.documenti.recuperi[1].minuti, "12");
    EXPECT_EQ(con.s.celle, senza.s.celle);
    EXPECT_EQ(con.s.voci, senza.s.voci);
}

// A value wider than its cell of the card, or a margin that is not minutes,
// does not fit its field: code 25.
TEST(RecordTreno, ValoriDellaSchedaChiNonEntranoNelCampo) {
    for (const std::string riga : {"numero treno, 1234567", "categoria, ACCELERATO STRAORDINARIO",
                                   "recupero, 1000, 12.25", "recupero, 1000, poco",
                                   "recupero, 1000, .5", "recupero, 1000, 10.05"}) {
        SCOPED_TRACE(riga);
        BancoLettura b;
        linea_corta(b);
        b.treno_con({riga});
        b.leggi();
        EXPECT_EQ(b.codice(), 25);
    }
}

}  // namespace
}  // namespace compattatore
