// Real-to-integer conversion used everywhere: nearest integer, halves to the
// even neighbour (140.5 gives 140, 141.5 gives 142).
#pragma once

#include <cmath>
#include <cstdint>

namespace compattatore {

inline std::int64_t arrotonda(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }

}  // namespace compattatore
