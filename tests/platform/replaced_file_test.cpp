#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

using test::TempDir;

std::size_t files_in(const TempDir& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.path()),
                                                  std::filesystem::directory_iterator()));
}

// Small pieces are gathered, large ones written at once, bytes filled in
// place come in between: the file holds them all in the order given.
TEST(ReplacedFile, PiecesOfEverySizeKeepTheirOrder) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", std::string(300000, 'v'));
    std::string expected;
    {
        ReplacedFile f(dir / "a.dat");
        for (int round = 0; round < 40; ++round) {
            const std::string small(static_cast<std::size_t>(round * 97 % 4096), static_cast<char>('a' + round % 26));
            const std::string large(static_cast<std::size_t>(4096 + round * 1777), static_cast<char>('A' + round % 26));
            f.write(small);
            expected += small;
            if (round % 3 == 0) {
                f.write(large);
                expected += large;
            }
            char* p = f.room(15);
            std::memset(p, '0' + round % 10, 15);
            f.added(15);
            expected.append(15, static_cast<char>('0' + round % 10));
        }
        // Until it is committed the old file stands.
        EXPECT_EQ(test::read_bytes(dir / "a.dat"), std::string(300000, 'v'));
        f.commit();
    }
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), expected);
    EXPECT_EQ(files_in(dir), 1u);
}

TEST(ReplacedFile, AbandonedWriterLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", "old");
    {
        ReplacedFile f(dir / "a.dat");
        f.write(std::string(100000, 'n'));
        f.write("tail");
    }
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "old");
    EXPECT_EQ(files_in(dir), 1u);
}

TEST(ReadFile, ReadsEveryByteOfALargeFile) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 70000; ++i) bytes.push_back(static_cast<char>(i * 31 % 256));
    test::write_bytes(dir / "b.bin", bytes);
    EXPECT_EQ(read_file(dir / "b.bin"), bytes);
    test::write_bytes(dir / "empty.bin", "");
    EXPECT_EQ(read_file(dir / "empty.bin"), "");
}

}  // namespace
}  // namespace compattatore
