#include "platform/folder_lock.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <thread>
#include <utility>

#include "platform/paths.h"
#include "platform/temporary_files.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

// How long a run waits quietly before it says that it waits.
constexpr std::chrono::milliseconds quiet_wait{1000};

}  // namespace

FolderLock::FolderLock(fs::path folder, bool create) : folder_(std::move(folder)) {
    const fs::path file = folder_ / path_from_text(lock_file_name);
    if (create) {
        handle_ = FileHandle::open_for_lock(file);
        return;
    }
    try {
        handle_ = FileHandle::open_read_if_exists(file);
    } catch (const std::exception&) {
        // A lock file that cannot be opened is as good as none for a reader.
    }
}

std::optional<FileIdentity> FolderLock::identity() const {
    if (!handle_) return std::nullopt;
    return handle_->identity();
}

FolderLock::Outcome FolderLock::acquire(LockUse use, const std::function<void()>& waiting) {
    if (!handle_) return Outcome::no_lock_file;
    // A run lasts a fraction of a second: the lock is tried again at short
    // intervals, and only a long wait is said and then waited out.
    const auto start = std::chrono::steady_clock::now();
    std::chrono::milliseconds pause{1};
    for (;;) {
        const LockAttempt attempt = handle_->try_lock(use);
        if (attempt == LockAttempt::not_supported) return Outcome::not_supported;
        if (attempt == LockAttempt::taken) break;
        if (std::chrono::steady_clock::now() - start >= quiet_wait) {
            if (waiting) waiting();
            handle_->lock(use);
            break;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds{50});
    }
    // Readers as well as writers: while either holds the lock, no writing
    // run is at work in the folder.
    remove_stale_temporaries(folder_);
    return Outcome::held;
}

}  // namespace compattatore
