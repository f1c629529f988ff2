// Track element placement: the operations that store a described element
// into the grid, each checking that its cells are free and recording a
// refusal in codice_errore.  In-out arguments are references.
#pragma once

#include <cstdint>

#include "tables/scenario.h"

namespace compattatore {

void memo_montagna(Scenario& s, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);

void memo_indicatori_v_max(Scenario& s, std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                           std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad,
                           std::int32_t& vbd, std::int32_t& vcd, std::int32_t& strisced);

void memo_segnale(Scenario& s, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                  std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx,
                  std::int32_t& d1, std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo);

void memo_rallentamento(Scenario& s, std::int32_t x, std::int32_t& v, std::int32_t& l,
                        std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v);

}  // namespace compattatore
