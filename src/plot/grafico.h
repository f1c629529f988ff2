// `compattatore plot`: one SVG page of a compiled scenario.  At the top the
// plan of the track with its stations and signals, beside it the legend and
// the timetable; below, the profile along the line against the kilometres:
// gradient, the train's speed limit with boards and restrictions, adhesion,
// and a lane of the elements placed on the line.
#pragma once

#include <string>
#include <vector>

#include "compiled/decodifica.h"

namespace compattatore {

// `piano` may be null: a scenario compiled without the plan of the track.
std::string disegna_scenario(const std::vector<Cella>& celle, const Voci& voci, const TabellaLinea* piano);

}  // namespace compattatore
