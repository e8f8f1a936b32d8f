// Where a station lies along the route: the distance run from the route's
// start. Across a 长链 the route passes a stretch of stations twice, so a
// station alone does not say which comes first; its position does, and
// the ground and the side slopes are ordered and interpolated by it.
#pragma once

#include <optional>
#include <vector>

#include "core/element/centre_line.h"
#include "core/route/route.h"

namespace tarnvel {

class RoutePositions {
 public:
  explicit RoutePositions(const Route& route);

  // On element `element` (0-based) at station K.
  double At(int element, double K) const;

  // Station K on the route's `pass`-th pass over it (SplitStationPass). A
  // station before the route's start or past its end lies that far before
  // or past it, and one in a 短链's gap at the start of the element after
  // the gap: a design's figures may begin before the route does and still
  // hold along it. Nothing for a pass the route does not make.
  std::optional<double> OfStation(double K, int pass) const;

  // The centre line's point and tangent at `position`: on the element that
  // holds it, at a joint the one that starts there; before the start or past
  // the end, the first or last element run on.
  ForwardResult FrameAt(double position) const;

 private:
  const Route& route_;
  std::vector<double> starts_;  // each element's start, and the route's end last
};

}  // namespace tarnvel
