#include <gtest/gtest.h>

#include "finishing/finitura.h"
#include "support/grid.h"

using namespace compattatore;
using Celle = std::vector<std::size_t>;

namespace {

constexpr TipoCella SEGNALE = TipoCella::segnale;
constexpr TipoCella FINE = TipoCella::fine_rallentamento;
constexpr TipoCella INIZIO = TipoCella::inizio_rallentamento;
constexpr TipoCella AVVISO = TipoCella::avviso_rallentamento;
constexpr TipoCella CODICE = TipoCella::codice;
constexpr TipoCella ALTRO = TipoCella::indicatore_v_max;

// Runs the pass and returns the cells it changed; every new code must be a
// code cell of value 180.
Celle passa(test::Grid& s) {
    const test::Grid prima = s;
    completa_codici(s.celle, s.esito);
    return test::changed_cells(prima, s);
}

void codici_180(const test::Grid& s, const Celle& celle) {
    for (std::size_t c : celle) {
        EXPECT_EQ(s.celle[c].tipo, CODICE) << c;
        EXPECT_EQ(s.celle[c].valore1, 180) << c;
    }
}

TEST(Minimo, IlValoreMinoreEIlPrimoAParita) {
    EXPECT_EQ(minimo(180, 270), 180);
    EXPECT_EQ(minimo(180, 100), 100);
    EXPECT_EQ(minimo(180, 180), 180);
    EXPECT_EQ(minimo(-5, 3), -5);
}

TEST(BloccoAvviso, LoSguardoIndietroSiFermaSottoLaCellaTreEDopoVentiCelle) {
    struct Caso {
        std::size_t avviso, segnale;
        Celle codici;
    };
    for (const Caso& caso : {Caso{3, 2, {}}, Caso{10, 3, {2}}, Caso{10, 2, {}}, Caso{10, 9, {8}},
                             Caso{24, 4, {3}}, Caso{24, 3, {}}}) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, caso.avviso, AVVISO, 80);
        test::put_cell(s, caso.segnale, SEGNALE);
        const Celle cambiate = passa(s);
        EXPECT_EQ(cambiate, caso.codici) << caso.avviso << " " << caso.segnale;
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), 0);
    }
}

TEST(BloccoAvviso, OgniSegnaleDietroLAvvisoHaIlSuoCodice) {
    test::Grid s = test::empty_grid(100);
    test::put_cell(s, 40, AVVISO, 80);
    test::put_cell(s, 35, SEGNALE);
    test::put_cell(s, 25, SEGNALE);
    const Celle cambiate = passa(s);
    EXPECT_EQ(cambiate, (Celle{24, 34}));
    codici_180(s, cambiate);
}

TEST(BloccoAvviso, CodiciGiaPresentiPrimaDelSegnale) {
    struct Caso {
        const char* nome;
        TipoCella tipo34;
        std::int16_t valore34;
        TipoCella tipo33;
        std::int16_t valore33;
        std::int16_t valore34_dopo, valore33_dopo;
        TipoCella tipo33_dopo;
        std::int32_t errore;
    };
    for (const Caso& caso : {
             // A free cell is preferred to lowering the code: a second code goes before it.
             Caso{"free before code", CODICE, 270, TipoCella::vuota, 0, 270, 180, CODICE, 0},
             Caso{"270 lowered", CODICE, 270, ALTRO, 0, 180, 0, ALTRO, 0},
             Caso{"100 kept", CODICE, 100, ALTRO, 0, 100, 0, ALTRO, 0},
             Caso{"code two cells before", ALTRO, 0, CODICE, 300, 0, 180, CODICE, 0},
             Caso{"no room", ALTRO, 0, ALTRO, 0, 0, 0, ALTRO, 11},
         }) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 40, AVVISO, 80);
        test::put_cell(s, 35, SEGNALE);
        test::put_cell(s, 34, caso.tipo34, caso.valore34);
        test::put_cell(s, 33, caso.tipo33, caso.valore33);
        completa_codici(s.celle, s.esito);
        EXPECT_EQ(s.celle[34].valore1, caso.valore34_dopo) << caso.nome;
        EXPECT_EQ(s.celle[33].valore1, caso.valore33_dopo) << caso.nome;
        EXPECT_EQ(s.celle[33].tipo, caso.tipo33_dopo) << caso.nome;
        EXPECT_EQ(numero(s.esito.codice), caso.errore) << caso.nome;
        if (caso.errore != 0) {
            EXPECT_EQ(s.esito.posizione_errore, 35 * 50);
        }
    }
}

// A fast restriction, so that only the approach codes appear.
TEST(BloccoInizio, IGruppiDiAvvicinamentoDipendonoDallaCellaDiInizio) {
    struct Caso {
        std::size_t inizio;
        Celle codici;
    };
    for (const Caso& caso : {Caso{7, {}}, Caso{8, {3}}, Caso{13, {8}}, Caso{14, {3, 9}}, Caso{20, {9, 15}},
                             Caso{21, {3, 10, 16}}}) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, caso.inizio, INIZIO, 120);
        test::put_cell(s, caso.inizio + 4, FINE, 120);
        const Celle cambiate = passa(s);
        EXPECT_EQ(cambiate, caso.codici) << caso.inizio;
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), 0);
    }
}

TEST(BloccoInizio, PrimaCellaLiberaDiUnGruppoEErrore12) {
    struct Caso {
        Celle occupate;
        TipoCella tipo;
        Celle codici;
        std::int32_t errore;
    };
    for (const Caso& caso : {
             Caso{{16}, ALTRO, {3, 10, 15}, 0},
             Caso{{16, 15}, ALTRO, {3, 10, 14}, 0},
             // A code already standing in a group does not satisfy it.
             Caso{{16}, CODICE, {3, 10, 15}, 0},
             Caso{{16, 15, 14}, ALTRO, {3, 10}, 12},
         }) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 21, INIZIO, 120);
        test::put_cell(s, 25, FINE, 120);
        for (std::size_t c : caso.occupate) test::put_cell(s, c, caso.tipo, 270);
        const Celle cambiate = passa(s);
        EXPECT_EQ(cambiate, caso.codici);
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), caso.errore);
        if (caso.errore != 0) {
            EXPECT_EQ(s.esito.posizione_errore, 21 * 50);
        }
    }
}

TEST(BloccoInizio, RallentamentoLentoDiVentiCelle) {
    test::Grid s = test::empty_grid(100);
    test::put_cell(s, 30, INIZIO, 80);
    test::put_cell(s, 50, FINE, 80);
    const Celle cambiate = passa(s);
    EXPECT_EQ(cambiate, (Celle{12, 19, 25, 38, 46}));
    codici_180(s, cambiate);
    EXPECT_EQ(numero(s.esito.codice), 0);
}

TEST(BloccoInizio, A110NessunCodiceDentroMaIlSegnaleDopoHaIlSuo) {
    for (const std::int16_t velocita : {110, 109}) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 10, SEGNALE);
        test::put_cell(s, 30, INIZIO, velocita);
        test::put_cell(s, 44, FINE, velocita);
        test::put_cell(s, 56, SEGNALE);
        const Celle cambiate = passa(s);
        const Celle attese = velocita == 110 ? Celle{12, 19, 25, 55} : Celle{12, 19, 25, 38, 55};
        EXPECT_EQ(cambiate, attese) << velocita;
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), 0);
    }
}

TEST(BloccoInizio, RallentamentoDa2464A2480) {
    // rallentamento,  123150,    80,  800, 0,  1,  80  as laid out in the grid,
    // followed by two signals.
    test::Grid s = test::empty_grid(2600);
    for (std::size_t c = 2436; c <= 2439; ++c) test::put_cell(s, c, TipoCella::preavviso_rallentamento, 2440 - c);
    test::put_cell(s, 2440, AVVISO, 80);
    test::put_cell(s, 2464, INIZIO, 80);
    test::put_cell(s, 2480, FINE, 80);
    test::put_cell(s, 2487, SEGNALE);
    test::put_cell(s, 2490, SEGNALE);
    const Celle cambiate = passa(s);
    EXPECT_EQ(cambiate, (Celle{2446, 2453, 2459, 2472, 2479, 2486}));
    codici_180(s, cambiate);
    EXPECT_EQ(numero(s.esito.codice), 0);
}

TEST(BloccoInizio, UnCodiceSuCellaOccupataSiSpostaERiprendeLaSpaziatura) {
    struct Caso {
        Celle occupate;
        Celle codici_dentro;
        std::int32_t errore, posizione;
    };
    for (const Caso& caso : {
             Caso{{38}, {37, 45, 53}, 0, 0},
             Caso{{38, 37}, {39, 47, 55}, 0, 0},
             // No room: error, and no further code in this walk.
             Caso{{37, 38, 39}, {}, 13, 38 * 50},
         }) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 30, INIZIO, 80);
        test::put_cell(s, 60, FINE, 80);
        for (std::size_t c : caso.occupate) test::put_cell(s, c, ALTRO);
        const Celle cambiate = passa(s);
        Celle attese{12, 19, 25};
        attese.insert(attese.end(), caso.codici_dentro.begin(), caso.codici_dentro.end());
        EXPECT_EQ(cambiate, attese);
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), caso.errore);
        EXPECT_EQ(s.esito.posizione_errore, caso.posizione);
    }
}

TEST(BloccoInizio, CodicePrimaDelSegnaleDopoLaFine) {
    struct Caso {
        std::size_t segnale;
        Celle occupate;
        Celle codici;
        std::int32_t errore;
    };
    // Fast restriction from 30 to 44: approach codes at 12, 19, 25.
    for (const Caso& caso : {
             Caso{56, {}, {55}, 0},
             Caso{57, {}, {}, 0},  // beyond end + 12
             Caso{45, {}, {43}, 0},  // the cell before is the end itself
             Caso{50, {49}, {48}, 0},
             Caso{50, {49, 48}, {}, 13},
         }) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 30, INIZIO, 120);
        test::put_cell(s, 44, FINE, 120);
        test::put_cell(s, caso.segnale, SEGNALE);
        for (std::size_t c : caso.occupate) test::put_cell(s, c, ALTRO);
        const Celle cambiate = passa(s);
        Celle attese{12, 19, 25};
        attese.insert(attese.end(), caso.codici.begin(), caso.codici.end());
        EXPECT_EQ(cambiate, attese) << caso.segnale;
        EXPECT_EQ(numero(s.esito.codice), caso.errore) << caso.segnale;
        if (caso.errore != 0) {
            EXPECT_EQ(s.esito.posizione_errore, 44 * 50);
        }
    }
}

TEST(BloccoInizio, SenzaFineIlPercorsoSiFermaAllUltimaCella) {
    for (const std::int16_t velocita : {80, 120}) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 90, INIZIO, velocita);
        const Celle cambiate = passa(s);
        const Celle attese = velocita == 80 ? Celle{72, 79, 85, 98} : Celle{72, 79, 85};
        EXPECT_EQ(cambiate, attese) << velocita;
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), 13) << velocita;
        EXPECT_EQ(s.esito.posizione_errore, 100 * 50) << velocita;
        EXPECT_EQ(s.celle.size(), 101u);
    }
}

TEST(BloccoInizio, GliSguardiAvantiNonEsconoMaiDallaGriglia) {
    // The spacing falls due on the last cell, which is the end: the code
    // goes one cell early, or nowhere when that cell is taken too, since the
    // cell after the last one does not exist.
    struct Caso {
        Celle occupate;
        Celle codici;
        std::int32_t errore;
    };
    for (const Caso& caso : {Caso{{}, {74, 81, 87, 99}, 0}, Caso{{99}, {74, 81, 87}, 13}}) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, 92, INIZIO, 80);
        test::put_cell(s, 100, FINE, 80);
        for (std::size_t c : caso.occupate) test::put_cell(s, c, ALTRO);
        const Celle cambiate = passa(s);
        EXPECT_EQ(cambiate, caso.codici);
        codici_180(s, cambiate);
        EXPECT_EQ(numero(s.esito.codice), caso.errore);
        if (caso.errore != 0) {
            EXPECT_EQ(s.esito.posizione_errore, 100 * 50);
        }
        EXPECT_EQ(s.celle.size(), 101u);
    }
}

TEST(Passata, LeUltimeDueCelleNonSonoMaiEsaminate) {
    struct Caso {
        std::size_t cella;
        TipoCella tipo;
        Celle codici;
    };
    for (const Caso& caso : {Caso{98, AVVISO, {94}}, Caso{99, AVVISO, {}}, Caso{99, INIZIO, {}},
                             Caso{100, INIZIO, {}}}) {
        test::Grid s = test::empty_grid(100);
        test::put_cell(s, caso.cella, caso.tipo, 80);
        test::put_cell(s, 95, SEGNALE);
        const Celle cambiate = passa(s);
        EXPECT_EQ(cambiate, caso.codici) << caso.cella;
    }
}

TEST(Passata, SenzaGrigliaNessunLavoro) {
    test::Grid s;
    completa_codici(s.celle, s.esito);
    EXPECT_TRUE(s.celle.empty());
    EXPECT_EQ(numero(s.esito.codice), 0);
}

}  // namespace
