// Every foot of a point on one element, frozen: see previous_route.h.
#include <algorithm>
#include <array>
#include <cmath>

#include "core/text/angle.h"
#include "previous_route.h"

namespace tarnvel::previous {

namespace {

// The turn between two samples of the residual. Over 0.1 rad the residual of
// a point further than a few metres from the line has at most one turning
// point, so no pair of feet can hide between two samples.
constexpr double kSampleTurn = 0.1;
constexpr int kMinSamples = 16;
constexpr int kMaxSamples = 20000;
constexpr int kMaxRefinements = 200;
// The most points of the centre line one search computes. An element that
// turns thousands of times (a radius of a metre over kilometres) would
// otherwise refine a foot in every sample and stall the window; no element
// a surveyor types comes near it.
constexpr long kMaxEvaluations = 60000;
// Newton's steps end below this, well under the 1e-6 m a foot is given to.
constexpr double kStationTolerance = 1e-9;
// An end of the element whose residual is this small is a foot itself: a
// foot on a joint must not be lost to a last-bit difference.
constexpr double kEndTolerance = 1e-7;

struct Sample {
  double station = 0;
  double along = 0;   // component along the tangent of the vector to the point
  double offset = 0;  // component along the right-hand normal
  double slope = 0;   // d(along)/d(station)
};

class Residual {
 public:
  Residual(const LineElement& e, Point p) : prepared_(Prepare(e)), p_(p) {}

  Sample At(double S) const {
    ++evaluations_;
    const Point c = CentreLinePoint(prepared_.position, S);
    const double az = QXFWJ(prepared_.azimuth, S);
    const double cos_az = CosDeg(az);
    const double sin_az = SinDeg(az);
    const double dx = p_.X - c.X;
    const double dy = p_.Y - c.Y;
    Sample s;
    s.station = S;
    s.along = dx * cos_az + dy * sin_az;
    s.offset = dy * cos_az - dx * sin_az;
    // The tangent turns right at the curvature, so the residual falls by one
    // metre per metre and rises by the curvature times the offset.
    s.slope = -1 + Curvature(S) * s.offset;
    return s;
  }

  // Total absolute turn over the element, radians: the curvature may pass
  // through zero (radii of opposite signs).
  bool Spent() const { return evaluations_ >= kMaxEvaluations; }

  double TotalTurn() const {
    const AzimuthLaw& law = prepared_.azimuth;
    const double c0 = law.start_curvature;
    const double c1 = law.start_curvature + law.curvature_change;
    const double a0 = std::fabs(c0);
    const double a1 = std::fabs(c1);
    if (c0 * c1 < 0) return law.length * (a0 * a0 + a1 * a1) / (2 * (a0 + a1));
    return law.length * (a0 + a1) / 2;
  }

 private:
  // The curvature of QXFWJ's law, signed as it signs the radii, per metre.
  double Curvature(double S) const {
    const AzimuthLaw& law = prepared_.azimuth;
    return law.start_curvature + (S - law.K0) * law.curvature_change / law.length;
  }

  PreparedElement prepared_;
  Point p_;
  mutable long evaluations_ = 0;
};

bool Opposite(double a, double b) {
  return (a < 0 && b > 0) || (a > 0 && b < 0);
}

// Newton's method kept inside [a, b], whose residuals have opposite signs.
double Refine(const Residual& r, Sample a, Sample b) {
  double x = (a.station + b.station) / 2;
  for (int i = 0; i < kMaxRefinements && !r.Spent(); ++i) {
    const Sample s = r.At(x);
    if (s.along == 0) return x;
    if (Opposite(s.along, a.along))
      b = s;
    else
      a = s;
    double next = x - s.along / s.slope;
    if (!(next > a.station && next < b.station) && !(next < a.station && next > b.station))
      next = (a.station + b.station) / 2;
    const double step = std::fabs(next - x);
    x = next;
    if (step <= kStationTolerance || std::fabs(b.station - a.station) <= kStationTolerance) break;
  }
  return x;
}

// Between two samples of one sign, the residual may dip back across zero
// and return: a point near the centre of curvature has two feet close
// together there. Finds the turning point by bisection on the slope; when
// the residual there crosses zero, each half holds one foot.
void SplitDip(const Residual& r, const Sample& a, const Sample& b, std::vector<double>& out) {
  const bool falling_then_rising = a.along > 0 && a.slope < 0 && b.slope > 0;
  const bool rising_then_falling = a.along < 0 && a.slope > 0 && b.slope < 0;
  if (!falling_then_rising && !rising_then_falling) return;
  Sample lo = a;
  Sample hi = b;
  Sample mid = a;
  for (int i = 0;
       i < kMaxRefinements && !r.Spent() && std::fabs(hi.station - lo.station) > kStationTolerance;
       ++i) {
    mid = r.At((lo.station + hi.station) / 2);
    if (Opposite(mid.slope, a.slope))
      hi = mid;
    else
      lo = mid;
  }
  if (Opposite(mid.along, a.along)) {
    out.push_back(Refine(r, a, mid));
    out.push_back(Refine(r, mid, b));
  } else if (std::fabs(mid.along) <= kEndTolerance) {
    out.push_back(mid.station);  // the point lies on the evolute: one double foot
  }
}

}  // namespace

std::vector<Foot> AllFeet(const LineElement& e, Point p) {
  const std::array<double, 8> values = {e.K0, e.K1, e.X0, e.Y0, e.F, e.RQ, e.RN, e.Q};
  for (double v : values)
    if (!std::isfinite(v)) return {};
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || e.K1 == e.K0) return {};

  const Residual r(e, p);
  const double lo = std::min(e.K0, e.K1);
  const double hi = std::max(e.K0, e.K1);
  // Written so that a turn that is not a number (a radius so small that its
  // curvature overflows) still gives a count.
  const double wanted = std::ceil(r.TotalTurn() / kSampleTurn);
  const int n = wanted >= kMaxSamples  ? kMaxSamples
                : wanted > kMinSamples ? static_cast<int>(wanted)
                                       : kMinSamples;

  std::vector<double> stations;
  Sample previous = r.At(lo);
  if (std::fabs(previous.along) <= kEndTolerance) stations.push_back(lo);
  for (int i = 1; i <= n; ++i) {
    const double S = i == n ? hi : lo + (hi - lo) * i / n;
    const Sample s = r.At(S);
    if (!std::isfinite(s.along) || !std::isfinite(previous.along)) {
      previous = s;
      continue;
    }
    if (s.along == 0 || (i == n && std::fabs(s.along) <= kEndTolerance)) {
      stations.push_back(S);
    } else if (Opposite(previous.along, s.along)) {
      if (previous.along != 0) stations.push_back(Refine(r, previous, s));
    } else if (previous.along != 0) {
      SplitDip(r, previous, s, stations);
    }
    previous = s;
  }

  std::sort(stations.begin(), stations.end());
  std::vector<Foot> feet;
  for (double S : stations) {
    if (S < lo || S > hi) continue;
    if (!feet.empty() && S - feet.back().station <= kStationTolerance * 100) continue;
    const Sample s = r.At(S);
    if (std::isfinite(s.offset)) feet.push_back({S, s.offset, true});
  }
  return feet;
}

}  // namespace tarnvel::previous
