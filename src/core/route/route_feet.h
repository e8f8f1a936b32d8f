// The inverse on a route: every foot of a surveyed point.
#pragma once

#include <vector>

#include "core/element/centre_line.h"
#include "core/route/route.h"

namespace tarnvel {

struct RouteFoot {
  int element = 0;     // 1-based
  double station = 0;  // within the element's K0–K1, to 1e-6 m
  double offset = 0;   // signed distance from the tangent, + right, m
};

// Every station on every element where the point is square to the tangent
// and |offset| ≤ maxOffset, sorted by |offset| then station. Each element's
// feet are AllFeet's (element_feet.h): to 1e-6 m, near and far feet of an
// arc, points beyond 2R from its centre, feet at the ends. A foot found at
// a joint from both sides, each within 1 mm of the joint in station and of
// each other in offset, is given once, on the element that starts there.
// Elements whose box, widened by maxOffset, does not hold the point are not
// searched, nor stretches that turn gently and keep the residual's sign.
// A point up to `endTolerance` before the route's start or past its end has
// a foot at that end, as a range's end that far past the route's is the
// route's end. No foot, a point not finite, or maxOffset negative or not a
// number: an empty list.
std::vector<RouteFoot> RouteFeet(const Route& route, Point point, double maxOffset = 100,
                                 double endTolerance = 0);

}  // namespace tarnvel
