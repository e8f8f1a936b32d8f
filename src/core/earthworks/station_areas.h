// A station's cut and fill as the volumes table takes them: both sides'
// catch points, the design line between them against the ground there,
// and, when a side has no catch point, why the station has no areas.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/earthworks/section_areas.h"
#include "core/slopes/catch_point.h"

namespace tarnvel {

struct StationAreas {
  std::optional<SectionAreas> areas;
  // Why there are none, in the table's 说明: each side without a catch
  // point and its reason (左侧无边坡；右侧地面线不够宽), or the reason alone
  // when both sides share it (无设计高程).
  std::string note;
};

// `section` the sections' section at the station, `designElevation` the
// profile's there (nothing outside it), `ground` the ground across the
// route there, `position` the station's along the route for the slopes in
// force (CatchPointAt, DesignSurface, FillAndCut, AreasOf).
StationAreas AreasAt(const SectionStation& section, std::optional<double> designElevation,
                     const std::vector<GroundPoint>& ground, const SideSlopes& slopes,
                     double position);

}  // namespace tarnvel
