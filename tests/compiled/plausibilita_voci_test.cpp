// The entries of a .sim looked at against what a compilation can leave:
// a small scenario whose entries are all ones the compiler writes, and the
// same scenario with one entry changed the way no compilation changes it.
#include "compiled/plausibilita_voci.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tables/file_compilati.h"

namespace compattatore {
namespace {

Voce stazione(std::uint8_t tipo, std::int32_t posizione, std::int32_t lunghezza, const char* nome) {
    Voce v;
    v.tipo = tipo;
    v.posizione = posizione;
    v.inizio = posizione - lunghezza / 2;
    v.fine = posizione + lunghezza / 2;
    v.nome = nome;
    v.orario = 8 * 3600;
    v.intero1 = 4;
    return v;
}

// Four stations, two signs, and the header as a compilation stamps it.
Voci scenario() {
    Voci voci{};
    voci[1] = stazione(8, 1000, 400, "Alfa");  // its length on either side
    voci[1].inizio = 600;
    voci[1].fine = 1400;
    voci[2] = stazione(22, 3100, 600, "Beta");
    voci[2].byte4 = 1;  // the end 50 m further
    voci[2].fine += 50;
    voci[2].byte5 = 1;
    voci[3] = stazione(5, 9000, 300 + 100, "Gamma");  // ends 150 m past its position
    voci[3].inizio = 9000 - 400;
    voci[3].fine = 9150;
    voci[4] = stazione(27, 15000, 200, "Omega");  // no stop
    voci[80].nome = "(Zona)(Cod )";
    voci[79].nome = "(Dev.I.)";
    const auto riferimento = [&voci](std::size_t k, std::int32_t inizio, std::int32_t fine, std::int32_t posizione) {
        voci[k].inizio = inizio;
        voci[k].fine = fine;
        voci[k].posizione = posizione;
    };
    riferimento(81, 0, 1000, 0);
    riferimento(84, 150, 12000, 5);
    riferimento(85, 1, 3, 2);
    voci[85].nome = "Linea";
    voci[85].intero1 = 610;
    voci[85].orario = 4242;
    riferimento(86, 8000, 9000, 9);
    voci[86].nome = "Treno";
    voci[86].intero1 = 180;
    voci[86].intero3 = 16;
    voci[86].intero4 = 20;
    voci[86].intero5 = 30;
    return voci;
}

// Where entry k starts in the file.
std::size_t inizio_voce(const Voci& voci, std::size_t k) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < k; ++i) at += byte_voce_fissi + voci[i].nome.size();
    return at;
}

TEST(PlausibilitaVoci, LeVociCheUnaCompilazioneScriveNonSonoSegnalate) {
    EXPECT_TRUE(esamina_voci(scenario(), "Linea_Treno").empty());
    EXPECT_TRUE(esamina_voci(scenario(), "LINEA_treno").empty());
    EXPECT_TRUE(esamina_voci(scenario()).empty());
    // The last station may have stopped the reading half-way: only its
    // position read, or everything but its extent.
    Voci v = scenario();
    v[5].posizione = 20025;
    EXPECT_TRUE(esamina_voci(v).empty());
    v[5] = stazione(22, 20000, 400, "Delta");
    v[5].inizio = v[5].fine = 0;
    EXPECT_TRUE(esamina_voci(v).empty());
    // The first station keeps the extra 50 m with its flag cleared.
    v = scenario();
    v[1] = stazione(22, 1000, 400, "Alfa");
    v[1].fine += 50;
    EXPECT_TRUE(esamina_voci(v).empty());
    // Without a repetition end the codes are 0; a stop before the codes
    // leaves them 0 with an end.
    v = scenario();
    v[86].posizione = 0;
    EXPECT_TRUE(esamina_voci(v).empty());
}

struct Caso {
    const char* nome;
    std::function<void(Voci&)> guasto;
    std::size_t voce;
    const char* campo;   // where the report points
    const char* motivo;  // the whole reason
};

// The offset of `campo` in entry k.
std::size_t offset_campo(const Voci& voci, std::size_t k, const std::string& campo) {
    const std::size_t n = voci[k].nome.size();
    const std::pair<const char*, std::size_t> campi[] = {
        {"tipo", 0},     {"inizio", 1},       {"fine", 5},         {"posizione", 9},    {"byte1", 13},
        {"nome", 14},    {"intero1", 16 + n}, {"intero2", 18 + n}, {"intero3", 20 + n}, {"intero4", 22 + n},
        {"intero5", 24 + n}, {"byte2", 26 + n}, {"byte3", 27 + n}, {"byte4", 28 + n},   {"byte5", 29 + n},
        {"orario", 30 + n}};
    for (const auto& [nome, at] : campi)
        if (campo == nome) return inizio_voce(voci, k) + at;
    ADD_FAILURE() << campo;
    return 0;
}

class Inverosimile : public ::testing::TestWithParam<Caso> {};

TEST_P(Inverosimile, NomineLaVoceIlCampoEIlMotivo) {
    const Caso& c = GetParam();
    Voci voci = scenario();
    c.guasto(voci);
    const std::vector<VoceInverosimile> r = esamina_voci(voci, "Linea_Treno");
    ASSERT_EQ(r.size(), 1u) << (r.empty() ? "" : r.front().motivo + " / " + r.back().motivo);
    EXPECT_EQ(r[0].voce, c.voce);
    EXPECT_EQ(r[0].offset, offset_campo(voci, c.voce, c.campo));
    EXPECT_EQ(r[0].motivo, c.motivo);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, Inverosimile,
    ::testing::Values(
        Caso{"VoceZeroScritta", [](Voci& v) { v[0].orario = 5; }, 0, "orario",
             "voce 0: orario vale 5, ma la voce 0 resta sempre vuota"},
        Caso{"VoceZeroConUnNome", [](Voci& v) { v[0].nome = "x\x01"; }, 0, "nome",
             "voce 0: ha il nome \"x\\x01\", ma la voce 0 resta sempre vuota"},
        Caso{"CampoCheNessunoScriveInIntestazione", [](Voci& v) { v[84].byte2 = 3; }, 84, "byte2",
             "voce 84: (percorso) byte2 vale 3, ma nessuna compilazione scrive questo campo in questa voce"},
        Caso{"NomeInUnaProgressiva", [](Voci& v) { v[82].nome = "Km"; }, 82, "nome",
             "voce 82: (cambio di progressiva) ha il nome \"Km\", ma nessuna compilazione lo scrive"},
        Caso{"TimbroDiverso", [](Voci& v) { v[85].intero1 = 611; }, 85, "intero1",
             "voce 85: (linea) intero1 vale 611, ma la compilazione vi scrive sempre 610"},
        Caso{"CodiciDellaRipetizione", [](Voci& v) { v[86].posizione = 5; }, 86, "posizione",
             "voce 86: (treno) posizione vale 5, ma i codici della ripetizione dei segnali sono 4 o 9, e 0 quando "
             "la ripetizione non ha fine (qui la fine è 9000)"},
        Caso{"CodiciSenzaFineDellaRipetizione", [](Voci& v) { v[86].fine = 0; }, 86, "posizione",
             "voce 86: (treno) posizione vale 9, ma i codici della ripetizione dei segnali sono 4 o 9, e 0 quando "
             "la ripetizione non ha fine (qui la fine è 0)"},
        Caso{"NomeDelTrenoMancante", [](Voci& v) { v[86].nome.clear(); }, 86, "nome",
             "voce 86: (treno) il nome del treno manca"},
        Caso{"NomiDiUnAltroFile", [](Voci& v) { v[85].nome = "Altra"; }, 85, "nome",
             "voce 85: (linea) i nomi della linea e del treno, \"Altra\" e \"Treno\", non sono quelli del nome del "
             "file, Linea_Treno.sim"},
        Caso{"BucoTraLeStazioni", [](Voci& v) { v[2] = Voce{}; }, 2, "tipo",
             "voce 2: è vuota, ma la voce 4 sopra di lei è una stazione: le stazioni occupano le voci dalla 1 in su "
             "senza lasciarne di vuote"},
        Caso{"PosizioneFuoriPasso", [](Voci& v) { v[2].posizione += 10, v[2].inizio += 10, v[2].fine += 10; }, 2,
             "posizione", "voce 2: (stazione \"Beta\", tipo 22) la posizione 3110 m non è un multiplo di 50 m"},
        Caso{"NonAMeta", [](Voci& v) { v[2].fine += 100; }, 2, "fine",
             "voce 2: (stazione \"Beta\", tipo 22) va da 2800 a 3550 m, ma la sua posizione, 3100 m, non sta a metà "
             "(con byte4 la fine va 50 m più in là)"},
        Caso{"LunghezzaFuoriPasso", [](Voci& v) { v[2].inizio -= 25, v[2].fine += 25; }, 2, "inizio",
             "voce 2: (stazione \"Beta\", tipo 22) comincia a 2775 m: la lunghezza che ne segue, 650 m, non è un "
             "multiplo di 100 m"},
        Caso{"FineDiUnaFermataInTesta", [](Voci& v) { v[3].fine = 9200; }, 3, "fine",
             "voce 3: (stazione \"Gamma\", tipo 5) finisce a 9200 m, ma questo tipo finisce 150 m dopo la posizione, "
             "a 9150 m"},
        Caso{"CapolineaStorto", [](Voci& v) { v[1].fine = 1500; }, 1, "fine",
             "voce 1: (stazione \"Alfa\", tipo 8) va da 600 a 1500 m, ma questo tipo si stende tanto prima quanto "
             "dopo la posizione, 1000 m"},
        Caso{"FineProlungataDiUnaFermataInTesta", [](Voci& v) { v[3].byte4 = 1; }, 3, "byte4",
             "voce 3: (stazione \"Gamma\", tipo 5) byte4 vale 1, ma per questo tipo la compilazione lo azzera"},
        Caso{"PrimaStazioneConByte5", [](Voci& v) { v[1].byte5 = 2; }, 1, "byte5",
             "voce 1: (stazione \"Alfa\", tipo 8) byte5 vale 2, ma la prima stazione lo ha sempre a 0"},
        Caso{"Byte5DiUnaStazioneCorta", [](Voci& v) { v[3].byte5 = 1; }, 3, "byte5",
             "voce 3: (stazione \"Gamma\", tipo 5) byte5 vale 1, ma si azzera sotto i 600 m e la stazione ne misura "
             "400"},
        Caso{"StazioniTroppoVicine", [](Voci& v) { v[2].posizione -= 1100, v[2].inizio -= 1100, v[2].fine -= 1100; }, 2,
             "inizio",
             "voce 2: (stazione \"Beta\", tipo 22) comincia a 1700 m, meno di 350 m dopo la fine della precedente, "
             "\"Alfa\", a 1400 m"},
        Caso{"FermataInTesta", [](Voci& v) { v[1] = stazione(22, 50, 100, "Alfa"), v[1].tipo = 1; }, 1, "fine",
             "voce 1: (stazione \"Alfa\", tipo 1) finisce a 100 m, ma una stazione con fermata finisce oltre i "
             "100 m"}),
    [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

// Reports come in file order, however many there are.
TEST(PlausibilitaVoci, InOrdineDiFile) {
    Voci voci = scenario();
    voci[86].byte3 = 1;
    voci[0].byte1 = 1;
    voci[2].posizione += 1;
    const std::vector<VoceInverosimile> r = esamina_voci(voci);
    ASSERT_GE(r.size(), 3u);
    for (std::size_t i = 1; i < r.size(); ++i) EXPECT_LT(r[i - 1].offset, r[i].offset);
    EXPECT_EQ(r.front().voce, 0u);
    EXPECT_EQ(r.back().voce, 86u);
}

}  // namespace
}  // namespace compattatore
