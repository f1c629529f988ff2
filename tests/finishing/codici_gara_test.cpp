#include <gtest/gtest.h>

#include "finishing/finitura.h"
#include "support/griglia_prova.h"

using namespace compattatore;

namespace {

// The reader copies the identifiers into entries 85 (line) and 86 (train).
Scenario con_nomi(const std::string& linea, const std::string& treno) {
    Scenario s = prova::griglia_vuota(200);
    s.voci[85].nome = linea;
    s.voci[86].nome = treno;
    return s;
}

struct Codici {
    std::int32_t og, st;
};

Codici codici(const std::string& linea, const std::string& treno) {
    Scenario s = con_nomi(linea, treno);
    return {codice_gara_og(s), codice_gara_st(s)};
}

// Expected values worked out by hand over the first 25 characters of the
// work string (train, line, lower case, then the filler).
TEST(CodiciGara, HandComputedValues) {
    struct Caso {
        std::string linea;
        std::string treno;
        std::int32_t og, st;
    };
    for (const Caso& caso : {
             Caso{"Brunovale", "Quarzo", 2788, 36456},         // quarzobrunovaleppqqrrsstt
             Caso{"Quarzo", "Brunovale", 2788, 36678},         // brunovalequarzoppqqrrsstt
             Caso{"", "", 2813, 36136},                        // ppqqrrssttuuvvzzkkjjhhggw
             Caso{"Monteverde Alto", "Treno_Espresso_Lungo", 2722, 35396},  // treno_espresso_lungomonte
             Caso{"Cd", "Ab", 2778, 36558},                    // abcdppqqrrssttuuvvzzkkjjh
             Caso{"", "\xC9", 2927, 36088},                    // an accented capital folds to 0xE9
             Caso{"", std::string(25, '\xFF'), 6375, 82875},  // the largest sums
         }) {
        const Codici c = codici(caso.linea, caso.treno);
        EXPECT_EQ(c.og, caso.og) << caso.treno << caso.linea;
        EXPECT_EQ(c.st, caso.st) << caso.treno << caso.linea;
    }
}

TEST(CodiciGara, LetterCaseDoesNotMatter) {
    const Codici a = codici("Brunovale", "Quarzo");
    for (const auto& [linea, treno] : {std::pair{"BRUNOVALE", "QUARZO"}, std::pair{"brunovale", "quarzo"},
                                      std::pair{"bRuNoVaLe", "qUaRzO"}}) {
        const Codici b = codici(linea, treno);
        EXPECT_EQ(b.og, a.og);
        EXPECT_EQ(b.st, a.st);
    }
}

TEST(CodiciGara, SwappingTheIdentifiers) {
    // Short names: same characters, other places.
    const Codici a = codici("Brunovale", "Quarzo");
    const Codici b = codici("Quarzo", "Brunovale");
    EXPECT_EQ(a.og, b.og);
    EXPECT_NE(a.st, b.st);
    // Joined names longer than 25 characters: other characters are counted.
    const Codici c = codici("Monteverde Alto", "Treno_Espresso_Lungo");
    const Codici d = codici("Treno_Espresso_Lungo", "Monteverde Alto");
    EXPECT_NE(c.og, d.og);
}

TEST(CodiciGara, WorkStringIsKeptInRiga) {
    Scenario s = con_nomi("Brunovale", "Quarzo");
    codice_gara_og(s);
    EXPECT_EQ(s.riga, "quarzobrunovaleppqqrrssttuuvvzzkkjjhhggww");
    EXPECT_EQ(s.voci[86].nome, "Quarzo");  // the identifiers themselves are untouched
}

TEST(TimbraIntestazione, StampsFixedValuesAndCodes) {
    Scenario s = con_nomi("Brunovale", "Quarzo");
    const Scenario prima = s;
    timbra_intestazione(s);
    EXPECT_EQ(s.voci[85].intero1, 610);
    EXPECT_EQ(s.voci[85].orario, 36456);
    EXPECT_EQ(s.celle[1].valore1, 5121);
    EXPECT_EQ(s.celle[1].valore2, 2788);
    EXPECT_EQ(prova::celle_cambiate(prima, s), std::vector<std::size_t>{1});
    EXPECT_EQ(s.riga, "quarzobrunovaleppqqrrssttuuvvzzkkjjhhggww");
}

TEST(TimbraIntestazione, LargestCodesFitTheirSlots) {
    Scenario s = con_nomi("", std::string(25, '\xFF'));
    timbra_intestazione(s);
    EXPECT_EQ(s.voci[85].orario, 82875);
    EXPECT_EQ(s.celle[1].valore2, 6375);
}

TEST(TimbraIntestazione, UsedSlotsEndTheRun) {
    struct Caso {
        const char* nome;
        void (*prepara)(Scenario&);
        const char* messaggio;
        bool primo_timbro;  // 610 and 5121 already stamped when it stops
    };
    for (const Caso& caso : {
             Caso{"code cell in cell 1",
                  [](Scenario& s) { prova::metti(s, 1, tipo_cella::codice, 180); }, " Errore n. 1250", false},
             Caso{"intero1 set", [](Scenario& s) { s.voci[85].intero1 = 1; }, " Errore n. 1250", false},
             Caso{"orario set", [](Scenario& s) { s.voci[85].orario = 7; }, " Errore n. 1251", true},
             Caso{"valore2 of cell 1 set", [](Scenario& s) { s.celle[1].valore2 = -3; }, " Errore n. 1251", true},
         }) {
        Scenario s = con_nomi("Brunovale", "Quarzo");
        caso.prepara(s);
        try {
            timbra_intestazione(s);
            ADD_FAILURE() << caso.nome << ": no error";
        } catch (const ErroreSegnalato& e) {
            EXPECT_STREQ(e.what(), caso.messaggio) << caso.nome;
        }
        EXPECT_EQ(s.risposta, 1) << caso.nome;
        EXPECT_EQ(s.voci[85].intero1 == 610, caso.primo_timbro) << caso.nome;
        EXPECT_NE(s.celle[1].valore2, 2788) << caso.nome;
    }
}

TEST(Errore, MessageIsTheLiteralAndTheText) {
    for (const std::string a : {"1250", ""}) {
        Scenario s;
        try {
            errore(s, a);
        } catch (const ErroreSegnalato& e) {
            EXPECT_EQ(std::string(e.what()), " Errore n. " + a);
        }
        EXPECT_EQ(s.risposta, 1);
    }
}

}  // namespace
