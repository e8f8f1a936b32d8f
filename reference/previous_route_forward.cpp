// RouteForward, frozen: see previous_route.h.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "core/route/route_joints.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "previous_route.h"

namespace tarnvel::previous {

namespace {

// Two stations this close are one row of a table: a key point met by the
// step, or the step's sum short of it by round-off.
constexpr double kSameStation = 1e-6;

// A table beyond this many stations would only exhaust the memory; a step of
// a millimetre still covers 10 km.
constexpr long kMaxTableStations = 10'000'000;

bool Holds(const Route& route, size_t i, double K) {
  const LineElement& e = route.loaded[i];
  if (e.K0 <= K && K < e.K1) return true;
  // An element's end belongs to the element that starts there, if any.
  return K == e.K1 && (i + 1 == route.loaded.size() || route.loaded[i + 1].K0 != K);
}

// Stations in messages are written in full, as typed: a station a hair
// outside the route must not read as its first station.
std::string RangeText(double from, double to) {
  return "（" + GeneralText(from) + "～" + GeneralText(to) + "）";
}

std::string RangeRefusal(const Route& route, const std::string& what) {
  return what + "超出线路范围" + RangeText(RouteStart(route), RouteEnd(route)) + "！";
}

// Why K has no point: the 短链 it falls in, or the route's range.
StationRefusal NoStation(const Route& route, double K) {
  const std::string station = "里程“" + GeneralText(K) + "”";
  for (size_t i = 0; i + 1 < route.loaded.size(); ++i) {
    const double end = route.loaded[i].K1;
    const double start = route.loaded[i + 1].K0;
    if (end < K && K < start)
      return {station + "位于第" + std::to_string(i + 1) + "、" + std::to_string(i + 2) +
              "个线元之间的短链" + RangeText(end, start) + "内，该里程不存在！"};
  }
  return {RangeRefusal(route, station)};
}

// Calls visit(i) for each element holding K, in route order. Elements in
// order of K0 with the reach of their K1: only those starting at or before
// K, back to where none reaches K, can hold it. Almost always one element,
// found without taking memory.
template <class Visit>
void ForEachHolder(const Route& route, double K, Visit visit) {
  if (route.byStart.size() != route.loaded.size()) {
    for (size_t i = 0; i < route.loaded.size(); ++i)
      if (Holds(route, i, K)) visit(static_cast<int>(i));
    return;
  }
  auto j = std::upper_bound(route.byStart.begin(), route.byStart.end(), K,
                            [&](double k, int i) { return k < route.loaded[i].K0; }) -
           route.byStart.begin();
  std::array<int, 8> few;
  size_t count = 0;
  std::vector<int> many;
  while (--j >= 0 && route.reachK1[static_cast<size_t>(j)] >= K) {
    const int i = route.byStart[static_cast<size_t>(j)];
    if (!Holds(route, static_cast<size_t>(i), K)) continue;
    if (count < few.size())
      few[count++] = i;
    else
      many.push_back(i);
  }
  if (many.empty()) {
    std::sort(few.begin(), few.begin() + static_cast<std::ptrdiff_t>(count));
    for (size_t n = 0; n < count; ++n) visit(few[n]);
    return;
  }
  many.insert(many.end(), few.begin(), few.begin() + static_cast<std::ptrdiff_t>(count));
  std::sort(many.begin(), many.end());
  for (int i : many) visit(i);
}

// One row per offset for each element holding K; none in a gap. Returns
// whether any element holds K.
bool AddRows(const Route& route, double K, std::span<const double> offsets, double skewDms,
             double skewDegrees, std::vector<RoutePoint>& rows) {
  const bool prepared = route.prepared.size() == route.loaded.size();
  bool held = false;
  ForEachHolder(route, K, [&](int i) {
    held = true;
    const auto index = static_cast<size_t>(i);
    const std::string_view label = KeyPointLabel(route, i, K);
    for (double m : offsets)
      rows.push_back({.element = i + 1,
                      .station = K,
                      .offset = m,
                      .skewDms = skewDms,
                      .result = prepared
                                    ? ForwardPointDegrees(route.prepared[index], K, m, skewDegrees)
                                    : ForwardPointDegrees(route.loaded[index], K, m, skewDegrees),
                      .label = label});
  });
  return held;
}

}  // namespace

std::variant<StationRefusal, std::vector<RoutePoint>> RouteForward(const Route& route, double K,
                                                                   double offset, double skewDms) {
  std::vector<RoutePoint> points;
  if (!AddRows(route, K, std::span(&offset, 1), skewDms, DmsToDegrees(skewDms), points))
    return NoStation(route, K);
  return points;
}

}  // namespace tarnvel::previous
