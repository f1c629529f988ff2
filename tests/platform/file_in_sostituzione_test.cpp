#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

using test::TempDir;

std::size_t file_nella_cartella(const TempDir& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                                  std::filesystem::directory_iterator()));
}

// Small pieces are gathered, large ones written at once, bytes filled in
// place come in between: the file holds them all in the order given.
TEST(FileInSostituzione, PiecesOfEverySizeKeepTheirOrder) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", std::string(300000, 'v'));
    std::string atteso;
    {
        FileInSostituzione f(dir / "a.dat");
        for (int giro = 0; giro < 40; ++giro) {
            const std::string piccolo(static_cast<std::size_t>(giro * 97 % 4096), static_cast<char>('a' + giro % 26));
            const std::string grande(static_cast<std::size_t>(4096 + giro * 1777), static_cast<char>('A' + giro % 26));
            f.scrivi(piccolo);
            atteso += piccolo;
            if (giro % 3 == 0) {
                f.scrivi(grande);
                atteso += grande;
            }
            char* p = f.spazio(15);
            std::memset(p, '0' + giro % 10, 15);
            f.aggiunti(15);
            atteso.append(15, static_cast<char>('0' + giro % 10));
        }
        // Until it is confirmed the old file stands.
        EXPECT_EQ(test::read_bytes(dir / "a.dat"), std::string(300000, 'v'));
        f.conferma();
    }
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), atteso);
    EXPECT_EQ(file_nella_cartella(dir), 1u);
}

TEST(FileInSostituzione, AbandonedWriterLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", "vecchio");
    {
        FileInSostituzione f(dir / "a.dat");
        f.scrivi(std::string(100000, 'n'));
        f.scrivi("coda");
    }
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "vecchio");
    EXPECT_EQ(file_nella_cartella(dir), 1u);
}

TEST(LeggiFile, ReadsEveryByteOfALargeFile) {
    TempDir dir;
    std::string dati;
    for (int i = 0; i < 70000; ++i) dati.push_back(static_cast<char>(i * 31 % 256));
    test::write_bytes(dir / "b.bin", dati);
    EXPECT_EQ(leggi_file(dir / "b.bin"), dati);
    test::write_bytes(dir / "vuoto.bin", "");
    EXPECT_EQ(leggi_file(dir / "vuoto.bin"), "");
}

}  // namespace
}  // namespace compattatore
