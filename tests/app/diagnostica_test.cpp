#include "app/diagnostica.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Diagnostica, UnaRigaConLuogoSpiegazioneEPosizione) {
    EsitoCompilazione s;
    s.codice = static_cast<Codice>(16);
    s.posizione_errore = 1050;
    s.origine = {"Brunovale_Quarzo-.txt", 215, 1, "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0"};
    EXPECT_EQ(descrivi_errore(s),
              "Brunovale_Quarzo-.txt:215: codice 16: segnale su una cella occupata (posizione 1050 m)");
}

TEST(Diagnostica, CodiciSenzaPosizioneORecord) {
    EsitoCompilazione s;
    EXPECT_EQ(descrivi_errore(s), "codice 0: nessun errore");
    s.codice = static_cast<Codice>(2);
    s.posizione_errore = 999;  // left from an earlier code: not shown with code 2
    EXPECT_EQ(descrivi_errore(s), "codice 2: progressiva chilometrica con posizione o valore non multiplo di 50");
    s.codice = static_cast<Codice>(12);
    s.posizione_errore = 123200;
    EXPECT_EQ(descrivi_errore(s),
              "codice 12: gruppo di codici prima di un inizio di rallentamento senza cella libera "
              "(posizione 123200 m)");
}

TEST(Diagnostica, IlRecordSottoLaRigaELaFormaJson) {
    EsitoCompilazione s;
    s.codice = static_cast<Codice>(16);
    s.posizione_errore = 1050;
    s.origine = {"Brunovale_Quarzo-.txt", 215, 1, "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\r\n"};
    EXPECT_EQ(riga_del_record(s), "    segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0");
    EXPECT_EQ(diagnostica_json(s),
              "{\"codice\":16,\"spiegazione\":\"segnale su una cella occupata\",\"posizione\":1050,"
              "\"file\":\"Brunovale_Quarzo-.txt\",\"riga\":215,"
              "\"testo\":\"segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0\"}");

    // A record text in the author's 8-bit code page, quotes included.
    s.origine.testo = "stazione,  0, 8, 500, 1,0,0, 4,1,0, 2,1,1, 1, 16,14,30, Citt\xE0 \"Alta\"";
    EXPECT_NE(diagnostica_json(s).find("\"testo\":\"stazione,  0, 8, 500, 1,0,0, 4,1,0, 2,1,1, 1, 16,14,30, "
                                       "Citt\\u00e0 \\\"Alta\\\"\"}"),
              std::string::npos);

    // Codes with no record and no position: nulls, and no second line.
    s.codice = static_cast<Codice>(2);
    s.origine = {};
    EXPECT_EQ(riga_del_record(s), "");
    EXPECT_EQ(diagnostica_json(s),
              "{\"codice\":2,\"spiegazione\":\"progressiva chilometrica con posizione o valore non multiplo di 50\","
              "\"posizione\":null,\"file\":null,\"riga\":null,\"testo\":null}");
}

TEST(Diagnostica, OgniCodiceRegistratoHaLaSuaSpiegazione) {
    for (int codice : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 101,
                       102, 103})
        EXPECT_FALSE(spiegazione_codice(static_cast<Codice>(codice)).empty()) << codice;
    EXPECT_TRUE(spiegazione_codice(static_cast<Codice>(14)).empty());
}

}  // namespace
}  // namespace compattatore
