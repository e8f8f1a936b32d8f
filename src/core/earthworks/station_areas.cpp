#include "core/earthworks/station_areas.h"

#include "core/slopes/design_surface.h"

namespace tarnvel {

StationAreas AreasAt(const SectionStation& section, std::optional<double> designElevation,
                     const std::vector<GroundPoint>& ground, const SideSlopes& slopes,
                     double position) {
  const SideCatch left = CatchPointAt(section, designElevation, ground, slopes, position, true);
  const SideCatch right = CatchPointAt(section, designElevation, ground, slopes, position, false);
  StationAreas station;
  if (left.catchPoint && right.catchPoint) {
    station.areas = AreasOf(FillAndCut(
        DesignSurface(section, *designElevation, left, right, slopes, position), ground));
    return station;
  }
  if (left.reason == right.reason) {
    station.note = NoCatchPointText(left.reason);
    return station;
  }
  for (const SideCatch* side : {&left, &right}) {
    if (side->catchPoint) continue;
    if (!station.note.empty()) station.note += "；";
    station.note += side->left ? "左侧" : "右侧";
    station.note += NoCatchPointText(side->reason);
  }
  return station;
}

}  // namespace tarnvel
