#include <gtest/gtest.h>

#include "finishing/finitura.h"
#include "support/grid.h"

using namespace compattatore;

namespace {

// The entries and the grid as the reader leaves them: the identifiers in
// entries 85 (line) and 86 (train), an empty grid.
struct Intestazione {
    Voci voci{};
    test::Grid g = test::empty_grid(200);
    Intestazione(const std::string& linea, const std::string& treno) {
        voci[voce_linea].nome = linea;
        voci[voce_treno].nome = treno;
    }
    std::int32_t timbra() { return timbra_intestazione(voci, g.celle); }
};

struct Codici {
    std::int32_t og, st;
};

Codici codici(const std::string& linea, const std::string& treno) {
    return {codice_gara_og(linea, treno), codice_gara_st(linea, treno)};
}

// Expected values worked out by hand over the first 25 characters of the
// work string (train, line, lower case, then the filler).
TEST(CodiciGara, ValoriCalcolatiAMano) {
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

TEST(CodiciGara, MaiuscoleEMinuscoleNonContano) {
    const Codici a = codici("Brunovale", "Quarzo");
    for (const auto& [linea, treno] : {std::pair{"BRUNOVALE", "QUARZO"}, std::pair{"brunovale", "quarzo"},
                                      std::pair{"bRuNoVaLe", "qUaRzO"}}) {
        const Codici b = codici(linea, treno);
        EXPECT_EQ(b.og, a.og);
        EXPECT_EQ(b.st, a.st);
    }
}

TEST(CodiciGara, ScambiandoGliIdentificativi) {
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

TEST(TimbraIntestazione, TimbraValoriFissiECodici) {
    Intestazione h("Brunovale", "Quarzo");
    const test::Grid prima = h.g;
    EXPECT_EQ(h.timbra(), 0);
    EXPECT_EQ(h.voci[voce_linea].intero1, 610);
    EXPECT_EQ(h.voci[voce_linea].orario, 36456);
    EXPECT_EQ(h.g.celle[1].valore1, 5121);
    EXPECT_EQ(h.g.celle[1].valore2, 2788);
    EXPECT_EQ(test::changed_cells(prima, h.g), std::vector<std::size_t>{1});
    EXPECT_EQ(h.voci[voce_treno].nome, "Quarzo");  // the identifiers themselves are untouched
}

TEST(TimbraIntestazione, ICodiciPiuGrandiStannoNeiLoroCampi) {
    Intestazione h("", std::string(25, '\xFF'));
    EXPECT_EQ(h.timbra(), 0);
    EXPECT_EQ(h.voci[voce_linea].orario, 82875);
    EXPECT_EQ(h.g.celle[1].valore2, 6375);
}

TEST(TimbraIntestazione, CampiGiaUsatiDannoLaSegnalazioneDErrore) {
    struct Caso {
        const char* nome;
        void (*prepara)(Intestazione&);
        std::int32_t errore;
        bool primo_timbro;  // 610 and 5121 already stamped when it stops
    };
    for (const Caso& caso : {
             Caso{"code cell in cell 1",
                  [](Intestazione& h) { test::put_cell(h.g, 1, TipoCella::codice, 180); }, 1250, false},
             Caso{"intero1 set", [](Intestazione& h) { h.voci[voce_linea].intero1 = 1; }, 1250, false},
             Caso{"orario set", [](Intestazione& h) { h.voci[voce_linea].orario = 7; }, 1251, true},
             Caso{"valore2 of cell 1 set", [](Intestazione& h) { h.g.celle[1].valore2 = -3; }, 1251, true},
         }) {
        Intestazione h("Brunovale", "Quarzo");
        caso.prepara(h);
        EXPECT_EQ(h.timbra(), caso.errore) << caso.nome;
        EXPECT_EQ(h.voci[voce_linea].intero1 == 610, caso.primo_timbro) << caso.nome;
        EXPECT_NE(h.g.celle[1].valore2, 2788) << caso.nome;
    }
}

TEST(Errore, IlMessaggioEIlTestoFissoPiuIlNumero) {
    for (const std::string a : {"1250", ""}) {
        try {
            errore(a);
            ADD_FAILURE() << "no report";
        } catch (const ErroreSegnalato& e) {
            EXPECT_EQ(std::string(e.what()), " Errore n. " + a);
        }
    }
}

}  // namespace
