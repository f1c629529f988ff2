#include "sources/file_testo.h"

#include <array>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace compattatore {
namespace {

TEST(TestoScritto, RigheConCrLfEIlMarcatoreNonScritto) {
    std::array<std::string_view, 3> righe{"[generale]", "", "[fine]"};
    EXPECT_EQ(componi_testo(righe), "[generale]\r\n\r\n[fine]\r\n");
}

TEST(TestoScritto, SiFermaAllaPrimaRigaUgualeAlMarcatore) {
    std::array<std::string_view, 3> righe{"a", "riferimento fine del file", "b"};
    EXPECT_EQ(componi_testo(righe), "a\r\n");
    // Only the exact text stops the writing.
    std::array<std::string_view, 2> altre{"Riferimento fine del file", "b"};
    EXPECT_EQ(componi_testo(altre), "Riferimento fine del file\r\nb\r\n");
}

TEST(TestoScritto, AlPiuMilleRighe) {
    std::vector<std::string_view> mille(1000, "x");
    EXPECT_EQ(componi_testo(mille).size(), 3000u);
    mille.push_back("x");
    EXPECT_THROW(componi_testo(mille), std::length_error);
}

TEST(TestoScritto, SostituisceUnFileVecchioPiuLungo) {
    test::TempDir dir;
    test::write_bytes(dir / "a.txt", std::string(5000, 'z'));
    std::array<std::string_view, 1> righe{"[fine]"};
    OutputSet uscite;
    scrivi_testo(dir / "a.txt", righe, uscite);
    uscite.commit();
    EXPECT_EQ(test::read_bytes(dir / "a.txt"), "[fine]\r\n");
}

}  // namespace
}  // namespace compattatore
