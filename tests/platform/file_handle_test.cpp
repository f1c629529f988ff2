#include "platform/file_handle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::set<std::string> names_in(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(path_text(e.path().filename()));
    return names;
}

// The steps of replacing a set of outputs: new files written and flushed,
// renamed over the old ones, the folder synced.
TEST(FileHandle, NewFilesFlushedThenRenamedOverTheOldOnes) {
    TempDir dir;
    test::write_bytes(dir / "a.dat", std::string(5000, 'v'));
    std::optional<FileHandle> fresh = FileHandle::create_new(dir / "a.dat.tmp", dir / "a.dat");
    ASSERT_TRUE(fresh);
    fresh->write_all("fresh");
    fresh->write_all(std::string(70000, 'n'));
    fresh->flush_to_disk();
    EXPECT_EQ(fresh->size(), 70005u);
    fresh->close();
    EXPECT_FALSE(fresh->is_open());
    rename_replace(dir / "a.dat.tmp", dir / "a.dat");
    sync_folder(dir.path());
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "fresh" + std::string(70000, 'n'));
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"a.dat"});
}

TEST(FileHandle, CreateNewRefusesATakenNameAndReportsTheFileItStandsFor) {
    TempDir dir;
    test::write_bytes(dir / "taken", "x");
    EXPECT_FALSE(FileHandle::create_new(dir / "taken", dir / "output.dat"));
    EXPECT_EQ(test::read_bytes(dir / "taken"), "x");
    try {
        FileHandle::create_new(dir / "missing" / "t", dir / "missing" / "output.dat");
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), dir / "missing" / "output.dat");
    }
}

TEST(FileHandle, ReadsToTheEnd) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes.push_back(static_cast<char>(i % 251));
    test::write_bytes(dir / "b.bin", bytes);
    FileHandle h = FileHandle::open_read(dir / "b.bin");
    EXPECT_EQ(h.size(), bytes.size());
    std::string got;
    char block[7000];
    while (const std::size_t n = h.read_some(block, sizeof block)) got.append(block, n);
    EXPECT_EQ(got, bytes);
}

// Two holders of the same lock file, as two runs in the same folder would
// be: only one has the exclusive lock until it lets go, by unlocking or
// closing; shared holders are many, and keep an exclusive one out.
TEST(FileHandle, TheLockHasOneWriterOrManyReaders) {
    TempDir dir;
    FileHandle first = *FileHandle::open_for_lock(dir / "block");
    FileHandle second = *FileHandle::open_for_lock(dir / "block");
    EXPECT_EQ(first.try_lock(), LockAttempt::taken);
    EXPECT_EQ(second.try_lock(), LockAttempt::busy);
    EXPECT_EQ(second.try_lock(LockUse::shared), LockAttempt::busy);
    first.unlock();
    EXPECT_EQ(second.try_lock(), LockAttempt::taken);
    EXPECT_EQ(first.try_lock(), LockAttempt::busy);
    second.close();
    first.lock();  // free again: does not wait
    FileHandle third = *FileHandle::open_for_lock(dir / "block");
    EXPECT_EQ(third.try_lock(), LockAttempt::busy);
    first.unlock();

    EXPECT_EQ(first.try_lock(LockUse::shared), LockAttempt::taken);
    EXPECT_EQ(third.try_lock(LockUse::shared), LockAttempt::taken);
    FileHandle fourth = *FileHandle::open_for_lock(dir / "block");
    EXPECT_EQ(fourth.try_lock(LockUse::exclusive), LockAttempt::busy);
    // There is no lock file where there is no folder.
    EXPECT_FALSE(FileHandle::open_for_lock(dir / "missing" / "block"));
}

// Which file a name stands for: the same through two names and through an
// open handle, another once a new file takes the name.  Deleting by
// identity leaves the name alone when it stands for another file.
TEST(FileHandle, IdentityFollowsTheFileNotTheName) {
    TempDir dir;
    test::write_bytes(dir / "a.txt", "first");
    const std::optional<FileIdentity> a = file_identity(dir / "a.txt");
    ASSERT_TRUE(a);
    EXPECT_EQ(FileHandle::open_read(dir / "a.txt").identity(), *a);
    ASSERT_TRUE(link_file(dir / "a.txt", dir / "b.txt"));
    EXPECT_EQ(file_identity(dir / "b.txt"), a);
    EXPECT_FALSE(file_identity(dir / "missing.txt"));

    replace_file(dir / "a.txt", "second");
    const std::optional<FileIdentity> anew = file_identity(dir / "a.txt");
    ASSERT_TRUE(anew);
    EXPECT_NE(*anew, *a);
    EXPECT_FALSE(remove_file_if(dir / "a.txt", *a));
    EXPECT_EQ(test::read_bytes(dir / "a.txt"), "second");
    EXPECT_TRUE(remove_file_if(dir / "b.txt", *a));
    EXPECT_FALSE(remove_file_if(dir / "b.txt", *a));
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"a.txt"});
}

// Only an ordinary file is a file of bytes; a folder opens for reading too,
// so that it can be told apart.
TEST(FileHandle, TellsAFileFromAFolder) {
    TempDir dir;
    test::write_bytes(dir / "a.txt", "x");
    fs::create_directory(dir / "folder");
    EXPECT_TRUE(FileHandle::open_read(dir / "a.txt").is_regular());
    EXPECT_FALSE(FileHandle::open_read(dir / "folder").is_regular());
    EXPECT_FALSE(FileHandle::open_read_if_exists(dir / "missing"));
}

#ifndef _WIN32
// A device and a named pipe are no files either; the pipe opens at once,
// without waiting for a writer that never comes.
TEST(FileHandle, TellsAFileFromADeviceOrAPipe) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(FileHandle::open_read(dir / "pipe").is_regular());
    EXPECT_FALSE(FileHandle::open_read("/dev/zero").is_regular());
}
#endif

TEST(FileHandle, ReadsAtAnyOffset) {
    TempDir dir;
    test::write_bytes(dir / "a.bin", "0123456789");
    FileHandle h = FileHandle::open_read(dir / "a.bin");
    char into[8] = {};
    EXPECT_EQ(h.read_at(3, into, 4), 4u);
    EXPECT_EQ(std::string(into, 4), "3456");
    EXPECT_EQ(h.read_at(8, into, 8), 2u);
    EXPECT_EQ(std::string(into, 2), "89");
    EXPECT_EQ(h.read_at(10, into, 8), 0u);
    // Reading at an offset moves no position of the handle's.
    EXPECT_EQ(h.read_some(into, 2), 2u);
    EXPECT_EQ(std::string(into, 2), "01");
}

TEST(RemoveFile, TellsWhetherThereWasAFile) {
    TempDir dir;
    test::write_bytes(dir / "c.txt", "x");
    EXPECT_TRUE(remove_file(dir / "c.txt"));
    EXPECT_FALSE(remove_file(dir / "c.txt"));
    EXPECT_FALSE(remove_file(dir / "missing" / "c.txt"));
    EXPECT_FALSE(fs::exists(dir / "c.txt"));
}

// Folders and files whose names are not in any one ANSI code page.
TEST(FileNames, AccentedNamesArriveWhole) {
    TempDir dir;
    const fs::path folder = dir / path_from_text(
                                        "Citt\xC3\xA0 \xC3\x9C"
                                        "bung \xE2\x82\xAC \xCE\xB1");
    fs::create_directory(folder);
    const fs::path file = folder / path_from_text("Bruno\xC3\xA8_linea.dat");
    replace_file(file, "content");
    EXPECT_EQ(read_file(file), "content");
    EXPECT_EQ(names_in(folder), std::set<std::string>{"Bruno\xC3\xA8_linea.dat"});
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"Citt\xC3\xA0 \xC3\x9C"
                                                             "bung \xE2\x82\xAC \xCE\xB1"});
    EXPECT_EQ(path_text(file.filename()), "Bruno\xC3\xA8_linea.dat");
    const fs::path missing = folder / path_from_text("missing_\xC3\xA0");
    try {
        read_file(missing);
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(path_text(missing) + ": ", 0), 0u) << e.what();
        EXPECT_NE(path_text(missing).find("Citt\xC3\xA0 \xC3\x9C"
                                        "bung \xE2\x82\xAC \xCE\xB1"),
                  std::string::npos);
    }
    remove_file(file);
    EXPECT_TRUE(names_in(folder).empty());
}

}  // namespace
}  // namespace compattatore
