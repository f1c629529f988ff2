#include "format/formato.h"

#include <cstdarg>
#include <cstdio>

namespace compattatore {

std::string formato(const char* f, ...) {
    va_list a, b;
    va_start(a, f);
    va_copy(b, a);
    const int n = std::vsnprintf(nullptr, 0, f, a);
    va_end(a);
    std::string r(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    std::vsnprintf(r.data(), r.size(), f, b);
    va_end(b);
    r.pop_back();
    return r;
}

}  // namespace compattatore
