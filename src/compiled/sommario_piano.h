// The plan of the track in figures an author can check: how many elements of
// each kind, the box the track fits in, its length on the ground and a point
// every `passo` metres.  The figures are taken row by row, so a plan read
// straight from its file is summed up without being held in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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
    std::vector<PuntoPiano> punti;  // rows 0, passo, 2 x passo ... (riassumi_piano only)
};

// One column of a plan, element by element from row 0.
class LettoreColonna {
public:
    virtual ~LettoreColonna() = default;
    virtual ValoreTabella prossimo() = 0;
};

// A plan as the listings read it: its size, its counts, and its columns read
// from the start as often as needed.
class SorgentePiano {
public:
    virtual ~SorgentePiano() = default;
    virtual std::int32_t righe() const = 0;
    // Elements empty, integer and real.
    virtual std::int64_t vuoti() const = 0;
    virtual std::int64_t interi() const = 0;
    virtual std::int64_t reali() const = 0;
    virtual std::unique_ptr<LettoreColonna> colonna(int coordinata) const = 0;
};

// A plan held in memory.
class SorgenteTabella : public SorgentePiano {
public:
    explicit SorgenteTabella(const TabellaLinea& t);
    std::int32_t righe() const override { return t_.righe; }
    std::int64_t vuoti() const override { return conteggi_[0]; }
    std::int64_t interi() const override { return conteggi_[1]; }
    std::int64_t reali() const override { return conteggi_[2]; }
    std::unique_ptr<LettoreColonna> colonna(int coordinata) const override;

private:
    const TabellaLinea& t_;
    std::int64_t conteggi_[3] = {0, 0, 0};
};

// The x (0) or y (1) coordinate of a row, when it holds a value.
std::optional<double> coordinata(const TabellaLinea& t, std::int32_t riga, int c);

// The summary without the points.
SommarioPiano riassumi_sorgente(const SorgentePiano& p, std::int32_t passo);
// Hands over the rows 0, passo, 2 x passo ... with the heading at each.
void per_ogni_punto(const SorgentePiano& p, std::int32_t passo,
                    const std::function<void(const PuntoPiano&, std::optional<double> rotta)>& punto);

SommarioPiano riassumi_piano(const TabellaLinea& t, std::int32_t passo);

// Heading of the track at a row, in degrees clockwise from the y axis
// (the line starts heading along y), from the step that ends at that row.
std::optional<double> rotta(const TabellaLinea& t, std::int32_t riga);

}  // namespace compattatore
