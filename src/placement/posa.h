// Track element placement: the operations that store a described element
// into the grid, each checking that its cells are free.  Each returns the
// code of its refusal, Codice::nessuno when the element was placed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tables/esito.h"
#include "tables/scenario.h"

namespace compattatore {

// How many montagna stretches a line may have.
inline constexpr std::int32_t massimo_montagne = 80;

// The montagna stretches met so far, entries 1 to massimo_montagne.
struct Montagne {
    std::array<std::int32_t, massimo_montagne + 1> inizi{};
    std::array<std::int32_t, massimo_montagne + 1> fini{};
    std::int32_t numero = 0;
};

Codice memo_montagna(std::vector<Cella>& celle, Montagne& montagne, std::int32_t inizio, std::int32_t fine,
                     std::int32_t tipo);

Codice memo_indicatori_v_max(std::vector<Cella>& celle, std::int32_t posizione, std::int32_t vas, std::int32_t vbs,
                             std::int32_t vcs, std::int32_t strisces, std::int32_t vad, std::int32_t vbd,
                             std::int32_t vcd, std::int32_t strisced);

Codice memo_segnale(std::vector<Cella>& celle, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                    std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx, std::int32_t d1,
                    std::int32_t d2, std::int32_t d3, std::int32_t tempo);

// The cells of a speed restriction starting at x with length l: the warning
// board W (1200 m before the start), the start S, the end E, and K, the
// marker nearest the board (the four markers are K, K-1, K-2, K-3).
struct CelleRallentamento {
    std::int64_t avviso, inizio, fine, preavviso;
};
CelleRallentamento celle_rallentamento(std::int32_t x, std::int32_t l);

Codice memo_rallentamento(std::vector<Cella>& celle, std::int32_t x, std::int32_t v, std::int32_t l,
                          std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v);

}  // namespace compattatore
