// A surveyed point beyond the road's edge, on the side slope: its design
// elevation on the slope, and how far it lies from where the slope reaches
// its own height, which is how a crew walks a stake onto the catch point.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/slopes/catch_point.h"

namespace tarnvel {

// The notes of a point on the slope, in 说明.
inline constexpr std::string_view kOutwardNote = "向外";
inline constexpr std::string_view kInwardNote = "向内";
inline constexpr std::string_view kNoHeightNote = "该点没有H";
inline constexpr std::string_view kOutOfReachNote = "坡面达不到该点高程";

struct SlopePoint {
  std::optional<double> designElevation;  // on the chain at the point's offset
  // 距坡脚坡口: from the point out to the outermost distance where the chain,
  // not cut off at a catch point, reaches the point's height; positive when
  // that lies farther out.
  std::optional<double> toCatchPoint;
  std::string note;  // the reasons and the direction, "；" apart
};

// The point at `offset` (beyond the road's edge), of height `height` when it
// has one. With `ground` (the ground across the route there, GroundAt) the
// station's own chain applies, cut off at its catch point; without it, the
// fill chain when the point is not above the hinge and the cut chain when it
// is. `designElevation` is the profile's at the station, which a point beyond
// the road inside the profile has.
SlopePoint SlopePointAt(const SectionStation& section, double designElevation,
                        const std::vector<GroundPoint>* ground, const SideSlopes& slopes,
                        double position, double offset, std::optional<double> height);

}  // namespace tarnvel
