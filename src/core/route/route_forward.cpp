#include "core/route/route_forward.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "core/route/route_joints.h"
#include "core/route/stakeout_stations.h"
#include "core/text/angle.h"
#include "core/text/dms_digits.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

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

std::string OutsideRoute(const Route& route, const std::string& what) {
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
  return {OutsideRoute(route, station)};
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

// One row per offset for each element of `branch` holding K, each handed to
// emit; none in a gap. The rows of a key point the range stakes carry its
// label as the range gives it (`keyLabel`, "YZ/ZH" for two within the
// position tolerance), any other row the key point's at its very station.
// Returns whether any element holds K.
template <class Emit>
bool AddRows(const Route& route, double K, std::span<const double> offsets, double skewDms,
             double skewDegrees, const RouteBranch& branch, std::string_view keyLabel, Emit emit) {
  const bool prepared = route.prepared.size() == route.loaded.size();
  bool held = false;
  int pass = 0;  // one element of each branch holds K: the branches in route order
  ForEachHolder(route, K, [&](int i) {
    ++pass;
    if (i < branch.first || i > branch.last) return;
    held = true;
    const auto index = static_cast<size_t>(i);
    const std::string_view label = keyLabel.empty() ? KeyPointLabel(route, i, K) : keyLabel;
    const ForwardResult frame =
        FrameAt(prepared ? route.prepared[index] : Prepare(route.loaded[index]), K);
    for (double m : offsets)
      emit(RoutePoint{.element = i + 1,
                      .pass = pass,
                      .station = K,
                      .offset = m,
                      .skewDms = skewDms,
                      .result = PointOff(frame, m, skewDegrees),
                      .label = label});
  });
  return held;
}

}  // namespace

bool IsFinitePoint(const RoutePoint& p) {
  return std::isfinite(p.result.point.X) && std::isfinite(p.result.point.Y) &&
         std::isfinite(p.result.azimuth);
}

std::string RowNote(const RoutePoint& point) {
  std::string note(point.label);
  if (point.pass == 1) return note;
  return note + (note.empty() ? "" : "；") + "长链第" + std::to_string(point.pass) + "支";
}

std::vector<int> ElementsAt(const Route& route, double K) {
  std::vector<int> holders;
  ForEachHolder(route, K, [&](int i) { holders.push_back(i); });
  return holders;
}

std::variant<StationRefusal, std::vector<RoutePoint>> RouteForward(const Route& route, double K,
                                                                   double offset, double skewDms) {
  std::vector<RoutePoint> points;
  // Called once per station of a stakeout: the skew is converted without text.
  const RouteBranch whole{0, static_cast<int>(route.loaded.size()) - 1};
  if (!AddRows(route, K, std::span(&offset, 1), skewDms, DmsDigitsToDegrees(skewDms), whole, {},
               [&](RoutePoint&& p) { points.push_back(std::move(p)); }))
    return NoStation(route, K);
  return points;
}

std::optional<StationRefusal> ForEachRouteTableRow(const Route& route, const RouteTableRequest& r,
                                                   const std::function<bool(RoutePoint&&)>& row) {
  const StakeoutRange range = RangeOf(r);
  if (auto refusal = RangeRefusal(route, range)) return refusal;
  const double skewDegrees = DmsToDegrees(r.skewDms);
  bool going = true;
  ForEachRangeStation(
      route, range, [&](double K, const RouteBranch& branch, std::string_view label) {
        AddRows(route, K, r.offsets, r.skewDms, skewDegrees, branch, label, [&](RoutePoint&& p) {
          if (going) going = row(std::move(p));
        });
        return going;
      });
  return std::nullopt;
}

std::variant<StationRefusal, std::vector<RoutePoint>> RouteTable(const Route& route,
                                                                 const RouteTableRequest& request) {
  std::vector<RoutePoint> rows;
  if (auto refusal = ForEachRouteTableRow(route, request, [&](RoutePoint&& p) {
        rows.push_back(std::move(p));
        return true;
      }))
    return std::move(*refusal);
  return rows;
}

}  // namespace tarnvel
