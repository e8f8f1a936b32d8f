#include "io/route/inverse_heights.h"

#include <vector>

#include "core/slopes/slope_point.h"

namespace tarnvel {

InverseHeights::InverseHeights(const Route& route, const VerticalProfile& profile,
                               const CrossSectionTable* sections, Ground ground,
                               const SideSlopes* slopes, double tolerance)
    : profile_(profile),
      ground_(ground),
      slopes_(slopes),
      positions_(route),
      heights_(profile, sections, tolerance),
      tolerance_(tolerance) {}

void InverseHeights::Fill(InverseCsvRow& row, std::optional<double> height) {
  // 设计高程 at the foot, 高差 and 挖填 against the point's H; a point beyond
  // the road has none, and 说明 says so.
  DesignHeight at;
  if (row.foot) at = heights_.At(row.foot->station, row.foot->offset);
  row.height = height;
  row.designElevation = at.elevation;
  row.beyondRoad = at.beyondRoad;
  // Beyond the road's edge a point lies on the side slope.
  if (!slopes_ || !at.beyondRoad) return;
  const double station = row.foot->station;
  const double position = positions_.At(row.foot->element - 1, station);
  std::optional<std::vector<GroundPoint>> groundHere;
  if (ground_) groundHere = GroundAcross(ground_, position);
  const SlopePoint onSlope = SlopePointAt(
      heights_.Section(station), ProfileAt(profile_, station, profileLine_, tolerance_)->elevation,
      groundHere ? &*groundHere : nullptr, *slopes_, position, row.foot->offset, height);
  row.designElevation = onSlope.designElevation;
  row.beyondRoad = false;
  row.toCatchPoint = onSlope.toCatchPoint;
  row.slopeNote = onSlope.note;
}

}  // namespace tarnvel
