#include "tables/compiled_files.h"

#include <cstring>

#include <gtest/gtest.h>

#include "support/cartella_temporanea.h"
#include "tables/byte_buffer.h"
#include "tables/nomi_file.h"

namespace compattatore {
namespace {

using prova::CartellaTemporanea;

std::string byte(std::initializer_list<int> valori) {
    std::string s;
    for (int v : valori) s.push_back(static_cast<char>(v));
    return s;
}

TEST(CompiledGrid, CellIsFifteenPackedLittleEndianBytes) {
    Cella c;
    c.tipo = 1;
    c.valore1 = 5121;
    c.valore2 = -2;
    c.valore3 = 0x1234;
    c.valore4 = 8;
    c.tempo = 255;
    c.preavviso = 81;
    c.montagna = 2;
    c.velocita = 34;
    c.pendenza = 89;
    c.aderenza = 99;
    std::string out;
    codifica_cella(out, c);
    EXPECT_EQ(out, byte({1, 0x01, 0x14, 0xFE, 0xFF, 0x34, 0x12, 8, 0, 255, 81, 2, 34, 89, 99}));
}

TEST(CompiledGrid, EveryCellFromZeroUpIsWritten) {
    Scenario s;
    s.numero_celle = 140;
    s.celle.assign(141, Cella{});
    s.celle[1].valore1 = 5121;
    s.celle[140].tipo = 14;
    std::string dati = codifica_griglia(s);
    ASSERT_EQ(dati.size(), 15u * 141u);
    EXPECT_EQ(dati.substr(16, 2), byte({0x01, 0x14}));
    EXPECT_EQ(static_cast<unsigned char>(dati[15 * 140]), 14);
}

// The record of entry 86 with the built-in general values: signal
// repetition 8000..330700 with 9 codes, sand 180, clock 16:20:30.
TEST(CompiledScenario, Entry86RecordIsExactlyFortyBytes) {
    Voce v;
    v.inizio = 8000;
    v.fine = 330700;
    v.posizione = 9;
    v.nome = "Quarzo";
    v.intero1 = 180;
    v.intero3 = 16;
    v.intero4 = 20;
    v.intero5 = 30;
    std::string out;
    codifica_voce(out, v);
    std::string atteso = byte({0x00, 0x40, 0x1F, 0x00, 0x00, 0xCC, 0x0B, 0x05, 0x00, 0x09, 0x00, 0x00,
                               0x00, 0x00, 0x06, 0x00}) +
                         "Quarzo" +
                         byte({0xB4, 0x00, 0x00, 0x00, 0x10, 0x00, 0x14, 0x00, 0x1E, 0x00}) +
                         std::string(8, '\0');
    EXPECT_EQ(out, atteso);
}

TEST(CompiledScenario, RecordIsThirtyFourBytesPlusItsText) {
    struct Caso {
        std::string nome;
        std::size_t byte;
    };
    for (const Caso& caso : {Caso{"", 34}, Caso{"0123456789", 44}, Caso{"\xE0", 35}}) {
        Voce v;
        v.nome = caso.nome;
        std::string out;
        codifica_voce(out, v);
        EXPECT_EQ(out.size(), caso.byte) << caso.nome;
        EXPECT_EQ(get_fixed16(out, 14), caso.nome.size());
        EXPECT_EQ(out.substr(16, caso.nome.size()), caso.nome);
    }
}

TEST(CompiledScenario, FileHoldsAllEightySevenEntriesWithEntryZeroAllZero) {
    Scenario s;
    s.voci[85].nome = "Brunovale";
    s.voci[86].nome = "Quarzo";
    s.voci[85].intero1 = 610;
    s.voci[85].orario = -7;
    std::string dati = codifica_voci(s);
    ASSERT_EQ(dati.size(), 87u * 34u + 9u + 6u);
    EXPECT_EQ(dati.substr(0, 34), std::string(34, '\0'));
    std::size_t inizio_85 = 85u * 34u;
    EXPECT_EQ(dati.substr(inizio_85 + 16, 9), "Brunovale");
    EXPECT_EQ(get_fixed16(dati, inizio_85 + 25), 610);
    EXPECT_EQ(static_cast<std::int32_t>(get_fixed32(dati, inizio_85 + 39)), -7);
}

TEST(CompiledLine, TaggedValuesColumnByColumn) {
    Scenario s;
    s.tabella_linea.crea(6);  // rows 0..6
    TabellaLinea& t = s.tabella_linea;
    t(0, 0) = ValoreTabella::intero(0);
    t(1, 0) = ValoreTabella::intero(0);
    t(0, 1) = ValoreTabella::intero(0);
    t(1, 1) = ValoreTabella::intero(1);
    for (int m = 2; m <= 4; ++m) {
        t(m, 0) = ValoreTabella::reale_(0.5 * m);
        t(m, 1) = ValoreTabella::reale_(-1.0 * m);
    }
    std::string dati = codifica_tabella_linea(s);
    // Each column: two 4-byte integers, three 10-byte reals, two bare tags.
    ASSERT_EQ(dati.size(), 20u * 6u - 36u);

    std::string colonna0 = byte({2, 0, 0, 0, 2, 0, 0, 0});
    for (int m = 2; m <= 4; ++m) {
        put_fixed16(colonna0, 5);
        put_double(colonna0, 0.5 * m);
    }
    colonna0 += byte({0, 0, 0, 0});
    EXPECT_EQ(dati.substr(0, colonna0.size()), colonna0);
    EXPECT_EQ(dati.substr(colonna0.size(), 8), byte({2, 0, 0, 0, 2, 0, 1, 0}));
    EXPECT_EQ(get_fixed64(dati, colonna0.size() + 10), std::bit_cast<std::uint64_t>(-2.0));
}

struct FileCompilati : ::testing::Test {
    CartellaTemporanea dir;
    Scenario s;
    void SetUp() override {
        s.nome_linea = "Brunovale";
        s.nome_treno = "Quarzo";
        s.cartella = dir.percorso();
        s.numero_celle = 140;
        s.celle.assign(141, Cella{});
        s.lunghezza_estesa = 7000;
    }
};

TEST_F(FileCompilati, WithoutThePlanAnOlderLineFileIsLeftUntouched) {
    prova::scrivi_byte(dir / "Brunovale_linea.dat", "vecchio");
    s.compila_linea = 0;
    scrivi_file_compilati(s);
    EXPECT_EQ(prova::leggi_byte(dir / "Brunovale_linea.dat"), "vecchio");
    EXPECT_EQ(std::filesystem::file_size(dir / "Brunovale_Quarzo.sim"), 87u * 34u);
    EXPECT_EQ(std::filesystem::file_size(dir / "Brunovale_Quarzo.dat"), 15u * 141u);
}

TEST_F(FileCompilati, AnOlderLongerGridFileIsFullyReplaced) {
    prova::scrivi_byte(dir / "Brunovale_Quarzo.dat", std::string(100000, '\x7F'));
    s.compila_linea = 1;
    s.tabella_linea.crea(s.lunghezza_estesa);
    scrivi_file_compilati(s);
    EXPECT_EQ(prova::leggi_byte(dir / "Brunovale_Quarzo.dat"), std::string(15u * 141u, '\0'));
    // Every element of an untouched plan is an empty tag.
    EXPECT_EQ(prova::leggi_byte(dir / "Brunovale_linea.dat"), std::string(2u * 2u * 7001u, '\0'));
}

}  // namespace
}  // namespace compattatore
