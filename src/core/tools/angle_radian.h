// The angle and radian converter: degrees, minutes and seconds to radians
// and back, from the texts of its four boxes.
#pragma once

#include <string>

#include "core/text/refusal.h"

namespace tarnvel {

// Texts of the degrees, minutes and seconds boxes. Each may be
// any number; they are simply added (minutes of 75 are 1°15′, and -10, 20, 30
// is -10° + 20′ + 30″).
struct DmsFields {
  std::string degrees, minutes, seconds;

  bool operator==(const DmsFields&) const = default;
};

// Degrees to radians, for the radians box as "0.000000000". Any blank box
// gives "数据未输入完整！" with the focus on degrees; a box that is not a number,
// or a result beyond the double range, is refused with the focus on it.
Outcome<std::string> DegreesToRadians(const DmsFields& fields);

// The text of the radians box to degrees, minutes and seconds in the general
// decimal form, for their three boxes. Degrees are floored (so
// negative for a negative angle, with minutes and seconds positive); seconds
// are cut to tenths, never raised. Refusals focus the radians.
Outcome<DmsFields> RadiansToDegrees(const std::string& radians);

}  // namespace tarnvel
