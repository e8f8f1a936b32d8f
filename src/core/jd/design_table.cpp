#include "design_table.h"

#include <cmath>

#include "angle.h"

namespace tarnvel {

DesignRow DesignTableRow(const std::vector<JdPoint>& points, const std::vector<CurveRow>& curves,
                         double straightAfter, double startStation, size_t i) {
  const JdPoint& point = points[i];
  DesignRow row{point.name, startStation, point.X, point.Y, std::nullopt, std::nullopt};
  const size_t last = points.size() - 1;
  // Curve c is at point c + 1; the straight after point i is the one before
  // curve i, or after the last curve.
  if (i > 0 && i < last) {
    row.curve = curves[i - 1];
    row.station = row.curve->ZH + row.curve->T1;
  } else if (i == last) {
    row.station = (curves.empty() ? startStation : curves.back().HZ) + straightAfter;
  }
  if (i < last) {
    const JdPoint& next = points[i + 1];
    const double dX = next.X - point.X;
    const double dY = next.Y - point.Y;
    double azimuth = std::atan2(dY, dX) * 180 / kPi;
    if (azimuth < 0) azimuth += 360;
    if (azimuth >= 360) azimuth = 0;  // a turn below the last bit west of north
    row.leg = DesignLeg{i < curves.size() ? curves[i].straightBefore : straightAfter,
                        std::hypot(dX, dY), azimuth};
  }
  return row;
}

std::optional<double> JdStationMismatch(const DesignRow& row, std::optional<double> given) {
  if (!given) return std::nullopt;
  const double difference = row.station - *given;
  if (!(std::fabs(difference) > kJdStationTolerance)) return std::nullopt;
  return difference;
}

std::vector<DesignRow> DesignTableRows(const std::vector<JdPoint>& points, const JdRoute& route,
                                       double startStation) {
  std::vector<DesignRow> rows;
  rows.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i)
    rows.push_back(DesignTableRow(points, route.curves, route.straightAfter, startStation, i));
  return rows;
}

}  // namespace tarnvel
