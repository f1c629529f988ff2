// The built-in timetable card: four pages in the layout every card keeps,
// whose rows carry the train description's stations, times, limits and the
// line's kilometre references.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lavoro_predefinito.h"
#include "sources/file_testo.h"
#include "support/controlli_documenti.h"
#include "support/documenti_prova.h"

namespace compattatore {
namespace {

using test::celle_scheda;
using test::CelleScheda;

std::string a_destra(const std::string& t, std::size_t n) { return std::string(n - t.size(), ' ') + t; }
std::string a_sinistra(const std::string& t, std::size_t n) { return t + std::string(n - t.size(), ' '); }

bool e_stazione(const std::string& nome) {
    return !nome.empty() && nome != "Dev.U." && nome != "Dev.I." && nome != "Segn.Prot." &&
           nome.rfind("Cippo Km ", 0) != 0 && nome.rfind("C.C. Km ", 0) != 0;
}

class Scheda : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        doc_ = new test::DocumentoScritto(test::file_del_lavoro("Brunovale_Quarzo_scheda_treno.txt"));
        // The layout every card keeps; a fault fails the whole suite.
        letta_ = new test::SchedaLetta(test::controlla_scheda(doc_->righe));
        treno_ = new std::vector<test::StazioneTreno>(test::stazioni_del_treno());
    }
    static void TearDownTestSuite() {
        delete doc_;
        delete letta_;
        delete treno_;
    }
    void SetUp() override {
        ASSERT_EQ(doc_->righe.size(), 198u);
        ASSERT_EQ(treno_->size(), 45u);
    }
    static const std::vector<std::string>& tabella() { return letta_->righe; }

    static test::DocumentoScritto* doc_;
    static test::SchedaLetta* letta_;
    static std::vector<test::StazioneTreno>* treno_;
};
test::DocumentoScritto* Scheda::doc_ = nullptr;
test::SchedaLetta* Scheda::letta_ = nullptr;
std::vector<test::StazioneTreno>* Scheda::treno_ = nullptr;

TEST_F(Scheda, NomeDelFileNumeroDiRigheESenzaMarcatore) {
    EXPECT_EQ(doc_->byte.find(std::string(marcatore_fine)), std::string::npos);
    EXPECT_EQ(doc_->byte.substr(doc_->byte.size() - 5), "|\r\n\r\n");
}

// Four pages of 31 rows, the last one short of the spacer row that the
// page turn after Sorbelletto stands for.
TEST_F(Scheda, QuattroPagine) {
    EXPECT_EQ(letta_->pagine, 4u);
    EXPECT_EQ(letta_->righe_per_pagina, (std::vector<std::size_t>{31, 31, 31, 30}));
    EXPECT_EQ(letta_->numeri.front(), "K27");
    EXPECT_EQ(letta_->origini.front(), treno_->front().nome);
    EXPECT_EQ(letta_->destinazioni.front(), treno_->back().nome);
    EXPECT_EQ(letta_->classi.front(), "    V200 C    ");
    EXPECT_EQ(letta_->frenature.front(), "     130%     ");
    EXPECT_EQ(letta_->categorie.front(), "     ESPRESSO      ");
    EXPECT_EQ(letta_->masse.front(), "      600T         ");
}

// The post after which the order's first restriction begins leaves its
// column 4 to the driver; a spacer row follows each intermediate timed stop.
TEST_F(Scheda, SegnapostoESpaziatureTraLeTratte) {
    std::vector<std::string> segnaposto, dopo_spaziatura;
    int fermate_intermedie = 0;
    for (std::size_t i = 0; i < tabella().size(); ++i) {
        const CelleScheda c = celle_scheda(tabella()[i]);
        if (c.no_rs == " ___ ") segnaposto.push_back(test::senza_blank(c.nome));
        if (i > 0 && tabella()[i] == " |     |     |          |     |                            |                |     |")
            dopo_spaziatura.push_back(test::senza_blank(celle_scheda(tabella()[i - 1]).nome));
        if (c.orario != std::string(16, ' ') && i > 0 && i + 1 < tabella().size()) ++fermate_intermedie;
    }
    EXPECT_EQ(segnaposto, std::vector<std::string>{"Cippo Km 126.000"});
    EXPECT_EQ(fermate_intermedie, 6);
    EXPECT_EQ(dopo_spaziatura, (std::vector<std::string>{"Pratoleone", "Pianfosco", "Poggio Anselmo", "Calvaneo",
                                                         "Pontecervo"}));
}

// The card lists every station of the train description, in order, at the
// kilometre its position has under the line's references, with the train's
// own times: the departure at the first, the arrival at the last, the stop
// time elsewhere, nothing where the train has no time.
TEST_F(Scheda, StazioniChilometriEOrariSonoQuelliDellaCorsa) {
    const auto progressive = test::progressive_della_linea();
    ASSERT_EQ(progressive.size(), 3u);
    std::vector<CelleScheda> stazioni;
    for (const std::string& r : tabella()) {
        const CelleScheda c = celle_scheda(r);
        if (e_stazione(test::senza_blank(c.nome))) stazioni.push_back(c);
    }
    ASSERT_EQ(stazioni.size(), treno_->size());
    for (std::size_t i = 0; i < stazioni.size(); ++i) {
        const auto& s = (*treno_)[i];
        const CelleScheda& c = stazioni[i];
        EXPECT_EQ(test::senza_blank(c.nome), s.nome) << "station " << i + 1;
        EXPECT_EQ(c.km, a_destra(test::testo_km(test::chilometro(progressive, s.posizione)), 9) + " ")
            << s.nome;
        std::string atteso(16, ' ');
        if (s.ha_orario()) {
            char t[16];
            std::snprintf(t, sizeof t, s.secondi ? "%02d.%02d.%02d" : "%02d.%02d", s.ore, s.minuti, s.secondi);
            const std::string ora = t;
            if (i + 1 == stazioni.size())
                atteso = a_sinistra(" " + ora, 16);
            else if (i == 0 && !s.secondi)
                atteso = a_sinistra(std::string(9, ' ') + ora, 16);
            else
                atteso = a_sinistra(std::string(5, ' ') + ora, 16);
        }
        EXPECT_EQ(c.orario, atteso) << s.nome;
    }
    EXPECT_TRUE(treno_->front().ha_orario());
    EXPECT_TRUE(treno_->back().ha_orario());
}

// Each change of the train's speed limit has its row, with the new limit in
// the first column at the change's kilometre; every other row that shows a
// limit shows the one in force.
TEST_F(Scheda, ILimitiSeguonoIlProfiloDelTreno) {
    const auto progressive = test::progressive_della_linea();
    const auto profilo = test::righe_del_treno("velocita");
    ASSERT_FALSE(profilo.empty());
    std::size_t prossimo = 0;
    int in_vigore = -1;
    for (const std::string& r : tabella()) {
        const CelleScheda c = celle_scheda(r);
        if (prossimo < profilo.size()) {
            const auto& v = profilo[prossimo];
            const std::string km = a_destra(test::testo_km(test::chilometro(progressive, v.posizione)), 9) + " ";
            if (c.km == km && c.limite == a_destra(std::to_string(v.valori.at(0)), 4) + " ") {
                in_vigore = v.valori.at(0);
                ++prossimo;
                continue;
            }
        }
        if (c.limite != "     ") {
            EXPECT_EQ(std::stoi(c.limite), in_vigore) << r;
        }
    }
    EXPECT_EQ(prossimo, profilo.size()) << "no row for the change at " << profilo[prossimo].posizione << " m";
}

// Where the line's kilometre reference changes, the row ends its kilometre
// cell with "/" after the old count, and the next row carries the new count
// alone.
TEST_F(Scheda, ICambiDiProgressivaMostranoVecchioENuovoConteggio) {
    const auto progressive = test::progressive_della_linea();
    const auto t = tabella();
    std::vector<std::size_t> barre;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (celle_scheda(t[i]).km.back() == '/') barre.push_back(i);
    ASSERT_EQ(barre.size(), progressive.size());
    for (std::size_t k = 0; k < barre.size(); ++k) {
        const std::int32_t p = progressive[k].posizione;
        const std::string vecchio = test::testo_km(test::chilometro(progressive, p - 1) + 1);
        const std::string nuovo = test::testo_km(test::chilometro(progressive, p));
        EXPECT_EQ(celle_scheda(t[barre[k]]).km, a_destra(vecchio, 9) + "/");
        ASSERT_LT(barre[k] + 1, t.size());
        EXPECT_EQ(t[barre[k] + 1], " |     |     |" + a_destra(nuovo, 9) +
                                       " |     |                            |                |     |");
    }
}

}  // namespace
}  // namespace compattatore
