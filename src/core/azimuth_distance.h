// The azimuth and distance tool's computation: from the texts of the two
// points' coordinates to a refusal or the texts of its four result boxes.
#pragma once

#include <string>

#include "refusal.h"

namespace tarnvel {

// Texts of txtXa, txtYa, txtXb, txtYb: survey coordinates, X northing and
// Y easting, in metres.
struct AzimuthFields {
  std::string xa, ya, xb, yb;
};

// Texts of txtDu, txtFen, txtMiao (whole degrees, minutes and seconds of the
// azimuth from A to B, each cut, never rounded) and txtS (the distance,
// "0.0000").
struct AzimuthTexts {
  std::string degrees, minutes, seconds, distance;

  bool operator==(const AzimuthTexts&) const = default;
};

// Any blank coordinate gives "数据未输入完整！" with the focus on txtXa. The
// coordinates are read leniently (text that is no number reads as 0); one
// beyond the double range is refused. Points with equal X (|dx| < 1e-8) give
// the "除数为零…" message, which has no icon and no caption of its own. A
// distance too large for a double is refused.
Outcome<AzimuthTexts> ComputeAzimuthDistance(const AzimuthFields& fields);

}  // namespace tarnvel
