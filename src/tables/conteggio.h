// A count as a person reads it: the number and its noun, singular for one
// ("1 rallentamento", "3 rallentamenti").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace compattatore {

inline std::string conteggio(std::int64_t n, std::string_view singolare, std::string_view plurale) {
    return std::to_string(n) + " " + std::string(n == 1 ? singolare : plurale);
}

}  // namespace compattatore
