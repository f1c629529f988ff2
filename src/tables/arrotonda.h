// Real-to-integer conversion used everywhere: nearest integer, halves to the
// even neighbour (140.5 gives 140, 141.5 gives 142).
#pragma once

#include <cmath>
#include <cstdint>

namespace compattatore {

inline std::int64_t arrotonda(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }

// The cell of a position for signals, signs, indicators and restrictions:
// p / 50 + 1, computed as a real and rounded.
inline std::int64_t cella_di(std::int64_t p) {
    return arrotonda(static_cast<double>(p) / 50.0 + 1.0);
}

}  // namespace compattatore
