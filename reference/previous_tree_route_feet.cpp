// The inverse on a route as it stood when every search for the elements
// near a point descended the box tree, frozen: see previous_route.h. The
// stepped inverse searched the same way over its own AllFeet.
#include <algorithm>
#include <cmath>
#include <span>

#include "core/element/element_feet.h"
#include "previous_route.h"

namespace tarnvel::previous {

namespace {

// An end residual this far from zero is no foot, even allowing for the last
// bits of the cached end tangents (AllFeet takes 1e-7 m at an end as one).
constexpr double kEndResidual = 1e-6;
// Feet of one joint found from both sides, metres in station and offset.
constexpr double kJointFoot = 0.001;
// Beyond this turn two samples alone say nothing of the feet between them.
constexpr double kMaxSteadyTurn = 1;

double Along(Point p, Point c, Point tangent) {
  return (p.X - c.X) * tangent.X + (p.Y - c.Y) * tangent.Y;
}

// Whether the samples of element e show that it has no foot of p within
// maxOffset. The along-tangent residual falls at a rate of 1 less the
// curvature times the offset. Over a stretch of length h turning at most
// 1 rad, the line strays from any of its tangents by at most k·h²/2 (k the
// largest curvature); a foot within maxOffset there keeps k·|offset| below a
// half along the stretch if k·(k·h²/2 + maxOffset) < 1/2. The residual then
// falls along the whole stretch, and a foot needs it to change sign between
// the stretch's ends. Most elements near a point are dismissed so, from a
// few products, before any search.
bool NoFootBetweenSamples(const LineElement& e, std::span<const CentreLineSample> samples, Point p,
                          double maxOffset) {
  const double h = (e.K1 - e.K0) / static_cast<double>(samples.size() - 1);
  // Unsigned and whatever Q is: the tangent turns with the radii even on an
  // element whose Q of 0 keeps its position straight.
  const double k = std::max(std::fabs(1 / e.RQ), std::fabs(1 / e.RN));
  if (!(k * h <= kMaxSteadyTurn && k * (k * h * h / 2 + maxOffset) < 0.5)) return false;
  const double first = Along(p, samples.front().point, samples.front().tangent);
  if (!(std::fabs(first) > kEndResidual)) return false;
  for (const CentreLineSample& s : samples.subspan(1)) {
    const double along = Along(p, s.point, s.tangent);
    if (!(std::fabs(along) > kEndResidual) || (along > 0) != (first > 0)) return false;
  }
  return true;
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

template <std::vector<Foot> (*AllFeetOf)(const LineElement&, Point)>
std::vector<RouteFoot> RouteFeetDownTheTree(const Route& route, Point p, double maxOffset) {
  std::vector<RouteFoot> feet;
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !(maxOffset >= 0)) return feet;

  ForEachElementNear(route, p, maxOffset, [&](size_t i) {
    const LineElement& e = route.loaded[i];
    if (route.firstSample.size() == route.loaded.size() + 1 &&
        NoFootBetweenSamples(
            e,
            std::span(route.samples)
                .subspan(route.firstSample[i], route.firstSample[i + 1] - route.firstSample[i]),
            p, maxOffset))
      return;
    for (const Foot& f : AllFeetOf(e, p))
      if (std::fabs(f.offset) <= maxOffset)
        feet.push_back({static_cast<int>(i + 1), f.station, f.offset});
  });

  // A point square to a joint is found at the end of one element and the
  // start of the next; it is one foot, on the element that starts there.
  std::vector<RouteFoot> kept;
  kept.reserve(feet.size());
  for (const RouteFoot& f : feet) {
    const auto i = static_cast<size_t>(f.element - 1);
    const bool atJoint =
        i + 1 < route.loaded.size() && route.loaded[i].K1 - f.station <= kJointFoot;
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

}  // namespace

std::vector<RouteFoot> tree::RouteFeet(const Route& route, Point p, double maxOffset) {
  return RouteFeetDownTheTree<tarnvel::AllFeet>(route, p, maxOffset);
}

std::vector<RouteFoot> stepped::RouteFeet(const Route& route, Point p, double maxOffset) {
  return RouteFeetDownTheTree<stepped::AllFeet>(route, p, maxOffset);
}

}  // namespace tarnvel::previous
