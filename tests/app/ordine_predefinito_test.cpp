// The speed-restriction order: one fixed page whose two rows are the train
// description's two restrictions.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lavoro_predefinito.h"
#include "sources/file_testo.h"
#include "support/documenti_prova.h"

namespace compattatore {
namespace {

const std::string riga_vuota =
    " |   |                            |            |          |         |            |";
const std::string chiusura =
    " |___|____________________________|____________|__________|_________|____________|";

class OrdineRallentamento : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        doc_ = new test::DocumentoScritto(test::file_del_lavoro("Brunovale_Quarzo_rallentamenti.txt"));
    }
    static void TearDownTestSuite() { delete doc_; }
    void SetUp() override { ASSERT_EQ(righe().size(), 46u); }
    static const std::vector<std::string>& righe() { return doc_->righe; }
    static test::DocumentoScritto* doc_;
};
test::DocumentoScritto* OrdineRallentamento::doc_ = nullptr;

// The whole file, byte for byte.
TEST_F(OrdineRallentamento, WholeFile) {
    EXPECT_EQ(doc_->nome_file, "Brunovale_Quarzo_rallentamenti.txt");
    std::vector<std::string> attese = {
        "",
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " " + std::string(80, '_'),
        "  Linea Brunovale Centrale - Porto Calvizio",
        "",
        "  Si ordina al macchinista del treno Quarzo di effettura i seguenti rallentamenti",
        "  " + std::string(79, '_'),
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
        chiusura,
        " | 1 |Ormelina e Pozzoverde       |Km 126.000  |  80 Km/h |   800   |            |",
        " | 2 |Ormelina e Pozzoverde       |Km 130.000  |  60 Km/h |   250   |            |",
    };
    attese.insert(attese.end(), 24, riga_vuota);
    attese.insert(attese.end(), {
        chiusura,
        "",
        "              Prescrizioni specifiche",
        " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
        " B - Interessa anche la stazione di.......",
        " D - Rallentamneto N. ... e N. ...  sono contigui",
        " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
        "     i giorni esclusi i seguenti:.........",
    });
    std::string byte;
    for (const auto& r : attese) byte += r + "\r\n";
    EXPECT_EQ(doc_->byte, byte);
    EXPECT_EQ(doc_->byte.find(std::string(marcatore_fine)), std::string::npos);
}

TEST_F(OrdineRallentamento, LarghezzeEBarre) {
    EXPECT_EQ(righe()[6].size(), 81u);
    // The train's name stands in the fixed text where nome_treno would.
    EXPECT_EQ(righe()[6].substr(37, 6), "Quarzo");
    for (int i = 8; i <= 38; ++i) {
        const std::string& r = righe()[i];
        ASSERT_EQ(r.size(), 82u) << "line " << i + 1;
        for (std::size_t k = 0; k < r.size(); ++k)
            EXPECT_EQ(r[k] == '|', chiusura[k] == '|') << "line " << i + 1 << " column " << k + 1;
    }
}

// The order agrees with the run: line 5 names the first and the last station
// of the train description, and each row is one of its restrictions, between
// two consecutive stations that enclose it, after the last kilometre post
// before its start under the line's references.
TEST_F(OrdineRallentamento, LeRigheSonoIRallentamentiDellaCorsa) {
    const auto stazioni = test::stazioni_del_treno();
    const auto progressive = test::progressive_della_linea();
    const auto rallentamenti = test::righe_del_treno("rallentamento");
    ASSERT_FALSE(stazioni.empty());
    ASSERT_EQ(rallentamenti.size(), 2u);
    EXPECT_EQ(righe()[4], "  Linea " + stazioni.front().nome + " - " + stazioni.back().nome);
    for (std::size_t n = 0; n < rallentamenti.size(); ++n) {
        const auto& r = rallentamenti[n];
        const std::int32_t inizio = r.posizione, velocita = r.valori.at(0), lunghezza = r.valori.at(1);
        std::size_t dopo = 0;
        while (dopo < stazioni.size() && stazioni[dopo].posizione <= inizio) ++dopo;
        ASSERT_GT(dopo, 0u);
        ASSERT_LT(dopo, stazioni.size());
        ASSERT_LE(inizio + lunghezza, stazioni[dopo].posizione);
        const std::int32_t cippo = test::chilometro(progressive, inizio) / 1000 * 1000;

        std::string fra = stazioni[dopo - 1].nome + " e " + stazioni[dopo].nome;
        std::string km = "Km " + test::testo_km(cippo);
        std::string v = std::to_string(velocita), l = "   " + std::to_string(lunghezza);
        const std::string attesa = " | " + std::to_string(n + 1) + " |" + fra + std::string(28 - fra.size(), ' ') + "|" +
                                   km + std::string(12 - km.size(), ' ') + "|" + std::string(4 - v.size(), ' ') + v +
                                   " Km/h |" + l + std::string(9 - l.size(), ' ') + "|            |";
        EXPECT_EQ(righe()[12 + n], attesa);
    }
}

}  // namespace
}  // namespace compattatore
