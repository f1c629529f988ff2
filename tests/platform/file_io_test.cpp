#include "platform/file_io.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/system_reasons.h"

namespace compattatore {
namespace {

using test::TempDir;

TEST(ReplaceFile, ReplacesALongerFileWhole) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", std::string(1000, 'x'));
    replace_file(dir / "a.dat", "abc");
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "abc");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ReplaceFile, CreatesAMissingFileAndWritesEmptyContent) {
    TempDir dir;
    replace_file(dir / "new.txt", "");
    EXPECT_TRUE(std::filesystem::exists(dir / "new.txt"));
    EXPECT_EQ(std::filesystem::file_size(dir / "new.txt"), 0u);
}

TEST(ReplaceFile, MissingFolderRaisesWithTheFileNameAndTheReason) {
    TempDir dir;
    try {
        replace_file(dir / "missing" / "a.dat", "abc");
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), dir / "missing" / "a.dat");
        EXPECT_EQ(e.reason(), test::reason_missing_folder());
    }
}

// A write that fails half-way (here: the file-size limit, which only POSIX
// systems have) leaves the old complete file in place and no temporary file
// behind.
#ifndef _WIN32
TEST(ReplaceFile, FailureMidWriteKeepsTheOldFile) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", "contenuto old");

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    EXPECT_THROW(replace_file(dir / "a.dat", std::string(100000, 'y')), IoError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "contenuto old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}
#endif

TEST(RemoveFile, MissingFileIsNotAnError) {
    TempDir dir;
    EXPECT_NO_THROW(remove_file(dir / "does-not-exist.txt"));
    test::write_bytes(dir / "c.txt", "x");
    remove_file(dir / "c.txt");
    EXPECT_FALSE(std::filesystem::exists(dir / "c.txt"));
}

TEST(ReadFile, MissingFileRaises) {
    TempDir dir;
    EXPECT_THROW(read_file(dir / "missing.txt"), IoError);
}

}  // namespace
}  // namespace compattatore
