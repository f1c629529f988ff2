// Shape of the built-in line description: sections, row counts, and the
// ranges and order of every positioned record.  Its exact bytes are those of
// the reference digests (tests/app/impronte_riferimento.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "campi.h"
#include "sources/descrizioni.h"

namespace compattatore {
namespace {

using test::campi;
using test::sezioni;
using test::valori;

constexpr long ultima_posizione = 50L * 6820 - 100;  // largest position the grid accepts

TEST(LineaBuiltin, CorniceDelFile) {
    const auto r = righe_linea();
    ASSERT_EQ(r.size(), 537u);
    EXPECT_EQ(r.front(), "[generale]");
    EXPECT_EQ(r.back(), "[fine]");
    for (const auto riga : r) {
        EXPECT_FALSE(riga.empty());
        EXPECT_EQ(riga.find("riferimento fine del file"), std::string_view::npos);
        EXPECT_TRUE(std::all_of(riga.begin(), riga.end(),
                                [](char c) { return c >= ' ' && c < 127 && c != '"'; }))
            << riga;
    }
}

TEST(LineaBuiltin, SezioniInOrdineColNumeroDiRighe) {
    const auto s = sezioni(righe_linea());
    const std::vector<std::pair<std::string, std::size_t>> attese = {
        {"[generale]", 8}, {"[curve]", 173},    {"[pendenze]", 251}, {"[montagne]", 15},
        {"[cartelli]", 64}, {"[indicazioni]", 19}, {"[fine]", 0}};
    ASSERT_EQ(s.size(), attese.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].intestazione, attese[i].first);
        EXPECT_EQ(s[i].righe.size(), attese[i].second) << attese[i].first;
        EXPECT_EQ(s[i].vuote, 0) << attese[i].first;
    }
    // Every record of a section carries that section's keyword.
    const std::map<std::string, std::string> chiave = {{"[curve]", "curva"},
                                                       {"[pendenze]", "pendenza"},
                                                       {"[montagne]", "montagna"},
                                                       {"[cartelli]", "indicatori_vmax"},
                                                       {"[indicazioni]", "cartello_indicatore"}};
    for (const auto& sez : s) {
        if (!chiave.count(sez.intestazione)) continue;
        for (const auto riga : sez.righe)
            EXPECT_EQ(campi(riga)[0].find(chiave.at(sez.intestazione)), 0u) << riga;
    }
}

TEST(LineaBuiltin, CurveCrescentiSenzaSovrapposizioniEContatePerChiave) {
    const auto curve = sezioni(righe_linea())[1].righe;
    std::map<std::string, int> per_chiave;
    long fine_precedente = -1;
    for (const auto riga : curve) {
        const auto c = campi(riga);
        ASSERT_EQ(c.size(), 3u) << riga;
        ++per_chiave[std::string(c[0])];
        const long inizio = test::numero(c[1]), lunghezza = test::numero(c[2]);
        EXPECT_EQ(inizio % 50, 0) << riga;
        EXPECT_EQ(lunghezza % 50, 0) << riga;
        EXPECT_GE(lunghezza, 50) << riga;
        EXPECT_LE(lunghezza, 1900) << riga;
        EXPECT_GE(inizio, fine_precedente) << riga;
        EXPECT_LE(inizio + lunghezza, 334000) << riga;
        fine_precedente = inizio + lunghezza;
    }
    EXPECT_EQ(valori(curve.front(), 1)[0], 1350);
    EXPECT_EQ(valori(curve.back(), 1)[0], 332050);
    const std::map<std::string, int> attese = {
        {"curvas1", 14}, {"curvas2", 18}, {"curvas3", 22}, {"curvas4", 30}, {"curvas5", 12},
        {"curvad1", 7},  {"curvad2", 8},  {"curvad3", 25}, {"curvad4", 20}, {"curvad5", 13},
        {"curvad6", 4}};
    EXPECT_EQ(per_chiave, attese);
}

TEST(LineaBuiltin, PendenzeMontagneTabelleECartelliNeiLimiti) {
    const auto s = sezioni(righe_linea());

    // Gradients: from 0 to 317750, ascending, -11 to 11 per mille.
    long prec = -50, minimo = 0, massimo = 0;
    for (const auto riga : s[2].righe) {
        const auto v = valori(riga, 2);
        EXPECT_GT(v[0], prec) << riga;
        EXPECT_EQ(v[0] % 50, 0) << riga;
        minimo = std::min(minimo, v[1]);
        massimo = std::max(massimo, v[1]);
        prec = v[0];
    }
    EXPECT_EQ(prec, 317750);
    EXPECT_EQ(minimo, -11);
    EXPECT_EQ(massimo, 11);

    // Montagna: nine filled stretches in the first hills, six plain ones later.
    long fine_prec = 0;
    int con_segni = 0, semplici = 0;
    for (const auto riga : s[3].righe) {
        const auto v = valori(riga, 3);
        EXPECT_GT(v[0], fine_prec + 150) << riga;  // never merged into kind 3
        EXPECT_GE(v[1] - v[0], 100) << riga;
        EXPECT_LE(v[1] - v[0], 4300) << riga;
        if (v[2] == 12) {
            ++con_segni;
            EXPECT_TRUE(v[0] >= 8750 && v[1] <= 27000) << riga;
        } else {
            ++semplici;
            EXPECT_EQ(v[2], 2) << riga;
            EXPECT_TRUE(v[0] >= 292600 && v[1] <= 304100) << riga;
        }
        fine_prec = v[1];
    }
    EXPECT_EQ(con_segni, 9);
    EXPECT_EQ(semplici, 6);

    // Boards: 1000 to 329800, speeds 75 to 170 in steps of 5, ranks rising
    // except on one right-hand board, 18 without a right-hand board.
    prec = 0;
    int senza_destro = 0, irregolari = 0;
    for (const auto riga : s[4].righe) {
        const auto c = campi(riga);
        ASSERT_EQ(c.size(), 10u) << riga;
        const auto v = valori(riga, 9);
        EXPECT_GT(v[0], prec) << riga;
        EXPECT_EQ(v[0] % 50, 0) << riga;
        EXPECT_LE(v[0], ultima_posizione) << riga;
        prec = v[0];
        EXPECT_TRUE(v[1] <= v[2] && v[2] <= v[3]) << riga;
        const bool destro = !c[6].empty();
        senza_destro += destro ? 0 : 1;
        if (!destro) {
            EXPECT_EQ(v[8], 0) << riga;
        }
        if (destro && !(v[5] <= v[6] && v[6] <= v[7])) ++irregolari;
        for (int i : {1, 2, 3, 5, 6, 7}) {
            if (!destro && i >= 5) continue;
            EXPECT_EQ(v[i] % 5, 0) << riga;
            EXPECT_GE(v[i], 75) << riga;
            EXPECT_LE(v[i], 170) << riga;
        }
        EXPECT_TRUE(v[4] >= 0 && v[4] <= 2 && v[8] >= 0 && v[8] <= 2) << riga;
    }
    EXPECT_EQ(valori(s[4].righe.front(), 1)[0], 1000);
    EXPECT_EQ(prec, 329800);
    EXPECT_EQ(senza_destro, 18);
    EXPECT_EQ(irregolari, 1);

    // Signs: 7950 to 330750, ascending, a text without commas.
    prec = 0;
    for (const auto riga : s[5].righe) {
        const auto c = campi(riga);
        ASSERT_EQ(c.size(), 3u) << riga;
        const long p = test::numero(c[1]);
        EXPECT_GT(p, prec) << riga;
        EXPECT_EQ(p % 50, 0) << riga;
        EXPECT_FALSE(c[2].empty()) << riga;
        prec = p;
    }
    EXPECT_EQ(valori(s[5].righe.front(), 1)[0], 7950);
    EXPECT_EQ(prec, 330750);
}

}  // namespace
}  // namespace compattatore
