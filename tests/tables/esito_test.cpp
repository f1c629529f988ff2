// The bound on the diagnostics of an outcome: warnings give way to errors,
// and the error recorded last is always listed.
#include "tables/esito.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace compattatore {
namespace {

Diagnostica avviso(int i) {
    Diagnostica d;
    d.gravita = Gravita::avviso;
    d.nome = "n";
    d.messaggio = "a" + std::to_string(i);
    return d;
}

Diagnostica errore(int i) {
    Diagnostica d;
    d.numero = 15;
    d.messaggio = "e" + std::to_string(i);
    return d;
}

// The messages listed, in order, as one text: "a0 a1 e0".
std::string elencati(const EsitoCompilazione& e) {
    std::string r;
    for (const Diagnostica& d : e.diagnostiche) r += (r.empty() ? "" : " ") + d.messaggio;
    return r;
}

TEST(LimiteDiagnostiche, GliAvvisiCedonoIlPostoAgliErrori) {
    const std::size_t m = massimo_diagnostiche;
    // A full list of warnings, then two errors: the latest warnings go.
    EsitoCompilazione e;
    for (std::size_t i = 0; i < m + 5; ++i) e.aggiungi(avviso(static_cast<int>(i)));
    e.aggiungi(errore(0));
    e.aggiungi(errore(1));
    ASSERT_EQ(e.diagnostiche.size(), m);
    EXPECT_EQ(e.diagnostiche[m - 3].messaggio, "a" + std::to_string(m - 3));
    EXPECT_EQ(e.diagnostiche[m - 2].messaggio, "e0");
    EXPECT_EQ(e.diagnostiche[m - 1].messaggio, "e1");
    EXPECT_EQ(e.tralasciate, 7u);
    EXPECT_EQ(e.errori_tralasciati, 0u);

    // Warnings between the errors keep their order; a warning met after
    // the list is full is only counted.
    EsitoCompilazione f;
    f.aggiungi(errore(0));
    for (std::size_t i = 0; i + 1 < m; ++i) f.aggiungi(avviso(static_cast<int>(i)));
    f.aggiungi(avviso(-1));
    f.aggiungi(errore(1));
    EXPECT_EQ(f.diagnostiche.front().messaggio, "e0");
    EXPECT_EQ(f.diagnostiche[m - 2].messaggio, "a" + std::to_string(m - 3));
    EXPECT_EQ(f.diagnostiche.back().messaggio, "e1");
    EXPECT_EQ(f.tralasciate, 2u);
    EXPECT_FALSE(f.elenca(Gravita::avviso));
    EXPECT_TRUE(f.elenca(Gravita::errore));
}

TEST(LimiteDiagnostiche, FraSoliErroriRestanoIPrimiEDUltimo) {
    const std::size_t m = massimo_diagnostiche;
    EsitoCompilazione e;
    for (std::size_t i = 0; i < m + 3; ++i) e.aggiungi(errore(static_cast<int>(i)));
    ASSERT_EQ(e.diagnostiche.size(), m);
    EXPECT_EQ(e.diagnostiche.front().messaggio, "e0");
    EXPECT_EQ(e.diagnostiche[m - 2].messaggio, "e" + std::to_string(m - 2));
    EXPECT_EQ(e.diagnostiche.back().messaggio, "e" + std::to_string(m + 2));
    EXPECT_EQ(e.tralasciate, 3u);
    EXPECT_EQ(e.errori_tralasciati, 3u);
    EXPECT_FALSE(e.elenca(Gravita::errore));

    // The codes of the finishing pass keep the same bound.
    EsitoCompilazione f;
    for (std::size_t i = 0; i < m + 2; ++i)
        f.aggiungi(CodiceDiFinitura{Codice::codice_dietro_avviso, static_cast<std::int64_t>(i), 0});
    ASSERT_EQ(f.finitura.size(), m);
    EXPECT_EQ(f.finitura.front().cella, 0);
    EXPECT_EQ(f.finitura.back().cella, static_cast<std::int64_t>(m + 1));
    EXPECT_EQ(f.errori_tralasciati, 2u);
}

// An error with no code (a train with no station) met once the list holds
// only errors never takes the place of the error that gave the outcome its
// code; a coded one, which becomes the outcome's, does.
TEST(LimiteDiagnostiche, LErroreDellEsitoNonCedeAUnoSenzaCodice) {
    const std::size_t m = massimo_diagnostiche;
    EsitoCompilazione e;
    e.codice = Codice::oltre_la_griglia;
    for (std::size_t i = 0; i < m; ++i) e.aggiungi(errore(static_cast<int>(i)));
    Diagnostica senza_codice;
    senza_codice.messaggio = "s";
    e.aggiungi(senza_codice);
    EXPECT_EQ(e.diagnostiche.back().messaggio, "e" + std::to_string(m - 1));
    EXPECT_EQ(e.errori_tralasciati, 1u);
    e.aggiungi(errore(-1));
    EXPECT_EQ(e.diagnostiche.back().messaggio, "e-1");
    EXPECT_EQ(e.errori_tralasciati, 2u);
}

TEST(LimiteDiagnostiche, SottoIlLimiteTuttoInOrdine) {
    EsitoCompilazione e;
    e.aggiungi(avviso(0));
    e.aggiungi(errore(0));
    e.aggiungi(avviso(1));
    EXPECT_EQ(elencati(e), "a0 e0 a1");
    EXPECT_EQ(e.tralasciate, 0u);
}

}  // namespace
}  // namespace compattatore
