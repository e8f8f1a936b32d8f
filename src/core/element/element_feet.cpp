#include "core/element/element_feet.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

#include "core/text/angle.h"

namespace tarnvel {

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
// A residual falls along a whole element (FallsThroughout) while the
// curvature times the point's greatest distance stays below this, its slope
// then below -0.2; its samples then fall by at least kFallLeast of their
// step.
constexpr double kFallCurvatureReach = 0.8;
constexpr double kFallMismatch = 0.01;  // rad between heading and tangent
constexpr double kFallLeast = 0.1;
// Far above the round-off of a residual at coordinates of this size, and
// above the rule's error, metres.
constexpr double kFallNoise = 1e-10;
constexpr double kFallSlack = 1e-3;
// A search steps its samples along the line (Residual::Beside) when the
// element turns more than this, below which CentreLinePoint takes one panel
// anyway, and its largest curvature times its length stays within the
// next, so that CentreLinePoint's 64 panels turn at most 0.75 rad each;
// the rule's error grows with the eighth power of a panel's turn.
constexpr double kStepFrom = 0.25;
constexpr double kStepUpTo = 48;
// A stepped point's distance from CentreLinePoint's: both rules err by
// well under 1e-10 of the length over panels of 0.75 rad and less (the
// nodes and weights are cut to ten decimals), and every addition of a step
// may round by half a unit of the coordinates.
constexpr double kStepSlack = 1e-6;
constexpr double kStepRuleError = 1e-8;
constexpr double kStepRoundOff = 4e-16;
constexpr double kStepSlopeSlack = 1e-9;
// At's residual is only as smooth as its point's coordinates round, to
// half their last bit in each: where Newton's method starts moves the foot
// it ends at within the stations whose residual that rounding may bring to
// zero, up to about 1.5 last bits over the residual's slope, and its last
// steps of up to kStationTolerance. A foot is stepped towards only where
// that stays within this, a hundredth of a micrometre, in metres.
constexpr double kStartMoves = 1e-8;
constexpr double kRoundingBits = 1.5;

struct Sample {
  double station = 0;
  double along = 0;   // component along the tangent of the vector to the point
  double offset = 0;  // component along the right-hand normal
  double slope = 0;   // d(along)/d(station)
  // The centre-line point it was taken from, less the element's start: the
  // steps from it then add metres to metres, rounding far below the last
  // bit of the coordinates.
  Point local;
};

// A station where the residual vanishes, with the offset there when the
// search computed it on the way.
struct Found {
  Found(double at) : station(at) {}
  Found(double at, double offsetThere) : station(at), offset(offsetThere) {}

  double station;
  std::optional<double> offset;
};

class Residual {
 public:
  // `known`: samples of the line at some of its stations, as
  // CentreLineSamples computes them; At takes the first and last from there.
  Residual(const LineElement& e, const PreparedElement& prepared, Point p,
           std::span<const CentreLineSample> known)
      : prepared_(prepared), p_(p) {
    if (!known.empty()) {
      first_ = &known.front();
      last_ = &known.back();
    }
    const AzimuthLaw& law = prepared_.azimuth;
    largestCurvature_ = std::max(std::fabs(law.start_curvature),
                                 std::fabs(law.start_curvature + law.curvature_change));
    const double length = std::fabs(e.K1 - e.K0);
    if (!(TotalTurn() > kStepFrom && largestCurvature_ * length <= kStepUpTo)) return;
    const double scale =
        std::max({std::fabs(e.X0), std::fabs(e.Y0), std::fabs(p.X), std::fabs(p.Y), length});
    stepError_ = kStepSlack + kStepRuleError * length +
                 kStepRoundOff * (kMaxSamples + kMaxRefinements) * scale;
    stepping_ = std::isfinite(stepError_);
    lastBit_ = std::numeric_limits<double>::epsilon() * scale;
  }

  Sample At(double S) const {
    ++evaluations_;
    // Most feet searched are searched from both ends of their element,
    // and a route holds those points already, the same bits.
    for (const CentreLineSample* k : {first_, last_})
      if (k && std::bit_cast<std::uint64_t>(k->station) == std::bit_cast<std::uint64_t>(S))
        return Known(*k);
    const Point c = CentreLinePoint(prepared_.position, S);
    return Taken(S, c, {c.X - prepared_.position.X0, c.Y - prepared_.position.Y0});
  }

  // The sample at S, at most 0.1 rad of turn from `from`, for the search's
  // scan and its dips, which read no more of a sample than the signs of its
  // residual and slope and whether the residual lies within kEndTolerance
  // of zero. On an element that turns much, its point is stepped from
  // `from`'s by one panel instead of integrated afresh over up to 64;
  // where the stepped point's error bound leaves any of those in doubt the
  // sample is computed as At computes it. Either way the search reads what
  // At would give it, and counts one evaluation.
  Sample Beside(const Sample& from, double S) const {
    if (!stepping_) return At(S);
    const Sample s = Stepped(from, S);
    if (std::fabs(s.along) > stepError_ + kEndTolerance &&
        std::fabs(s.slope) > 2 * largestCurvature_ * stepError_ + kStepSlopeSlack)
      return s;
    const Point c = CentreLinePoint(prepared_.position, S);
    return Taken(S, c, {c.X - prepared_.position.X0, c.Y - prepared_.position.Y0});
  }

  // The sample at S stepped from `from`, at most 0.1 rad of turn away, by
  // one panel, whatever its error bound: for Newton's steps towards a foot,
  // which At then settles.
  Sample Stepped(const Sample& from, double S) const {
    ++evaluations_;
    const Point local = CentreLineStep(prepared_.position, from.local, from.station, S);
    return Taken(S, {local.X + prepared_.position.X0, local.Y + prepared_.position.Y0}, local);
  }

  // Whether Beside and Stepped step: the element turns much.
  bool Stepping() const { return stepping_; }

  // Whether the foot At's Newton's method reaches from near a station whose
  // residual has this slope lies within kStartMoves of the one it reaches
  // from anywhere else in the bracket.
  bool SettlesAlike(double slope) const {
    return kRoundingBits * lastBit_ / std::fabs(slope) + 2 * kStationTolerance <= kStartMoves;
  }

 private:
  Sample Taken(double S, Point c, Point local) const {
    const double az = QXFWJ(prepared_.azimuth, S);
    // A straight's tangent is one at every station: its sine and cosine
    // are taken once a search.
    if (!tangentTaken_ ||
        std::bit_cast<std::uint64_t>(az) != std::bit_cast<std::uint64_t>(tangentAzimuth_)) {
      tangentTaken_ = true;
      tangentAzimuth_ = az;
      tangent_ = {CosDeg(az), SinDeg(az)};
    }
    return Along(S, c, local, tangent_);
  }

  Sample Known(const CentreLineSample& k) const {
    return Along(k.station, k.point,
                 {k.point.X - prepared_.position.X0, k.point.Y - prepared_.position.Y0}, k.tangent);
  }

  Sample Along(double S, Point c, Point local, Point tangent) const {
    const double cos_az = tangent.X;
    const double sin_az = tangent.Y;
    const double dx = p_.X - c.X;
    const double dy = p_.Y - c.Y;
    Sample s;
    s.station = S;
    s.along = dx * cos_az + dy * sin_az;
    s.offset = dy * cos_az - dx * sin_az;
    // The tangent turns right at the curvature, so the residual falls by one
    // metre per metre and rises by the curvature times the offset.
    s.slope = -1 + Curvature(S) * s.offset;
    s.local = local;
    return s;
  }

 public:
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

  const PreparedElement& prepared_;
  Point p_;
  const CentreLineSample* first_ = nullptr;
  const CentreLineSample* last_ = nullptr;
  bool stepping_ = false;
  double lastBit_ = 0;    // metres, of the largest coordinate
  double stepError_ = 0;  // metres, bounds a stepped point's distance from At's
  double largestCurvature_ = 0;
  mutable long evaluations_ = 0;
  mutable bool tangentTaken_ = false;
  mutable double tangentAzimuth_ = 0;
  mutable Point tangent_;  // cosine and sine of tangentAzimuth_
};

bool Opposite(double a, double b) {
  return (a < 0 && b > 0) || (a > 0 && b < 0);
}

// Newton's method kept inside [a, b], whose residuals have opposite signs,
// from x.
double Newton(const Residual& r, Sample a, Sample b, double x) {
  for (int i = 0; i < kMaxRefinements && !r.Spent(); ++i) {
    const Sample s = r.At(x);
    if (s.along == 0) return x;
    if (Opposite(s.along, a.along))
      b = s;
    else
      a = s;
    double next = x - s.along / s.slope;
    // A step lost below the last bit of the station: x is the root as
    // closely as a station can give it. x is now an end of the bracket, so
    // the step would count as leaving it, and the halving that followed
    // walked back to x over some 30 more points, the more often the larger
    // the stations.
    if (next == x) return x;
    if (!(next > a.station && next < b.station) && !(next < a.station && next > b.station))
      next = (a.station + b.station) / 2;
    const double step = std::fabs(next - x);
    x = next;
    if (step <= kStationTolerance || std::fabs(b.station - a.station) <= kStationTolerance) break;
  }
  return x;
}

// The foot between a and b, whose residuals have opposite signs.
//
// On an element that turns much, each of At's points integrates the line
// from K0 over up to 64 panels, and Newton's method took some five of them
// a foot, the most of a point's work on a long tight spiral (some 2.6
// turns: a point has five feet or more). Newton's method there steps along
// the line from the nearer end of its bracket instead, one panel of at most
// 0.1 rad, which puts the foot within a hair of At's; one point of At then
// settles it: its Newton step, within the tolerance, gives the station At's
// Newton's method ends at, and its offset, which moves by the square of
// the step. Otherwise At's Newton's method goes on from there inside the
// same bracket, as it would have from the middle.
Found Refine(const Residual& r, const Sample& a, const Sample& b) {
  const double middle = (a.station + b.station) / 2;
  // Over a bracket that turns 0.1 rad at most the residual is nearly
  // straight: where its chord crosses zero is a step of Newton's method
  // nearer the foot than the middle is.
  const double secant = a.station - a.along * (b.station - a.station) / (b.along - a.along);
  const double start =
      (secant > a.station && secant < b.station) || (secant < a.station && secant > b.station)
          ? secant
          : middle;
  if (!r.Stepping()) return {Newton(r, a, b, start)};
  Sample below = a;
  Sample above = b;
  double x = start;
  double slope = 0;
  for (int i = 0; i < kMaxRefinements && !r.Spent(); ++i) {
    const Sample& from =
        std::fabs(x - below.station) <= std::fabs(x - above.station) ? below : above;
    const Sample s = r.Stepped(from, x);
    slope = s.slope;
    if (s.along == 0) break;
    if (Opposite(s.along, below.along))
      above = s;
    else
      below = s;
    double next = x - s.along / s.slope;
    if (next == x) break;
    if (!(next > below.station && next < above.station) &&
        !(next < below.station && next > above.station))
      next = (below.station + above.station) / 2;
    const double step = std::fabs(next - x);
    x = next;
    if (step <= kStationTolerance || std::fabs(above.station - below.station) <= kStationTolerance)
      break;
  }
  if (r.Spent() || !(x > std::min(a.station, b.station) && x < std::max(a.station, b.station)) ||
      !r.SettlesAlike(slope))
    return {Newton(r, a, b, middle)};
  const Sample s = r.At(x);
  if (s.along == 0) return {x, s.offset};
  const double next = x - s.along / s.slope;
  if (next == x) return {x, s.offset};
  if (std::fabs(next - x) <= kStationTolerance && next > std::min(a.station, b.station) &&
      next < std::max(a.station, b.station))
    return {next, s.offset};
  const bool sameSideAsA = !Opposite(s.along, a.along);
  const Sample& lo = sameSideAsA ? s : a;
  const Sample& hi = sameSideAsA ? b : s;
  const bool inside =
      (next > lo.station && next < hi.station) || (next < lo.station && next > hi.station);
  return {Newton(r, lo, hi, inside ? next : (lo.station + hi.station) / 2)};
}

// Between two samples of one sign, the residual may dip back across zero
// and return: a point near the centre of curvature has two feet close
// together there. Finds the turning point by bisection on the slope; when
// the residual there crosses zero, each half holds one foot.
void SplitDip(const Residual& r, const Sample& a, const Sample& b, std::vector<Found>& out) {
  const bool falling_then_rising = a.along > 0 && a.slope < 0 && b.slope > 0;
  const bool rising_then_falling = a.along < 0 && a.slope > 0 && b.slope < 0;
  if (!falling_then_rising && !rising_then_falling) return;
  Sample lo = a;
  Sample hi = b;
  Sample mid = a;
  for (int i = 0;
       i < kMaxRefinements && !r.Spent() && std::fabs(hi.station - lo.station) > kStationTolerance;
       ++i) {
    mid = r.Beside(lo, (lo.station + hi.station) / 2);
    if (Opposite(mid.slope, a.slope))
      hi = mid;
    else
      lo = mid;
  }
  if (Opposite(mid.along, a.along)) {
    out.push_back(Refine(r, a, mid));
    out.push_back(Refine(r, mid, b));
  } else if (std::fabs(mid.along) <= kEndTolerance) {
    out.push_back({mid.station});  // the point lies on the evolute: one double foot
  }
}

// Whether the residual falls along the whole element [lo, hi], its
// samples then changing sign at most once. Its slope is the curvature times
// the offset less the cosine of the angle between the position's heading
// and the tangent azimuth. The two laws are one where Q signs both alike
// and the stations increase; a Q of 0 keeps the position straight while
// the tangent turns by the element's turn. The offset is at most the
// distance from the point to the line, and no station is further than half
// the element from its nearer end. The margins keep every computed sample
// of the fall further below its predecessor than round-off and the rule's
// error could lift it: the samples' signs are then those of the true
// residual, and the slopes the full scan reads all negative.
bool FallsThroughout(const LineElement& e, const Residual& r, const Sample& first,
                     const Sample& last, int n) {
  if (!(e.K1 > e.K0)) return false;
  const double mismatch = e.Q == 0 ? r.TotalTurn() : 0;
  if (!(mismatch <= kFallMismatch)) return false;
  const double curvature = std::max(std::fabs(1 / e.RQ), std::fabs(1 / e.RN));
  const double length = e.K1 - e.K0;
  const double reach =
      std::max(std::hypot(first.along, first.offset), std::hypot(last.along, last.offset)) +
      length / 2 + kFallSlack;
  if (!(curvature * reach <= kFallCurvatureReach)) return false;
  const double scale =
      std::max({std::fabs(e.X0), std::fabs(e.Y0), std::fabs(e.K0), std::fabs(e.K1), reach});
  return length / n * kFallLeast > kFallNoise * scale + kFallSlack;
}

// The stations the full scan of n + 1 samples gives for a falling residual,
// from the samples it needs: its ends, and a few more to find the two either
// side of the one change of sign, whose refinement then starts from exactly
// the samples the scan would give it, added to `stations`. False when a
// sample is not finite: the caller then scans.
bool FallingFeet(const Residual& r, int n, double lo, double hi, const Sample& first,
                 const Sample& last, std::vector<Found>& stations) {
  auto station = [&](int i) { return i == n ? hi : lo + (hi - lo) * i / n; };
  if (std::fabs(first.along) <= kEndTolerance) stations.push_back({lo});
  if (!(first.along > 0 && last.along < 0)) {
    if (std::fabs(last.along) <= kEndTolerance) stations.push_back({hi});
    return true;
  }
  int a = 0;
  int b = n;
  Sample above = first;
  Sample below = last;
  auto probe = [&](int i) {
    const Sample s = r.At(station(i));
    if (!std::isfinite(s.along)) return false;
    if (s.along > 0) {
      a = i;
      above = s;
    } else {
      b = i;
      below = s;
    }
    return true;
  };
  // The residual is close to straight over the element: the interval its
  // chord crosses zero in is tried first, then halves.
  const double t = above.along / (above.along - below.along) * n;
  const int guess = std::clamp(static_cast<int>(t), 0, n - 1);
  if (guess > a && guess < b && !probe(guess)) return false;
  if (guess + 1 > a && guess + 1 < b && !probe(guess + 1)) return false;
  while (b - a > 1)
    if (!probe((a + b) / 2)) return false;
  if (below.along == 0 || (b == n && std::fabs(below.along) <= kEndTolerance))
    stations.push_back({below.station});
  else
    stations.push_back(Refine(r, above, below));
  if (b != n && std::fabs(last.along) <= kEndTolerance) stations.push_back({hi});
  return true;
}

}  // namespace

std::vector<Foot> AllFeet(const LineElement& e, Point p) {
  return AllFeet(e, Prepare(e), p, {});
}

std::vector<Foot> AllFeet(const LineElement& e, const PreparedElement& prepared, Point p,
                          std::span<const CentreLineSample> known) {
  const std::array<double, 8> values = {e.K0, e.K1, e.X0, e.Y0, e.F, e.RQ, e.RN, e.Q};
  for (double v : values)
    if (!std::isfinite(v)) return {};
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || e.K1 == e.K0) return {};

  const Residual r(e, prepared, p, known);
  const double lo = std::min(e.K0, e.K1);
  const double hi = std::max(e.K0, e.K1);
  // Written so that a turn that is not a number (a radius so small that its
  // curvature overflows) still gives a count.
  const double wanted = std::ceil(r.TotalTurn() / kSampleTurn);
  const int n = wanted >= kMaxSamples  ? kMaxSamples
                : wanted > kMinSamples ? static_cast<int>(wanted)
                                       : kMinSamples;

  std::vector<Found> stations;
  Sample previous = r.At(lo);
  // Only an element of the fewest samples can fall throughout. Its scan
  // computes far fewer points than the bound, so taking its end first
  // changes nothing it finds.
  std::optional<Sample> last;
  bool falling = false;
  if (n == kMinSamples) {
    last = r.At(hi);
    if (std::isfinite(previous.along) && std::isfinite(last->along) &&
        FallsThroughout(e, r, previous, *last, n)) {
      falling = FallingFeet(r, n, lo, hi, previous, *last, stations);
      if (!falling) stations.clear();
    }
  }
  if (!falling && std::fabs(previous.along) <= kEndTolerance) stations.push_back({lo});
  for (int i = 1; i <= n && !falling; ++i) {
    const double S = i == n ? hi : lo + (hi - lo) * i / n;
    const Sample s = i == n && last ? *last : r.Beside(previous, S);
    if (!std::isfinite(s.along) || !std::isfinite(previous.along)) {
      previous = s;
      continue;
    }
    if (s.along == 0 || (i == n && std::fabs(s.along) <= kEndTolerance)) {
      stations.push_back({S});
    } else if (Opposite(previous.along, s.along)) {
      if (previous.along != 0) stations.push_back(Refine(r, previous, s));
    } else if (previous.along != 0) {
      SplitDip(r, previous, s, stations);
    }
    previous = s;
  }

  std::sort(stations.begin(), stations.end(),
            [](const Found& a, const Found& b) { return a.station < b.station; });
  std::vector<Foot> feet;
  for (const Found& found : stations) {
    const double S = found.station;
    if (S < lo || S > hi) continue;
    if (!feet.empty() && S - feet.back().station <= kStationTolerance * 100) continue;
    const double offset = found.offset ? *found.offset : r.At(S).offset;
    if (std::isfinite(offset)) feet.push_back({S, offset, true});
  }
  return feet;
}

Foot NearestFoot(const LineElement& e, Point p) {
  Foot best;
  for (const Foot& f : AllFeet(e, p))
    if (!best.settled || std::fabs(f.offset) < std::fabs(best.offset)) best = f;
  return best;
}

}  // namespace tarnvel
