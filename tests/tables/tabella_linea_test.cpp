#include "tables/tabella_linea.h"

#include <bit>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>


namespace compattatore {
namespace {

std::uint64_t bit(double v) { return std::bit_cast<std::uint64_t>(v); }

// Every kind of value an element can hold, the awkward reals included.
std::vector<ValoreTabella> campionario() {
    return {
        {},
        ValoreTabella::intero(0),
        ValoreTabella::intero(1),
        ValoreTabella::intero(std::numeric_limits<std::int16_t>::min()),
        ValoreTabella::intero(std::numeric_limits<std::int16_t>::max()),
        ValoreTabella::reale_(0.0),
        ValoreTabella::reale_(-0.0),
        ValoreTabella::reale_(2151.99999984),
        ValoreTabella::reale_(std::numeric_limits<double>::denorm_min()),
        ValoreTabella::reale_(-std::numeric_limits<double>::infinity()),
        ValoreTabella::reale_(std::bit_cast<double>(std::uint64_t{0x7FF8000000000123})),
        ValoreTabella::reale_(std::numeric_limits<double>::max()),
    };
}

TEST(TabellaLinea, OgniValoreSiRileggeEsattoQualunqueCosaAbbiaSostituito) {
    const std::vector<ValoreTabella> valori = campionario();
    TabellaLinea t;
    t.crea(static_cast<std::int32_t>(valori.size()));
    // Each value over each other one: a slot keeps nothing of what it held.
    for (const ValoreTabella& prima : valori) {
        for (const ValoreTabella& v : valori) {
            t(3, 1) = prima;
            t(3, 1) = v;
            const ValoreTabella letto = std::as_const(t)(3, 1);
            ASSERT_EQ(letto.stato, v.stato);
            ASSERT_EQ(bit(letto.valore), bit(v.valore));
            ASSERT_EQ(bit(t(3, 1).valore), bit(v.valore));
            ASSERT_EQ(bit(t.numero(3, 1)), bit(v.valore));
        }
    }
    // The neighbours were never touched.
    EXPECT_EQ(t(2, 1).stato, ValoreTabella::Stato::vuoto);
    EXPECT_EQ(t(4, 1).stato, ValoreTabella::Stato::vuoto);
    EXPECT_EQ(t(3, 0).stato, ValoreTabella::Stato::vuoto);
}

TEST(TabellaLinea, UnaTabellaNuovaETuttaVuotaELeggeZero) {
    TabellaLinea t;
    EXPECT_FALSE(t.esiste());
    EXPECT_TRUE(t.elementi.empty());
    // Large enough to take the large-page path of the memory.
    t.crea(1000000);
    ASSERT_EQ(t.elementi.size(), 2000002u);
    for (std::int32_t m : {0, 1, 524287, 1000000}) {
        EXPECT_EQ(t(m, 0).stato, ValoreTabella::Stato::vuoto);
        EXPECT_EQ(t.numero(m, 1), 0.0);
    }
    std::size_t vuoti = 0;
    for (const ValoreTabella& e : t.elementi) vuoti += e.stato == ValoreTabella::Stato::vuoto;
    EXPECT_EQ(vuoti, t.elementi.size());
}

TEST(TabellaLinea, LeCopieSonoIndipendentiEUnVettoreDiValoriLaRiempieInOrdine) {
    const std::vector<ValoreTabella> valori = campionario();
    TabellaLinea t;
    t.righe = static_cast<std::int32_t>(valori.size() / 2);
    t.elementi = valori;
    ASSERT_EQ(t.elementi.size(), valori.size());
    for (std::size_t i = 0; i < valori.size(); ++i) {
        ASSERT_EQ(t.elementi[i].stato, valori[i].stato) << i;
        ASSERT_EQ(bit(t.elementi[i].valore), bit(valori[i].valore)) << i;
    }

    TabellaLinea copia = t;
    copia(0, 0) = ValoreTabella::reale_(7.5);
    copia(1, 0) = copia(2, 0);
    EXPECT_EQ(t(0, 0).stato, ValoreTabella::Stato::vuoto);
    EXPECT_EQ(copia(0, 0).valore, 7.5);
    EXPECT_EQ(copia(1, 0).stato, valori[2].stato);
    EXPECT_EQ(copia(1, 0).valore, valori[2].valore);
    EXPECT_EQ(t(1, 0).valore, valori[1].valore);

    TabellaLinea spostata = std::move(copia);
    EXPECT_EQ(spostata(0, 0).valore, 7.5);
}

}  // namespace
}  // namespace compattatore
