#include "platform/folder_lock.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_reason.h"
#include "platform/temporary_files.h"

namespace compattatore {

namespace fs = std::filesystem;

namespace {

// How long a run waits quietly before it says that it waits.
constexpr std::chrono::milliseconds quiet_wait{1000};

}  // namespace

FolderLock::FolderLock(fs::path folder) : folder_(std::move(folder)) {
    const fs::path file = folder_ / path_from_text(lock_file_name);
    const ExistingName there = what_stands_at(file);
    if (there == ExistingName::link) throw IoError(file, "è un collegamento, non un file");
    if (there == ExistingName::folder) {
        missing_reason_ = "è una cartella, non un file";
        return;
    }
    clear_system_error();
    handle_ = FileHandle::open_for_lock(file);
    if (handle_ && !handle_->is_regular()) {
        handle_.reset();
        missing_reason_ = "è un dispositivo o una pipe, non un file";
        return;
    }
    if (handle_) return;
    const unsigned long code = last_system_error();
    std::error_code ec;
    if (!fs::is_directory(folder_, ec)) return;
    missing_reason_ = code != 0 ? system_reason(code) : std::string("non si può aprire");
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
