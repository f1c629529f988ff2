// printf-style formatting into a std::string, for the aligned columns of the
// listings and the coordinates of the SVG page.
#pragma once

#include <string>

namespace compattatore {

std::string formato(const char* f, ...) __attribute__((format(printf, 1, 2)));

}  // namespace compattatore
