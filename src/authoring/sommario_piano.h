// The plan of the track in figures an author can check: how many elements of
// each kind, the box the track fits in, its length on the ground and a point
// every `passo` metres.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tables/scenario.h"

namespace compattatore {

struct PuntoPiano {
    std::int32_t metro = 0;
    std::optional<double> x, y;  // empty element: no value
};

struct SommarioPiano {
    std::int32_t righe = 0;
    std::int64_t vuoti = 0, interi = 0, reali = 0;
    // Rows where both coordinates hold a finite value: the points of the
    // track.  The box and the length are taken over these alone.
    std::int32_t righe_con_punto = 0;
    std::int32_t prima_riga = -1, ultima_riga = -1;  // first and last such row, -1 when none
    double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    double sviluppo = 0;  // sum of the steps between consecutive such rows, metres
    std::int32_t passo = 0;
    std::vector<PuntoPiano> punti;  // rows 0, passo, 2 x passo ...
};

// The x (0) or y (1) coordinate of a row, when it holds a value.
std::optional<double> coordinata(const TabellaLinea& t, std::int32_t riga, int c);

SommarioPiano riassumi_piano(const TabellaLinea& t, std::int32_t passo);

// Heading of the track at a row, in degrees clockwise from the y axis
// (the line starts heading along y), from the step that ends at that row.
std::optional<double> rotta(const TabellaLinea& t, std::int32_t riga);

}  // namespace compattatore
