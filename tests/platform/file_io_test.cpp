#include "platform/file_io.h"

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace compattatore {
namespace {

using test::TempDir;

TEST(SostituisciFile, ReplacesALongerFileWhole) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", std::string(1000, 'x'));
    sostituisci_file(dir / "a.dat", "abc");
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "abc");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SostituisciFile, CreatesAMissingFileAndWritesEmptyContent) {
    TempDir dir;
    sostituisci_file(dir / "nuovo.txt", "");
    EXPECT_TRUE(std::filesystem::exists(dir / "nuovo.txt"));
    EXPECT_EQ(std::filesystem::file_size(dir / "nuovo.txt"), 0u);
}

TEST(SostituisciFile, MissingFolderRaisesWithTheFileNameAndTheReason) {
    TempDir dir;
    try {
        sostituisci_file(dir / "manca" / "a.dat", "abc");
        FAIL() << "expected ErroreIO";
    } catch (const ErroreIO& e) {
        EXPECT_EQ(e.file(), dir / "manca" / "a.dat");
        EXPECT_EQ(e.motivo(), "No such file or directory");
    }
}

// A write that fails half-way (here: the file-size limit) leaves the old
// complete file in place and no temporary file behind.
TEST(SostituisciFile, FailureMidWriteKeepsTheOldFile) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", "contenuto vecchio");

    rlimit vecchio{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vecchio), 0);
    auto vecchio_gestore = std::signal(SIGXFSZ, SIG_IGN);
    rlimit stretto = vecchio;
    stretto.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &stretto), 0);
    EXPECT_THROW(sostituisci_file(dir / "a.dat", std::string(100000, 'y')), ErroreIO);
    setrlimit(RLIMIT_FSIZE, &vecchio);
    std::signal(SIGXFSZ, vecchio_gestore);

    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "contenuto vecchio");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(EliminaFile, MissingFileIsNotAnError) {
    TempDir dir;
    EXPECT_NO_THROW(elimina_file(dir / "non-esiste.txt"));
    test::write_bytes(dir / "c.txt", "x");
    elimina_file(dir / "c.txt");
    EXPECT_FALSE(std::filesystem::exists(dir / "c.txt"));
}

TEST(LeggiFile, MissingFileRaises) {
    TempDir dir;
    EXPECT_THROW(leggi_file(dir / "manca.txt"), ErroreIO);
}

}  // namespace
}  // namespace compattatore
