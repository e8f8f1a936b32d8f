#include "previous_route_joints.h"

#include <cmath>

#include "core/element/centre_line.h"

namespace tarnvel::previous {

namespace {

constexpr double kMillimetresPerMetre = 1000;
constexpr double kSecondsPerDegree = 3600;
constexpr double kSecondsPerTurn = 360 * kSecondsPerDegree;

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

}  // namespace tarnvel::previous
