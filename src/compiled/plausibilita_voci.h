// The entries of a compiled scenario (.sim) looked at one by one against
// what the compiler can write there: a file that keeps its layout but holds
// an entry no compilation leaves (a damaged or hand-made file) is reported,
// never silently listed.  Nothing here refuses a file: the simulator reads
// whatever the layout holds, and so do dump and decompile.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/scenario.h"

namespace compattatore {

// One entry that no compilation leaves as it stands.
struct VoceInverosimile {
    std::size_t voce = 0;
    std::size_t offset = 0;  // of the field in the .sim file
    std::string motivo;
};

// Every entry of `voci` that no compilation writes as it stands, in file
// order: the entry that stays empty, the header's fields and fixed values,
// and the stations, which fill the entries from 1 upwards without a gap and
// whose extent follows from their position, length and kind.  With
// `scenario`, the name of the file without ".sim" ("LINEA_TRENO"), entries
// 85 and 86 must carry the identifiers that name it, letter case aside.
std::vector<VoceInverosimile> esamina_voci(const Voci& voci, std::optional<std::string_view> scenario = {});

}  // namespace compattatore
