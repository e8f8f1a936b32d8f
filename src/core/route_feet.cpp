#include "route_feet.h"

#include <algorithm>
#include <cmath>

#include "element_feet.h"

namespace tarnvel {

namespace {

// An end residual this far from zero is no foot, even allowing for the last
// bits of the cached end tangents (AllFeet takes 1e-7 m at an end as one).
constexpr double kEndResidual = 1e-6;
// Feet of one joint found from both sides, metres in station and offset.
constexpr double kJointFoot = 0.001;
// Beyond this turn the ends alone say nothing of the feet between them.
constexpr double kMaxSteadyTurn = 1;

double Along(Point p, Point c, Point tangent) {
  return (p.X - c.X) * tangent.X + (p.Y - c.Y) * tangent.Y;
}

// Whether the ends of element e show that it has no foot of p within
// maxOffset. The along-tangent residual falls at a rate of 1 less the
// curvature times the offset. On a line turning at most 1 rad, which strays
// from any of its tangents by at most k·L²/2 (k its largest curvature), a foot
// within maxOffset keeps k·|offset| below a half everywhere: the residual then
// falls along the whole element, and a foot needs it to change sign between
// the ends. Most elements near a point are dismissed so, from two products.
bool NoFootBetweenEnds(const LineElement& e, const ElementEnds& ends, Point p,
                       double maxOffset) {
  const double length = e.K1 - e.K0;
  // Unsigned and whatever Q is: the tangent turns with the radii even on an
  // element whose Q of 0 keeps its position straight.
  const double k = std::max(std::fabs(1 / e.RQ), std::fabs(1 / e.RN));
  if (!(k * length <= kMaxSteadyTurn && k * (k * length * length / 2 + maxOffset) < 0.5))
    return false;
  const double a = Along(p, ends.start, ends.startTangent);
  const double b = Along(p, ends.end, ends.endTangent);
  return (a > kEndResidual && b > kEndResidual) || (a < -kEndResidual && b < -kEndResidual);
}

// Calls visit(i) for every element whose box, widened by `margin`, holds p,
// in route order.
template <class Visit>
void ForEachElementNear(const Route& route, Point p, double margin, Visit visit) {
  const size_t count = route.loaded.size();
  if (route.boxTree.size() < 2 * count) {
    for (size_t i = 0; i < count; ++i) visit(i);
    return;
  }
  const size_t leaves = route.boxTree.size() / 2;
  size_t stack[128];
  size_t top = 0;
  stack[top++] = 1;
  while (top > 0) {
    const size_t j = stack[--top];
    if (!route.boxTree[j].Near(p, margin)) continue;
    if (j >= leaves) {
      if (j - leaves < count) visit(j - leaves);
    } else {
      stack[top++] = 2 * j + 1;
      stack[top++] = 2 * j;
    }
  }
}

}  // namespace

std::vector<RouteFoot> RouteFeet(const Route& route, Point p, double maxOffset) {
  std::vector<RouteFoot> feet;
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !(maxOffset >= 0)) return feet;

  ForEachElementNear(route, p, maxOffset, [&](size_t i) {
    const LineElement& e = route.loaded[i];
    if (i < route.ends.size() && NoFootBetweenEnds(e, route.ends[i], p, maxOffset)) return;
    for (const Foot& f : AllFeet(e, p))
      if (std::fabs(f.offset) <= maxOffset)
        feet.push_back({static_cast<int>(i + 1), f.station, f.offset});
  });

  // A point square to a joint is found at the end of one element and the
  // start of the next; it is one foot, on the element that starts there.
  std::vector<RouteFoot> kept;
  kept.reserve(feet.size());
  for (const RouteFoot& f : feet) {
    const auto i = static_cast<size_t>(f.element - 1);
    const bool atJoint = i + 1 < route.loaded.size() && route.loaded[i].K1 - f.station <= kJointFoot;
    const double nextStart = atJoint ? route.loaded[i + 1].K0 : 0;
    if (atJoint && std::any_of(feet.begin(), feet.end(), [&](const RouteFoot& g) {
          return g.element == f.element + 1 && g.station - nextStart <= kJointFoot &&
                 std::fabs(g.offset - f.offset) <= kJointFoot;
        }))
      continue;
    kept.push_back(f);
  }
  feet = std::move(kept);

  std::stable_sort(feet.begin(), feet.end(), [](const RouteFoot& a, const RouteFoot& b) {
    const double da = std::fabs(a.offset);
    const double db = std::fabs(b.offset);
    return da != db ? da < db : a.station < b.station;
  });
  return feet;
}

}  // namespace tarnvel
