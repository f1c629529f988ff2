// The folders a run works in, locked for the whole run (platform/
// folder_lock.h): runs of any kind in one folder take turns, so that none
// reads a file another is replacing or deletes what another has just
// written.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <utility>
#include <vector>

#include "platform/folder_lock.h"

namespace compattatore {

enum class UsoCartella { lettura, scrittura };

class BloccoCartelle {
public:
    // Locks every folder named, readers shared and writers alone, one
    // folder once however it is named, and all of them in one order that
    // every run follows, so that two runs never wait on each other.  A run
    // that waits says so on `err` after about a second; where a file system
    // keeps no locks, the run goes on unlocked and says that too.
    BloccoCartelle(const std::vector<std::pair<std::filesystem::path, UsoCartella>>& cartelle, std::ostream& err);

private:
    std::vector<FolderLock> blocchi_;
};

// The folder that holds `file`, for a lock ("." for a bare name).
std::filesystem::path cartella_del_file(const std::filesystem::path& file);

}  // namespace compattatore
