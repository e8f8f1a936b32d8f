// The ground along the centre line for the 纵断面: the ground across the
// route at offset 0, at stations a few hundred to the drawing, and at every
// surveyed line's own station, so that the drawn line bends where the
// survey does.
#pragma once

#include <vector>

#include "core/route/route.h"
#include "core/surface/ground.h"

namespace tarnvel {

struct StationElevation {
  double station = 0;
  double elevation = 0;
};

// The stretches from `from` to `to` where the centre line has ground, on the
// route's first pass over each station; a gap between two stretches is
// where it has none.
std::vector<std::vector<StationElevation>> CentreGroundLine(const SurveyedGround& ground,
                                                            const Route& route, double from,
                                                            double to);

}  // namespace tarnvel
