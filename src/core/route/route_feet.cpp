#include "core/route/route_feet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "core/cpu/vector_state.h"
#include "core/element/element_feet.h"
#include "core/text/angle.h"

namespace tarnvel {

namespace {

// An end residual this far from zero is no foot, even allowing for the last
// bits of the cached end tangents (AllFeet takes 1e-7 m at an end as one).
constexpr double kEndResidual = 1e-6;
// Feet of one joint found from both sides, metres in station and offset.
constexpr double kJointFoot = 0.001;
// Beyond this turn two samples alone say nothing of the feet between them.
constexpr double kMaxSteadyTurn = 1;
// Feet sorted by insertion; a tight coil has thousands.
constexpr size_t kFewFeet = 16;

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
// in route order: from p's cell of the grid when it serves the margin (with
// perhaps one whose box misses p by a hair), else down the tree.
template <class Visit>
void ForEachElementNear(const Route& route, Point p, double margin, Visit visit) {
  if (route.grid.usable() && margin <= route.grid.reach) {
    const Point fromOrigin{p.X - route.grid.originX, p.Y - route.grid.originY};
    for (const PlanGrid::Entry& entry : route.grid.ElementsAt(p))
      if (entry.Near(fromOrigin, margin)) visit(entry.element);
    return;
  }
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

// The foot of a point up to `endTolerance` before the route's start (or
// past its end): at that end, with the offset square to its tangent there.
// Nothing farther out, or where the point lies square to the end already.
std::optional<RouteFoot> FootPastEnd(const Route& route, Point p, double maxOffset,
                                     double endTolerance, bool start) {
  const size_t i = start ? 0 : route.loaded.size() - 1;
  const LineElement& e = route.loaded[i];
  const double K = start ? e.K0 : e.K1;
  // The route's first and last samples are its ends, kept to spare the sums.
  CentreLineSample end{K, {}, {}};
  if (route.firstSample.size() == route.loaded.size() + 1) {
    end = start ? route.samples.front() : route.samples.back();
  } else {
    const double az = QXFWJ(e, K);
    end = {K, CentreLinePoint(e, K), {CosDeg(az), SinDeg(az)}};
  }
  const double dx = p.X - end.point.X;
  const double dy = p.Y - end.point.Y;
  const double along = dx * end.tangent.X + dy * end.tangent.Y;
  const double offset = dy * end.tangent.X - dx * end.tangent.Y;
  const double beyond = start ? -along : along;
  if (!(beyond > 0 && beyond <= endTolerance && std::fabs(offset) <= maxOffset))
    return std::nullopt;
  return RouteFoot{static_cast<int>(i + 1), K, offset};
}

}  // namespace

std::vector<RouteFoot> RouteFeet(const Route& route, Point p, double maxOffset,
                                 double endTolerance) {
  ClearUpperVectorState();
  std::vector<RouteFoot> feet;
  feet.reserve(4);
  if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !(maxOffset >= 0)) return feet;

  ForEachElementNear(route, p, maxOffset, [&](size_t i) {
    const LineElement& e = route.loaded[i];
    std::span<const CentreLineSample> samples;
    if (route.firstSample.size() == route.loaded.size() + 1) {
      samples = std::span(route.samples)
                    .subspan(route.firstSample[i], route.firstSample[i + 1] - route.firstSample[i]);
      if (NoFootBetweenSamples(e, samples, p, maxOffset)) return;
    }
    const std::vector<Foot> found = route.prepared.size() == route.loaded.size()
                                        ? AllFeet(e, route.prepared[i], p, samples)
                                        : AllFeet(e, p);
    for (const Foot& f : found)
      if (std::fabs(f.offset) <= maxOffset)
        feet.push_back({static_cast<int>(i + 1), f.station, f.offset});
  });

  // A point square to a joint is found at the end of one element and the
  // start of the next; it is one foot, on the element that starts there.
  const auto twinned = [&](const RouteFoot& f) {
    const auto i = static_cast<size_t>(f.element - 1);
    if (!(i + 1 < route.loaded.size() && route.loaded[i].K1 - f.station <= kJointFoot))
      return false;
    const double nextStart = route.loaded[i + 1].K0;
    return std::any_of(feet.begin(), feet.end(), [&](const RouteFoot& g) {
      return g.element == f.element + 1 && g.station - nextStart <= kJointFoot &&
             std::fabs(g.offset - f.offset) <= kJointFoot;
    });
  };
  if (std::any_of(feet.begin(), feet.end(), twinned)) {
    std::vector<RouteFoot> kept;
    kept.reserve(feet.size());
    for (const RouteFoot& f : feet)
      if (!twinned(f)) kept.push_back(f);
    feet = std::move(kept);
  }

  // A point written at the route's start to the tenth of a millimetre may
  // lie a hair before it: its foot is at the start, as a range's end that
  // far past the route's is the route's end.
  if (endTolerance > 0 && !route.loaded.empty())
    for (const bool start : {true, false})
      if (const auto foot = FootPastEnd(route, p, maxOffset, endTolerance, start))
        if (std::none_of(feet.begin(), feet.end(), [&](const RouteFoot& f) {
              return f.element == foot->element &&
                     std::fabs(f.station - foot->station) <= kJointFoot;
            }))
          feet.push_back(*foot);

  // Nearest first. For the handful of feet a point has, insertion keeps
  // equals in order as the stable sort does, without the buffer it takes.
  const auto before = [](const RouteFoot& a, const RouteFoot& b) {
    const double da = std::fabs(a.offset);
    const double db = std::fabs(b.offset);
    return da != db ? da < db : a.station < b.station;
  };
  if (feet.size() > kFewFeet) {
    std::stable_sort(feet.begin(), feet.end(), before);
    return feet;
  }
  for (size_t j = 1; j < feet.size(); ++j)
    for (size_t k = j; k > 0 && before(feet[k], feet[k - 1]); --k) std::swap(feet[k], feet[k - 1]);
  return feet;
}

}  // namespace tarnvel
