// Each station of the volumes table made from what it is computed from:
// the profile's elevation, the section, the ground across the route and
// the slopes there give its areas, the route its position and curvature,
// and its note says a 长链's branch and why it has no areas. The command
// and the window's 土方 alike add these to a VolumeTable.
#pragma once

#include <cstddef>

#include "core/earthworks/volume_table.h"
#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_forward.h"
#include "core/route/route_position.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"
#include "core/surface/ground.h"

namespace tarnvel {

// What every station's areas are computed from, held by the caller.
struct EarthworksInputs {
  const Route& route;
  const VerticalProfile& profile;
  const CrossSectionTable& sections;
  Ground ground;
  const SideSlopes& slopes;
  double positionTolerance = 0;  // m: a station this close past the profile's end is at it
};

class VolumeStations {
 public:
  explicit VolumeStations(const EarthworksInputs& in) : in_(in), positions_(in.route) {}

  // The station of `point`, its centre-line row, in table order: the
  // profile and the sections are walked on from the station before.
  VolumeStation At(const RoutePoint& point);

 private:
  const EarthworksInputs& in_;
  RoutePositions positions_;
  std::size_t profileLine_ = 0;
  std::size_t sectionInterval_ = 0;
  SectionStation section_;
};

}  // namespace tarnvel
