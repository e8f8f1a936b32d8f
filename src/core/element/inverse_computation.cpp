#include "core/element/inverse_computation.h"

#include <cmath>

#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

constexpr double kResidualTolerance = 0.0001;  // metres along the tangent
constexpr int kOffsetDecimals = 3;

}  // namespace

Foot FindFoot(const LineElement& e, Point p) {
  // No foot lies this far along the line: a search that wanders beyond it
  // is running away from a point the element cannot reach.
  const double reach = 10 * (std::fabs(e.K1 - e.K0) + std::hypot(p.X - e.X0, p.Y - e.Y0)) + 1;
  double S = e.K0 + (e.K1 - e.K0) / 2;
  for (int pass = 0; pass < kMaxInversePasses && std::fabs(S - e.K0) <= reach; ++pass) {
    const Point c = CentreLinePoint(e, S);
    const double az = QXFWJ(e, S);
    const double a = az - 90;
    const double dl = (p.Y - c.Y) * CosDeg(a) - (p.X - c.X) * SinDeg(a);
    if (!std::isfinite(dl)) break;
    if (std::fabs(dl) <= kResidualTolerance) {
      // The offset is the point's distance from the tangent at S, measured
      // along its right-hand normal. Both coordinate differences count: the
      // easting difference alone, divided by cos az, breaks down for a line
      // running east or west and inflates the residual near it.
      const double m = (p.Y - c.Y) * CosDeg(az) - (p.X - c.X) * SinDeg(az);
      return {S, m, std::isfinite(S) && std::isfinite(m)};
    }
    S += dl;
  }
  // The correction cannot settle here; the feet within the element can still
  // be found by a search that does not rely on it contracting.
  return NearestFoot(e, p);
}

Outcome<InverseTexts> ComputeInverse(const InverseFields& f) {
  if (auto refusal = CheckElementFields(f.element)) return *refusal;
  if (IsBlank(f.x)) return MissingInput(Field::InverseX, "反算坐标X");
  if (IsBlank(f.y)) return MissingInput(Field::InverseY, "反算坐标Y");

  const Point p{ReadLenient(f.x), ReadLenient(f.y)};
  const LineElement element = SJ(f.element);
  if (auto refusal = CheckElementValues(element)) return *refusal;
  if (!std::isfinite(p.X)) return OutOfNumberRange(Field::InverseX, "反算坐标X");
  if (!std::isfinite(p.Y)) return OutOfNumberRange(Field::InverseY, "反算坐标Y");

  const Foot foot = FindFoot(element, p);
  if (!foot.settled)
    return Refusal{"反算未能收敛，请检查“反算坐标”是否在线元附近！", RefusalKind::UnusableValue,
                   Field::InverseX};
  return InverseTexts{StationText(foot.station), LabelText(foot.offset, kOffsetDecimals)};
}

}  // namespace tarnvel
