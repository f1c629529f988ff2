// The lock of a folder, held by every run that works there for the whole
// run, so that runs in one folder take turns: readers together, a writer
// alone.  It is an advisory lock (flock, LockFileEx) on a file of its own in
// that folder, never on one of the outputs, which Windows would then keep
// others from reading.  The lock file stays in the folder: deleting it while
// another run waits on it would let a third run lock a new file of the same
// name beside them.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_handle.h"

namespace compattatore {

inline constexpr std::string_view lock_file_name = ".compattatore.lock";

class FolderLock {
public:
    // Opens the lock file of `folder`, creating it when missing; nothing is
    // locked yet.  A link under the lock file's name is never followed (it
    // could create or lock a file anywhere): it raises IoError.
    explicit FolderLock(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }

    // The identity of the lock file, the same for one folder under two
    // names; none when there is no lock file to open (the folder does not
    // exist, or nothing can be created there and none stands there yet).
    std::optional<FileIdentity> identity() const;
    // Why there is no lock file to take, in the system's words, for a
    // folder that exists; none when there is one, or no folder.
    const std::optional<std::string>& missing_reason() const { return missing_reason_; }

    enum class Outcome {
        held,           // the lock is taken
        no_lock_file,   // there is no lock file to take it on
        not_supported,  // the file system keeps no locks
    };

    // Takes the lock.  `waiting` is called once when another run has held
    // it for about a second; the call then waits as long as it takes.  The
    // run then removes the temporary files that runs killed before their
    // end, or files that another program held, left in the folder.
    Outcome acquire(LockUse use, const std::function<void()>& waiting);

private:
    std::filesystem::path folder_;
    std::optional<FileHandle> handle_;
    std::optional<std::string> missing_reason_;
};

}  // namespace compattatore
