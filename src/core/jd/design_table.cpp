#include "core/jd/design_table.h"

#include <cmath>

#include "core/jd/declared_chains.h"
#include "core/text/angle.h"

namespace tarnvel {

namespace {

// Row i but EP's: its curve, when it has one, and the straight after it.
// BP's station is `station`; a JD's follows its curve's ZH.
DesignRow RowOf(const std::vector<JdPoint>& points, size_t i, const std::optional<CurveRow>& curve,
                double straight, double station) {
  const JdPoint& point = points[i];
  DesignRow row{point.name, station, point.X, point.Y, curve, std::nullopt};
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

// The curve with its key stations as declared, met in route order.
CurveRow Declared(CurveRow curve, DeclaredChains& chains) {
  for (double* station : {&curve.ZH, &curve.HY, &curve.QZ, &curve.YH, &curve.HZ})
    *station = chains.Station(*station);
  return curve;
}

}  // namespace

void ForEachDesignRow(const std::vector<JdPoint>& points, double startStation,
                      const std::vector<StationEquation>& equations,
                      const std::function<void(const DesignRow&)>& each) {
  DeclaredChains chains(equations);
  const double start = chains.Station(startStation);
  // Row i is given once the curve after it is known, for its straight.
  size_t i = 0;
  std::optional<CurveRow> curve;  // point i's, as declared
  double laidEnd = startStation;  // its HZ, as laid from BP
  const double straightAfter = ForEachJdCurve(points, startStation, [&](const CurveRow& next) {
    const CurveRow declared = Declared(next, chains);
    each(RowOf(points, i++, curve, next.straightBefore, start));
    curve = declared;
    laidEnd = next.HZ;
  });
  each(RowOf(points, i, curve, straightAfter, start));
  const JdPoint& end = points.back();
  each(DesignRow{end.name, chains.Station(laidEnd + straightAfter, true), end.X, end.Y,
                 std::nullopt, std::nullopt});
}

std::optional<double> JdStationMismatch(const DesignRow& row, std::optional<double> given) {
  if (!given) return std::nullopt;
  const double difference = row.station - *given;
  if (!(std::fabs(difference) > kJdStationTolerance)) return std::nullopt;
  return difference;
}

std::vector<DesignRow> DesignTableRows(const std::vector<JdPoint>& points, double startStation,
                                       const std::vector<StationEquation>& equations) {
  std::vector<DesignRow> rows;
  rows.reserve(points.size());
  ForEachDesignRow(points, startStation, equations,
                   [&](const DesignRow& row) { rows.push_back(row); });
  return rows;
}

}  // namespace tarnvel
