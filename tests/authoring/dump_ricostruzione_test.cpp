// The JSON dump holds the whole file: each of the three compiled files is
// rebuilt from its dump, byte for byte, by a re-encoder that knows only the
// layout of the files.
#include <sstream>

#include <gtest/gtest.h>

#include "authoring/decodifica.h"
#include "authoring/dump.h"
#include "json_minimo.h"
#include "ricodifica.h"
#include "scenario_prova.h"
#include "tables/compiled_files.h"

namespace compattatore {
namespace {

std::string dump_json(TipoFile tipo, const std::string& byte) {
    std::ostringstream out;
    scrivi_dump(out, tipo, byte, FormatoDump::json);
    return out.str();
}

class Ricostruzione : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_ = new Scenario(prova::scenario_completo()); }
    static void TearDownTestSuite() { delete s_; }
    static Scenario* s_;

    static void ricostruisci(TipoFile tipo, const std::string& file) {
        const std::string json = dump_json(tipo, file);
        const prova::ValoreJson dump = prova::leggi_json(json);
        EXPECT_EQ(dump["formato"].testo, "compattatore-dump");
        EXPECT_EQ(dump["tipo_file"].testo, nome_tipo_file(tipo));
        EXPECT_EQ(dump["byte"].intero(), static_cast<std::int64_t>(file.size()));
        const std::string ricostruito = prova::ricodifica(dump);
        ASSERT_EQ(ricostruito.size(), file.size());
        EXPECT_TRUE(ricostruito == file);
        // The output is pure ASCII: Latin-1 letters travel as \u00XX.
        for (char c : json) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    }
};

Scenario* Ricostruzione::s_ = nullptr;

TEST_F(Ricostruzione, GridFromItsDump) { ricostruisci(TipoFile::griglia, codifica_griglia(*s_)); }

TEST_F(Ricostruzione, EntriesFromTheirDump) { ricostruisci(TipoFile::voci, codifica_voci(*s_)); }

TEST_F(Ricostruzione, PlanFromItsDumpIncludingRealsWithoutAJsonNumber) {
    ricostruisci(TipoFile::piano, codifica_tabella_linea(*s_));
}

TEST_F(Ricostruzione, PlanColumnsAreRunsOfOneStateWithTheirTag) {
    const prova::ValoreJson dump = prova::leggi_json(dump_json(TipoFile::piano, codifica_tabella_linea(*s_)));
    const prova::ValoreJson& x = dump["colonne"].lista.at(0);
    EXPECT_EQ(x["coordinata"].testo, "x");
    const auto& tratti = x["tratti"].lista;
    ASSERT_GE(tratti.size(), 3u);
    EXPECT_EQ(tratti[0]["stato"].testo, "intero16");
    EXPECT_EQ(tratti[0]["tag"].intero(), 2);
    EXPECT_EQ(tratti[0]["righe"].intero(), 2);
    EXPECT_EQ(tratti[1]["stato"].testo, "reale");
    EXPECT_EQ(tratti[1]["valori"].lista.at(3).lessema, "-0");  // row 5
    EXPECT_EQ(tratti[1]["valori"].lista.at(5).testo, "bits:7ff8000000000123");  // row 7, NaN with its payload
    EXPECT_EQ(tratti[1]["valori"].lista.at(9).lessema, "0.1");  // shortest text that reads back exactly
    EXPECT_EQ(tratti.back()["stato"].testo, "vuoto");
    EXPECT_FALSE(tratti.back().ha("valori"));
    EXPECT_EQ(tratti.back()["prima_riga"].intero(), 340999);
}

TEST_F(Ricostruzione, GridDumpListsOnlyCellsThatHoldSomething) {
    const prova::ValoreJson dump = prova::leggi_json(dump_json(TipoFile::griglia, codifica_griglia(*s_)));
    EXPECT_EQ(dump["numero_celle"].intero(), 6820);
    const auto& celle = dump["celle"].lista;
    EXPECT_EQ(celle.size(), 6818u);  // the last three cells are all zero
    EXPECT_EQ(celle.back()["indice"].intero(), 6817);
    const prova::ValoreJson& segnale = celle.at(22);
    EXPECT_EQ(segnale["indice"].intero(), 22);
    EXPECT_EQ(segnale["metri"].intero(), 1050);
    EXPECT_EQ(segnale["nome_tipo"].testo, "segnale");
    EXPECT_EQ(segnale["tempo"].intero(), 255);
}

TEST_F(Ricostruzione, EntriesDumpCarriesRolesOffsetsAndExactNameBytes) {
    const std::string sim = codifica_voci(*s_);
    const std::string json = dump_json(TipoFile::voci, sim);
    EXPECT_NE(json.find("\"Citt\\u00e0 \\\"Alta\\\" \\\\ Nord\""), std::string::npos);
    const prova::ValoreJson dump = prova::leggi_json(json);
    const auto& voci = dump["voci"].lista;
    ASSERT_EQ(voci.size(), 87u);
    EXPECT_EQ(voci[0]["ruolo"].testo, "vuota");
    EXPECT_EQ(voci[1]["ruolo"].testo, "stazione");
    EXPECT_EQ(voci[1]["significato"].testo, "orario 16:14:30");
    EXPECT_EQ(voci[2]["nome"].testo, std::string("a\x01\x7F\x80\x9F\xA0\xFF\tb\r\n\0", 12));
    EXPECT_EQ(voci[4]["ruolo"].testo, "vuota");
    EXPECT_EQ(voci[79]["ruolo"].testo, "cartello");
    EXPECT_EQ(voci[86]["ruolo"].testo, "intestazione");
    // Offsets add up the records before: 34 bytes plus the name.
    EXPECT_EQ(voci[1]["offset"].intero(), 34);
    EXPECT_EQ(voci[2]["offset"].intero(), static_cast<std::int64_t>(34 + 34 + s_->voci[1].nome.size()));
    EXPECT_EQ(voci[86]["offset"].intero() + 34 + 6, static_cast<std::int64_t>(sim.size()));
}

}  // namespace
}  // namespace compattatore
