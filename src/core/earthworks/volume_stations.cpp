#include "core/earthworks/volume_stations.h"

#include <optional>

#include "core/earthworks/station_areas.h"
#include "core/element/line_element.h"

namespace tarnvel {

VolumeStation VolumeStations::At(const RoutePoint& point) {
  const auto element = static_cast<std::size_t>(point.element - 1);
  const std::optional<ProfilePoint> design =
      ProfileAt(in_.profile, point.station, profileLine_, in_.positionTolerance);
  SectionAt(in_.sections, point.station, sectionInterval_, section_);
  VolumeStation station;
  station.station = point.station;
  station.position = positions_.At(point.element - 1, point.station);
  station.curvature = CurvatureAt(MakeAzimuthLaw(in_.route.loaded[element]), point.station);
  StationAreas areas =
      AreasAt(section_, design ? std::optional<double>(design->elevation) : std::nullopt,
              GroundAcross(in_.ground, station.position), in_.slopes, station.position);
  station.areas = areas.areas;
  // The 长链's branch, as the stakeout says it, then why the station has
  // no areas.
  RoutePoint branch = point;
  branch.label = {};
  station.note = RowNote(branch);
  if (!station.note.empty() && !areas.note.empty()) station.note += "；";
  station.note += areas.note;
  return station;
}

}  // namespace tarnvel
