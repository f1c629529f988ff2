#include "platform/folder_lock.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "platform/output_set.h"
#include "support/temp_dir.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using namespace std::chrono_literals;

// A run writing in a folder holds its lock while its temporary file is
// open.  A second writer waits, says so after about a second, and removes
// nothing of the first one's; once the first has put its file in place and
// let go, the second holds the lock.
TEST(FolderLock, AWriterWaitsForTheHolderAndLeavesItsTemporaryAlone) {
    TempDir dir;
    std::optional<FolderLock> first(std::in_place, dir.path());
    ASSERT_EQ(first->acquire(LockUse::exclusive, {}), FolderLock::Outcome::held);
    std::optional<OutputSet> set(std::in_place);
    set->add(dir / "a.dat", "new");
    const auto live = [&dir] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir.path()))
            n += e.path().filename().string().starts_with(".cmpt-");
        return n;
    };
    ASSERT_EQ(live(), 1);

    std::atomic<bool> told{false}, held{false};
    const auto asked = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration waited{};
    std::thread second([&] {
        FolderLock l(dir.path());
        const FolderLock::Outcome o = l.acquire(LockUse::exclusive, [&] {
            waited = std::chrono::steady_clock::now() - asked;
            told = true;
        });
        held = o == FolderLock::Outcome::held;
    });
    while (!told && std::chrono::steady_clock::now() - asked < 10s) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(told);
    EXPECT_GE(waited, 900ms);
    EXPECT_FALSE(held);
    EXPECT_EQ(live(), 1);
    set->commit();
    set.reset();
    first.reset();
    second.join();
    EXPECT_TRUE(held);
    EXPECT_EQ(test::read_bytes(dir / "a.dat"), "new");
}

// Runs that only read share the lock and clean nothing; a writer waits for
// them, then removes what dead runs left.
// Readers hold the lock together, which keeps every writer out: a reader
// too removes what dead runs left (check cleans up after a failed compile).
TEST(FolderLock, ReadersShareItAndCleanToo) {
    TempDir dir;
    FolderLock a(dir.path()), b(dir.path());
    test::write_bytes(dir / ".cmpt-deadbeef.tmp", "left by a killed run");
    EXPECT_EQ(a.identity(), b.identity());
    EXPECT_EQ(a.acquire(LockUse::shared, {}), FolderLock::Outcome::held);
    EXPECT_FALSE(fs::exists(dir / ".cmpt-deadbeef.tmp"));
    EXPECT_EQ(b.acquire(LockUse::shared, {}), FolderLock::Outcome::held);
    FileHandle writer = *FileHandle::open_for_lock(dir / ".compattatore.lock");
    EXPECT_EQ(writer.try_lock(LockUse::exclusive), LockAttempt::busy);
}

TEST(FolderLock, AWriterRemovesWhatDeadRunsLeft) {
    TempDir dir;
    test::write_bytes(dir / ".cmpt-deadbeef.tmp", "left by a killed run");
    FolderLock l(dir.path());
    EXPECT_EQ(l.acquire(LockUse::exclusive, {}), FolderLock::Outcome::held);
    EXPECT_FALSE(fs::exists(dir / ".cmpt-deadbeef.tmp"));
    EXPECT_TRUE(fs::exists(dir / ".compattatore.lock"));
}

// No folder, no lock file; a file system without locks is said to be one,
// and then nothing is cleaned, since a live run may hold any temporary file.
TEST(FolderLock, WithoutALockNothingIsCleaned) {
    TempDir dir;
    FolderLock missing(dir / "missing");
    EXPECT_FALSE(missing.identity());
    EXPECT_EQ(missing.acquire(LockUse::exclusive, {}), FolderLock::Outcome::no_lock_file);

    test::write_bytes(dir / ".cmpt-deadbeef.tmp", "maybe a live run's");
    fault_injection::locks_unsupported(true);
    FolderLock l(dir.path());
    const FolderLock::Outcome o = l.acquire(LockUse::exclusive, {});
    fault_injection::locks_unsupported(false);
    EXPECT_EQ(o, FolderLock::Outcome::not_supported);
    EXPECT_TRUE(fs::exists(dir / ".cmpt-deadbeef.tmp"));
}

}  // namespace
}  // namespace compattatore
