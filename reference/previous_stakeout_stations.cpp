#include "previous_stakeout_stations.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/element/element_kind.h"
#include "core/route/route_joints.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"

namespace tarnvel::previous {

namespace {

// Two stations this close are one row of a table: a key point met by a
// whole multiple, or a range's end a hair from one.
constexpr double kSameStation = 1e-6;

// A table beyond this many stations would only exhaust the memory; a step of
// a millimetre still covers 10 km.
constexpr long kMaxTableStations = 10'000'000;

// The stations n·spacing for n from `first` to `last`. A single station K is
// the run {1, 1, K}.
struct Run {
  double first = 0, last = 0;  // whole numbers, exact in a double
  double spacing = 0;
  double Count() const { return last >= first ? last - first + 1 : 0; }
};

// The whole multiples of `spacing` within [lo, hi].
Run Multiples(double lo, double hi, double spacing) {
  return {std::ceil(lo / spacing), std::floor(hi / spacing), spacing};
}

// One kind of station in ascending order: the range's ends, the key points,
// the step's multiples or the curve step's.
using Stations = std::vector<Run>;

// `to` within the end tolerance past an end of the route is that end.
StakeoutRange Clamped(const Route& route, StakeoutRange r) {
  const double start = RouteStart(route);
  const double end = RouteEnd(route);
  if (r.to > end && r.to - end <= r.positionTolerance) r.to = end;
  if (r.to < start && start - r.to <= r.positionTolerance) r.to = start;
  return r;
}

double Lowest(const StakeoutRange& r) {
  return std::min(r.from, r.to);
}
double Highest(const StakeoutRange& r) {
  return std::max(r.from, r.to);
}

// All the route's elements, as one branch.
RouteBranch Whole(const Route& route) {
  return {0, static_cast<int>(route.loaded.size()) - 1};
}

// The curve step's multiples within each stretch of arcs and spirals of the
// branch that meets the range, the stretches joined where they touch.
Stations CurveMultiples(const Route& route, const RouteBranch& branch, const StakeoutRange& r) {
  Stations runs;
  if (!(r.curveStep > 0)) return runs;
  std::vector<std::pair<double, double>> stretches;
  for (int i = branch.first; i <= branch.last; ++i) {
    const LineElement& e = route.loaded[static_cast<size_t>(i)];
    const double lo = std::max(Lowest(r), e.K0);
    const double hi = std::min(Highest(r), e.K1);
    if (KindOf(e) != ElementKind::Straight && lo <= hi) stretches.emplace_back(lo, hi);
  }
  std::sort(stretches.begin(), stretches.end());
  for (size_t i = 0; i < stretches.size();) {
    auto [lo, hi] = stretches[i];
    for (++i; i < stretches.size() && stretches[i].first <= hi; ++i)
      hi = std::max(hi, stretches[i].second);
    runs.push_back(Multiples(lo, hi, r.curveStep));
  }
  return runs;
}

Stations KeyStations(const Route& route, const RouteBranch& branch, const StakeoutRange& r) {
  std::vector<double> keys;
  if (r.keyPoints)
    for (const KeyPoint& p : KeyPoints(route))
      if (branch.first < p.element && p.element <= branch.last + 1 && Lowest(r) <= p.station &&
          p.station <= Highest(r))
        keys.push_back(p.station);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  Stations runs;
  for (double K : keys) runs.push_back({1, 1, K});
  return runs;
}

double Count(const Stations& runs) {
  double count = 0;
  for (const Run& run : runs) count += run.Count();
  return count;
}

// Walks one kind of station in the table's direction.
class Cursor {
 public:
  Cursor(Stations runs, bool ascending) : runs_(std::move(runs)), ascending_(ascending) {
    if (!ascending_) std::reverse(runs_.begin(), runs_.end());
    run_ = 0;
    Settle();
  }
  bool done() const { return run_ >= runs_.size(); }
  double head() const { return n_ * runs_[run_].spacing; }
  void Advance() {
    n_ += ascending_ ? 1 : -1;
    if (ascending_ ? n_ > runs_[run_].last : n_ < runs_[run_].first) {
      ++run_;
      Settle();
    }
  }

 private:
  // Onto the first station of the next run that has any.
  void Settle() {
    while (run_ < runs_.size() && runs_[run_].Count() == 0) ++run_;
    if (run_ < runs_.size()) n_ = ascending_ ? runs_[run_].first : runs_[run_].last;
  }

  Stations runs_;
  bool ascending_;
  size_t run_ = 0;
  double n_ = 0;
};

StationRefusal OutsideRoute(const Route& route, const std::string& what) {
  return {what + "超出线路范围（" + FixedText(RouteStart(route), 3) + "～" +
          FixedText(RouteEnd(route), 3) + "）！"};
}

StationRefusal TooManyStations(const std::string& what) {
  return {what + "太小，计算点数超过" + std::to_string(kMaxTableStations) + "个！"};
}

// The branch of the route's `pass`-th pass over K, counted in route order
// among the branches holding K (ends included); nothing when fewer hold it.
std::optional<size_t> BranchOf(const Route& route, const std::vector<RouteBranch>& branches,
                               double K, int pass) {
  for (size_t b = 0; b < branches.size(); ++b)
    if (route.loaded[static_cast<size_t>(branches[b].first)].K0 <= K &&
        K <= route.loaded[static_cast<size_t>(branches[b].last)].K1 && --pass == 0)
      return b;
  return std::nullopt;
}

// The refusal of a pass that no branch makes: "“起点K”K1+190.000_3：线路只经过该桩号2次！".
std::optional<StationRefusal> PassRefusal(const Route& route,
                                          const std::vector<RouteBranch>& branches,
                                          const std::string& what, double K, int pass) {
  if (pass == 1 || BranchOf(route, branches, K, pass)) return std::nullopt;
  int passes = 0;
  while (BranchOf(route, branches, K, passes + 1)) ++passes;
  return StationRefusal{what + KStationText(K) + "_" + std::to_string(pass) + "：线路只经过该桩号" +
                        std::to_string(passes) + "次！"};
}

}  // namespace

std::optional<StationRefusal> RangeRefusal(const Route& route, const StakeoutRange& range) {
  const StakeoutRange r = Clamped(route, range);
  const double start = RouteStart(route);
  const double end = RouteEnd(route);
  if (!(r.from >= start && r.from <= end)) return OutsideRoute(route, "“起点K”");
  if (!(r.to >= start && r.to <= end)) return OutsideRoute(route, "“止点K”");
  const std::vector<RouteBranch> branches = Branches(route);
  if (auto refusal = PassRefusal(route, branches, "“起点K”", r.from, r.fromPass)) return refusal;
  if (auto refusal = PassRefusal(route, branches, "“止点K”", r.to, r.toPass)) return refusal;
  if (!std::isfinite(r.step) || r.step == 0) return StationRefusal{"“计算间距J”必须是不为零的数！"};
  if (r.from != r.to && (r.step > 0) != (r.to > r.from))
    return StationRefusal{"“计算间距J”的正负与起点K到止点K的方向不符！"};
  const double largest = std::max(std::fabs(r.from), std::fabs(r.to));
  if (largest + std::fabs(r.step) == largest)
    return StationRefusal{"“计算间距J”太小，里程无法前进！"};
  if (std::fabs(r.to - r.from) / std::fabs(r.step) > kMaxTableStations)
    return TooManyStations("“计算间距J”");
  if (!(r.curveStep >= 0 && std::isfinite(r.curveStep)))
    return StationRefusal{"“曲线间距”必须是正数！"};
  if (Count(CurveMultiples(route, Whole(route), r)) > kMaxTableStations)
    return TooManyStations("“曲线间距”");
  return std::nullopt;
}

double RangeStationCount(const Route& route, const StakeoutRange& range) {
  const StakeoutRange r = Clamped(route, range);
  if (r.step == 0 && r.from != r.to) return std::numeric_limits<double>::infinity();
  if (!(r.from == r.to || (r.step > 0) == (r.to > r.from))) return 0;
  const double step = Multiples(Lowest(r), Highest(r), std::fabs(r.step)).Count();
  if (!std::isfinite(r.step) || !std::isfinite(step)) return 0;
  return 2 * static_cast<double>(Branches(route).size()) + step +
         Count(KeyStations(route, Whole(route), r)) + Count(CurveMultiples(route, Whole(route), r));
}

namespace {

// The stations of a range that lies within one branch; false once `station`
// ends the walk.
bool WalkBranch(const Route& route, const RouteBranch& branch, const StakeoutRange& range,
                const std::function<bool(double, const RouteBranch&)>& station) {
  const StakeoutRange& r = range;
  const bool ascending = r.step > 0;
  Stations ends{{1, 1, Lowest(r)}};
  if (r.to != r.from) ends.push_back({1, 1, Highest(r)});
  // In order of precedence: of stations within kSameStation of each other,
  // the first kind's is given.
  Cursor cursors[] = {Cursor(KeyStations(route, branch, r), ascending), Cursor(ends, ascending),
                      Cursor({Multiples(Lowest(r), Highest(r), std::fabs(r.step))}, ascending),
                      Cursor(CurveMultiples(route, branch, r), ascending)};
  for (;;) {
    bool any = false;
    double next = 0;
    for (const Cursor& c : cursors)
      if (!c.done() && (!any || (ascending ? c.head() < next : c.head() > next))) {
        next = c.head();
        any = true;
      }
    if (!any) return true;
    std::optional<double> given;
    for (Cursor& c : cursors)
      if (!c.done() && std::fabs(c.head() - next) <= kSameStation) {
        if (!given) given = c.head();
        c.Advance();
      }
    if (!station(*given, branch)) return false;
  }
}

}  // namespace

void ForEachRangeStation(const Route& route, const StakeoutRange& range,
                         const std::function<bool(double, const RouteBranch&)>& station) {
  const StakeoutRange r = Clamped(route, range);
  const std::vector<RouteBranch> branches = Branches(route);
  auto start = [&](size_t b) { return route.loaded[static_cast<size_t>(branches[b].first)].K0; };
  auto end = [&](size_t b) { return route.loaded[static_cast<size_t>(branches[b].last)].K1; };
  // A station that two branches hold is the first's, unless its pass says
  // otherwise.
  auto branchOf = [&](double K, int pass) {
    return BranchOf(route, branches, K, pass).value_or(branches.size() - 1);
  };
  const bool ascending = r.step > 0;
  const size_t first = branchOf(r.from, r.fromPass);
  size_t last = branchOf(r.to, r.toPass);
  if (ascending ? last < first : last > first) last = first;
  // In route order from the start's branch to the end's, or back.
  for (size_t b = first;; b = ascending ? b + 1 : b - 1) {
    StakeoutRange part = r;
    if (b != first) part.from = ascending ? start(b) : end(b);
    if (b != last) part.to = ascending ? end(b) : start(b);
    if (!WalkBranch(route, branches[b], part, station) || b == last) return;
  }
}

}  // namespace tarnvel::previous
