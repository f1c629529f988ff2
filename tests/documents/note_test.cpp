// The scenario notes: the arrangement of the 74 entries, the line widths and
// the single-byte accented letters.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "documents/documenti.h"
#include "support/documenti_prova.h"
#include "documento_scritto.h"
#include "sources/file_testo.h"

namespace compattatore {
namespace {

class Note : public ::testing::Test {
protected:
    static void SetUpTestSuite() { doc_ = new test::DocumentoScritto(test::scrivi_e_rileggi(dati_note)); }
    static void TearDownTestSuite() { delete doc_; }
    static const std::vector<std::string>& righe() { return doc_->righe; }
    static test::DocumentoScritto* doc_;
};
test::DocumentoScritto* Note::doc_ = nullptr;

TEST_F(Note, NomeDelFileNumeroDiRigheESenzaMarcatore) {
    EXPECT_EQ(doc_->nome_file, "Brunovale_Quarzo_note.txt");
    ASSERT_EQ(righe().size(), 74u);
    EXPECT_EQ(doc_->byte, componi_testo(righe_note()));
    EXPECT_EQ(doc_->byte.find(std::string(marcatore_fine)), std::string::npos);
}

TEST_F(Note, FirmaContattoEVociDiChiusura) {
    ASSERT_EQ(righe().size(), 74u);
    EXPECT_EQ(righe()[41], "   Ettore.");
    EXPECT_EQ(righe()[42], "");
    EXPECT_EQ(righe()[43], "");
    EXPECT_EQ(righe()[69], righe()[41]);
    EXPECT_EQ(righe()[70], "   ettore.valdieri@example.org");
    for (int i : {71, 72, 73}) EXPECT_EQ(righe()[i], "   ") << "entry " << i;
}

// Paragraphs begin with three blanks; the first part has 20 of them over
// entries 0 to 40, each over one to three entries, and a continuation entry
// starts at once with the text.
TEST_F(Note, LaPrimaParteHaVentiParagrafiDaUnaATreVoci) {
    ASSERT_EQ(righe().size(), 74u);
    std::vector<int> voci_per_paragrafo;
    for (int i = 0; i <= 40; ++i) {
        const std::string& r = righe()[i];
        ASSERT_FALSE(r.empty()) << "entry " << i;
        if (r.rfind("   ", 0) == 0) {
            EXPECT_NE(r[3], ' ') << "entry " << i;
            voci_per_paragrafo.push_back(1);
        } else {
            ASSERT_FALSE(voci_per_paragrafo.empty()) << "entry 0 must open a paragraph";
            EXPECT_NE(r[0], ' ') << "a continuation begins without indentation, entry " << i;
            ++voci_per_paragrafo.back();
        }
    }
    EXPECT_EQ(voci_per_paragrafo.size(), 20u);
    for (int n : voci_per_paragrafo) {
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 3);
    }
}

// Where a paragraph goes on in the next entry, the earlier entry is full; if
// the cut fell inside a word it ends with a hyphen and the word goes on.
TEST_F(Note, LeVociDiviseSonoPieneEIlTaglioHaIlTrattino) {
    ASSERT_EQ(righe().size(), 74u);
    int tagli_in_parola = 0;
    for (int i = 0; i < 40; ++i) {
        const std::string& r = righe()[i];
        const std::string& seguente = righe()[i + 1];
        if (seguente.rfind("   ", 0) == 0) continue;  // next entry opens a paragraph
        EXPECT_GT(r.size(), 700u) << "entry " << i << " was split before it was full";
        EXPECT_NE(r.back(), ' ') << "entry " << i;
        if (r.back() == '-') {
            ++tagli_in_parola;
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(r[r.size() - 2])));
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(seguente[0])) ||
                        static_cast<unsigned char>(seguente[0]) >= 0xC0);
        }
    }
    EXPECT_GT(tagli_in_parola, 0);
}

TEST_F(Note, LaRigaPiuLungaEDi766ByteEScrittaIntera) {
    ASSERT_EQ(righe().size(), 74u);
    const auto piu_lunga = std::max_element(righe().begin(), righe().end(),
                                            [](const auto& a, const auto& b) { return a.size() < b.size(); });
    EXPECT_EQ(piu_lunga->size(), 766u);
    // Unbroken: the whole entry stands between two line ends in the file.
    EXPECT_NE(doc_->byte.find("\r\n" + *piu_lunga + "\r\n"), std::string::npos);
}

TEST_F(Note, LaSecondaParteHaCinqueParagrafiA98Colonne) {
    ASSERT_EQ(righe().size(), 74u);
    int paragrafi = 0;
    for (int i = 44; i <= 68; ++i) {
        const std::string& r = righe()[i];
        EXPECT_LE(r.size(), 98u) << "entry " << i;
        EXPECT_FALSE(r.empty()) << "entry " << i;
        if (r.rfind("   ", 0) == 0) ++paragrafi;
    }
    EXPECT_EQ(paragrafi, 5);
    EXPECT_EQ(righe()[44].rfind("   ", 0), 0u);
}

// Every byte above 127 is a Latin-1 letter standing alone: no UTF-8 sequence
// reaches the file, and each of the five accented vowels occurs.
TEST_F(Note, LeLettereAccentateSonoUnSoloByteLatin1) {
    const std::string& b = doc_->byte;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const auto c = static_cast<unsigned char>(b[i]);
        if (c < 0x80) continue;
        EXPECT_GE(c, 0xC0u) << "byte " << i << " is not a Latin-1 letter";
        if (i + 1 < b.size()) {
            const auto d = static_cast<unsigned char>(b[i + 1]);
            EXPECT_FALSE(d >= 0x80 && d < 0xC0) << "UTF-8 sequence at byte " << i;
        }
    }
    for (char lettera : {'\xE0', '\xE8', '\xEC', '\xF2', '\xF9'})
        EXPECT_NE(b.find(lettera), std::string::npos) << std::hex << (static_cast<int>(lettera) & 0xFF);
    EXPECT_EQ(b.find("\xC3"), std::string::npos);
}

// The notes name the line's ends as the train description does.
TEST_F(Note, NominaOrigineEDestinazioneDellaCorsa) {
    const auto treno = test::stazioni_del_treno();
    ASSERT_FALSE(treno.empty());
    EXPECT_NE(doc_->byte.find("da " + treno.front().nome), std::string::npos);
    EXPECT_NE(doc_->byte.find("a " + treno.back().nome), std::string::npos);
}

}  // namespace
}  // namespace compattatore
