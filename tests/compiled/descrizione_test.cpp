#include "compiled/descrizione.h"

#include <gtest/gtest.h>

#include "support/scenario_prova.h"

namespace compattatore {
namespace {

using test::cella;

TEST(DettaglioCella, SpacchettaCioCheLaPosaHaImpacchettato) {
    const struct {
        Cella c;
        const char* atteso;
    } casi[] = {
        // "segnale, 1050, 2, 4, 1, 1, 0, 2, 2,1,1, 0"
        {cella(TipoCella::segnale, 42, 11, 11, 8), "sinistro tipo 2 codici 4-1-1, destro tipo 2 codici 2-1-1, rapp 0"},
        // "segnale, 5650, 2, 2, 3, 0, 1, 0, 0,0,0, 0": rapp 1, no right-hand signal
        {cella(TipoCella::segnale, 20, 30, 0, 16), "sinistro tipo 2 codici 2-3-0, destro tipo 0 codici 0-0-0, rapp 1"},
        // "indicatori_vmax, 7300, 75, 80, 85, 0, 75, 80, 85, 0"
        {cella(TipoCella::indicatore_v_max, 1515, 1616, 1717, 0), "sinistro 75/80/85 km/h, 0 strisce; destro 75/80/85 km/h, 0 strisce"},
        // "indicatori_vmax, 1000, 90, 95, 100, 0, , , , 0": no right-hand board
        {cella(TipoCella::indicatore_v_max, 1800, 1900, 2000, 0), "sinistro 90/95/100 km/h, 0 strisce"},
        {cella(TipoCella::indicatore_v_max, 2626, 2828, 2929, 21), "sinistro 130/140/145 km/h, 2 strisce; destro 130/140/145 km/h, 1 striscia"},
        {cella(TipoCella::inizio_rallentamento, 80, 80, 0), "velocita 80 km/h, seconda velocita 80 km/h"},
        {cella(TipoCella::fine_rallentamento, 60, 0, 7), "velocita 60 km/h, f_tt 7"},
        {cella(TipoCella::avviso_rallentamento, 80), "velocita 80 km/h"},
        {cella(TipoCella::preavviso_rallentamento, 3, 3), "preavviso 3 di 4"},
        {cella(TipoCella::fermata, 1), "fermata della stazione in voce 1"},
        {cella(TipoCella::codice, 180), "codice 180"},
        {cella(TipoCella::cartello, 80), "testo in voce 80"},
        {cella(TipoCella::segno_montagna, 0), ""},
        {cella(TipoCella::abbattimento, 0), ""},
        {cella(TipoCella::segnale, -5, 0, 0, 0), "valori del segnale negativi"},
    };
    for (const auto& c : casi) EXPECT_EQ(dettaglio_cella(c.c), c.atteso) << c.atteso;
}

TEST(NomeTipoCella, OgniTipoScrittoDalCompilatoreHaUnNome) {
    for (int t : {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14}) {
        EXPECT_TRUE(tipo_cella_noto(static_cast<TipoCella>(t))) << t;
        EXPECT_NE(nome_tipo_cella(static_cast<TipoCella>(t)), "sconosciuto") << t;
    }
    for (int t : {7, 8, 9, 15, 255}) {
        EXPECT_FALSE(tipo_cella_noto(static_cast<TipoCella>(t))) << t;
        EXPECT_EQ(nome_tipo_cella(static_cast<TipoCella>(t)), "sconosciuto") << t;
    }
}

TEST(TestoOrario, HoursMinutesSeconds) {
    EXPECT_EQ(testo_orario(58470), "16:14:30");
    EXPECT_EQ(testo_orario(0), "0:00:00");
    EXPECT_EQ(testo_orario(90000), "25:00:00");
    EXPECT_EQ(testo_orario(-61), "-0:01:01");
}

TEST(SignificatoVoce, LeVociDIntestazioneAParole) {
    Voci voci{};
    voci[voce_progressiva_tre].inizio = 315950;
    voci[voce_progressiva_tre].fine = 412150;
    voci[voce_progressiva_tre].posizione = 1;
    voci[voce_percorso].inizio = 130;
    voci[voce_percorso].fine = 334000;
    voci[voce_percorso].posizione = 12;
    voci[voce_linea].inizio = 1;
    voci[voce_linea].intero1 = 610;
    voci[voce_linea].orario = 36456;
    voci[voce_treno].inizio = 8000;
    voci[voce_treno].fine = 330700;
    voci[voce_treno].posizione = 9;
    voci[voce_treno].intero1 = 180;
    voci[voce_treno].intero3 = 16;
    voci[voce_treno].intero4 = 20;
    voci[voce_treno].intero5 = 30;
    voci[5].orario = 60390;
    EXPECT_EQ(significato_voce(voci, 81, RuoloVoce::intestazione),
              "progressiva chilometrica dalla posizione 315950 m: valore 412150 m, decrescente");
    EXPECT_EQ(significato_voce(voci, 82, RuoloVoce::intestazione), "progressiva chilometrica non usata");
    EXPECT_EQ(significato_voce(voci, 84, RuoloVoce::intestazione), "massa frenata 130%, lunghezza 334000 m, 12 vetture");
    EXPECT_EQ(significato_voce(voci, 85, RuoloVoce::intestazione),
              "sfondo uno 1, due 0, tre 0; intestazione 610, codice gara 36456");
    EXPECT_EQ(significato_voce(voci, 86, RuoloVoce::intestazione),
              "ripetizione segnali da 8000 a 330700 m, 9 codici; sabbia 180; orologio 16:20:30");
    EXPECT_EQ(significato_voce(voci, 5, RuoloVoce::stazione), "orario 16:46:30");
    EXPECT_EQ(significato_voce(voci, 6, RuoloVoce::stazione), "senza orario");
    EXPECT_EQ(significato_voce(voci, 80, RuoloVoce::cartello), "");
}

TEST(TestoLeggibile, LettereWindows1252InUtf8EGliAltriByteConEscape) {
    EXPECT_EQ(testo_leggibile("Citt\xE0"), "Citt\xC3\xA0");
    EXPECT_EQ(testo_leggibile("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
    // The euro sign, the curly quotes and the dashes of 0x80..0x9F are letters of the code page.
    EXPECT_EQ(testo_leggibile("\x80 \x93x\x94 \x96"), "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xE2\x80\x93");
    // The five bytes it leaves undefined, and the controls, are not.
    EXPECT_EQ(testo_leggibile(std::string("a\x01\x7F\x81\x9D\0", 6)), "a\\x01\\x7F\\x81\\x9D\\x00");
}

}  // namespace
}  // namespace compattatore
