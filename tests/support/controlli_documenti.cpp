#include "support/controlli_documenti.h"

#include <regex>

#include <gtest/gtest.h>

#include "documents/colonne_scheda.h"

namespace compattatore::test {

namespace {

const std::string chiusura_scheda =
    " |_____|_____|__________|_____|____________________________|________________|_____|";
const std::string chiusura_ordine =
    " |___|____________________________|____________|__________|_________|____________|";

constexpr std::size_t righe_per_pagina = 31;
constexpr std::size_t righe_testata = 14;

// Every bar where the closing rule has one, and nowhere else.
void stesse_barre(const std::string& r, const std::string& regola, const std::string& dove) {
    ASSERT_EQ(r.size(), regola.size()) << dove << ": " << r;
    for (std::size_t k = 0; k < r.size(); ++k)
        EXPECT_EQ(r[k] == '|', regola[k] == '|') << dove << " column " << k + 1 << ": " << r;
}

void controlla_riga_scheda(const std::string& r, const std::string& dove) {
    static const std::regex velocita("^( {5}| *[0-9]+ | ___ )$");
    static const std::regex km("^( {10}| *-?[0-9]+\\.[0-9]{3}[ /])$");
    static const std::regex orario("^( {16}|     [0-9]{2}\\.[0-9]{2}(\\.[0-9]{2})? *| [0-9]{2}\\.[0-9]{2}(\\.[0-9]{2})? *"
                                   "| [0-9]{2}\\.[0-9]{2}   [0-9]{2}\\.[0-9]{2}  | {9}[0-9]{2}\\.[0-9]{2}  )$");
    static const std::regex recupero("^( {5}| [0-9]+(\\.[0-9])? *)$");
    stesse_barre(r, chiusura_scheda, dove);
    if (r.size() != chiusura_scheda.size()) return;
    const CelleScheda c = celle_scheda(r);
    EXPECT_TRUE(std::regex_match(c.limite, velocita)) << dove << ": " << r;
    EXPECT_TRUE(std::regex_match(c.marcia, velocita)) << dove << ": " << r;
    EXPECT_TRUE(std::regex_match(c.no_rs, velocita)) << dove << ": " << r;
    EXPECT_TRUE(std::regex_match(c.km, km)) << dove << ": " << r;
    EXPECT_TRUE(std::regex_match(c.orario, orario)) << dove << ": " << r;
    EXPECT_TRUE(std::regex_match(c.recupero, recupero)) << dove << ": " << r;
}

// The header box, the classification box and the table head of page `n`
// from line `i`; N from the marker of the first page.
void controlla_testata(const std::vector<std::string>& s, std::size_t i, std::size_t n, SchedaLetta& letta) {
    const std::string dove = "page " + std::to_string(n);
    EXPECT_EQ(s[i], "  " + std::string(19, '_') + std::string(47, ' ') + std::string(14, '_')) << dove;
    const std::string& marcatore = s[i + 1];
    ASSERT_EQ(marcatore.size(), 83u) << dove;
    EXPECT_EQ(marcatore.substr(0, 42), " |" + std::string(19, ' ') + "|" + std::string(20, ' ')) << dove;
    const std::string atteso = "SCHEDA " + std::to_string(n) + "/";
    ASSERT_EQ(marcatore.substr(42, atteso.size()), atteso) << dove << ": marker at character 43";
    const std::string totale = marcatore.substr(42 + atteso.size(), 67 - 42 - atteso.size());
    EXPECT_NE(totale[0], ' ') << dove;
    if (n == 1) letta.pagine = std::stoul(totale);
    EXPECT_EQ(senza_blank(totale), std::to_string(letta.pagine)) << dove;
    EXPECT_EQ(marcatore.substr(67), "|" + std::string(14, ' ') + "|") << dove;

    const std::string& treno = s[i + 2];
    const std::string& destinazione = s[i + 3];
    ASSERT_EQ(treno.size(), 83u) << dove;
    ASSERT_EQ(destinazione.size(), 83u) << dove;
    EXPECT_EQ(treno.substr(0, 15), " |   TRENO n.  ") << dove;
    EXPECT_EQ(treno.substr(21, 24), "|" + std::string(19, ' ') + "da: ") << dove;
    EXPECT_EQ(destinazione.substr(0, 45), " |" + std::string(19, '_') + "|" + std::string(20, ' ') + "a: ") << dove;
    for (const std::string* r : {&treno, &destinazione}) {
        EXPECT_EQ((*r)[67], '|') << dove;
        EXPECT_EQ((*r)[82], '|') << dove;
    }
    letta.numeri.push_back(senza_blank(treno.substr(15, 6)));
    letta.origini.push_back(senza_blank(treno.substr(45, 22)));
    letta.destinazioni.push_back(senza_blank(destinazione.substr(45, 22)));
    letta.classi.push_back(treno.substr(68, 14));
    letta.frenature.push_back(destinazione.substr(68, 14));
    EXPECT_EQ(s[i + 4], std::string(67, ' ') + "|" + std::string(14, '_') + "|") << dove;

    EXPECT_EQ(s[i + 5], "  ___________________                ___________________") << dove;
    EXPECT_EQ(s[i + 6], " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ") << dove;
    const std::string& classe = s[i + 7];
    ASSERT_EQ(classe.size(), 57u) << dove;
    EXPECT_EQ(classe.substr(0, 2), " |") << dove;
    EXPECT_EQ(classe.substr(21, 16), "|              |") << dove;
    EXPECT_EQ(classe.substr(37, 6), "      ") << dove;
    EXPECT_EQ(classe.back(), '|') << dove;
    letta.categorie.push_back(classe.substr(2, 19));
    letta.masse.push_back(classe.substr(37, 19));
    EXPECT_EQ(s[i + 8], " |___________________|              |___________________|") << dove;
    EXPECT_EQ(s[i + 9], "") << dove;
    EXPECT_EQ(s[i + 10], "  " + std::string(80, '_')) << dove;
    EXPECT_EQ(s[i + 11], " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |") << dove;
    EXPECT_EQ(s[i + 12], " | Lim.|Marc.|          |  Rs |                            |                |     |") << dove;
    EXPECT_EQ(s[i + 13], chiusura_scheda) << dove;
}

// Centred in its cell, the odd blank to the right.
void centrato(const std::string& cella, const std::string& dove) {
    const auto a = cella.find_first_not_of(' '), b = cella.find_last_not_of(' ');
    if (a == std::string::npos) return;
    const std::size_t destra = cella.size() - 1 - b;
    EXPECT_TRUE(destra == a || destra == a + 1) << dove << ": [" << cella << "]";
}

}  // namespace

CelleScheda celle_scheda(const std::string& r) {
    auto cella = [&r](CellaScheda c) { return r.substr(inizio(c), larghezza(c)); };
    return {cella(CellaScheda::limite), cella(CellaScheda::marcia), cella(CellaScheda::km),
            cella(CellaScheda::no_rs),  cella(CellaScheda::nome),   cella(CellaScheda::orario),
            cella(CellaScheda::recupero)};
}

std::string senza_blank(const std::string& t) {
    const auto a = t.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

SchedaLetta controlla_scheda(const std::vector<std::string>& s) {
    SchedaLetta letta;
    if (s.size() < 2 + righe_testata + 2) {
        ADD_FAILURE() << "a card of " << s.size() << " lines";
        return letta;
    }
    EXPECT_EQ(s[0], "");
    EXPECT_EQ(s[1], "");
    std::size_t i = 2;
    for (std::size_t n = 1;; ++n) {
        if (i + righe_testata > s.size()) {
            ADD_FAILURE() << "page " << n << " cut short";
            return letta;
        }
        controlla_testata(s, i, n, letta);
        if (n == 1 && letta.pagine == 0) return letta;
        i += righe_testata;
        std::size_t righe = 0;
        bool sulla_chiusura = false;
        for (;; ++i) {
            if (i >= s.size()) {
                ADD_FAILURE() << "page " << n << " without its closing rule";
                return letta;
            }
            const std::string& r = s[i];
            if (r == chiusura_scheda) {
                ++i;
                break;
            }
            std::string riga = r;
            sulla_chiusura = r.size() == chiusura_scheda.size() && r.find(' ', 1) == std::string::npos;
            if (sulla_chiusura)
                for (std::size_t k = 1; k < riga.size(); ++k)
                    if (riga[k] == '_') riga[k] = ' ';
            controlla_riga_scheda(riga, "page " + std::to_string(n) + " line " + std::to_string(i + 1));
            letta.righe.push_back(riga);
            ++righe;
            if (sulla_chiusura) {
                ++i;
                break;
            }
        }
        // No page begins with a protection signal (the page turns at the
        // station it protects) or with a spacer row.
        if (righe > 0) {
            const std::string& prima = letta.righe[letta.righe.size() - righe];
            EXPECT_NE(senza_blank(celle_scheda(prima).nome), "Segn.Prot.") << "page " << n << " begins with " << prima;
            EXPECT_NE(prima, " |     |     |          |     |                            |                |     |")
                << "page " << n << " begins with a spacer row";
        }
        letta.righe_per_pagina.push_back(righe);
        letta.ultima_sulla_chiusura.push_back(sulla_chiusura);
        const std::size_t piene = righe_per_pagina + (sulla_chiusura ? 1 : 0);
        if (n < letta.pagine) {
            EXPECT_EQ(righe, piene) << "page " << n << " is not full";
        } else {
            EXPECT_LE(righe, piene) << "page " << n;
        }
        if (n == letta.pagine) break;
        std::vector<std::string> separatore;
        if (n == 1)
            separatore = {"", "", std::string(81, '.'), "", ""};
        else if (n == 2)
            separatore = {"", "", std::string(72, '.'), ""};
        else
            separatore = {"", std::string(72, '.'), ""};
        for (const std::string& atteso : separatore) {
            if (i >= s.size()) break;
            EXPECT_EQ(s[i], atteso) << "separator after page " << n << ", line " << i + 1;
            ++i;
        }
    }
    EXPECT_EQ(i + 1, s.size()) << "the card ends with one empty line after its last closing rule";
    if (i < s.size()) {
        EXPECT_EQ(s[i], "");
    }

    for (const auto* valori : {&letta.numeri, &letta.origini, &letta.destinazioni, &letta.classi, &letta.frenature,
                               &letta.categorie, &letta.masse})
        for (const std::string& v : *valori) EXPECT_EQ(v, valori->front()) << "the same header on every page";
    if (!letta.categorie.empty()) {
        centrato(letta.categorie.front(), "category");
        centrato(letta.classi.front(), "class");
        centrato(letta.frenature.front(), "braked mass");
    }

    // A kilometre reference change: the old count ended by "/", then the new
    // count alone.
    for (std::size_t k = 0; k < letta.righe.size(); ++k) {
        if (celle_scheda(letta.righe[k]).km.back() != '/') continue;
        EXPECT_EQ(senza_blank(celle_scheda(letta.righe[k]).nome).rfind("C.C. Km ", 0), 0u) << letta.righe[k];
        if (k + 1 >= letta.righe.size()) {
            ADD_FAILURE() << "a kilometre change in the last row";
            continue;
        }
        const std::string& dopo = letta.righe[k + 1];
        std::string vuota = dopo;
        vuota.replace(inizio(CellaScheda::km), larghezza(CellaScheda::km), larghezza(CellaScheda::km), ' ');
        EXPECT_EQ(vuota, " |     |     |          |     |                            |                |     |") << dopo;
        EXPECT_NE(senza_blank(celle_scheda(dopo).km), "") << dopo;
    }
    return letta;
}

void controlla_ordine(const std::vector<std::string>& o, std::size_t rallentamenti) {
    const std::size_t righe_tabella = std::max<std::size_t>(26, rallentamenti);
    ASSERT_EQ(o.size(), 20 + righe_tabella);
    EXPECT_EQ(o[0], "");
    EXPECT_EQ(o[1], "                               Modulo M. 3");
    EXPECT_EQ(o[2], "                           ORDINE DI RALLENTAMENTO");
    EXPECT_EQ(o[3], " " + std::string(80, '_'));
    EXPECT_EQ(o[4].rfind("  Linea ", 0), 0u);
    EXPECT_EQ(o[5], "");
    EXPECT_EQ(o[6].rfind("  Si ordina al macchinista del treno ", 0), 0u);
    EXPECT_EQ(o[7], "  " + std::string(79, '_'));
    const std::regex riga("^ \\|[ 0-9]{3}\\|[^|]{28}\\|Km -?[0-9]+\\.[0-9]{3} *\\| {0,3}[0-9]+ Km/h \\|   [0-9]+ *\\| {12}\\|$");
    for (std::size_t i = 8; i < 12 + righe_tabella + 1; ++i) {
        stesse_barre(o[i], chiusura_ordine, "line " + std::to_string(i + 1));
        if (i >= 12 && i < 12 + rallentamenti) {
            EXPECT_TRUE(std::regex_match(o[i], riga)) << o[i];
            EXPECT_EQ(senza_blank(o[i].substr(2, 3)), std::to_string(i - 11)) << o[i];
        } else if (i >= 12 && i < 12 + righe_tabella) {
            EXPECT_EQ(o[i], " |   |                            |            |          |         |            |");
        }
    }
    EXPECT_EQ(o[12 + righe_tabella], chiusura_ordine);
    const std::vector<std::string> legenda = {"",
                                              "              Prescrizioni specifiche",
                                              " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
                                              " B - Interessa anche la stazione di.......",
                                              " D - Rallentamneto N. ... e N. ...  sono contigui",
                                              " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
                                              "     i giorni esclusi i seguenti:........."};
    for (std::size_t k = 0; k < legenda.size(); ++k) EXPECT_EQ(o[13 + righe_tabella + k], legenda[k]);
}

}  // namespace compattatore::test
