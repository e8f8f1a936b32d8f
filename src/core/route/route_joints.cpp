#include "route_joints.h"

#include <cmath>

#include "centre_line.h"

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

// Holds each jump to the route's declared 断链 and each declaration to the
// joints, marking the joints at fault 超限.
void CheckEquations(const Route& route, const JointTolerances& tolerances,
                    std::vector<Joint>& joints) {
  std::vector<bool> matched(route.equations.size(), false);
  for (size_t i = 0; i < joints.size(); ++i) {
    for (size_t e = 0; e < route.equations.size(); ++e) {
      if (!Matches(route, i, route.equations[e], tolerances)) continue;
      if (joints[i].equation == 0) joints[i].equation = static_cast<int>(e + 1);
      matched[e] = true;
    }
    joints[i].undeclared = joints[i].jump && joints[i].equation == 0;
    if (joints[i].undeclared) joints[i].closed = false;
  }
  for (size_t e = 0; e < route.equations.size(); ++e) {
    if (matched[e] || joints.empty()) continue;
    const double back = route.equations[e].back;
    size_t nearest = 0;
    for (size_t i = 1; i < joints.size(); ++i)
      if (std::fabs(route.loaded[i].K1 - back) < std::fabs(route.loaded[nearest].K1 - back))
        nearest = i;
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
