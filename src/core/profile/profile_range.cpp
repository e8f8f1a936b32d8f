#include "profile_range.h"

#include <cmath>
#include <vector>

namespace tarnvel {

namespace {

constexpr double kSameStation = 1e-6;

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

}  // namespace

void ForEachProfileRangeStation(const VerticalProfile& profile, double from, double to, double step,
                                bool keyPoints,
                                const std::function<bool(ProfileStation&&)>& station) {
  std::vector<double> plain{from};
  // Whole multiples are counted, not added up, so that no error gathers
  // along a long range.
  for (double k = std::floor(from / step) + 1;; ++k) {
    const double multiple = k * step;
    if (multiple >= to - kSameStation) break;
    if (multiple > from + kSameStation) plain.push_back(multiple);
  }
  if (to > from + kSameStation) plain.push_back(to);

  const std::vector<ProfileStation> keys =
      keyPoints ? KeyPoints(profile, from, to) : std::vector<ProfileStation>{};
  std::size_t i = 0, j = 0;
  while (i < plain.size() || j < keys.size()) {
    if (j < keys.size() && (i == plain.size() || keys[j].station <= plain[i] + kSameStation)) {
      // A key point takes the range's station it stands on.
      if (i < plain.size() && std::abs(keys[j].station - plain[i]) <= kSameStation) ++i;
      if (!station(ProfileStation(keys[j++]))) return;
    } else if (!station({plain[i++], {}})) {
      return;
    }
  }
}

}  // namespace tarnvel
