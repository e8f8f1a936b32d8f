#include "core/route/route_joints.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <utility>

#include "core/element/centre_line.h"

namespace tarnvel {

namespace {

constexpr double kMillimetresPerMetre = 1000;
constexpr double kSecondsPerDegree = 3600;
constexpr double kSecondsPerTurn = 360 * kSecondsPerDegree;
using Side = ElementKind;

// Azimuth difference in seconds reduced to (−648000, 648000].
double ReducedSeconds(double seconds) {
  double r = std::fmod(seconds, kSecondsPerTurn);
  if (r > kSecondsPerTurn / 2) r -= kSecondsPerTurn;
  if (r <= -kSecondsPerTurn / 2) r += kSecondsPerTurn;
  return r;
}

// Whether the stations at the joint after element `left` (0-based) are the
// declared 断链 `equation`, each station within the position tolerance.
bool Matches(const Route& route, size_t left, const StationEquation& equation,
             const JointTolerances& tolerances) {
  const double tolerance = tolerances.position_mm / kMillimetresPerMetre;
  return std::fabs(route.loaded[left].K1 - equation.back) <= tolerance &&
         std::fabs(route.loaded[left + 1].K0 - equation.ahead) <= tolerance;
}

// The declarations whose 等号前桩号 may lie within `tolerance` of K: a
// search of `byBack` (declaration indices in order of that station), the
// window widened a little against the rounding of K ± tolerance, so that
// Matches decides every one that can match.
std::pair<size_t, size_t> NearBack(const Route& route, const std::vector<size_t>& byBack, double K,
                                   double tolerance) {
  const double reach = tolerance + (std::fabs(K) + tolerance) * 1e-12;
  auto back = [&](size_t e) { return route.equations[e].back; };
  const auto lo = std::lower_bound(byBack.begin(), byBack.end(), K - reach,
                                   [&](size_t e, double v) { return back(e) < v; });
  const auto hi = std::upper_bound(lo, byBack.end(), K + reach,
                                   [&](double v, size_t e) { return v < back(e); });
  return {static_cast<size_t>(lo - byBack.begin()), static_cast<size_t>(hi - byBack.begin())};
}

// The joint whose K1 is nearest `back`, the first in route order of those
// equally near: a search of `byEnd` (joint indices in order of K1, then
// index), looking either way from `back` through the joints whose distance
// equals the nearest one's.
size_t NearestJoint(const Route& route, const std::vector<size_t>& byEnd, double back) {
  if (std::isnan(back)) return 0;  // as near as any: the first
  auto distance = [&](size_t i) { return std::fabs(route.loaded[i].K1 - back); };
  const auto split = std::lower_bound(byEnd.begin(), byEnd.end(), back,
                                      [&](size_t i, double v) { return route.loaded[i].K1 < v; });
  double nearest = INFINITY;
  if (split != byEnd.end()) nearest = distance(*split);
  if (split != byEnd.begin()) nearest = std::min(nearest, distance(*std::prev(split)));
  size_t best = SIZE_MAX;
  for (auto it = split; it != byEnd.end() && distance(*it) == nearest; ++it)
    best = std::min(best, *it);
  for (auto it = split; it != byEnd.begin() && distance(*std::prev(it)) == nearest; --it)
    best = std::min(best, *std::prev(it));
  return best;
}

// Holds each jump to the route's declared 断链 and each declaration to the
// joints, marking the joints at fault 超限. Declarations and joints are
// sorted by station and searched, so that a route of many 断链 is checked
// in about the time of one without.
void CheckEquations(const Route& route, const JointTolerances& tolerances,
                    std::vector<Joint>& joints) {
  const double tolerance = tolerances.position_mm / kMillimetresPerMetre;
  // One that is not a number matches nothing and has no place in the order.
  std::vector<size_t> byBack;
  for (size_t e = 0; e < route.equations.size(); ++e)
    if (!std::isnan(route.equations[e].back)) byBack.push_back(e);
  std::stable_sort(byBack.begin(), byBack.end(), [&](size_t a, size_t b) {
    return route.equations[a].back < route.equations[b].back;
  });
  std::vector<bool> matched(route.equations.size(), false);
  for (size_t i = 0; i < joints.size(); ++i) {
    const auto [lo, hi] = NearBack(route, byBack, route.loaded[i].K1, tolerance);
    size_t first = SIZE_MAX;  // the first declaration in the file's order
    for (size_t n = lo; n < hi; ++n) {
      const size_t e = byBack[n];
      if (!Matches(route, i, route.equations[e], tolerances)) continue;
      first = std::min(first, e);
      matched[e] = true;
    }
    if (first != SIZE_MAX) joints[i].equation = static_cast<int>(first + 1);
    joints[i].undeclared = joints[i].jump && joints[i].equation == 0;
    if (joints[i].undeclared) joints[i].closed = false;
  }
  if (joints.empty()) return;
  std::vector<size_t> byEnd(joints.size());
  std::iota(byEnd.begin(), byEnd.end(), size_t{0});
  std::stable_sort(byEnd.begin(), byEnd.end(),
                   [&](size_t a, size_t b) { return route.loaded[a].K1 < route.loaded[b].K1; });
  for (size_t e = 0; e < route.equations.size(); ++e) {
    if (matched[e]) continue;
    const size_t nearest = NearestJoint(route, byEnd, route.equations[e].back);
    joints[nearest].unmatched.push_back(route.equations[e]);
    joints[nearest].closed = false;
  }
}

}  // namespace

std::string_view JointLabel(const LineElement& left, const LineElement& right) {
  const Side l = KindOf(left);
  const Side r = KindOf(right);
  const double end = EndCurvature(left);       // what the left side ends with
  const double start = StartCurvature(right);  // what the right side begins with
  // A spiral that ends (or starts) at an infinite radius lies on the tangent
  // there; one that ends at a finite radius meets only an arc of that radius.
  const bool leftToTangent = l == Side::Spiral && end == 0;
  const bool rightFromTangent = r == Side::Spiral && start == 0;
  if (l == Side::Straight) {
    if (r == Side::Straight) return "";
    if (rightFromTangent) return "ZH";
    if (r == Side::Arc) return "ZY";
  } else if (l == Side::Arc) {
    if (r == Side::Straight) return "YZ";
    if (rightFromTangent) return "YZ/ZH";
    if (r == Side::Spiral && SameCurvature(end, start)) return "YH";
  } else if (leftToTangent) {
    if (r == Side::Straight) return "HZ";
    if (r == Side::Arc) return "HZ/ZY";
    if (rightFromTangent) return "HZ/ZH";
  } else if (r == Side::Arc && SameCurvature(end, start)) {
    return "HY";
  }
  return "GQ";
}

std::string_view KeyPointLabel(const Route& route, int index, double K) {
  const LineElement& e = route.loaded[static_cast<size_t>(index)];
  if (K == e.K0) return index == 0 ? "起点" : JointLabel(route.loaded[index - 1], e);
  if (K == e.K1 && static_cast<size_t>(index) + 1 == route.loaded.size()) return "终点";
  if (K == e.K0 + (e.K1 - e.K0) / 2 && KindOf(e) == Side::Arc) return "QZ";
  return "";
}

std::vector<KeyPoint> KeyPoints(const Route& route) {
  std::vector<KeyPoint> points;
  const int count = static_cast<int>(route.loaded.size());
  for (int i = 0; i < count; ++i) {
    const LineElement& e = route.loaded[static_cast<size_t>(i)];
    const double middle = e.K0 + (e.K1 - e.K0) / 2;
    for (double K : {e.K0, middle, e.K1}) {
      const std::string_view label = KeyPointLabel(route, i, K);
      if (!label.empty()) points.push_back({K, i + 1, std::string(label)});
    }
  }
  return points;
}

std::vector<Joint> CheckJoints(const Route& route, const JointTolerances& tolerances) {
  std::vector<Joint> joints;
  if (route.loaded.size() < 2) return joints;
  joints.reserve(route.loaded.size() - 1);
  for (size_t i = 0; i + 1 < route.loaded.size(); ++i) {
    const LineElement& left = route.loaded[i];
    const LineElement& right = route.loaded[i + 1];
    const ForwardResult end = ForwardPoint(left, left.K1, 0, 90);
    Joint j;
    j.left = static_cast<int>(i + 1);
    j.dK = right.K0 - left.K1;
    j.dX_mm = (right.X0 - end.point.X) * kMillimetresPerMetre;
    j.dY_mm = (right.Y0 - end.point.Y) * kMillimetresPerMetre;
    j.d_mm = std::hypot(j.dX_mm, j.dY_mm);
    j.daz_sec = ReducedSeconds((right.F - end.azimuth) * kSecondsPerDegree);
    j.curvatureEnd = EndCurvature(left);
    j.curvatureStart = StartCurvature(right);
    j.curvatureJump = !SameCurvature(j.curvatureEnd, j.curvatureStart);
    j.label = std::string(JointLabel(left, right));
    // Written so that a result that is not a number is 超限, never 闭合.
    j.closed = j.d_mm <= tolerances.position_mm && std::fabs(j.daz_sec) <= tolerances.azimuth_sec;
    j.jump = !(std::fabs(j.dK) * kMillimetresPerMetre <= tolerances.position_mm);
    joints.push_back(std::move(j));
  }
  if (!route.equations.empty()) CheckEquations(route, tolerances, joints);
  return joints;
}

}  // namespace tarnvel
