// The designer's whole 直线、曲线及转角表 of a route made from a JD table: a
// row for every point, BP and EP too, with its station, its curve, and the
// leg that leaves it for the next point.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/jd/jd_table.h"
#include "core/jd/route_from_jd.h"
#include "core/route/route_joints.h"
#include "core/route/station_equation.h"

namespace tarnvel {

// The leg from a point to the next one.
struct DesignLeg {
  double straight = 0;  // 直线长: from this point's HZ (BP itself) to the
                        // next ZH (EP itself)
  double length = 0;    // 交点间距
  double azimuth = 0;   // 计算方位角, decimal degrees in [0°, 360°)
};

struct DesignRow {
  std::string name;  // 交点号
  // 交点桩号: BP's the route's start, a JD's its ZH + T1 (the station the
  // JD has along the legs), EP's the route's end.
  double station = 0;
  double X = 0, Y = 0;
  // The inner JDs'. Its key stations, like 交点桩号, are those the element
  // table carries, jumping at the declared 断链; its lengths are the
  // geometry's.
  std::optional<CurveRow> curve;
  std::optional<DesignLeg> leg;  // every point's but EP's
};

// Each row of the table of `points` in turn, BP first and EP last, from its
// route from BP at `startStation`: a table RouteFromJd (or CheckJdTable)
// passed. The curves are walked again (ForEachJdCurve) and only two held at
// a time, so that a table of a million points is never held whole.
//
// Its stations jump at the `equations` declared, as the element table's do
// (DeclaredChains): each key point has the station the stakeout carries
// there, and one at a 断链 its 等号后桩号 (EP its 等号前桩号). A JD's
// 交点桩号 is ZH's station + T1, along the route to the curve and then
// along the tangent: a 断链 within the curve, or between ZH and the JD's
// place along it, does not move it.
void ForEachDesignRow(const std::vector<JdPoint>& points, double startStation,
                      const std::vector<StationEquation>& equations,
                      const std::function<void(const DesignRow&)>& each);

// A 交点桩号 the table gives may differ from the computed one by the joint
// check's position tolerance, by which a point may move and the route still
// close; beyond it, one of them is a typo.
inline constexpr double kJdStationTolerance = JointTolerances{}.position_mm / 1000;

// The computed 交点桩号 less the one `given` for the row, when one is given
// and they differ by more than kJdStationTolerance.
std::optional<double> JdStationMismatch(const DesignRow& row, std::optional<double> given);

// Every row, as ForEachDesignRow gives them.
std::vector<DesignRow> DesignTableRows(const std::vector<JdPoint>& points, double startStation,
                                       const std::vector<StationEquation>& equations);

}  // namespace tarnvel
