#include "platform/raw_stdio.h"

#include <algorithm>
#include <windows.h>

namespace compattatore {

std::size_t read_standard_input(char* into, std::size_t size) {
    DWORD read = 0;
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
    if (!::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), into, piece, &read, nullptr)) return 0;
    return read;
}

bool write_standard_output(std::string_view bytes) {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        if (!::WriteFile(out, bytes.data(), piece, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace compattatore
