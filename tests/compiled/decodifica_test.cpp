#include "compiled/decodifica.h"

#include <bit>
#include <cstring>

#include <gtest/gtest.h>

#include "support/scenario_prova.h"
#include "tables/file_compilati.h"

namespace compattatore {
namespace {

TEST(Decodifica, ITreFileSiRileggonoNelleTabelleDaCuiVengono) {
    const Scenario s = test::scenario_completo();

    EXPECT_TRUE(decodifica_griglia(codifica_griglia(s.celle)) == s.celle);
    EXPECT_TRUE(decodifica_voci(codifica_voci(s.voci)) == s.voci);

    const TabellaLinea t = decodifica_tabella_linea(codifica_tabella_linea(s.tabella_linea));
    ASSERT_EQ(t.righe, s.tabella_linea.righe);
    for (std::size_t e = 0; e < t.elementi.size(); ++e) {
        ASSERT_EQ(t.elementi[e].stato, s.tabella_linea.elementi[e].stato) << e;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(t.elementi[e].valore),
                  std::bit_cast<std::uint64_t>(s.tabella_linea.elementi[e].valore))
            << e;
    }
}

// The record of entry 86 of the built-in scenario, as the compiled file holds it.
TEST(Decodifica, ICampiDiUnaVoceStannoAiLoroOffset) {
    const unsigned char v86[40] = {0x00, 0x40, 0x1F, 0x00, 0x00, 0xCC, 0x0B, 0x05, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00,
                                   0x06, 0x00, 'Q',  'u',  'a',  'r',  'z',  'o',  0xB4, 0x00, 0x00, 0x00, 0x10, 0x00,
                                   0x14, 0x00, 0x1E, 0x00, 0,    0,    0,    0,    0,    0,    0,    0};
    std::string sim(86 * 34, '\0');
    sim.append(reinterpret_cast<const char*>(v86), sizeof v86);
    const Voci voci = decodifica_voci(sim);
    const Voce& v = voci[voce_treno];
    EXPECT_EQ(v.inizio, 8000);
    EXPECT_EQ(v.fine, 330700);
    EXPECT_EQ(v.posizione, 9);
    EXPECT_EQ(v.nome, "Quarzo");
    EXPECT_EQ(v.intero1, 180);
    EXPECT_EQ(v.intero3, 16);
    EXPECT_EQ(v.intero4, 20);
    EXPECT_EQ(v.intero5, 30);
    EXPECT_EQ(v.orario, 0);
}

struct CasoMalformato {
    const char* nome;
    TipoFile tipo;
    std::string byte;
    std::size_t offset;
    const char* motivo;  // a part of the reason
};

std::string voci_valide() {
    Voci voci{};
    voci[3].nome = "Abc";
    return codifica_voci(voci);
}

std::string tag(std::uint16_t t) { return std::string{static_cast<char>(t & 0xFF), static_cast<char>(t >> 8)}; }

class Malformato : public ::testing::TestWithParam<CasoMalformato> {};

TEST_P(Malformato, NamesTheOffsetAndTheReason) {
    const CasoMalformato& c = GetParam();
    try {
        switch (c.tipo) {
            case TipoFile::griglia: decodifica_griglia(c.byte); break;
            case TipoFile::voci: decodifica_voci(c.byte); break;
            case TipoFile::piano: decodifica_tabella_linea(c.byte); break;
        }
        FAIL() << "nessun errore";
    } catch (const FileMalformato& e) {
        EXPECT_EQ(e.offset(), c.offset);
        EXPECT_NE(e.motivo().find(c.motivo), std::string::npos) << e.motivo();
        EXPECT_EQ(std::string(e.what()), "offset " + std::to_string(c.offset) + ": " + e.motivo());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, Malformato,
    ::testing::Values(
        CasoMalformato{"GrigliaVuota", TipoFile::griglia, "", 0, "vuoto"},
        CasoMalformato{"GrigliaConUnByteInPiu", TipoFile::griglia, std::string(31, '\0'), 30,
                       "cella 2 troncata: restano 1 byte dei 15 di una cella (lunghezza 31 non multipla di 15)"},
        CasoMalformato{"GrigliaPiuCortaDiUnaCella", TipoFile::griglia, std::string(14, '\0'), 0, "cella 0 troncata"},
        CasoMalformato{"VociVuote", TipoFile::voci, "", 0, "voce 0 troncata"},
        CasoMalformato{"VociSenzaUltimoByte", TipoFile::voci, voci_valide().substr(0, voci_valide().size() - 1),
                       86 * 34 + 3, "voce 86 troncata: con un nome di 0 byte occupa 34 byte"},
        CasoMalformato{"VociTroncateNellaTesta", TipoFile::voci, voci_valide().substr(0, 3 * 34 + 10), 3 * 34,
                       "voce 3 troncata: il file finisce all'offset 112"},
        CasoMalformato{"VociTroncateNelNome", TipoFile::voci, voci_valide().substr(0, 3 * 34 + 17), 3 * 34,
                       "voce 3 troncata: con un nome di 3 byte occupa 37 byte"},
        CasoMalformato{"VociConUnByteInPiu", TipoFile::voci, voci_valide() + "x", 87 * 34 + 3,
                       "1 byte dopo la voce 86"},
        CasoMalformato{"PianoVuoto", TipoFile::piano, "", 0, "vuoto"},
        CasoMalformato{"PianoConTagSconosciuto", TipoFile::piano, tag(0) + tag(2) + std::string("\x01\x00", 2) + tag(7) + tag(0), 6,
                       "elemento 2: tag sconosciuto 7"},
        CasoMalformato{"PianoConTagTroncato", TipoFile::piano, tag(0) + tag(0) + "\x05", 4,
                       "resta 1 byte dove comincia un tag"},
        CasoMalformato{"PianoConRealeTroncato", TipoFile::piano, tag(0) + tag(5) + std::string(7, '\0'), 2,
                       "il tag 5 chiede 8 byte di valore, ne restano 7"},
        CasoMalformato{"PianoConInteroTroncato", TipoFile::piano, tag(2) + "\x01", 0,
                       "il tag 2 chiede 2 byte di valore, ne restano 1"},
        CasoMalformato{"PianoConElementiDispari", TipoFile::piano, tag(0) + tag(2) + std::string("\x01\x00", 2) + tag(0), 8,
                       "numero dispari di elementi (3)"}),
    [](const ::testing::TestParamInfo<CasoMalformato>& i) { return std::string(i.param.nome); });

TEST(Riconoscimento, PrimaDalNomeSenzaBadareAlleMaiuscole) {
    const std::string qualsiasi(30, '\0');
    EXPECT_EQ(riconosci_file("dir/Brunovale_linea.dat", qualsiasi), TipoFile::piano);
    EXPECT_EQ(riconosci_file("BRUNOVALE_LINEA.DAT", qualsiasi), TipoFile::piano);
    EXPECT_EQ(riconosci_file("Brunovale_Quarzo.sim", qualsiasi), TipoFile::voci);
    EXPECT_EQ(riconosci_file("Brunovale_Quarzo.DAT", qualsiasi), TipoFile::griglia);
}

TEST(Riconoscimento, AltriNomiDaCioCheIlContenutoPuoEssere) {
    const Scenario s = test::scenario_completo();
    EXPECT_EQ(riconosci_file("copia.bin", codifica_voci(s.voci)), TipoFile::voci);
    EXPECT_EQ(riconosci_file("copia.bin", codifica_tabella_linea(s.tabella_linea)), TipoFile::piano);
    EXPECT_EQ(riconosci_file("copia", codifica_griglia(s.celle)), TipoFile::griglia);
    try {
        riconosci_file("copia.bin", std::string(7, '\x09'));
        FAIL();
    } catch (const FileMalformato& e) {
        EXPECT_EQ(e.offset(), 0u);
        EXPECT_NE(e.motivo().find("non è riconoscibile"), std::string::npos);
    }
}

}  // namespace
}  // namespace compattatore
