#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banco_lettura.h"

namespace compattatore {
namespace {

using test::BancoLettura;
using test::posizione_intatta;
using test::testo;

TEST(SezioneGenerale, LeggeLIntestazioneDellaLinea) {
    BancoLettura b;
    b.linea({"Valdorso, linea di prova",
             "[generale]",
             "lunghezza percorso,    334000",
             "progressiva chilometrica uno,    31100,    3050,    0",
             "progressiva chilometrica due,    284500,    -284500,    0",
             "progressiva chilometrica tre,    315950,    412050,    1",
             "sfondo uno,    1",
             "sfondo due,    2",
             "sfondo tre,    3",
             "ripetizione segnali 9 codici,    8000,    330700",
             "[curve]",
             "[fine]"});
    b.leggi();
    const Scenario& s = b.s;
    EXPECT_EQ(b.codice(), 0);
    EXPECT_EQ(s.lunghezza_estesa, 341000);
    EXPECT_EQ(s.numero_celle, 6820);
    EXPECT_EQ(s.celle.size(), 6821u);
    EXPECT_EQ(s.voci[voce_percorso].fine, 334000);
    // Already in order: only the reference running backwards moves, by 100.
    EXPECT_EQ(s.voci[voce_progressiva_tre].inizio, 315950);
    EXPECT_EQ(s.voci[voce_progressiva_tre].fine, 412150);
    EXPECT_EQ(s.voci[voce_progressiva_tre].posizione, 1);
    EXPECT_EQ(s.voci[voce_progressiva_due].inizio, 284500);
    EXPECT_EQ(s.voci[voce_progressiva_due].fine, -284500);
    EXPECT_EQ(s.voci[voce_progressiva_due].posizione, 0);
    EXPECT_EQ(s.voci[voce_progressiva_uno].inizio, 31100);
    EXPECT_EQ(s.voci[voce_progressiva_uno].fine, 3050);
    EXPECT_EQ(s.voci[voce_linea].inizio, 1);
    EXPECT_EQ(s.voci[voce_linea].posizione, 2);
    EXPECT_EQ(s.voci[voce_linea].fine, 3);
    EXPECT_EQ(s.voci[voce_treno].inizio, 8000);
    EXPECT_EQ(s.voci[voce_treno].fine, 330700);
    EXPECT_EQ(s.voci[voce_treno].posizione, 9);
    EXPECT_EQ(s.voci[voce_linea].nome, "Valdorso");
    EXPECT_EQ(s.voci[voce_treno].nome, "Merlo");
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_FALSE(b.c_e_treno());
}

TEST(SezioneGenerale, LaLunghezzaDimensionaGrigliaEPiano) {
    struct Caso {
        std::int32_t lunghezza;
        std::int32_t numero_celle;
    };
    for (Caso c : {Caso{0, 140}, Caso{25, 140}, Caso{75, 142}, Caso{1000000, 20140}}) {
        SCOPED_TRACE(c.lunghezza);
        BancoLettura b = test::letta(c.lunghezza, {}, true);
        EXPECT_EQ(b.codice(), 0);
        EXPECT_EQ(b.s.lunghezza_estesa, c.lunghezza + 7000);
        EXPECT_EQ(b.s.numero_celle, c.numero_celle);
        EXPECT_EQ(b.s.celle.size(), static_cast<std::size_t>(c.numero_celle) + 1);
        EXPECT_EQ(b.s.tabella_linea.righe, c.lunghezza + 7001);
    }
}

TEST(SezioneGenerale, SenzaPianoNonCreaLaTabella) {
    BancoLettura b = test::letta(3000, {});
    EXPECT_EQ(b.codice(), 0);
    EXPECT_FALSE(b.s.tabella_linea.esiste());
    EXPECT_EQ(b.s.numero_celle, 200);
}

TEST(SezioneGenerale, LineaTroppoLungaFermaConCodice1) {
    BancoLettura b = test::letta(1000001, {});
    EXPECT_EQ(b.codice(), 1);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    EXPECT_FALSE(b.s.griglia_esiste());
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_TRUE(b.c_e_treno());
    EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
    EXPECT_EQ(b.esito.origine.riga, 2);
    EXPECT_EQ(b.esito.origine.testo, "lunghezza percorso,    1000001");
}

TEST(SezioneGenerale, RipetizioneDeiSegnali) {
    struct Caso {
        const char* chiave;
        std::int32_t inizio, fine;
        std::int32_t codice;
        std::int32_t codici;  // voci(86).posizione when accepted
    };
    const std::vector<Caso> casi = {
        {"ripetizione segnali 9 codici", 8000, 330700, 0, 9},
        {"ripetizione segnali 9 codici", 8000, 0, 0, 0},
        {"ripetizione segnali 4 codici", 8000, 9000, 0, 4},
        {"ripetizione segnali 9 o 4 codici", 8000, 9000, 0, 4},
        {"ripetizione segnali 9 codici", -50, 100, 0, 9},
        {"ripetizione segnali 9 codici", 8010, 9000, 3, 0},
        {"ripetizione segnali 9 codici", -30, 9000, 3, 0},
        {"ripetizione segnali 9 codici", 8000, 9030, 4, 0},
        {"ripetizione segnali", 8000, 9000, 5, 0},
        {"ripetizione segnali", 8000, 0, 5, 0},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string(c.chiave) + " " + std::to_string(c.inizio) + " " + std::to_string(c.fine));
        BancoLettura b;
        b.linea({"[generale]", "lunghezza percorso, 3000",
                 std::string(c.chiave) + ",    " + std::to_string(c.inizio) + ",    " + std::to_string(c.fine),
                 "[fine]"});
        b.leggi();
        EXPECT_EQ(b.codice(), c.codice);
        EXPECT_EQ(b.s.voci[voce_treno].inizio, c.inizio);
        EXPECT_EQ(b.s.voci[voce_treno].fine, c.fine);
        if (c.codice == 0) {
            EXPECT_EQ(b.s.voci[voce_treno].posizione, c.codici);
        } else {
            EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
            EXPECT_FALSE(b.c_e_linea());
            EXPECT_TRUE(b.c_e_treno());
            EXPECT_EQ(b.esito.origine.riga, 3);
        }
    }
}

TEST(SezioneGenerale, MaiuscoleSoloDoveLaChiaveLeAmmette) {
    BancoLettura b;
    b.linea({"[GENERALE]",
             "Lunghezza Percorso,    25",
             "Progressiva chilometrica uno,    1000,    500,    0",
             "Sfondo uno,    7",
             "Ripetizione Segnali 9,    100,    200",
             "[fine]"});
    b.leggi();
    EXPECT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.numero_celle, 140);
    for (int i = 81; i <= 83; ++i) {
        EXPECT_EQ(b.s.voci[i].inizio, 0) << i;
        EXPECT_EQ(b.s.voci[i].fine, 0) << i;
    }
    EXPECT_EQ(b.s.voci[voce_linea].inizio, 0);
    EXPECT_EQ(b.s.voci[voce_treno].inizio, 0);
    EXPECT_EQ(b.s.voci[voce_treno].posizione, 0);
}

TEST(SezioneGenerale, CommentiEFineSezione) {
    // Ten comments are passed over; an eleventh stays the field, and a field
    // that begins with a hyphen does not end the section even with brackets.
    std::vector<std::string> righe = {"[generale]"};
    for (int i = 0; i < 11; ++i) righe.push_back("--- [nota] ---");
    righe.push_back("lunghezza percorso,    25");
    righe.push_back("[fine]");
    BancoLettura b;
    b.linea_testo(testo(righe));
    b.leggi();
    EXPECT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.numero_celle, 140);

    // A header ends it: the length after it is not a general key any more,
    // and without a grid the line cannot be completed.
    BancoLettura c;
    c.linea({"[generale]", "[curve]", "lunghezza percorso,    25", "[fine]"});
    c.leggi();
    EXPECT_EQ(c.codice(), 25);
    EXPECT_EQ(c.esito.posizione_errore, posizione_intatta);
    EXPECT_FALSE(c.s.griglia_esiste());
    EXPECT_FALSE(c.c_e_linea());
    EXPECT_FALSE(c.c_e_treno());
}

TEST(SezioneGenerale, UnaSezioneFinoAllaFineDelFileOrdinaLeProgressive) {
    BancoLettura b;
    b.linea_testo("[generale]\r\nlunghezza percorso,    3000\r\nprogressiva chilometrica uno,    1000,    500,    1");
    b.leggi();
    EXPECT_EQ(b.codice(), 0);
    EXPECT_EQ(b.s.voci[voce_progressiva_tre].inizio, 1000);
    EXPECT_EQ(b.s.voci[voce_progressiva_tre].fine, 600);
    EXPECT_EQ(b.s.voci[voce_progressiva_tre].posizione, 1);
    EXPECT_EQ(b.s.voci[voce_progressiva_uno].inizio, 0);
    EXPECT_EQ(b.cella(0).pendenza, 100);
}

TEST(SezioneGenerale, FileDellaLineaMancanteOSenzaGenerale) {
    {
        BancoLettura b;
        b.leggi();
        EXPECT_EQ(b.codice(), 101);
        EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
        EXPECT_TRUE(b.c_e_treno());
        EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
        EXPECT_EQ(b.esito.origine.riga, 0);
        EXPECT_EQ(b.s.voci[voce_linea].nome, "Valdorso");
    }
    // The file as a whole, or the "[generale]" that stands last.
    const std::vector<std::pair<std::string, int>> senza_generale = {
        {testo({"lunghezza percorso, 3000", "[fine]"}), 0},
        {testo({"lunghezza percorso, 3000", "[generale]"}), 2},  // the last field is not examined
        {"", 0},
    };
    for (const auto& [t, riga] : senza_generale) {
        SCOPED_TRACE(t);
        BancoLettura b;
        b.linea_testo(t);
        b.leggi();
        EXPECT_EQ(b.codice(), 102);
        EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
        EXPECT_FALSE(b.c_e_linea());
        EXPECT_TRUE(b.c_e_treno());
        EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
        EXPECT_EQ(b.esito.origine.riga, riga);
    }
}

TEST(SezioneGenerale, GuastiImprevisti) {
    const std::vector<std::string> linee = {
        // a value too large for its member
        testo({"[generale]", "lunghezza percorso,    99999999999", "[fine]"}),
        // the end of the file inside a record
        "[generale]\r\nprogressiva chilometrica uno,    1000,",
        // a grid of negative size
        testo({"[generale]", "lunghezza percorso,    -8000", "[fine]"}),
    };
    for (const std::string& t : linee) {
        SCOPED_TRACE(t);
        BancoLettura b;
        b.linea_testo(t);
        b.leggi();
        EXPECT_EQ(b.codice(), 25);
        EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
        EXPECT_FALSE(b.c_e_linea());
        EXPECT_FALSE(b.c_e_treno());
        EXPECT_EQ(b.esito.origine.riga, 2);
    }
}

TEST(SezioneGenerale, UnRecordPrimaDellaLunghezzaEUnGuasto) {
    BancoLettura b;
    b.linea({"[generale]", "sfondo uno, 1", "[pendenze]", "pendenza,  0,   0", "lunghezza percorso, 3000", "[fine]"});
    b.leggi();
    EXPECT_EQ(b.codice(), 25);
    EXPECT_EQ(b.esito.posizione_errore, posizione_intatta);
    EXPECT_FALSE(b.c_e_linea());
    EXPECT_FALSE(b.c_e_treno());
    EXPECT_EQ(b.esito.origine.file, "Valdorso_linea.txt");
    EXPECT_EQ(b.esito.origine.riga, 4);
    EXPECT_EQ(b.esito.origine.testo, "pendenza,  0,   0");
}

}  // namespace
}  // namespace compattatore
