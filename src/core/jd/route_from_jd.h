// A route from a JD table: the curve at each JD, its key stations along the
// route, and the element table (straights, spirals and arcs) that runs from
// BP to EP through them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/jd/jd_table.h"
#include "core/route/route.h"
#include "core/route/route_joints.h"

namespace tarnvel {

// Coordinates are given to the millimetre: two points closer than this (m)
// are one, and an arc shorter than this, without spirals, is no curve.
inline constexpr double kShortestLength = 0.001;

// Spirals that leave an arc of less than this (m) either way, R(α − β1 − β2),
// meet at R without one (a 凸型 curve): the joint check's position tolerance,
// by which a point may move and the route still close. Spirals that turn
// more than the legs by more than this of arc are refused.
inline constexpr double kSpiralsMeetTolerance = JointTolerances{}.position_mm / 1000;

// Legs that turn less than this (radians, 1″) are collinear: coordinates to
// the millimetre cannot fix a smaller turn on a leg of 200 m.
inline constexpr double kCollinearTurn = 4.84813681109536e-6;

// One row of the curve table (直线、曲线及转角表), for one inner JD. Angles in
// decimal degrees; lengths and stations in metres.
struct CurveRow {
  std::string name;                        // 交点号
  double alpha = 0;                        // turning angle, + right (右), − left (左)
  double R = 0, Ls1 = 0, Ly = 0, Ls2 = 0;  // as built: Ly 0 and the spirals
                                           // scaled when they meet at R
  double T1 = 0, T2 = 0, L = 0;
  std::optional<double> E;  // symmetric curves only
  double Eqz = 0;           // JD to the QZ point, any curve (E when symmetric)
  double J = 0;
  double p1 = 0, q1 = 0, p2 = 0, q2 = 0;  // the working behind T1 and T2
  // Key stations. Without an entry spiral HY = ZH (the curve starts at ZY);
  // without an exit spiral YH = HZ (it ends at YZ).
  double ZH = 0, HY = 0, QZ = 0, YH = 0, HZ = 0;
  double straightBefore = 0;  // leg length − previous T2 − T1, 0 within
                              // rounding: the straight made before ZH
};

// Decimal degrees to the d.mmss value an element holds, reduced to 0–360.
// Minutes and seconds are carried below 60 here; whatever the last binary
// digit does to them, DmsToDegrees adds them as they stand, so the angle
// read back differs by no more than about 1e-9″.
double DegreesToDmsValue(double degrees);

// Why a table gives no route. `jd` is the 1-based row of the table (0 for
// the table as a whole); `field` the index in kJdFieldNames, or -1 when the
// fault is the geometry's rather than one value's.
struct JdRefusal {
  int jd = 0;
  int field = -1;
  std::string message;

  bool operator==(const JdRefusal&) const = default;
};

struct JdRoute {
  Route route;                   // the element table, as MakeRoute makes it
  std::vector<CurveRow> curves;  // one per inner JD, in order
  double straightAfter = 0;      // the last leg's remainder to EP (0
                                 // within rounding)
};

// The route from BP (at `startStation`) to EP. The first fault is given,
// looking at the values row by row, then the legs, then each JD's turn, then
// the straights: fewer than two points; a value that is not finite; BP or EP
// with a radius or a spiral; an inner JD without R > 0 or with a negative
// spiral; two consecutive points less than 1 mm apart; collinear legs
// (|α| < 1″); a turn of 180° or within 1″ of it; spirals that turn more than
// the legs by more than 2 mm of arc (R(β1 + β2 − α) > 2 mm); an arc shorter
// than 1 mm without spirals; curves that overlap each other, or BP or EP, by
// more than rounding leaves (16ε of the coordinates, carried through the
// turns into the tangents: some 5e-8 m at coordinates of 3e6 m). Two curves
// that overlap by more than the position tolerance are refused with the
// 交点间距 and 转角 of the points around them, naming the point whose legs
// stand out, as a coordinate typed wrong makes them.
//
// Spirals that leave an arc within 2 mm of nothing meet at R without one
// (SpiralCurveOfTurn): R is kept and the spirals take up the arc, each by
// its share, so that they turn exactly α; HY = QZ = YH.
//
// ZH = previous HZ (BP's station at first) + leg − previous T2 − T1; HY, QZ,
// YH and HZ follow by the curve's lengths. A straight of that length is made
// wherever the leg leaves more than rounding between the curves, however
// short; within rounding none is made, ZH is the previous HZ, and the curves
// meet. Every curve's ZH is laid off its JD by T1 along the incoming leg;
// each element after it starts where the element computation ends the one
// before, so the joints close to far below 0.01 mm. Where the first leg
// leaves no more than rounding before the first ZH, the route starts there;
// where the last leaves no more after the last HZ, it ends there. Values at
// the ends of the double range, that leave an element MakeRoute refuses, are
// refused with its message, said of the JD whose curve holds the element (of
// the JD ahead, for a straight).
std::variant<JdRefusal, JdRoute> RouteFromJd(const std::vector<JdPoint>& points,
                                             double startStation);

// RouteFromJd in parts, for a table too large to hold its route whole.
// CheckJdTable gives RouteFromJd's first fault but for those of the elements
// (MakeRoute's); of a table it passed, ForEachJdCurve hands over each curve
// row in turn and gives what the last leg leaves after the last curve, and
// ForEachJdElement each element in turn, with the 1-based table row it is
// said of and whether it is sound: every value and its end finite and K1 >
// K0, which a route needs of it (the sink returns false to stop). Each walks
// the table again, holding nothing for every JD.
using JdElementSink = std::function<bool(RouteElement&&, int row, bool sound)>;
std::optional<JdRefusal> CheckJdTable(const std::vector<JdPoint>& points, double startStation);
double ForEachJdCurve(const std::vector<JdPoint>& points, double startStation,
                      const std::function<void(const CurveRow&)>& each);
void ForEachJdElement(const std::vector<JdPoint>& points, double startStation,
                      const JdElementSink& each);

}  // namespace tarnvel
