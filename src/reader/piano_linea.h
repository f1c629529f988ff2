// The plan of the track, one position per metre in tabella_linea.  Each
// metre continues the direction of the metre before it, (dx, dy) =
// T(m-1) - T(m-2), turned by the curvature k of a curve:
//   T(m, 0) = T(m-1, 0) + dx + k*dy
//   T(m, 1) = T(m-1, 1) + dy - k*dx
// The plan is part of the compiled file, so the order of the operations is
// kept exactly as written; the direction vector is never renormalised.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "reader/lettura.h"

namespace compattatore::lettore {

// The curvature named by a curve key: the first class digit found, testing
// 1 to 6 in that order, negated for a left-hand ("s") key.  Empty when the
// key has no class digit.
std::optional<double> curvatura(std::string_view chiave);

// A curve record: start p, length n (the key already read).
Esito curva(Lettura& l, const std::string& chiave);

// The straight continuation of the plan up to lunghezza_estesa - 2.
void coda_piano(Lettura& l);

}  // namespace compattatore::lettore
