// The JSON dump holds the whole file: each of the three compiled files is
// rebuilt from its dump, byte for byte, by a re-encoder that knows only the
// layout of the files.
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "compiled/decodifica.h"
#include "dump/dump.h"
#include "support/ricodifica.h"
#include "support/scenario_prova.h"
#include "support/json.h"
#include "tables/file_compilati.h"

namespace compattatore {
namespace {

std::string dump_json(TipoFile tipo, const std::string& byte) {
    std::ostringstream out;
    scrivi_dump(out, tipo, byte, FormatoDump::json);
    return out.str();
}

class Ricostruzione : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_ = new Scenario(test::scenario_completo()); }
    static void TearDownTestSuite() { delete s_; }
    static Scenario* s_;

    static void ricostruisci(TipoFile tipo, const std::string& file) {
        const std::string json = dump_json(tipo, file);
        const nlohmann::json dump = test::parse_json(json);
        EXPECT_EQ(dump["formato"], "compattatore-dump");
        EXPECT_EQ(dump["tipo_file"], nome_tipo_file(tipo));
        EXPECT_EQ(dump["byte"], file.size());
        const std::string ricostruito = test::ricodifica(dump);
        ASSERT_EQ(ricostruito.size(), file.size());
        EXPECT_TRUE(ricostruito == file);
        // The output is pure ASCII: Latin-1 letters travel as \u00XX.
        for (char c : json) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    }
};

Scenario* Ricostruzione::s_ = nullptr;

TEST_F(Ricostruzione, GrigliaDalSuoDump) { ricostruisci(TipoFile::griglia, codifica_griglia(s_->celle)); }

TEST_F(Ricostruzione, VociDalLoroDump) { ricostruisci(TipoFile::voci, codifica_voci(s_->voci)); }

TEST_F(Ricostruzione, PianoDalSuoDumpAncheConRealiSenzaNumeroJson) {
    ricostruisci(TipoFile::piano, codifica_tabella_linea(s_->tabella_linea));
}

TEST_F(Ricostruzione, LeColonneDelPianoSonoTrattiDiUnoStatoColTag) {
    const std::string json = dump_json(TipoFile::piano, codifica_tabella_linea(s_->tabella_linea));
    const nlohmann::json dump = test::parse_json(json);
    const nlohmann::json& x = dump["colonne"].at(0);
    EXPECT_EQ(x["coordinata"], "x");
    const nlohmann::json& tratti = x["tratti"];
    ASSERT_GE(tratti.size(), 3u);
    EXPECT_EQ(tratti[0]["stato"], "intero16");
    EXPECT_EQ(tratti[0]["tag"], 2);
    EXPECT_EQ(tratti[0]["righe"], 2);
    EXPECT_EQ(tratti[1]["stato"], "reale");
    // Row 5 is -0, row 7 a NaN with its payload, row 11 0.1 in its shortest text.
    EXPECT_NE(json.find(",-0,"), std::string::npos);
    EXPECT_TRUE(std::signbit(tratti[1]["valori"].at(3).get<double>()));
    EXPECT_EQ(tratti[1]["valori"].at(5), "bits:7ff8000000000123");
    EXPECT_NE(json.find(",0.1,"), std::string::npos);
    EXPECT_EQ(tratti.back()["stato"], "vuoto");
    EXPECT_FALSE(tratti.back().contains("valori"));
    EXPECT_EQ(tratti.back()["prima_riga"], 340999);
}

TEST_F(Ricostruzione, IlDumpDellaGrigliaElencaSoloLeCelleNonVuote) {
    const nlohmann::json dump = test::parse_json(dump_json(TipoFile::griglia, codifica_griglia(s_->celle)));
    EXPECT_EQ(dump["numero_celle"], 6820);
    const nlohmann::json& celle = dump["celle"];
    EXPECT_EQ(celle.size(), 6818u);  // the last three cells are all zero
    EXPECT_EQ(celle.back()["indice"], 6817);
    const nlohmann::json& segnale = celle.at(22);
    EXPECT_EQ(segnale["indice"], 22);
    EXPECT_EQ(segnale["metri"], 1050);
    EXPECT_EQ(segnale["nome_tipo"], "segnale");
    EXPECT_EQ(segnale["tempo"], 255);
}

TEST_F(Ricostruzione, IlDumpDelleVociHaRuoliOffsetEIByteEsattiDeiNomi) {
    const std::string sim = codifica_voci(s_->voci);
    const std::string json = dump_json(TipoFile::voci, sim);
    EXPECT_NE(json.find("\"Citt\\u00e0 \\\"Alta\\\" \\\\ Nord\""), std::string::npos);
    const nlohmann::json dump = test::parse_json(json);
    const nlohmann::json& voci = dump["voci"];
    ASSERT_EQ(voci.size(), 87u);
    EXPECT_EQ(voci[0]["ruolo"], "vuota");
    EXPECT_EQ(voci[1]["ruolo"], "stazione");
    EXPECT_EQ(voci[1]["significato"], "orario 16:14:30");
    EXPECT_EQ(test::json_bytes(voci[2]["nome"]), std::string("a\x01\x7F\x80\x9F\xA0\xFF\tb\r\n\0", 12));
    EXPECT_EQ(voci[4]["ruolo"], "vuota");
    EXPECT_EQ(voci[79]["ruolo"], "cartello");
    EXPECT_EQ(voci[voce_treno]["ruolo"], "intestazione");
    // Offsets add up the records before: 34 bytes plus the name.
    EXPECT_EQ(voci[1]["offset"], 34);
    EXPECT_EQ(voci[2]["offset"], 34 + 34 + s_->voci[1].nome.size());
    EXPECT_EQ(voci[voce_treno]["offset"].get<std::size_t>() + 34 + 6, sim.size());
}

}  // namespace
}  // namespace compattatore
