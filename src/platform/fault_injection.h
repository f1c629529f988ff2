// A seam for the tests: the operations that change files (creating,
// writing, flushing, closing a written file, renaming, linking, deleting,
// syncing a folder) are counted, and the k-th can be made to fail as a
// failing disk would, with an IoError; the file system can also be made to
// look as if it kept no locks.  Nothing in the program arms it.
#pragma once

#include <cstdint>
#include <filesystem>

namespace compattatore {

namespace fault_injection {

// The k-th counted operation from now fails (1 is the next one); 0 disarms.
void fail_operation(std::uint64_t k);
// Operations counted since the last call to fail_operation().
std::uint64_t operations();
// Locks answer not_supported while this is set.
void locks_unsupported(bool unsupported);
bool locks_are_unsupported();

}  // namespace fault_injection

// Called by each side of the platform layer before every counted operation
// on `file`; raises the simulated failure when its turn has come.
void before_file_operation(const std::filesystem::path& file);

}  // namespace compattatore
