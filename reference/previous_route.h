// The route's inverse and forward point as they stood before the inverse
// skipped the samples of a gentle element and RouteForward converted its
// skew without text, kept so that the benchmarks time both in one run and
// a test holds the new feet to the old ones bit for bit. Not used by the
// program.
#pragma once

#include <variant>
#include <vector>

#include "core/element/element_feet.h"
#include "core/route/route.h"
#include "core/route/route_feet.h"
#include "core/route/route_forward.h"

namespace tarnvel::previous {

std::vector<Foot> AllFeet(const LineElement& element, Point p);
std::vector<RouteFoot> RouteFeet(const Route& route, Point point, double maxOffset = 100);
std::variant<StationRefusal, std::vector<RoutePoint>> RouteForward(const Route& route, double K,
                                                                   double offset, double skewDms);

// The inverse as it stood when the scan of a tightly turning element
// stepped along the line but every foot was refined by integrating the
// line from K0 at each Newton step, kept so that the benchmarks time both
// in one run.
namespace stepped {
std::vector<Foot> AllFeet(const LineElement& element, Point p);
std::vector<RouteFoot> RouteFeet(const Route& route, Point point, double maxOffset = 100);
}  // namespace stepped

// The inverse as it stood when the elements near a point were found by
// descending the box tree whatever the reach, kept so that the benchmarks
// time both in one run.
namespace tree {
std::vector<RouteFoot> RouteFeet(const Route& route, Point point, double maxOffset = 100);
}  // namespace tree

// The inverse as it stood when every element near a point computed the
// points at its ends afresh, where the route holds them, kept so that the
// benchmarks time both in one run.
namespace grid {
std::vector<RouteFoot> RouteFeet(const Route& route, Point point, double maxOffset,
                                 double endTolerance);
}  // namespace grid

}  // namespace tarnvel::previous
