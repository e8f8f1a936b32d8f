#include "core/route/point_names.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/text/number_text.h"
#include "core/text/station_text.h"

namespace tarnvel {

namespace {

// Wider than any two stations whose texts to the millimetre agree.
constexpr double kSameTextReach = 0.002;

std::string WithoutTrailingZeros(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::string StationPointName(double station, std::string_view prefix) {
  return WithoutTrailingZeros(KStationText(station, prefix));
}

std::string SideText(double offset) {
  if (offset == 0 || std::isnan(offset)) return {};
  return (offset < 0 ? "L" : "R") + FixedText(std::fabs(offset), 2);
}

std::string UniquePointNames::Take(std::string name) {
  if (taken_.Insert(name)) return name;
  for (long long n = 2;; ++n) {
    std::string numbered = name + '_' + std::to_string(n);
    if (taken_.Insert(numbered)) return numbered;
  }
}

RangePointNames::RangePointNames(const Route& route, std::string prefix)
    : prefix_(std::move(prefix)) {
  // An element that starts below the end of one before it shares that
  // stretch of stations with it. Twice the reach around it: a row beside
  // the stretch may share its text with a row at its very edge, whose name
  // must be held as the stretch's are.
  std::vector<std::pair<double, double>> stretches;
  double reach = -INFINITY;
  for (const RouteElement& element : route.elements) {
    const ElementValues& v = element.values;
    if (v.K0 < reach)
      stretches.emplace_back(v.K0 - 2 * kSameTextReach, std::min(v.K1, reach) + 2 * kSameTextReach);
    reach = std::max(reach, v.K1);
  }
  // Joined where they meet, so that a row's stretch is found by a search.
  std::sort(stretches.begin(), stretches.end());
  for (const auto& stretch : stretches) {
    if (!repeated_.empty() && stretch.first <= repeated_.back().second)
      repeated_.back().second = std::max(repeated_.back().second, stretch.second);
    else
      repeated_.push_back(stretch);
  }
}

bool RangePointNames::Repeated(double station) const {
  auto after = std::upper_bound(repeated_.begin(), repeated_.end(), station,
                                [](double K, const auto& stretch) { return K < stretch.first; });
  return after != repeated_.begin() && station <= std::prev(after)->second;
}

std::string RangePointNames::Name(double station, double offset) {
  // Rows run in station order except where a 长链 turns the route back, so
  // a row farther than a millimetre from this one, outside the stretches
  // held twice, can share its name with no row to come.
  std::erase_if(recent_, [&](const auto& row) {
    if (std::fabs(row.first - station) < kSameTextReach) return false;
    names_.Forget(row.second);
    return true;
  });
  std::string name = names_.Take(StationPointName(station, prefix_) + SideText(offset));
  if (!Repeated(station)) recent_.emplace_back(station, name);
  return name;
}

}  // namespace tarnvel
