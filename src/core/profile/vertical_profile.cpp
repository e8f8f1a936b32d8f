#include "core/profile/vertical_profile.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/route/position_tolerance.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"

namespace tarnvel {

namespace {

std::string Quoted(const Pvi& p) {
  return "变坡点“" + p.name + "”";
}

std::string Metres(double x) {
  return FixedText(x, 3) + " m";
}

bool IsCircle(const Pvi& p) {
  return p.curve == VerticalCurveKind::kCircle;
}

// The cosine of a grade line's angle, cos(atan(i)).
double CosOfGrade(double grade) {
  return 1 / std::sqrt(1 + grade * grade);
}

// How far in station a curve of tangent length T reaches along a grade line
// from its PVI: T itself for a parabola, T·cos θ for a circle.
double Reach(const Pvi& p, double T, double grade) {
  return IsCircle(p) ? T * CosOfGrade(grade) : T;
}

double TangentLength(const Pvi& p, double before, double after) {
  if (IsCircle(p)) return p.radius * std::tan(std::fabs(std::atan(after) - std::atan(before)) / 2);
  return p.radius * std::fabs(after - before) / 2;
}

// On the parabola of inner PVI k, measured from its start along the parabola
// that leaves the grade before it: H = H0 + i1·x + ω·x²/2L, the tangent
// elevation less (凸) or plus (凹) x²/2R.
ProfilePoint OnParabola(const VerticalProfile& p, std::size_t k, double station) {
  const double i1 = p.grades[k - 1];
  const double omega = p.grades[k] - i1;
  const double L = 2 * p.tangents[k];
  const double x = station - CurveStart(p, k);
  const double start_elevation = p.pvis[k].elevation - i1 * p.tangents[k];
  return {start_elevation + i1 * x + omega * x * x / (2 * L), i1 + omega * x / L};
}

// On the circle of inner PVI k, which touches the grade before it at its
// start S. Its centre lies R from S square to that grade, above it for a sag
// (σ = 1) and below for a crest (σ = −1); u is the station from the centre.
// The rise from S, σ·(R·cos θ1 − √(R² − u²)), is written as
// x·(σx + 2R·sin θ1) / (R·cos θ1 + √(R² − u²)) so that nothing is lost to
// the difference of two numbers the size of R.
ProfilePoint OnCircle(const VerticalProfile& p, std::size_t k, double station) {
  const double i1 = p.grades[k - 1];
  const double sigma = p.grades[k] > i1 ? 1.0 : -1.0;
  const double R = p.pvis[k].radius;
  const double cos1 = CosOfGrade(i1);
  const double sin1 = i1 * cos1;
  const double x = station - CurveStart(p, k);
  const double u = x + sigma * R * sin1;
  const double root = std::sqrt((R - u) * (R + u));
  const double start_elevation = p.pvis[k].elevation - p.tangents[k] * sin1;
  return {start_elevation + x * (sigma * x + 2 * R * sin1) / (R * cos1 + root), sigma * u / root};
}

ProfilePoint OnCurve(const VerticalProfile& p, std::size_t k, double station) {
  return IsCircle(p.pvis[k]) ? OnCircle(p, k, station) : OnParabola(p, k, station);
}

}  // namespace

double GradeBetween(const Pvi& from, const Pvi& to) {
  return (to.elevation - from.elevation) / (to.station - from.station);
}

double CurveStart(const VerticalProfile& p, std::size_t k) {
  return p.pvis[k].station - Reach(p.pvis[k], p.tangents[k], p.grades[k - 1]);
}

double CurveEnd(const VerticalProfile& p, std::size_t k) {
  return p.pvis[k].station + Reach(p.pvis[k], p.tangents[k], p.grades[k]);
}

std::optional<ProfileRefusal> PviFault(const Pvi& pvi, std::size_t k) {
  if (pvi.radius >= 0) return std::nullopt;
  return ProfileRefusal{Quoted(pvi) + "的竖曲线半径R为" + Metres(pvi.radius) + "，不能为负数！", k,
                        ProfileRefusal::Fault::kNegativeRadius};
}

std::variant<ProfileRefusal, VerticalProfile> MakeVerticalProfile(std::vector<Pvi> pvis) {
  using Fault = ProfileRefusal::Fault;
  for (std::size_t k = 0; k < pvis.size(); ++k)
    if (auto fault = PviFault(pvis[k], k + 1)) return *fault;
  if (pvis.size() < 2)
    return ProfileRefusal{"纵断面至少需要两个变坡点（起点和终点），现有" +
                          std::to_string(pvis.size()) + "个！"};
  // A curve needs a grade line on either side of its PVI.
  for (const std::size_t end : {std::size_t{0}, pvis.size() - 1})
    if (pvis[end].radius != 0)
      return ProfileRefusal{std::string(end == 0 ? "起点" : "终点") + "“" + pvis[end].name +
                                "”不能有竖曲线，“竖曲线半径R”应为空或0！",
                            end + 1, Fault::kCurveAtEnd};
  VerticalProfile p;
  for (std::size_t k = 1; k < pvis.size(); ++k) {
    if (!(pvis[k].station > pvis[k - 1].station))
      return ProfileRefusal{Quoted(pvis[k]) + "的桩号" + KStationText(pvis[k].station) + "不大于" +
                                Quoted(pvis[k - 1]) + "的桩号" + KStationText(pvis[k - 1].station) +
                                "，桩号必须递增！",
                            k + 1, Fault::kStation};
    p.grades.push_back(GradeBetween(pvis[k - 1], pvis[k]));
  }
  p.tangents.assign(pvis.size(), 0);
  for (std::size_t k = 1; k + 1 < pvis.size(); ++k)
    p.tangents[k] = TangentLength(pvis[k], p.grades[k - 1], p.grades[k]);
  // What each curve reaches in station before and after its PVI.
  const auto before = [&](std::size_t k) { return Reach(pvis[k], p.tangents[k], p.grades[k - 1]); };
  const auto after = [&](std::size_t k) { return Reach(pvis[k], p.tangents[k], p.grades[k]); };
  const std::size_t last = pvis.size() - 1;
  // Curves that touch each other, BP or EP are common in design; their
  // figures meet exactly, their sums only to the last bit. Within the
  // position tolerance they meet; beyond it the figures printed differ.
  const auto exceeds = [](double reach, double room) { return reach > room + kPositionTolerance; };
  if (exceeds(before(1), pvis[1].station - pvis[0].station))
    return ProfileRefusal{Quoted(pvis[1]) + "的竖曲线切线长T=" + Metres(p.tangents[1]) +
                              "，超出起点" + Quoted(pvis[0]) + "（相距" +
                              Metres(pvis[1].station - pvis[0].station) + "）！",
                          2};
  if (last > 1 && exceeds(after(last - 1), pvis[last].station - pvis[last - 1].station))
    return ProfileRefusal{Quoted(pvis[last - 1]) +
                              "的竖曲线切线长T=" + Metres(p.tangents[last - 1]) + "，超出终点" +
                              Quoted(pvis[last]) + "（相距" +
                              Metres(pvis[last].station - pvis[last - 1].station) + "）！",
                          last};
  for (std::size_t k = 1; k + 2 < pvis.size(); ++k) {
    const double gap = pvis[k + 1].station - pvis[k].station;
    if (exceeds(after(k) + before(k + 1), gap))
      return ProfileRefusal{Quoted(pvis[k]) + "与" + Quoted(pvis[k + 1]) +
                                "的竖曲线重叠：T1+T2=" + Metres(p.tangents[k] + p.tangents[k + 1]) +
                                "，大于两点间距" + Metres(gap) + "！",
                            k + 2};
  }
  p.pvis = std::move(pvis);
  return p;
}

namespace {

// The profile at a station that grade line k holds (pvis[k] <= station <=
// pvis[k + 1]).
ProfilePoint OnGradeLine(const VerticalProfile& p, std::size_t k, double station) {
  const auto& v = p.pvis;
  if (k > 0 && p.tangents[k] > 0 && station <= CurveEnd(p, k)) return OnCurve(p, k, station);
  // A PVI without a curve takes the grade before it, also where the next
  // curve starts there, its start reaching the PVI's station or not.
  if (station == v[k].station && k > 0) return ProfilePoint{v[k].elevation, p.grades[k - 1]};
  if (k + 2 < v.size() && p.tangents[k + 1] > 0 && station >= CurveStart(p, k + 1))
    return OnCurve(p, k + 1, station);
  return ProfilePoint{v[k].elevation + p.grades[k] * (station - v[k].station), p.grades[k]};
}

// Where the profile begins and ends: its first and last PVI, or a hair
// beyond one where a curve reaches past it within the position tolerance.
double ProfileBegin(const VerticalProfile& p) {
  return p.pvis.size() > 2 ? std::min(p.pvis.front().station, CurveStart(p, 1))
                           : p.pvis.front().station;
}

double ProfileEnd(const VerticalProfile& p) {
  const std::size_t n = p.pvis.size();
  return n > 2 ? std::max(p.pvis.back().station, CurveEnd(p, n - 2)) : p.pvis.back().station;
}

bool Holds(const VerticalProfile& p, std::size_t k, double station) {
  return k + 1 < p.pvis.size() && p.pvis[k].station <= station &&
         (station < p.pvis[k + 1].station || k + 2 == p.pvis.size());
}

}  // namespace

std::optional<ProfilePoint> ProfileAt(const VerticalProfile& p, double station) {
  std::size_t line = 0;
  return ProfileAt(p, station, line);
}

std::optional<ProfilePoint> ProfileAt(const VerticalProfile& p, double station, std::size_t& line,
                                      double endTolerance) {
  const auto& v = p.pvis;
  const double begin = ProfileBegin(p);
  const double end = ProfileEnd(p);
  if (station < begin && begin - station <= endTolerance) station = begin;
  if (station > end && station - end <= endTolerance) station = end;
  if (!(station >= begin && station <= end)) return std::nullopt;
  if (!Holds(p, line, station)) {
    if (Holds(p, line + 1, station)) {
      ++line;
    } else {
      // The grade line k holds the station: pvis[k] <= station < pvis[k + 1],
      // the first and last holding what a curve reaches beyond them.
      const auto above = std::upper_bound(v.begin(), v.end(), station,
                                          [](double s, const Pvi& q) { return s < q.station; });
      line = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
                 above - v.begin(), 1, static_cast<std::ptrdiff_t>(v.size()) - 1)) -
             1;
    }
  }
  return OnGradeLine(p, line, station);
}

ProfileRefusal StationOutsideProfile(const VerticalProfile& p, double station) {
  const double front = p.pvis.front().station;
  const double back = p.pvis.back().station;
  const std::string text = KStationText(station);
  std::string message =
      "桩号" + text + "不在纵断面范围" + KStationText(front) + "～" + KStationText(back) + "内";
  // A station less than half a millimetre outside prints as the end it
  // misses; the distance shows that it is outside.
  const bool before = station < front;
  if (text == KStationText(before ? front : back)) {
    const std::string mm = FixedText(std::fabs(station - (before ? front : back)) * 1000, 1);
    message += (before ? "（在起点前" : "（在终点后") + (mm == "0.0" ? "不足0.1" : mm) + " mm）";
  }
  return {message + "！"};
}

std::vector<VerticalCurveRow> VerticalCurveRows(const VerticalProfile& p) {
  std::vector<VerticalCurveRow> rows;
  for (std::size_t k = 1; k + 1 < p.pvis.size(); ++k) {
    VerticalCurveRow r;
    r.pvi = &p.pvis[k];
    r.gradeBefore = p.grades[k - 1];
    r.gradeAfter = p.grades[k];
    r.crest = r.gradeAfter < r.gradeBefore;
    r.T = p.tangents[k];
    const double R = p.pvis[k].radius;
    if (IsCircle(p.pvis[k])) {
      const double turn = std::fabs(std::atan(r.gradeAfter) - std::atan(r.gradeBefore));
      r.L = R * turn;
      // R·(sec(Δ/2) − 1), as 2R·sin²(Δ/4)/cos(Δ/2) for small turns.
      const double s = std::sin(turn / 4);
      r.E = 2 * R * s * s / std::cos(turn / 2);
    } else {
      r.L = 2 * r.T;
      r.E = R > 0 ? r.T * r.T / (2 * R) : 0;
    }
    r.start = CurveStart(p, k);
    r.end = CurveEnd(p, k);
    r.lengthBefore = p.pvis[k].station - p.pvis[k - 1].station;
    r.lengthAfter = p.pvis[k + 1].station - p.pvis[k].station;
    rows.push_back(r);
  }
  return rows;
}

}  // namespace tarnvel
