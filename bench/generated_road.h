// A generated road of straights, spirals and arcs for the benchmarks.
#pragma once

#include "route.h"

namespace tarnvel {

// Curves of both hands, each a straight, a spiral in, an arc and a spiral
// out, chained end to start, until `count` elements; the same road from one
// run to the next, and the first elements of a longer road are a shorter's.
Route GeneratedRoute(int count);

}  // namespace tarnvel
