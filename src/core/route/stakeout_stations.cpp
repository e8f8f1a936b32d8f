#include "core/route/stakeout_stations.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/element/element_kind.h"
#include "core/route/route_joints.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"

namespace tarnvel {

namespace {

// Two stations this close are one row of a table: a key point met by a
// whole multiple, or a range's end a hair from one.
constexpr double kSameStation = 1e-6;

// A table beyond this many stations would only exhaust the memory; a step of
// a millimetre still covers 10 km.
constexpr long kMaxTableStations = 10'000'000;

// Beyond 2^53 a whole number plus one is itself: multiples counted that far
// could not be walked one after another.
constexpr double kLargestWalkable = 9007199254740992.0;

// The stations n·spacing for n from `first` to `last`. A single station K is
// the run {1, 1, K}.
struct Run {
  double first = 0, last = 0;  // whole numbers, exact in a double
  double spacing = 0;
  // Infinite when the multiples cannot be walked: a spacing so small that
  // their count overflowed (to infinity, or to infinity less infinity), or
  // passed 2^53. Every cap then refuses them.
  double Count() const {
    if (!(std::fabs(first) <= kLargestWalkable && std::fabs(last) <= kLargestWalkable))
      return std::numeric_limits<double>::infinity();
    return last >= first ? last - first + 1 : 0;
  }
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

// A key point as a range stakes it: with those the position tolerance after
// it along the branch, their labels joined to its own ("YZ/ZH").
struct StakedKey {
  double station = 0;
  std::string label;
};

// The key points of the branch within the range, ascending, from `keys`
// (KeyPoints, in route order, so the branch's lie together). Key points
// that sub-millimetre elements put within the position tolerance of one
// another are one row, at the first.
std::vector<StakedKey> KeyStations(const std::vector<KeyPoint>& keys, const RouteBranch& branch,
                                   const StakeoutRange& r) {
  // KeyPoint::element is 1-based.
  auto key = std::lower_bound(keys.begin(), keys.end(), branch.first + 1,
                              [](const KeyPoint& p, int element) { return p.element < element; });
  std::vector<const KeyPoint*> inside;
  for (; key != keys.end() && key->element <= branch.last + 1; ++key)
    if (Lowest(r) <= key->station && key->station <= Highest(r)) inside.push_back(&*key);
  std::stable_sort(inside.begin(), inside.end(),
                   [](const KeyPoint* a, const KeyPoint* b) { return a->station < b->station; });
  std::vector<StakedKey> staked;
  for (const KeyPoint* p : inside) {
    if (!staked.empty() && p->station - staked.back().station <= r.positionTolerance)
      staked.back().label += "/" + p->label;
    else
      staked.push_back({p->station, p->label});
  }
  return staked;
}

Stations Runs(const std::vector<StakedKey>& keys) {
  Stations runs;
  for (const StakedKey& key : keys) runs.push_back({1, 1, key.station});
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

// Hands `part` each branch the range crosses, in the walk's order, with the
// stretch of the range on it: the range's own start and end on the branches
// that hold them, the branch's ends between.
template <class Part>
void ForEachPart(const Route& route, const std::vector<RouteBranch>& branches,
                 const StakeoutRange& r, Part part) {
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
    StakeoutRange stretch = r;
    if (b != first) stretch.from = ascending ? start(b) : end(b);
    if (b != last) stretch.to = ascending ? end(b) : start(b);
    if (!part(branches[b], stretch) || b == last) return;
  }
}

}  // namespace

StakeoutRange RangeOf(const RouteTableRequest& request) {
  return {request.from,      request.to,        request.step,
          request.keyPoints, request.curveStep, request.positionTolerance,
          request.fromPass,  request.toPass};
}

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
  // Counted as the walk takes them, branch by branch, and written so that
  // a count that is not a number is refused too.
  double step = 0, curve = 0;
  ForEachPart(route, branches, r, [&](const RouteBranch& branch, const StakeoutRange& part) {
    step += Multiples(Lowest(part), Highest(part), std::fabs(part.step)).Count();
    curve += Count(CurveMultiples(route, branch, part));
    return true;
  });
  if (!std::isfinite(step)) return TooManyStations("“计算间距J”");
  if (!(curve <= kMaxTableStations)) return TooManyStations("“曲线间距”");
  return std::nullopt;
}

std::vector<RouteBranch> Branches(const Route& route) {
  std::vector<RouteBranch> branches;
  const int count = static_cast<int>(route.loaded.size());
  for (int i = 0; i < count; ++i) {
    if (i == 0 ||
        route.loaded[static_cast<size_t>(i)].K0 < route.loaded[static_cast<size_t>(i) - 1].K1)
      branches.push_back({i, i});
    branches.back().last = i;
  }
  return branches;
}

namespace {

// Whether an element of the branch holds K, which lies within the branch's
// stations: only one in a 短链 gap has no element, and gives no row. The
// branch's elements run in station order, so the one that may is found by
// a search.
bool BranchHolds(const Route& route, const RouteBranch& branch, double K) {
  const auto first = route.loaded.begin() + branch.first;
  const auto last = route.loaded.begin() + branch.last + 1;
  const auto after =
      std::upper_bound(first, last, K, [](double k, const LineElement& e) { return k < e.K0; });
  return after != first && K <= std::prev(after)->K1;
}

// The stations of a range that lies within one branch; false once `station`
// ends the walk.
bool WalkBranch(const Route& route, const std::vector<KeyPoint>& keyPoints,
                const RouteBranch& branch, const StakeoutRange& range,
                const std::function<bool(double, const RouteBranch&, std::string_view)>& station) {
  const StakeoutRange& r = range;
  const bool ascending = r.step > 0;
  Stations ends{{1, 1, Lowest(r)}};
  if (r.to != r.from) ends.push_back({1, 1, Highest(r)});
  std::vector<StakedKey> keys = KeyStations(keyPoints, branch, r);
  // In order of precedence: of stations within kSameStation of each other,
  // the first kind's is given.
  Cursor cursors[] = {Cursor(Runs(keys), ascending), Cursor(ends, ascending),
                      Cursor({Multiples(Lowest(r), Highest(r), std::fabs(r.step))}, ascending),
                      Cursor(CurveMultiples(route, branch, r), ascending)};
  if (!ascending) std::reverse(keys.begin(), keys.end());
  size_t key = 0;  // the key cursor's head, in walking order
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
    std::string_view label;
    for (Cursor& c : cursors)
      if (!c.done() && std::fabs(c.head() - next) <= kSameStation) {
        if (&c == &cursors[0]) label = keys[key++].label;
        if (!given) given = c.head();
        c.Advance();
      }
    if (!station(*given, branch, label)) return false;
  }
}

}  // namespace

void ForEachRangeStation(
    const Route& route, const StakeoutRange& range,
    const std::function<bool(double, const RouteBranch&, std::string_view)>& station) {
  const std::vector<KeyPoint> keys = range.keyPoints ? KeyPoints(route) : std::vector<KeyPoint>{};
  ForEachPart(route, Branches(route), Clamped(route, range),
              [&](const RouteBranch& branch, const StakeoutRange& part) {
                return WalkBranch(route, keys, branch, part, station);
              });
}

double RangeStationCount(const Route& route, const StakeoutRange& range, double atMost) {
  if (!RangeRefusal(route, range)) {
    double count = 0;
    ForEachRangeStation(route, range, [&](double K, const RouteBranch& branch, std::string_view) {
      if (BranchHolds(route, branch, K)) ++count;
      return count <= atMost;
    });
    return count;
  }
  // Refused: as many as the range's ends, multiples and key points could
  // give, so that a caller judging the size first still refuses the huge.
  const StakeoutRange r = Clamped(route, range);
  if (r.step == 0 && r.from != r.to) return std::numeric_limits<double>::infinity();
  if (!(r.from == r.to || (r.step > 0) == (r.to > r.from))) return 0;
  const double step = Multiples(Lowest(r), Highest(r), std::fabs(r.step)).Count();
  if (!std::isfinite(r.step) || !std::isfinite(step)) return 0;
  return 2 * static_cast<double>(Branches(route).size()) + step +
         static_cast<double>(r.keyPoints ? KeyPoints(route).size() : 0) +
         Count(CurveMultiples(route, Whole(route), r));
}

}  // namespace tarnvel
