#include "platform/output_set.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/temporary_files.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Every file of a folder and its bytes.
std::map<std::string, std::string> contents(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir))
        files[path_text(e.path().filename())] = e.is_regular_file() ? test::read_bytes(e.path()) : "<folder>";
    return files;
}

// Small pieces are gathered, large ones written at once, bytes filled in
// place come in between: the file holds them all in the order given, and
// the old file stands until the set is committed.
TEST(OutputSet, PiecesOfEverySizeKeepTheirOrder) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", std::string(300000, 'v'));
    std::string expected;
    OutputSet set;
    ReplacedFile& f = set.add(dir / "a.dat");
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
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), std::string(300000, 'v'));
    set.commit();
    EXPECT_EQ(contents(dir.path()), (std::map<std::string, std::string>{{"a.dat", expected}}));
}

// The set of the tests below: two files that exist and one that does not.
struct Outputs : ::testing::Test {
    TempDir dir;
    const std::map<std::string, std::string> old{{"a.dat", std::string(70000, 'a')}, {"b.sim", "old b"}};
    const std::map<std::string, std::string> fresh{
        {"a.dat", std::string(200000, 'A')}, {"b.sim", "new b"}, {"c.txt", std::string(5000, 'C')}};
    void SetUp() override {
        for (const auto& [name, bytes] : old) test::write_bytes(dir / name, bytes);
    }
    void write_fresh_set() {
        OutputSet set;
        for (const auto& [name, bytes] : fresh) set.add(dir / name, bytes);
        set.commit();
    }
};

TEST_F(Outputs, EveryFileInPlaceTogether) {
    write_fresh_set();
    EXPECT_EQ(contents(dir.path()), fresh);
}

TEST_F(Outputs, AnUncommittedSetLeavesTheOldFilesAndNoTemporary) {
    {
        OutputSet set;
        for (const auto& [name, bytes] : fresh) set.add(dir / name, bytes);
        set.add(dir / "d.txt").write(std::string(100000, 'd'));
    }
    EXPECT_EQ(contents(dir.path()), old);
}

// A failing disk at every step of the set in turn (creating, writing,
// flushing, closing, keeping the old files, renaming): the old set stays
// whole and unchanged, with no temporary file left.  Only a failure of the
// last step, the sync of the folder once every new file is in place, finds
// the new set complete.
TEST_F(Outputs, AFailureAtAnyStepLeavesTheOldSet) {
    fault_injection::fail_operation(0);
    {
        TempDir other;
        for (const auto& [name, bytes] : old) test::write_bytes(other / name, bytes);
        OutputSet set;
        for (const auto& [name, bytes] : fresh) set.add(other / name, bytes);
        set.commit();
    }
    const std::uint64_t steps = fault_injection::operations();
    ASSERT_GE(steps, 3u * 4u + 2u + 3u + 1u);
    for (std::uint64_t k = 1; k <= steps; ++k) {
        SCOPED_TRACE(k);
        fault_injection::fail_operation(k);
        EXPECT_THROW(write_fresh_set(), IoError);
        fault_injection::fail_operation(0);
        EXPECT_EQ(contents(dir.path()), k < steps ? old : fresh);
        for (const auto& [name, bytes] : old) test::write_bytes(dir / name, bytes);
        fs::remove(dir / "c.txt");
    }
}

// A folder where a file of the set goes cannot be replaced: refused before
// anything changes, and named.
TEST_F(Outputs, AFolderWhereAFileGoesIsRefusedBeforeAnyChange) {
    fs::create_directory(dir / "c.txt");
    try {
        write_fresh_set();
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), dir / "c.txt");
        EXPECT_EQ(e.reason(), "è una cartella, non un file");
    }
    std::map<std::string, std::string> expected = old;
    expected["c.txt"] = "<folder>";
    EXPECT_EQ(contents(dir.path()), expected);
}

TEST(TemporaryFiles, NamesAreShortFixedAndRecognisable) {
    TempDir dir;
    for (int i = 0; i < 50; ++i) {
        const fs::path t = temporary_name(dir.path());
        EXPECT_EQ(t.parent_path(), dir.path());
        EXPECT_TRUE(is_temporary_name(path_text(t.filename()))) << t;
        EXPECT_NE(t, temporary_name(dir.path()));
    }
    struct Case {
        const char* name;
        bool temporary;
    };
    for (const Case& c : {Case{".cmpt-0a1b2c3d.tmp", true}, Case{".cmpt-zzzzzzzz.tmp", true},
                          Case{".cmpt-0A1B2C3D.tmp", false}, Case{".cmpt-0a1b2c3.tmp", false},
                          Case{".cmpt-0a1b2c3de.tmp", false}, Case{"x.cmpt-0a1b2c3d.tmp", false},
                          Case{".cmpt-0a1b2c3d.tmpx", false}, Case{".cmpt-0a1b-c3d.tmp", false},
                          Case{"Brunovale_linea.dat.tmp-Ab12Cd", false}, Case{".compattatore.lock", false}}) {
        EXPECT_EQ(is_temporary_name(c.name), c.temporary) << c.name;
    }
}

// A name of 250 characters is legal, and its temporary file is no longer
// than any other's.  (Windows counts the whole path against 260.)
#ifndef _WIN32
TEST(TemporaryFiles, ALongOutputNameStillHasRoomForItsTemporary) {
    TempDir dir;
    const fs::path long_name = dir / (std::string(240, 'L') + "_linea.dat");
    replace_file(long_name, "plan");
    EXPECT_EQ(contents(dir.path()),
              (std::map<std::string, std::string>{{std::string(240, 'L') + "_linea.dat", "plan"}}));
}
#endif

TEST(TemporaryFiles, StaleOnesAreRemovedAndNothingElse) {
    TempDir dir;
    // (Names that differ in letter case only would be one file on Windows.)
    const std::map<std::string, std::string> others{{".cmpt-ZZZZZZZZ.tmp", "other"},
                                                    {"appunti.cmpt-0a1b2c3d.tmp", "other"},
                                                    {".compattatore.lock", ""},
                                                    {"Brunovale_linea.dat", "plan"}};
    for (const auto& [name, bytes] : others) test::write_bytes(dir / name, bytes);
    test::write_bytes(dir / ".cmpt-0a1b2c3d.tmp", std::string(100000, 'x'));
    test::write_bytes(dir / ".cmpt-99999999.tmp", "");
    fs::create_directory(dir / ".cmpt-folder00.tmp");
    remove_stale_temporaries(dir.path());
    std::map<std::string, std::string> expected = others;
    expected[".cmpt-folder00.tmp"] = "<folder>";
    EXPECT_EQ(contents(dir.path()), expected);
}

}  // namespace
}  // namespace compattatore
