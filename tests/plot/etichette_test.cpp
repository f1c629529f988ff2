#include "plot/etichette.h"

#include <string>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Etichette, AccorciaSenzaSpezzareICaratteri) {
    const struct {
        std::string testo;
        std::size_t n;
        std::string atteso;
    } casi[] = {
        {"Fondo", 5, "Fondo"},
        {"Fondovalle", 5, "Fond\u2026"},
        {"citt\u00E0 alta", 5, "citt\u2026"},
        {"\u00E8\u00E8\u00E8\u00E8\u00E8\u00E8", 4, "\u00E8\u00E8\u00E8\u2026"},
        {"", 3, ""},
    };
    for (const auto& c : casi) EXPECT_EQ(accorcia(c.testo, c.n), c.atteso) << c.testo;
    EXPECT_EQ(caratteri_utf8("citt\u00E0\u2026"), 6u);
}

// A place is free inside the area, off the boxes already taken and off the
// track; taking it makes it an obstacle for the next label.
TEST(Etichette, UnPostoLiberoPerEtichetta) {
    Etichette e({0, 0, 100, 100});
    e.segmento({0, 50}, {100, 60});
    EXPECT_FALSE(e.prendi({90, 10, 110, 20}));  // outside the area
    EXPECT_FALSE(e.prendi({40, 50, 60, 58}));   // on the track
    EXPECT_TRUE(e.prendi({10, 10, 30, 20}));
    EXPECT_FALSE(e.prendi({25, 15, 45, 25}));   // on the label just placed
    EXPECT_TRUE(e.prendi({30, 10, 50, 20}));    // touching is not overlapping
    const Riquadro r = riquadro_testo(10, 20, "abcd", {10, false}, Ancora::fine);
    EXPECT_DOUBLE_EQ(r.x0, 10 - 4 * 6.2);
    EXPECT_DOUBLE_EQ(r.y0, 12);
    const Riquadro v = riquadro_testo(10, 20, "abcd", {10, true}, Ancora::inizio, true);
    EXPECT_DOUBLE_EQ(v.y1, 20 + 4 * 7);
    EXPECT_DOUBLE_EQ(v.x1, 18);
}

}  // namespace
}  // namespace compattatore
