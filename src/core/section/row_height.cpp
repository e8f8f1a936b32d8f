#include "core/section/row_height.h"

#include <cmath>
#include <vector>

#include "core/route/route_feet.h"

namespace tarnvel {

namespace {

// How much farther than the skewed offset a foot is looked for: the feet
// are found to 1e-6 m.
constexpr double kFootMargin = 1e-3;

}  // namespace

DesignHeight RowDesignHeight(DesignHeights& heights, const Route& route, const RoutePoint& row) {
  if (!heights.HasSections()) return heights.At(row.station, 0);
  if (row.skewDms == 90 || row.offset == 0) return heights.At(row.station, row.offset);
  // The foot is no farther from the centre line than the skewed offset.
  const std::vector<RouteFoot> feet =
      RouteFeet(route, row.result.point, std::fabs(row.offset) + kFootMargin);
  if (feet.empty()) return heights.At(row.station, row.offset);
  return heights.At(feet.front().station, feet.front().offset);
}

}  // namespace tarnvel
