#include "tables/file_compilati.h"

#include <gtest/gtest.h>

#include "support/bytes.h"

namespace compattatore {
namespace {

using test::bytes;

TEST(GrigliaCompilata, UnaCellaEQuindiciByteLittleEndian) {
    // tipo, valore1..4, tempo, preavviso, montagna, velocita, pendenza, aderenza
    const Cella c{TipoCella::segnale, 5121, -2, 0x1234, 8, 255, 81, 2, 34, 89, 99};
    std::string out;
    codifica_cella(out, c);
    EXPECT_EQ(out, bytes({1, 0x01, 0x14, 0xFE, 0xFF, 0x34, 0x12, 8, 0, 255, 81, 2, 34, 89, 99}));
}

TEST(GrigliaCompilata, OgniCellaDaZeroInSuEScritta) {
    std::vector<Cella> celle(141);
    celle[1].valore1 = 5121;
    celle[140].tipo = TipoCella::cartello;
    std::string dati = codifica_griglia(celle);
    ASSERT_EQ(dati.size(), 15u * 141u);
    EXPECT_EQ(dati.substr(16, 2), bytes({0x01, 0x14}));
    EXPECT_EQ(static_cast<unsigned char>(dati[15 * 140]), 14);
}

// The record of entry 86 with the built-in general values: signal
// repetition 8000..330700 with 9 codes, sand 180, clock 16:20:30.
TEST(VociCompilate, LaVoce86EQuarantaByte) {
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
    std::string atteso = bytes({0x00, 0x40, 0x1F, 0x00, 0x00, 0xCC, 0x0B, 0x05, 0x00, 0x09, 0x00, 0x00,
                               0x00, 0x00, 0x06, 0x00}) +
                         "Quarzo" +
                         bytes({0xB4, 0x00, 0x00, 0x00, 0x10, 0x00, 0x14, 0x00, 0x1E, 0x00}) +
                         std::string(8, '\0');
    EXPECT_EQ(out, atteso);
}

TEST(VociCompilate, UnaVoceETrentaquattroBytePiuIlSuoTesto) {
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
        EXPECT_EQ(test::read<std::uint16_t>(out, 14), caso.nome.size());
        EXPECT_EQ(out.substr(16, caso.nome.size()), caso.nome);
    }
}

TEST(VociCompilate, IlFileHaLeOttantasetteVociELaZeroTuttaAZero) {
    Voci voci{};
    voci[voce_linea].nome = "Brunovale";
    voci[voce_treno].nome = "Quarzo";
    voci[voce_linea].intero1 = 610;
    voci[voce_linea].orario = -7;
    std::string dati = codifica_voci(voci);
    ASSERT_EQ(dati.size(), 87u * 34u + 9u + 6u);
    EXPECT_EQ(dati.substr(0, 34), std::string(34, '\0'));
    std::size_t inizio_85 = 85u * 34u;
    EXPECT_EQ(dati.substr(inizio_85 + 16, 9), "Brunovale");
    EXPECT_EQ(test::read<std::int16_t>(dati, inizio_85 + 25), 610);
    EXPECT_EQ(test::read<std::int32_t>(dati, inizio_85 + 39), -7);
}

TEST(PianoCompilato, ValoriConTagColonnaPerColonna) {
    TabellaLinea t;
    t.crea(6);  // rows 0..6
    t(0, 0) = ValoreTabella::intero(0);
    t(1, 0) = ValoreTabella::intero(0);
    t(0, 1) = ValoreTabella::intero(0);
    t(1, 1) = ValoreTabella::intero(1);
    for (int m = 2; m <= 4; ++m) {
        t(m, 0) = ValoreTabella::reale_(0.5 * m);
        t(m, 1) = ValoreTabella::reale_(-1.0 * m);
    }
    std::string dati = codifica_tabella_linea(t);
    // Each column: two 4-byte integers, three 10-byte reals, two bare tags.
    ASSERT_EQ(dati.size(), 20u * 6u - 36u);

    std::string colonna0 = bytes({2, 0, 0, 0, 2, 0, 0, 0});
    for (int m = 2; m <= 4; ++m) {
        test::append<std::uint16_t>(colonna0, 5);
        test::append(colonna0, 0.5 * m);
    }
    colonna0 += bytes({0, 0, 0, 0});
    EXPECT_EQ(dati.substr(0, colonna0.size()), colonna0);
    EXPECT_EQ(dati.substr(colonna0.size(), 8), bytes({2, 0, 0, 0, 2, 0, 1, 0}));
    EXPECT_EQ(test::read<double>(dati, colonna0.size() + 10), -2.0);
}

// A record read back from its bytes is the record written.
TEST(FileCompilati, OgniRecordRilettoEQuelloScritto) {
    Cella c{TipoCella::segnale, -5121, 2, 0x1234, -1, 255, 81, 2, 34, 89, 99};
    std::string byte_cella_scritta;
    codifica_cella(byte_cella_scritta, c);
    Cella letta;
    EXPECT_EQ(codifica::leggi_record(campi_cella, letta, byte_cella_scritta.data()) - byte_cella_scritta.data(), 15);
    EXPECT_EQ(letta, c);

    Voce v{7, -1, 2, 3, 4, "Borgo \xE0", 5, 6, 7, 8, -9, 10, 11, 12, 13, 58470};
    std::string byte_voce;
    codifica_voce(byte_voce, v);
    Voce riletta;
    EXPECT_EQ(codifica::leggi_record(campi_voce, riletta, byte_voce.data()) - byte_voce.data(), 34 + 7);
    EXPECT_EQ(riletta, v);
}

}  // namespace
}  // namespace compattatore
