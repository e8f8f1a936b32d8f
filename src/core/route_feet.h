// The inverse on a route: every foot of a surveyed point.
#pragma once

#include <vector>

#include "centre_line.h"
#include "route.h"

namespace tarnvel {

struct RouteFoot {
  int element = 0;     // 1-based
  double station = 0;  // within the element's K0–K1, to 1e-6 m
  double offset = 0;   // signed distance from the tangent, + right, m
};

// Every station on every element where the point is square to the tangent
// and |offset| ≤ maxOffset, sorted by |offset| then station. A foot found at
// a joint from both sides within 1 mm is given once, on the element that
// starts there. No foot: an empty list.
std::vector<RouteFoot> RouteFeet(const Route& route, Point point, double maxOffset = 100);

}  // namespace tarnvel
