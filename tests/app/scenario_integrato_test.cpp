// The built-in line and train compiled together, in memory: they compile
// with no code at all (no placement refusal, no record beyond the grid, no
// code the finishing pass could not place, no used header slot), every
// station and sign has its entry, and no station's stop cell buries an
// element, which the compiler would not report.
#include <algorithm>
#include <string>
#include <span>
#include <string_view>

#include <gtest/gtest.h>

#include "compile/compilazione.h"
#include "sources/descrizioni.h"

namespace compattatore {
namespace {

std::string testo(std::span<const std::string_view> righe, bool con_stazioni = true) {
    std::string t;
    for (std::string_view r : righe) {
        if (!con_stazioni && r.starts_with("stazione")) continue;
        t.append(r);
        t.append("\r\n");
    }
    return t;
}

std::size_t righe_che_iniziano(std::span<const std::string_view> righe, std::string_view chiave) {
    return static_cast<std::size_t>(
        std::count_if(righe.begin(), righe.end(), [&](std::string_view r) { return r.starts_with(chiave); }));
}

Compilazione compila(bool con_stazioni) {
    const std::string linea = testo(righe_linea());
    const std::string treno = testo(righe_treno(), con_stazioni);
    return compila_descrizioni({"Brunovale", "Quarzo", linea, treno, true, {}, {}});
}

TEST(ScenarioIntegrato, CompilaSenzaAlcunCodice) {
    const Compilazione c = compila(true);
    EXPECT_EQ(c.esito.codice, Codice::nessuno);
    EXPECT_EQ(c.esito.errore_segnalato, 0);
    EXPECT_TRUE(c.esito.letta_linea);
    EXPECT_TRUE(c.esito.letto_treno);
    EXPECT_EQ(c.scenario.numero_celle, 6820);
    EXPECT_EQ(c.scenario.tabella_linea.righe, 341001);
}

TEST(ScenarioIntegrato, OgniStazioneECartelloHaLaSuaVoce) {
    const Compilazione c = compila(true);
    const Voci& voci = c.scenario.voci;
    const std::size_t stazioni = righe_che_iniziano(righe_treno(), "stazione");
    const std::size_t cartelli = righe_che_iniziano(righe_linea(), "cartello_indicatore");
    EXPECT_EQ(stazioni, 45u);
    EXPECT_EQ(cartelli, 19u);
    EXPECT_LE(stazioni + cartelli, 78u);
    for (std::size_t i = prima_stazione; i < prima_stazione + stazioni; ++i)
        EXPECT_FALSE(voci[i].nome.empty()) << "stazione " << i;
    EXPECT_TRUE(voci[prima_stazione + stazioni].nome.empty());
    for (std::size_t i = ultimo_cartello; i > ultimo_cartello - cartelli; --i)
        EXPECT_FALSE(voci[i].nome.empty()) << "cartello " << i;
    EXPECT_TRUE(voci[ultimo_cartello - cartelli].nome.empty());

    // Each station below kind 25 has its own stop cell, and no other cell is one.
    std::size_t fermate = 0;
    for (std::size_t i = prima_stazione; i < prima_stazione + stazioni; ++i) fermate += voci[i].tipo < 25;
    std::size_t celle_fermata = 0;
    for (const Cella& x : c.scenario.celle) {
        if (x.tipo != TipoCella::fermata) continue;
        ++celle_fermata;
        ASSERT_GE(x.valore1, 1);
        EXPECT_LT(voci[static_cast<std::size_t>(x.valore1)].tipo, 25);
    }
    EXPECT_EQ(celle_fermata, fermate);
}

// The stop cell is written whatever the cell held: compiled without the
// stations, every stop cell must be a cell that holds nothing (or only the
// montagna mark).
TEST(ScenarioIntegrato, NessunaFermataSuUnaCellaOccupata) {
    const Compilazione con = compila(true);
    const Compilazione senza = compila(false);
    ASSERT_EQ(senza.esito.codice, Codice::nessuno);
    ASSERT_EQ(con.scenario.celle.size(), senza.scenario.celle.size());
    for (std::size_t k = 0; k < con.scenario.celle.size(); ++k) {
        if (con.scenario.celle[k].tipo != TipoCella::fermata) continue;
        EXPECT_TRUE(cella_libera(senza.scenario.celle[k]))
            << "la fermata della stazione " << con.scenario.celle[k].valore1 << " copre la cella " << k
            << " di tipo " << int{codice_tipo_cella(senza.scenario.celle[k].tipo)};
    }
}

}  // namespace
}  // namespace compattatore
