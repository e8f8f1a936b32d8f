// The inverse computation as the main window runs it: from the texts of the
// fields it reads to a refusal or the texts of its two results.
#pragma once

#include <string>

#include "core/element/centre_line.h"
#include "core/element/element_feet.h"
#include "core/element/line_element.h"
#include "core/text/refusal.h"

namespace tarnvel {

struct InverseFields {
  ElementTexts element;
  std::string x;  // northing of the point
  std::string y;  // easting of the point
};

struct InverseTexts {
  std::string station;  // "00+000.000"
  std::string offset;   // three decimals, shortest form

  bool operator==(const InverseTexts&) const = default;
};

// The correction passes allowed before the search gives up on them. Each
// pass shrinks the residual by about the ratio of the offset to the radius,
// so a point within half a radius of an arc settles in a few dozen passes;
// points nearer the arc's centre than its line (offsets beyond 0.95 R), and
// points 2R or more from the centre, are left to NearestFoot.
inline constexpr int kMaxInversePasses = 300;

// Moves a trial station from the middle of the element along the tangent by
// the along-tangent residual until that residual is at most 0.0001 m. When
// the passes run out or the station runs away (a point about 2R or more from
// an arc's centre, or very near it), the foot is NearestFoot within K0–K1
// instead, to 1e-6 m; not settled when there is none.
Foot FindFoot(const LineElement& element, Point p);

// Checks, in order: the element fields and the point's X and Y for blanks; the
// element's values; the point within the double range; then the search,
// refused when it finds no foot, neither by its correction nor within K0–K1.
Outcome<InverseTexts> ComputeInverse(const InverseFields& fields);

}  // namespace tarnvel
