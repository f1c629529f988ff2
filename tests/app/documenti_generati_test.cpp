// `compile` writes the driver's card and order for any scenario: on a
// generated line of 500 km with twenty stations they keep the layout of
// every card and order, list every station, time and kilometre change of
// the run, and span as many pages as their rows need.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/comandi.h"
#include "documents/documento_scritto.h"
#include "platform/file_io.h"
#include "sources/linea_generata.h"
#include "support/controlli_documenti.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

class DocumentiGenerati : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir();
        const DescrizioniGenerate d = genera_descrizioni(500000, 20);
        replace_file(*dir_ / "Generata_linea.txt", d.linea);
        replace_file(*dir_ / "Generata_Prova-.txt", d.treno);
        std::ostringstream out, err;
        esito_ = compila_sorgenti({dir_->path(), "Generata", "Prova"}, out, err);
        messaggio_ = out.str() + err.str();
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override { ASSERT_EQ(esito_, 0) << messaggio_; }

    static std::vector<std::string> righe(const char* coda) {
        return test::righe_crlf(read_file(*dir_ / (std::string("Generata_Prova_") + coda)));
    }

    static test::TempDir* dir_;
    static int esito_;
    static std::string messaggio_;
};
test::TempDir* DocumentiGenerati::dir_ = nullptr;
int DocumentiGenerati::esito_ = -1;
std::string DocumentiGenerati::messaggio_;

TEST_F(DocumentiGenerati, LaSchedaTieneLaDisposizioneDiOgniScheda) {
    const test::SchedaLetta s = test::controlla_scheda(righe("scheda_treno.txt"));
    EXPECT_GE(s.pagine, 3u);
    ASSERT_EQ(s.righe_per_pagina.size(), s.pagine);

    std::vector<std::string> stazioni, orari, cambi;
    for (const std::string& r : s.righe) {
        const test::CelleScheda c = test::celle_scheda(r);
        const std::string nome = test::senza_blank(c.nome);
        if (nome.rfind("Stazione di prova ", 0) == 0) {
            stazioni.push_back(nome);
            orari.push_back(c.orario);
        }
        if (c.km.back() == '/') cambi.push_back(nome);
    }
    ASSERT_EQ(stazioni.size(), 20u);
    for (std::size_t i = 0; i < stazioni.size(); ++i) EXPECT_EQ(stazioni[i], "Stazione di prova " + std::to_string(i + 1));
    // Every fifth station and the last have a time: the departure of the
    // first, with its seconds, at character 6; the arrival of the last at 2.
    EXPECT_EQ(orari.front(), "     16.14.30   ");
    EXPECT_EQ(orari[5].substr(0, 5), "     ");
    EXPECT_NE(orari[5], std::string(16, ' '));
    EXPECT_EQ(orari[1], std::string(16, ' '));
    EXPECT_EQ(orari.back().substr(0, 3), " 00");
    // The line has three kilometre references, each with its change rows.
    EXPECT_EQ(cambi.size(), 3u);
    EXPECT_EQ(s.numeri.front(), "Prova");
    EXPECT_EQ(test::senza_blank(s.categorie.front()), "REGIONALE");
    EXPECT_EQ(s.origini.front(), "Stazione di prova 1");
    EXPECT_EQ(s.destinazioni.front(), "Stazione di prova 20");
}

TEST_F(DocumentiGenerati, LOrdineElencaIRallentamentiDellaCorsa) {
    const std::vector<std::string> o = righe("rallentamenti.txt");
    test::controlla_ordine(o, 3);
    EXPECT_EQ(o[4], "  Linea Stazione di prova 1 - Stazione di prova 20");
    EXPECT_EQ(o[6], "  Si ordina al macchinista del treno Prova di effettura i seguenti rallentamenti");
}

}  // namespace
}  // namespace compattatore
