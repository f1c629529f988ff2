#include <gtest/gtest.h>

#include <array>

#include "support/grid.h"
#include "placement/progressive.h"

using namespace compattatore;

namespace {

using Terna = std::array<std::int32_t, 3>;  // inizio, fine, posizione
using Tre = std::array<Terna, 3>;           // entries 81, 82, 83

Tre ordina(const Tre& prima, int volte = 1) {
    Voci voci{};
    for (std::size_t i = 0; i < 3; ++i) {
        voci[voce_progressiva_tre + i].inizio = prima[i][0];
        voci[voce_progressiva_tre + i].fine = prima[i][1];
        voci[voce_progressiva_tre + i].posizione = prima[i][2];
    }
    for (int n = 0; n < volte; ++n) EXPECT_EQ(progressive_ordina(voci), Codice::nessuno);
    Tre dopo{};
    for (std::size_t i = 0; i < 3; ++i) {
        const Voce& v = voci[voce_progressiva_tre + i];
        dopo[i] = {v.inizio, v.fine, v.posizione};
    }
    return dopo;
}

constexpr Terna a{300, 10, 0};
constexpr Terna b{200, 20, 0};
constexpr Terna c{100, 30, 0};
constexpr Terna zero{0, 0, 0};

TEST(ProgressiveOrdina, RiferimentiIntegrati) {
    EXPECT_EQ(ordina({Terna{315950, 412050, 1}, Terna{284500, -284500, 0}, Terna{31100, 3050, 0}}),
              (Tre{Terna{315950, 412150, 1}, Terna{284500, -284500, 0}, Terna{31100, 3050, 0}}));
}

TEST(ProgressiveOrdina, GreatestStartFirst) {
    struct Caso {
        Tre prima, dopo;
    };
    for (const Caso& caso : {
             Caso{{a, b, c}, {a, b, c}},
             Caso{{a, c, b}, {a, b, c}},
             Caso{{b, a, c}, {a, b, c}},
             Caso{{c, a, b}, {a, b, c}},
             Caso{{b, c, a}, {a, b, c}},
             Caso{{c, b, a}, {a, b, c}},
             // Equal smaller starts: the higher-numbered entry goes second.
             Caso{{a, Terna{100, 1, 0}, Terna{100, 2, 0}}, {a, Terna{100, 2, 0}, Terna{100, 1, 0}}},
             Caso{{Terna{100, 1, 0}, a, Terna{100, 2, 0}}, {a, Terna{100, 2, 0}, Terna{100, 1, 0}}},
             Caso{{Terna{100, 1, 0}, Terna{100, 2, 0}, a}, {a, Terna{100, 2, 0}, Terna{100, 1, 0}}},
             // Only "uno" given.
             Caso{{zero, zero, Terna{1000, 500, 0}}, {Terna{1000, 500, 0}, zero, zero}},
             // Greatest start shared: everything cleared.
             Caso{{a, Terna{300, 99, 1}, c}, {zero, zero, zero}},
             Caso{{c, a, Terna{300, 99, 0}}, {zero, zero, zero}},
             Caso{{a, a, a}, {zero, zero, zero}},
             // Starts that sum to zero are not ordered by start but by value.
             Caso{{Terna{100, 5, 0}, Terna{-100, 6, 0}, zero}, {Terna{-100, 6, 0}, Terna{100, 5, 0}, zero}},
         }) {
        EXPECT_EQ(ordina(caso.prima), caso.dopo);
    }
}

TEST(ProgressiveOrdina, SenzaInizioPrimaIlValorePositivo) {
    const Terna t{0, 7, 0}, d{0, 8, 0}, u{0, 9, 0};
    struct Caso {
        Tre prima, dopo;
    };
    for (const Caso& caso : {
             Caso{{zero, zero, zero}, {zero, zero, zero}},
             Caso{{t, d, u}, {u, d, t}},
             Caso{{t, d, zero}, {d, t, zero}},
             Caso{{t, zero, zero}, {t, zero, zero}},
             Caso{{Terna{0, -7, 0}, Terna{0, -8, 0}, zero}, {zero, zero, zero}},
         }) {
        EXPECT_EQ(ordina(caso.prima), caso.dopo);
    }
}

TEST(ProgressiveOrdina, IlRiferimentoDecrescenteGuadagna100AOgniChiamata) {
    const Tre prima{Terna{300, 1000, 1}, Terna{200, 2000, 0}, zero};
    EXPECT_EQ(ordina(prima), (Tre{Terna{300, 1100, 1}, Terna{200, 2000, 0}, zero}));
    EXPECT_EQ(ordina(prima, 2), (Tre{Terna{300, 1200, 1}, Terna{200, 2000, 0}, zero}));
}

TEST(ProgressiveOrdina, UnaCorrezioneCheTraboccherebbeERegistrata) {
    Voci voci{};
    Voce& tre = voci[voce_progressiva_tre];
    tre.inizio = 300;
    tre.fine = 2147483600;
    tre.posizione = 1;
    EXPECT_EQ(progressive_ordina(voci), Codice::guasto);
    EXPECT_EQ(tre.fine, 2147483600);
}

}  // namespace
