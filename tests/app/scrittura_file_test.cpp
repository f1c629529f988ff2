// The compiled files as the driver writes them to disk: each replaced whole,
// the plan straight from its slots whatever the mix of its elements.
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "app/scenario_files.h"
#include "support/bytes.h"
#include "support/temp_dir.h"
#include "tables/file_compilati.h"
#include "tables/nomi_file.h"

namespace compattatore {
namespace {

using test::TempDir;

void scrivi(const FileScenario& f, const Scenario& s) {
    OutputSet uscite;
    aggiungi_file_compilati(f, s, uscite);
    uscite.commit();
}

struct FileCompilati : ::testing::Test {
    TempDir dir;
    FileScenario f;
    Scenario s;
    void SetUp() override {
        f = {dir.path(), "Brunovale", "Quarzo"};
        s.numero_celle = 140;
        s.celle.assign(141, Cella{});
        s.lunghezza_estesa = 7000;
    }
};

TEST_F(FileCompilati, SenzaPianoUnVecchioFileDellaLineaRestaIntatto) {
    test::write_bytes(dir / "Brunovale_linea.dat", "vecchio");
    scrivi(f, s);
    EXPECT_EQ(test::read_bytes(dir / "Brunovale_linea.dat"), "vecchio");
    EXPECT_EQ(std::filesystem::file_size(dir / "Brunovale_Quarzo.sim"), 87u * 34u);
    EXPECT_EQ(std::filesystem::file_size(dir / "Brunovale_Quarzo.dat"), 15u * 141u);
}

TEST_F(FileCompilati, UnaVecchiaGrigliaPiuLungaESostituitaDelTutto) {
    test::write_bytes(dir / "Brunovale_Quarzo.dat", std::string(100000, '\x7F'));
    s.tabella_linea.crea(s.lunghezza_estesa);
    scrivi(f, s);
    EXPECT_EQ(test::read_bytes(dir / "Brunovale_Quarzo.dat"), std::string(15u * 141u, '\0'));
    // Every element of an untouched plan is an empty tag.
    EXPECT_EQ(test::read_bytes(dir / "Brunovale_linea.dat"), std::string(2u * 2u * 7001u, '\0'));
}

// The file bytes of a plan, worked out element by element from the values.
std::string attesi(const TabellaLinea& t) {
    std::string out;
    for (const ValoreTabella& e : t.elementi) test::append_element(out, e);
    return out;
}

// Long runs of reals go to the file straight from the table, the other
// elements through a buffer: whatever the mix, the file holds the same bytes
// as the encoding of each value in turn.
TEST(TabellaLinea, IlFileEOgniElementoCodificatoInOrdineQualunqueSiaLaMescolanza) {
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
        test::TempDir dir;
        const FileScenario f{dir.path(), "Valdorso", "Merlo"};
        Scenario s;
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
        EXPECT_EQ(codifica_tabella_linea(s.tabella_linea), bytes);
        scrivi(f, s);
        EXPECT_EQ(test::read_bytes(file_linea_dat(f)), bytes);
    }
}

}  // namespace
}  // namespace compattatore
