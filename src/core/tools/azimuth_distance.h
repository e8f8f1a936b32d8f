// The azimuth and distance tool's computation: from the texts of the two
// points' coordinates to a refusal or the texts of its four result boxes.
#pragma once

#include <string>

#include "core/text/refusal.h"

namespace tarnvel {

// Texts of the coordinates of A and B: survey coordinates, X northing and
// Y easting, in metres.
struct AzimuthFields {
  std::string xa, ya, xb, yb;
};

// Texts of the whole degrees, minutes and seconds of the azimuth from A to
// B (each cut, never rounded) and of the distance ("0.0000").
struct AzimuthTexts {
  std::string degrees, minutes, seconds, distance;

  bool operator==(const AzimuthTexts&) const = default;
};

// Any blank coordinate gives "数据未输入完整！" with the focus on A's X. The
// coordinates are read leniently (text that is no number reads as 0); one
// beyond the double range is refused. Points with equal X (|dx| < 1e-8) give
// the "除数为零…" refusal, a DivisionByZero of its own kind. A distance too
// large for a double is refused.
Outcome<AzimuthTexts> ComputeAzimuthDistance(const AzimuthFields& fields);

}  // namespace tarnvel
