// The inverse computation as the main window runs it: from the texts of the
// fields it reads to a refusal or the texts of Label80 and Label81.
#pragma once

#include <string>

#include "centre_line.h"
#include "element_feet.h"
#include "line_element.h"
#include "refusal.h"

namespace tarnvel {

struct InverseFields {
  ElementTexts element;
  std::string x;  // Text47, northing of the point
  std::string y;  // Text48, easting of the point
};

struct InverseTexts {
  std::string station;  // Label80, "00+000.000"
  std::string offset;   // Label81, three decimals, shortest form

  bool operator==(const InverseTexts&) const = default;
};

// The search passes allowed before a point is declared too far from the
// element to be found. Each pass shrinks the residual by about the ratio of
// the offset to the radius, so a point within half a radius of an arc
// settles in a few dozen passes, and only points nearer the arc's centre
// than its line (offsets beyond 0.95 R) run out.
inline constexpr int kMaxInversePasses = 300;

// Moves a trial station from the middle of the element along the tangent by
// the along-tangent residual until that residual is at most 0.0001 m. When
// the passes run out or the station runs away (a point about 2R or more from
// an arc's centre, or very near it), the foot is NearestFoot within K0–K1
// instead, to 1e-6 m; not settled when there is none.
Foot FindFoot(const LineElement& element, Point p);

// Checks, in order: the element fields and Text47–Text48 for blanks; the
// element's values; the point within the double range; then the search,
// refused if it does not settle or gives no finite result.
Outcome<InverseTexts> ComputeInverse(const InverseFields& fields);

}  // namespace tarnvel
