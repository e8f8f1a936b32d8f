#include "core/profile/profile_range.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tarnvel {

namespace {

constexpr double kSameStation = 1e-6;

// Beyond 2^53 a whole number plus one is itself: multiples counted that far
// could not be walked one after another.
constexpr double kLargestWalkable = 9007199254740992.0;

// A curve's end that is its neighbouring PVI's station but for the last
// bits of a sum is at that PVI: one station, with the PVI's elevation and
// grade whichever way the bits fell.
double AtPvi(double end, const Pvi& neighbour) {
  return std::abs(end - neighbour.station) <= kSameStation ? neighbour.station : end;
}

// The profile's key points within [from, to], in station order.
std::vector<ProfileStation> KeyPoints(const VerticalProfile& p, double from, double to) {
  std::vector<ProfileStation> all;
  for (std::size_t k = 0; k < p.pvis.size(); ++k) {
    const bool curve = k > 0 && k + 1 < p.pvis.size() && p.tangents[k] > 0;
    if (curve) all.push_back({AtPvi(CurveStart(p, k), p.pvis[k - 1]), "竖曲线起点"});
    all.push_back({p.pvis[k].station, p.pvis[k].name});
    if (curve) all.push_back({AtPvi(CurveEnd(p, k), p.pvis[k + 1]), "竖曲线终点"});
  }
  std::vector<ProfileStation> inside;
  for (ProfileStation& point : all)
    if (point.station >= from - kSameStation && point.station <= to + kSameStation)
      inside.push_back(std::move(point));
  return inside;
}

// The range's own stations in order, made one at a time so that a range of
// millions holds none of them: its start, every whole multiple of the step
// strictly between (more than 1e-6 m from either end), and its end. The
// multiples are counted, not added up, so that no error gathers along a
// long range.
class RangeStations {
 public:
  RangeStations(double from, double to, double step)
      : to_(to),
        step_(step),
        limit_(from + kSameStation),
        k_(std::floor(from / step) + 1),
        head_(from) {}
  bool done() const { return done_; }
  double head() const { return head_; }
  void Advance() {
    for (;;) {
      if (atEnd_) {
        done_ = true;
        return;
      }
      const double multiple = k_ * step_;
      k_ += 1;
      if (multiple >= to_ - kSameStation) {
        // The end, unless it is the start.
        atEnd_ = true;
        if (to_ > limit_) {
          head_ = to_;
          return;
        }
        continue;
      }
      if (multiple > limit_) {
        head_ = multiple;
        return;
      }
    }
  }

 private:
  double to_, step_, limit_;
  double k_;
  double head_;
  bool atEnd_ = false, done_ = false;
};

}  // namespace

double ProfileRangeStationCount(double from, double to, double step) {
  const double first = std::floor(from / step) + 1;
  const double last = std::floor(to / step);
  if (!(std::fabs(first) <= kLargestWalkable && std::fabs(last) <= kLargestWalkable))
    return std::numeric_limits<double>::infinity();
  return 2 + std::max(0.0, last - first + 1);
}

void ForEachProfileRangeStation(const VerticalProfile& profile, double from, double to, double step,
                                bool keyPoints,
                                const std::function<bool(ProfileStation&&)>& station) {
  RangeStations plain(from, to, step);
  const std::vector<ProfileStation> keys =
      keyPoints ? KeyPoints(profile, from, to) : std::vector<ProfileStation>{};
  std::size_t j = 0;
  while (!plain.done() || j < keys.size()) {
    if (j < keys.size() && (plain.done() || keys[j].station <= plain.head() + kSameStation)) {
      // A key point takes the range's station it stands on.
      if (!plain.done() && std::abs(keys[j].station - plain.head()) <= kSameStation)
        plain.Advance();
      if (!station(ProfileStation(keys[j++]))) return;
    } else {
      const double at = plain.head();
      plain.Advance();
      if (!station({at, {}})) return;
    }
  }
}

}  // namespace tarnvel
