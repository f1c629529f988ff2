// The plan of the track metre by metre, against the rule computed here in
// the plainest way: each metre from the two before it, read back from the
// table, in the order of operations of the rule.
#include <bit>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reader/banco_lettura.h"

namespace compattatore {
namespace {

using test::BancoLettura;

struct Curva {
    const char* chiave;
    double k;
    std::int32_t inizio, lunghezza;
};

TEST(Piano, OgniMetroSegueLaRegolaTraRettifiliCurveESovrapposizioni) {
    const std::int32_t lunghezza = 30000;
    const std::vector<Curva> curve = {
        {"curvad1", 0.0001, 150, 400},
        {"curvas6", -0.003, 550, 300},    // starts on the last metre of the one before
        {"curvad4", 0.001, 700, 500},     // starts inside the one before: bends only what is left
        {"curvas2", -0.0002, 5000, 1900},
        {"curvad5", 0.002, 6900, 50},     // right after
        {"curvas3", -0.0004, 12050, 2500},
        {"curvad6", 0.003, 14600, 800},
        {"curvas5", -0.002, 29000, 1000}, // runs into the grid's extra 7000 m
    };
    BancoLettura b;
    b.compila_linea = true;
    std::vector<std::string> record;
    for (const Curva& c : curve)
        record.push_back(std::string(c.chiave) + ",  " + std::to_string(c.inizio) + ",  " + std::to_string(c.lunghezza));
    b.linea_lunga(lunghezza, record);
    b.leggi();
    ASSERT_EQ(b.codice(), 0);

    const std::int32_t estesa = lunghezza + 7000;
    std::vector<double> x(static_cast<std::size_t>(estesa) + 1, 0.0), y = x;
    y[1] = 1.0;
    std::int32_t m = 2;
    auto passo = [&](double k, bool in_curva) {
        const auto i = static_cast<std::size_t>(m);
        const double dx = x[i - 1] - x[i - 2];
        const double dy = y[i - 1] - y[i - 2];
        x[i] = in_curva ? x[i - 1] + dx + k * dy : x[i - 1] + dx;
        y[i] = in_curva ? y[i - 1] + dy - k * dx : y[i - 1] + dy;
        ++m;
    };
    for (const Curva& c : curve) {
        while (m <= c.inizio) passo(0, false);
        while (m <= c.inizio + c.lunghezza) passo(c.k, true);
    }
    while (m <= estesa - 2) passo(0, false);

    const TabellaLinea& t = b.s.tabella_linea;
    ASSERT_EQ(t.righe, estesa + 1);
    for (std::int32_t r = 0; r <= estesa; ++r) {
        const ValoreTabella vx = t(r, 0), vy = t(r, 1);
        const auto atteso = r < 2 ? ValoreTabella::Stato::intero16
                                  : (r <= estesa - 2 ? ValoreTabella::Stato::reale : ValoreTabella::Stato::vuoto);
        ASSERT_EQ(vx.stato, atteso) << r;
        ASSERT_EQ(vy.stato, atteso) << r;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(vx.valore), std::bit_cast<std::uint64_t>(x[static_cast<std::size_t>(r)]))
            << r;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(vy.valore), std::bit_cast<std::uint64_t>(y[static_cast<std::size_t>(r)]))
            << r;
    }
}

}  // namespace
}  // namespace compattatore
