// The built-in line and train together: every element that occupies a grid
// cell gets a cell of its own, so the scenario compiles without a placement
// refusal and no stop cell buries a board, sign or signal.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "campi.h"
#include "sources/descrizioni.h"

namespace compattatore {
namespace {

using test::sezioni;
using test::valori;

long cella(double x) { return std::lrint(x); }  // halves to even, as the compiler

class Occupazione {
public:
    void prendi(long c, const std::string& chi) {
        const auto [it, nuovo] = celle_.emplace(c, chi);
        EXPECT_TRUE(nuovo) << chi << " on cell " << c << ", already taken by " << it->second;
    }
    bool presa(long c) const { return celle_.count(c) != 0; }

private:
    std::map<long, std::string> celle_;
};

TEST(ScenarioBuiltin, EveryElementHasACellOfItsOwn) {
    Occupazione occ;
    const auto linea = sezioni(righe_linea());
    for (const auto riga : linea[4].righe) occ.prendi(cella(valori(riga, 1)[0] / 50.0 + 1), std::string(riga));
    for (const auto riga : linea[5].righe) occ.prendi(cella(valori(riga, 1)[0] / 50.0 + 1), std::string(riga));

    const auto treno = sezioni(righe_treno());
    for (const auto riga : treno[3].righe) {
        const auto v = valori(riga, 6);
        const long p = v[0], tipo = v[1], l = v[2];
        if (tipo >= 25) continue;  // no stop cell
        const double fine = (tipo == 7 || tipo == 8) ? p + l : p + l / 2.0 + (v[5] ? 50 : 0);
        const long c = cella(fine / 50 - 1);
        EXPECT_GT(c, 1) << riga;
        occ.prendi(c, std::string(riga));
    }
    for (const auto riga : treno[4].righe) {
        const auto v = valori(riga, 5);
        const long x = v[0], l = v[2];
        occ.prendi(cella((x - 1200) / 50.0 + 1), std::string(riga) + " warning board");
        occ.prendi(cella(x / 50.0 + 1), std::string(riga) + " start");
        occ.prendi(cella((x + l) / 50.0 + 1), std::string(riga) + " end");
        const long k = cella((x - 1200) / 50.0);
        for (int i = 0; i < 4 && v[4]; ++i) occ.prendi(k - i, std::string(riga) + " marker");
    }
    for (const auto riga : treno[5].righe) occ.prendi(cella(valori(riga, 1)[0] / 50.0 + 1), std::string(riga));
    for (const auto riga : treno[6].righe) {
        const long c = cella(valori(riga, 1)[0] / 50.0);
        EXPECT_NE(c, 1) << riga;  // cell 1 carries the header values
        occ.prendi(c, std::string(riga));
    }
    EXPECT_FALSE(occ.presa(1));

    // Every positioned record of both files lies inside the grid.
    for (const auto& file : {linea, treno})
        for (std::size_t i = 1; i < file.size(); ++i)
            for (const auto riga : file[i].righe) {
                if (riga.starts_with("montagna") || riga.starts_with("curva") ||
                    riga.starts_with("pendenza") || riga.starts_with("indicatori") ||
                    riga.starts_with("cartello") || riga.starts_with("aderenza") ||
                    riga.starts_with("velocita") || riga.starts_with("segnale") ||
                    riga.starts_with("rallentamento") || riga.starts_with("abbattimento")) {
                    EXPECT_LE(valori(riga, 1)[0] + 100, 50L * 6820) << riga;
                }
            }
}

}  // namespace
}  // namespace compattatore
