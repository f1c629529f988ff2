#include "tables/tabella_linea.h"

#include <bit>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/cartella_temporanea.h"
#include "tables/byte_buffer.h"
#include "tables/compiled_files.h"
#include "tables/nomi_file.h"

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

TEST(TabellaLinea, EveryValueReadsBackExactlyWhateverItReplaced) {
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

TEST(TabellaLinea, ANewTableIsAllEmptyAndReadsZero) {
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

TEST(TabellaLinea, CopiesAreIndependentAndAVectorOfValuesFillsItInOrder) {
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

// The file bytes of a plan, worked out element by element from the values.
std::string attesi(const TabellaLinea& t) {
    std::string out;
    for (const ValoreTabella& e : t.elementi) {
        switch (e.stato) {
            case ValoreTabella::Stato::vuoto:
                put_fixed16(out, 0);
                break;
            case ValoreTabella::Stato::intero16:
                put_fixed16(out, 2);
                put_i16(out, static_cast<std::int16_t>(e.valore));
                break;
            case ValoreTabella::Stato::reale:
                put_fixed16(out, 5);
                put_double(out, e.valore);
                break;
        }
    }
    return out;
}

// Long runs of reals go to the file straight from the table, the other
// elements through a buffer: whatever the mix, the file holds the same bytes
// as the encoding of each value in turn.
TEST(TabellaLinea, ThePlanFileIsEachElementEncodedInTurnWhateverTheMix) {
    // Runs of reals of 1, 409 and 410 elements (just under and over the
    // 4096 bytes written directly), 7000 (longer than the buffer) and 2,
    // each followed by an integer and an empty element.
    std::vector<int> a_tratti;
    while (a_tratti.size() < 60001) {
        for (int lunghezza : {1, 409, 410, 7000, 2}) {
            a_tratti.insert(a_tratti.end(), static_cast<std::size_t>(lunghezza), 2);
            a_tratti.push_back(1);
            a_tratti.push_back(0);
        }
    }
    struct Caso {
        const char* nome;
        std::int32_t lunghezza_estesa;
        std::function<int(std::int32_t metro, int coordinata)> stato;  // 0 empty, 1 integer, 2 real
    };
    const Caso casi[] = {
        {"as the reader leaves it", 341000,
         [](std::int32_t m, int) { return m < 2 ? 1 : (m > 340998 ? 0 : 2); }},
        {"alternating one by one", 40000, [](std::int32_t m, int c) { return (m + c) % 3; }},
        {"runs of every length", 60000,
         [&a_tratti](std::int32_t m, int c) { return a_tratti[static_cast<std::size_t>(m + 3 * c) % a_tratti.size()]; }},
        {"never reached", 20000, [](std::int32_t m, int) { return m < 2 ? 1 : (m < 9000 ? 2 : 0); }},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        prova::CartellaTemporanea dir;
        Scenario s;
        s.nome_linea = "Valdorso";
        s.nome_treno = "Merlo";
        s.cartella = dir.percorso();
        s.compila_linea = 1;
        s.lunghezza_estesa = caso.lunghezza_estesa;
        s.numero_celle = 3;
        s.celle.assign(4, Cella{});
        s.tabella_linea.crea(s.lunghezza_estesa);
        for (int c = 0; c < 2; ++c) {
            for (std::int32_t m = 0; m <= s.lunghezza_estesa; ++m) {
                switch (caso.stato(m, c)) {
                    case 1: s.tabella_linea(m, c) = ValoreTabella::intero(static_cast<std::int16_t>(m - 7 * c)); break;
                    case 2: s.tabella_linea.poni_reale(m, c, m * 0.001 - c); break;
                    default: break;
                }
            }
        }
        const std::string bytes = attesi(s.tabella_linea);
        EXPECT_EQ(codifica_tabella_linea(s), bytes);
        scrivi_file_compilati(s);
        EXPECT_EQ(prova::leggi_byte(file_linea_dat(s)), bytes);
    }
}

}  // namespace
}  // namespace compattatore
