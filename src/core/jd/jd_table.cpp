#include "core/jd/jd_table.h"

#include <algorithm>
#include <cmath>

#include "core/element/centre_line.h"
#include "core/element/line_element.h"

namespace tarnvel {

SpiralShift ExactSpiralShift(double R, double Ls) {
  if (Ls == 0) return {};
  // The spiral as an element of its own, from the origin along the X axis,
  // turning right: its end is (x, y) in the tangent's frame.
  const LineElement spiral{0, Ls, 0, 0, 0, kInfiniteRadius, R, 1};
  const Point end = CentreLinePoint(spiral, Ls);
  const double beta = Ls / (2 * R);
  const double half = std::sin(beta / 2);
  // 1 − cos β as 2 sin²(β/2), which keeps its digits when β is small.
  return {end.Y - R * 2 * half * half, end.X - R * std::sin(beta)};
}

namespace {

// From the JD to the curve's middle (QZ), halfway along its arc. In the
// incoming tangent's frame, the JD at the origin and the curve turning
// towards +y: ZH is (−T1, 0), the circle's centre (q1 − T1, R + p1), and the
// arc's middle is where the tangent has turned β1 + Ly / 2R. 1 − cos as
// 2 sin², which keeps its digits when the turn is small.
double JdToQz(const CurveGeometry& c, double R) {
  const double turned = c.beta1 + c.Ly / (2 * R);
  const double half = std::sin(turned / 2);
  return std::hypot(c.shift1.q - c.T1 + R * std::sin(turned), c.shift1.p + R * 2 * half * half);
}

}  // namespace

CurveGeometry CurveOfTurn(double alpha, double R, double Ls1, double Ls2) {
  CurveGeometry c;
  c.Ls1 = Ls1;
  c.Ls2 = Ls2;
  c.beta1 = Ls1 / (2 * R);
  c.beta2 = Ls2 / (2 * R);
  c.shift1 = ExactSpiralShift(R, Ls1);
  c.shift2 = ExactSpiralShift(R, Ls2);
  const double p1 = c.shift1.p;
  const double p2 = c.shift2.p;
  const double t = std::tan(alpha / 2);
  const double unequal = (p1 - p2) / std::sin(alpha);
  c.T1 = (R + p1) * t + c.shift1.q - unequal;
  c.T2 = (R + p2) * t + c.shift2.q + unequal;
  c.Ly = R * (alpha - c.beta1 - c.beta2);
  c.L = Ls1 + c.Ly + Ls2;
  if (Ls1 == Ls2) c.E = (R + p1) / std::cos(alpha / 2) - R;
  c.J = c.T1 + c.T2 - c.L;
  c.Eqz = JdToQz(c, R);
  const double cosHalf = std::cos(alpha / 2);
  c.tangentSlope = (R + std::max(p1, p2)) / (2 * cosHalf * cosHalf);
  return c;
}

CurveGeometry SpiralCurveOfTurn(double alpha, double R, double Ls1, double Ls2) {
  const double scale = 2 * R * alpha / (Ls1 + Ls2);
  CurveGeometry c = CurveOfTurn(alpha, R, Ls1 * scale, Ls2 * scale);
  // What is left of the arc is the rounding of the product above.
  c.Ly = 0;
  c.L = c.Ls1 + c.Ls2;
  c.J = c.T1 + c.T2 - c.L;
  c.Eqz = JdToQz(c, R);
  return c;
}

}  // namespace tarnvel
