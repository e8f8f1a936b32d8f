// The designer's table of intersection points (交点, JD) and the curve each
// JD carries: a circular arc of radius R between two transition spirals
// (clothoids) of lengths Ls1 and Ls2, either of which may be absent.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tarnvel {

// One line of the table. Coordinates in metres (X northing, Y easting);
// R, Ls1 and Ls2 in metres. The first point is the route's start (BP) and
// the last its end (EP); theirs are 0. An inner JD has R > 0; Ls1 = Ls2 = 0
// is a plain circular curve, Ls1 ≠ Ls2 an asymmetric one.
struct JdPoint {
  std::string name;  // 交点号 as typed, e.g. "JD3"
  double X = 0, Y = 0, R = 0, Ls1 = 0, Ls2 = 0;
  // 交点桩号 as the table gives it, if it does: a station to check the
  // computed one against (and BP's the route's start unless one is given).
  std::optional<double> station = std::nullopt;

  bool operator==(const JdPoint&) const = default;
};

// Names of the seven fields, in line order, as headers and messages give them.
inline constexpr std::array<std::string_view, 7> kJdFieldNames = {
    "交点号", "交点坐标X", "交点坐标Y", "半径R", "缓和曲线长Ls1", "缓和曲线长Ls2", "交点桩号"};

// The shift of the circle that a spiral of length Ls (∞ → R) makes room for:
// p (内移值) is how far the circle moves in from the tangent, q (切线增长值)
// how far its tangent point moves back along it. Both come from the spiral's
// end point (x, y) as the element computation gives it, q = x − R sin β and
// p = y − R(1 − cos β) with β = Ls / 2R, not from the truncated series; they
// are exact to the element computation's accuracy (far below 0.01 mm for
// β ≤ 16 rad). Ls = 0 gives p = q = 0. Needs R > 0 and Ls ≥ 0.
struct SpiralShift {
  double p = 0;
  double q = 0;
};
SpiralShift ExactSpiralShift(double R, double Ls);

// The geometry of one curve, given its turn. Lengths in metres, angles in
// radians.
struct CurveGeometry {
  double Ls1 = 0, Ls2 = 0;      // the spirals' lengths as the curve is built
  double beta1 = 0, beta2 = 0;  // spiral angles Lsi / 2R
  SpiralShift shift1, shift2;   // of the entry and the exit spiral
  double T1 = 0, T2 = 0;        // tangent lengths, JD to ZH and JD to HZ
  double Ly = 0;                // arc length R(α − β1 − β2)
  double L = 0;                 // Ls1 + Ly + Ls2
  std::optional<double> E;      // 外距, for a symmetric curve (Ls1 = Ls2)
  double Eqz = 0;               // JD to the QZ point, for any curve: E when
                                // symmetric, the 外距 of an asymmetric one
  double J = 0;                 // 校正值 T1 + T2 − L
  // How much T1 and T2 change per radian of α, (R + p) / 2cos²(α/2) with
  // the larger p: how far the last digits of the coordinates, which fix α,
  // carry into the tangents. It leaves out the smaller changes of the
  // spirals' (p1 − p2) / sin α, and of SpiralCurveOfTurn's lengths, that grow
  // with α too; a bound built on it needs a margin for them.
  double tangentSlope = 0;
};

// For a turn of `alpha` radians (its size: 0 < alpha < π) and
// β1 + β2 < alpha; the caller refuses the rest.
//   T1 = (R + p1) tan(α/2) + q1 − (p1 − p2) / sin α
//   T2 = (R + p2) tan(α/2) + q2 + (p1 − p2) / sin α
CurveGeometry CurveOfTurn(double alpha, double R, double Ls1, double Ls2);

// The curve of two spirals that meet at R without an arc (凸型, HY = QZ =
// YH), for the same turn: R is kept, and the design's Ls1 and Ls2 are scaled
// by one factor to turn exactly α between them, (Ls1 + Ls2) / 2R = α, so that
// the curve leaves on the outgoing leg. The arc the design's lengths would
// leave, R(α − β1 − β2) of either sign, goes into the spirals: L changes by
// that much, each spiral by its share of twice that. Ly is 0 and L = Ls1 +
// Ls2. Needs Ls1 + Ls2 > 0.
CurveGeometry SpiralCurveOfTurn(double alpha, double R, double Ls1, double Ls2);

}  // namespace tarnvel
