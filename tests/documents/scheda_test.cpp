// The timetable card: four fixed-width pages whose station rows carry the
// train description's stations and times.
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "documents/documenti.h"
#include "documenti_prova.h"
#include "documento_scritto.h"
#include "sources/file_testo.h"

namespace compattatore {
namespace {

// Index of each page's first header line, and its table rows.
constexpr int inizio_pagina[4] = {2, 53, 103, 152};
constexpr int righe_pagina[4] = {31, 32, 31, 31};
constexpr int prima_riga_tabella = 14;  // after header, classification box, empty line and head

const std::string chiusura =
    " |_____|_____|__________|_____|____________________________|________________|_____|";

// One table row cut into its seven cells.
struct Riga {
    std::string lim, marc, km, rs, nome, orario, rec;
};

Riga celle(const std::string& r) {
    return {r.substr(2, 5), r.substr(8, 5), r.substr(14, 10), r.substr(25, 5),
            r.substr(31, 28), r.substr(60, 16), r.substr(77, 5)};
}

std::string a_destra(const std::string& t, std::size_t n) { return std::string(n - t.size(), ' ') + t; }
std::string a_sinistra(const std::string& t, std::size_t n) { return t + std::string(n - t.size(), ' '); }

std::string nome_in(const std::string& cella) {
    const auto fine = cella.find_last_not_of(' ');
    return fine == std::string::npos ? std::string() : cella.substr(0, fine + 1);
}

bool e_stazione(const std::string& nome) {
    return !nome.empty() && nome != "Dev.U." && nome != "Dev.I." && nome != "Segn.Prot." &&
           nome.rfind("Cippo Km ", 0) != 0 && nome.rfind("C.C. Km ", 0) != 0;
}

class Scheda : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        doc_ = new test::DocumentoScritto(test::scrivi_e_rileggi(dati_scheda));
        treno_ = new std::vector<test::StazioneTreno>(test::stazioni_del_treno());
    }
    static void TearDownTestSuite() {
        delete doc_;
        delete treno_;
    }
    void SetUp() override {
        ASSERT_EQ(righe().size(), 199u);
        ASSERT_EQ(treno_->size(), 45u);
    }
    static const std::vector<std::string>& righe() { return doc_->righe; }

    // The 125 table rows in order; the second page's last row, written into
    // the closing rule, comes back with its underscores as blanks.
    static std::vector<std::string> tabella() {
        std::vector<std::string> t;
        for (int p = 0; p < 4; ++p)
            for (int i = 0; i < righe_pagina[p]; ++i) {
                std::string r = righe()[inizio_pagina[p] + prima_riga_tabella + i];
                if (p == 1 && i == righe_pagina[p] - 1)
                    for (std::size_t k = 1; k < r.size(); ++k)
                        if (r[k] == '_') r[k] = ' ';
                t.push_back(r);
            }
        return t;
    }

    static test::DocumentoScritto* doc_;
    static std::vector<test::StazioneTreno>* treno_;
};
test::DocumentoScritto* Scheda::doc_ = nullptr;
std::vector<test::StazioneTreno>* Scheda::treno_ = nullptr;

TEST_F(Scheda, NomeDelFileNumeroDiRigheESenzaMarcatore) {
    EXPECT_EQ(doc_->nome_file, "Brunovale_Quarzo_scheda_treno.txt");
    EXPECT_EQ(doc_->byte, componi_testo(righe_scheda()));
    EXPECT_EQ(doc_->byte.find(std::string(marcatore_fine)), std::string::npos);
    EXPECT_EQ(doc_->byte.substr(doc_->byte.size() - 5), "|\r\n\r\n");
}

TEST_F(Scheda, RigheVuoteESeparatoriTraLePagine) {
    const std::string punti81(81, '.'), punti72(72, '.');
    const std::vector<std::pair<int, std::string>> attese = {
        {0, ""},       {1, ""},                                              // before page 1
        {48, ""},      {49, ""},  {50, punti81}, {51, ""}, {52, ""},         // after page 1
        {99, ""},      {100, ""}, {101, punti72}, {102, ""},                 // after page 2
        {149, ""},     {150, punti72}, {151, ""},                            // after page 3
        {198, ""},                                                           // after page 4
    };
    for (const auto& [i, testo] : attese) EXPECT_EQ(righe()[i], testo) << "line " << i + 1;
    // Every page's empty line between the classification box and the table.
    for (int p : inizio_pagina) EXPECT_EQ(righe()[p + 9], "") << "line " << p + 10;
}

TEST_F(Scheda, RiquadroDIntestazioneSuOgniPagina) {
    const std::string& origine = treno_->front().nome;
    const std::string& destinazione = treno_->back().nome;
    for (int p = 0; p < 4; ++p) {
        const int i = inizio_pagina[p];
        const std::string marcatore = "SCHEDA " + std::to_string(p + 1) + "/4";
        EXPECT_EQ(righe()[i], "  " + std::string(19, '_') + std::string(47, ' ') + std::string(14, '_'));
        EXPECT_EQ(righe()[i + 1], " |" + std::string(19, ' ') + "|" + std::string(20, ' ') + marcatore +
                                      std::string(15, ' ') + "|" + std::string(14, ' ') + "|");
        EXPECT_EQ(righe()[i + 1].substr(42, 10), marcatore);  // character 43 on
        EXPECT_EQ(righe()[i + 2], " |   TRENO n.  K27   |" + a_sinistra(std::string(19, ' ') + "da: " + origine, 45) +
                                      "|    V200 C    |");
        EXPECT_EQ(righe()[i + 2].substr(45, origine.size()), origine);  // position 46
        EXPECT_EQ(righe()[i + 3], " |" + std::string(19, '_') + "|" +
                                      a_sinistra(std::string(20, ' ') + "a: " + destinazione, 45) +
                                      "|     130%     |");
        EXPECT_EQ(righe()[i + 3].substr(45, destinazione.size()), destinazione);
        EXPECT_EQ(righe()[i + 4], std::string(67, ' ') + "|" + std::string(14, '_') + "|");
        EXPECT_EQ(righe()[i].size(), 82u);
        for (int k = 1; k < 5; ++k) EXPECT_EQ(righe()[i + k].size(), 83u);
    }
}

TEST_F(Scheda, RiquadroDiClassificaSuOgniPagina) {
    for (int p : inizio_pagina) {
        EXPECT_EQ(righe()[p + 5], "  ___________________                ___________________");
        EXPECT_EQ(righe()[p + 6], " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
        EXPECT_EQ(righe()[p + 6].size(), 64u);
        const std::string& classe = righe()[p + 7];
        ASSERT_EQ(classe.size(), 57u);
        EXPECT_EQ(classe.substr(0, 2), " |");
        EXPECT_EQ(classe.substr(21), "|              |      600T         |");
        // The category centred in 19 characters, the odd blank to the right.
        const std::string cella = classe.substr(2, 19);
        const auto a = cella.find_first_not_of(' '), b = cella.find_last_not_of(' ');
        ASSERT_NE(a, std::string::npos);
        EXPECT_EQ(18 - b, a + (19 - (b - a + 1)) % 2) << cella;
        EXPECT_EQ(righe()[p + 8], " |___________________|              |___________________|");
    }
}

TEST_F(Scheda, TestaDellaTabellaERigheDiChiusura) {
    for (int p = 0; p < 4; ++p) {
        const int i = inizio_pagina[p] + 10;
        EXPECT_EQ(righe()[i], "  " + std::string(80, '_'));
        EXPECT_EQ(righe()[i + 1], " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |");
        EXPECT_EQ(righe()[i + 2], " | Lim.|Marc.|          |  Rs |                            |                |     |");
        EXPECT_EQ(righe()[i + 3], chiusura);
        if (p != 1) {
            EXPECT_EQ(righe()[i + 4 + righe_pagina[p]], chiusura) << "page " << p + 1;
        }
    }
}

// The second page's last row is written into the closing rule: its bars and
// contents stay, every blank inside the frame is an underscore.
TEST_F(Scheda, LaSecondaPaginaFinisceConLUltimaRigaSullaChiusura) {
    const std::string& ultima = righe()[inizio_pagina[1] + prima_riga_tabella + 31];
    ASSERT_EQ(ultima.size(), 83u);
    EXPECT_EQ(ultima[0], ' ');
    EXPECT_EQ(ultima.find(' ', 1), std::string::npos) << ultima;
    EXPECT_NE(ultima, chiusura);
    for (std::size_t k = 0; k < chiusura.size(); ++k)
        if (chiusura[k] == '|') {
            EXPECT_EQ(ultima[k], '|') << "column " << k + 1;
        }
    EXPECT_EQ(righe()[inizio_pagina[1] + prima_riga_tabella + 32], "");
}

TEST_F(Scheda, OgniRigaTieneLaDisposizioneDelleCaselle) {
    const std::regex velocita("^( {5}| *[1-9][0-9]* )$");
    const std::regex km("^( {10}| *[0-9]+\\.[0-9]{3}[ /])$");
    const std::regex orario("^( {16}|     [0-9]{2}\\.[0-9]{2}(\\.[0-9]{2})? *| [0-9]{2}\\.[0-9]{2} {10}"
                            "| [0-9]{2}\\.[0-9]{2}   [0-9]{2}\\.[0-9]{2}  | {9}[0-9]{2}\\.[0-9]{2}  )$");
    const std::regex recupero("^( {5}| [0-9]+(\\.[0-9])? *)$");
    const auto t = tabella();
    ASSERT_EQ(t.size(), 125u);
    for (const std::string& r : t) {
        ASSERT_EQ(r.size(), 83u) << r;
        for (std::size_t k = 0; k < chiusura.size(); ++k)
            EXPECT_EQ(r[k] == '|', chiusura[k] == '|') << "column " << k + 1 << ": " << r;
        const Riga c = celle(r);
        EXPECT_TRUE(std::regex_match(c.lim, velocita)) << r;
        EXPECT_TRUE(std::regex_match(c.marc, velocita)) << r;
        EXPECT_TRUE(std::regex_match(c.rs, velocita)) << r;
        EXPECT_TRUE(std::regex_match(c.km, km)) << r;
        if (c.nome[0] == ' ') {
            EXPECT_EQ(c.nome, std::string(28, ' ')) << "names are left-aligned: " << r;
        }
        EXPECT_TRUE(std::regex_match(c.orario, orario)) << r;
        EXPECT_TRUE(std::regex_match(c.rec, recupero)) << r;
    }
}

// The card lists every station of the train description, in order, at the
// kilometre its position has under the line's references, with the train's
// own times: the departure at the first, the arrival at the last, the stop
// time elsewhere, nothing where the train has no time.
TEST_F(Scheda, StazioniChilometriEOrariSonoQuelliDellaCorsa) {
    const auto progressive = test::progressive_della_linea();
    ASSERT_EQ(progressive.size(), 3u);
    std::vector<Riga> stazioni;
    for (const std::string& r : tabella()) {
        const Riga c = celle(r);
        if (e_stazione(nome_in(c.nome))) stazioni.push_back(c);
    }
    ASSERT_EQ(stazioni.size(), treno_->size());
    for (std::size_t i = 0; i < stazioni.size(); ++i) {
        const auto& s = (*treno_)[i];
        const Riga& c = stazioni[i];
        EXPECT_EQ(nome_in(c.nome), s.nome) << "station " << i + 1;
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
        const Riga c = celle(r);
        if (prossimo < profilo.size()) {
            const auto& v = profilo[prossimo];
            const std::string km = a_destra(test::testo_km(test::chilometro(progressive, v.posizione)), 9) + " ";
            if (c.km == km && c.lim == a_destra(std::to_string(v.valori.at(0)), 4) + " ") {
                in_vigore = v.valori.at(0);
                ++prossimo;
                continue;
            }
        }
        if (c.lim != "     ") {
            EXPECT_EQ(std::stoi(c.lim), in_vigore) << r;
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
        if (celle(t[i]).km.back() == '/') barre.push_back(i);
    ASSERT_EQ(barre.size(), progressive.size());
    for (std::size_t k = 0; k < barre.size(); ++k) {
        const std::int32_t p = progressive[k].posizione;
        const std::string vecchio = test::testo_km(test::chilometro(progressive, p - 1) + 1);
        const std::string nuovo = test::testo_km(test::chilometro(progressive, p));
        EXPECT_EQ(celle(t[barre[k]]).km, a_destra(vecchio, 9) + "/");
        ASSERT_LT(barre[k] + 1, t.size());
        EXPECT_EQ(t[barre[k] + 1], " |     |     |" + a_destra(nuovo, 9) +
                                       " |     |                            |                |     |");
    }
}

}  // namespace
}  // namespace compattatore
