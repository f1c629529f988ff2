// `compattatore plot`: one SVG page of a compiled scenario.  At the top the
// plan of the track with its stations and signals, beside it the legend and
// the timetable; below, the profile along the line against the kilometres:
// gradient, the train's speed limit with boards and restrictions, adhesion,
// and a lane of the elements placed on the line.
#pragma once

#include <string>

#include "compiled/scenario_compilato.h"

namespace compattatore {

// A scenario compiled without the plan of the track has no plan drawn.
std::string disegna_scenario(const ScenarioCompilato& s);

}  // namespace compattatore
