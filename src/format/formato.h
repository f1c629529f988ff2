// printf-style formatting into a std::string, for the aligned columns of the
// listings and the coordinates of the SVG page.
#pragma once

#include <string>

namespace compattatore {

// MinGW's own C99 formatting is in use there (not the system's msvcrt one),
// and the compiler checks the formats against it under this name.
#ifdef __MINGW32__
#define COMPATTATORE_FORMATO_PRINTF __attribute__((format(gnu_printf, 1, 2)))
#else
#define COMPATTATORE_FORMATO_PRINTF __attribute__((format(printf, 1, 2)))
#endif

std::string formato(const char* f, ...) COMPATTATORE_FORMATO_PRINTF;

}  // namespace compattatore
