#include "platform/fault_injection.h"

#include <atomic>

#include "platform/file_io.h"

namespace compattatore {

namespace {

std::atomic<std::uint64_t> counted{0};
std::atomic<std::uint64_t> failing{0};
std::atomic<bool> no_locks{false};

}  // namespace

namespace fault_injection {

void fail_operation(std::uint64_t k) {
    counted = 0;
    failing = k;
}

std::uint64_t operations() { return counted; }

void locks_unsupported(bool unsupported) { no_locks = unsupported; }

bool locks_are_unsupported() { return no_locks; }

}  // namespace fault_injection

void before_file_operation(const std::filesystem::path& file) {
    const std::uint64_t n = ++counted;
    if (n == failing) throw IoError(file, "errore di scrittura simulato");
}

}  // namespace compattatore
