#include "design_table.h"

#include <cmath>

#include "angle.h"

namespace tarnvel {

namespace {

// Row i but EP's: its curve, when it has one, and the straight after it.
DesignRow RowOf(const std::vector<JdPoint>& points, size_t i, const std::optional<CurveRow>& curve,
                double straight, double startStation) {
  const JdPoint& point = points[i];
  DesignRow row{point.name, startStation, point.X, point.Y, curve, std::nullopt};
  if (curve) row.station = curve->ZH + curve->T1;
  const JdPoint& next = points[i + 1];
  const double dX = next.X - point.X;
  const double dY = next.Y - point.Y;
  double azimuth = std::atan2(dY, dX) * 180 / kPi;
  if (azimuth < 0) azimuth += 360;
  if (azimuth >= 360) azimuth = 0;  // a turn below the last bit west of north
  row.leg = DesignLeg{straight, std::hypot(dX, dY), azimuth};
  return row;
}

}  // namespace

void ForEachDesignRow(const std::vector<JdPoint>& points, double startStation,
                      const std::function<void(const DesignRow&)>& each) {
  // Row i is given once the curve after it is known, for its straight.
  size_t i = 0;
  std::optional<CurveRow> curve;  // point i's
  const double straightAfter = ForEachJdCurve(points, startStation, [&](const CurveRow& next) {
    each(RowOf(points, i++, curve, next.straightBefore, startStation));
    curve = next;
  });
  each(RowOf(points, i, curve, straightAfter, startStation));
  const JdPoint& end = points.back();
  each(DesignRow{end.name, (curve ? curve->HZ : startStation) + straightAfter, end.X, end.Y,
                 std::nullopt, std::nullopt});
}

std::optional<double> JdStationMismatch(const DesignRow& row, std::optional<double> given) {
  if (!given) return std::nullopt;
  const double difference = row.station - *given;
  if (!(std::fabs(difference) > kJdStationTolerance)) return std::nullopt;
  return difference;
}

std::vector<DesignRow> DesignTableRows(const std::vector<JdPoint>& points, double startStation) {
  std::vector<DesignRow> rows;
  rows.reserve(points.size());
  ForEachDesignRow(points, startStation, [&](const DesignRow& row) { rows.push_back(row); });
  return rows;
}

}  // namespace tarnvel
