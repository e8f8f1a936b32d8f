// A generated road of straights, spirals and arcs for the benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/route/route.h"

namespace tarnvel {

// Curves of both hands, each a straight, a spiral in, an arc and a spiral
// out, chained end to start, until `count` elements; the same road from one
// run to the next, and the first elements of a longer road are a shorter's.
Route GeneratedRoute(int count);

// 4,096 points up to `reach` either side of the route, at random stations
// along its first `elements` elements (all of them by default); the same
// points from one run to the next.
std::vector<Point> PointsNear(const Route& route, double reach, size_t elements = SIZE_MAX);

}  // namespace tarnvel
