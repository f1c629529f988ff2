#include "platform/raw_stdio.h"

#include <cerrno>
#include <unistd.h>

namespace compattatore {

std::size_t read_standard_input(char* into, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(0, into, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return 0;
    }
}

bool write_standard_output(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(1, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace compattatore
