// from-jd as it was before it wrote its tables as it laid the route: the
// whole route from RouteFromJd as it was (every leg, curve and element held,
// then MakeRoute's Route and its index), the element table held whole as
// bytes, then the curve table; for bench/reader_memory.sh to measure beside
// today's command.
#include "previous_from_jd.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

#include "core/element/centre_line.h"
#include "core/jd/curve_table_text.h"
#include "core/jd/route_from_jd.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "io/files/save_file.h"
#include "io/route/jd_file.h"
#include "io/route/route_file.h"

namespace tarnvel {

namespace {

constexpr double kDegreesPerRadian = 180 / kPi;

std::string Quoted(const std::string& name) {
  return "“" + name + "”";
}

// The JD as messages name it: BP and EP by their role, the others as 交点.
std::string Named(const std::vector<JdPoint>& points, size_t i) {
  if (i == 0) return "起点" + Quoted(points[i].name);
  if (i + 1 == points.size()) return "终点" + Quoted(points[i].name);
  return "交点" + Quoted(points[i].name);
}

// Decimal degrees to the d.mmss value an element holds, reduced to 0–360.
// Minutes and seconds are carried below 60 here; whatever the last binary
// digit does to them, DmsToDegrees adds them as they stand, so the angle
// read back differs by no more than about 1e-9″.
double DegreesToDmsValue(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360;
  if (a >= 360) a = 0;
  const double whole = std::floor(a);
  const double minutes_exact = (a - whole) * kMinutesPerDegree;
  const double minutes = std::floor(minutes_exact);
  const double seconds = (minutes_exact - minutes) * kSecondsPerMinute;
  return whole + minutes / 100 + seconds / 10000;
}

struct Leg {
  double length = 0;
  double azimuth = 0;  // radians, from atan2
  double ux = 0, uy = 0;
};

// Lays elements end to end: each one after a curve's start begins where the
// element computation ends the one before, on the tangent it ends with.
class Chain {
 public:
  explicit Chain(std::vector<RouteElement>& out, std::vector<int>& rows) : out_(out), rows_(rows) {}

  // The table row that the next elements are said to belong to in refusals.
  void ForRow(int row) { row_ = row; }

  void StartAt(double X, double Y, double azimuthRadians) {
    X_ = X;
    Y_ = Y;
    F_ = DegreesToDmsValue(azimuthRadians * kDegreesPerRadian);
  }

  void Add(double K0, double K1, double RQ, double RN, double Q, std::string name) {
    const ElementValues v{K0, K1, X_, Y_, F_, RQ, RN, Q};
    out_.push_back({v, std::move(name)});
    rows_.push_back(row_);
    const LineElement e = LoadElement(v);
    const Point end = CentreLinePoint(e, K1);
    X_ = end.X;
    Y_ = end.Y;
    F_ = DegreesToDmsValue(QXFWJ(e, K1));
  }

 private:
  std::vector<RouteElement>& out_;
  std::vector<int>& rows_;
  int row_ = 1;
  double X_ = 0, Y_ = 0, F_ = 0;
};

std::optional<JdRefusal> CheckValues(const std::vector<JdPoint>& points) {
  for (size_t i = 0; i < points.size(); ++i) {
    const JdPoint& j = points[i];
    const int row = static_cast<int>(i) + 1;
    const std::array<double, 5> values = {j.X, j.Y, j.R, j.Ls1, j.Ls2};
    for (size_t f = 0; f < values.size(); ++f)
      if (!std::isfinite(values[f]))
        return JdRefusal{
            row, static_cast<int>(f) + 1,
            Named(points, i) + "的“" + std::string(kJdFieldNames[f + 1]) + "”超出数值范围！"};
    const bool end = i == 0 || i + 1 == points.size();
    if (end) {
      for (size_t f = 2; f < values.size(); ++f)
        if (values[f] != 0)
          return JdRefusal{row, static_cast<int>(f) + 1,
                           Named(points, i) + "不设曲线，“" + std::string(kJdFieldNames[f + 1]) +
                               "”应为空或0！"};
      continue;
    }
    if (!(j.R > 0)) return JdRefusal{row, 3, Named(points, i) + "的“半径R”必须大于0！"};
    for (size_t f = 3; f < values.size(); ++f)
      if (values[f] < 0)
        return JdRefusal{
            row, static_cast<int>(f) + 1,
            Named(points, i) + "的“" + std::string(kJdFieldNames[f + 1]) + "”不能为负数！"};
  }
  return std::nullopt;
}

// Lengths in refusals show tenths of a millimetre.
std::string Metres(double x) {
  return FixedText(x, 4) + " m";
}

// An overlap of two curves, in millimetres to the tenth as the joint check
// shows its gaps; one that rounds to nothing there still says it is there.
std::string Overlap(double metres) {
  const std::string mm = FixedText(metres * 1000, 1);
  return (mm == "0.0" ? "不足0.1" : mm) + " mm";
}

// What rounding leaves in a straight's length, leg − T2 − T1: 16ε (16 to 32
// units in the last place) of the largest of the values it is worked from
// (the coordinates, the leg, the station it starts at), plus 16ε of the
// Wobble of the tangents at either end, which the coordinates' last digits
// leave uncertain through the turns. Some 5e-8 m for curves of R 500
// turning 30° at coordinates of 3e6 m; more where a large radius turns
// little. Within it the leg leaves no straight and its curves meet; beyond
// it a straight is made however short, and an overlap is a design's error.
// A straight beyond it is more than a unit in the last place of its station.
constexpr double kRoundingNoise = 16 * std::numeric_limits<double>::epsilon();

// How far a curve's tangents move, per unit of ε, when each point of the
// table moves by ε times the largest coordinate: each leg turns by that over
// its length at either end, and T1 and T2 follow the turn.
double Wobble(const CurveGeometry& g, const Leg& in, const Leg& out, double coordinates) {
  return coordinates * g.tangentSlope * (1 / in.length + 1 / out.length);
}

double RoundingNoise(double coordinates, double leg, double station, double wobble) {
  return kRoundingNoise * (std::max({coordinates, leg, std::fabs(station)}) + wobble);
}

}  // namespace

namespace {

std::variant<JdRefusal, JdRoute> PreviousRouteFromJd(const std::vector<JdPoint>& points,
                                                     double startStation) {
  if (points.size() < 2) return JdRefusal{0, -1, "交点表至少要有起点和终点两行！"};
  if (auto refusal = CheckValues(points)) return *refusal;

  std::vector<Leg> legs(points.size() - 1);
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const double dX = points[i + 1].X - points[i].X;
    const double dY = points[i + 1].Y - points[i].Y;
    Leg& leg = legs[i];
    leg.length = std::hypot(dX, dY);
    if (!(leg.length >= kShortestLength))
      return JdRefusal{static_cast<int>(i) + 2, -1,
                       Named(points, i) + "与" + Named(points, i + 1) + "相距不足1 mm！"};
    leg.azimuth = std::atan2(dY, dX);
    leg.ux = dX / leg.length;
    leg.uy = dY / leg.length;
  }

  JdRoute route;
  std::vector<CurveGeometry> geometry;
  std::vector<double> turn;  // signed, radians
  std::vector<double> wobble;
  geometry.reserve(points.size() - 2);
  turn.reserve(geometry.capacity());
  wobble.reserve(geometry.capacity());
  double coordinates = 0;  // the largest, for the units in their last place
  for (const JdPoint& p : points)
    coordinates = std::max({coordinates, std::fabs(p.X), std::fabs(p.Y)});
  for (size_t i = 1; i + 1 < points.size(); ++i) {
    const JdPoint& j = points[i];
    const int row = static_cast<int>(i) + 1;
    double alpha = legs[i].azimuth - legs[i - 1].azimuth;
    // atan2 gives radians of the true π; the turn is reduced with the same.
    if (alpha > std::numbers::pi) alpha -= 2 * std::numbers::pi;
    if (alpha <= -std::numbers::pi) alpha += 2 * std::numbers::pi;
    const double size = std::fabs(alpha);
    if (size < kCollinearTurn)
      return JdRefusal{row, -1, Named(points, i) + "的两条边共线，不能设曲线！"};
    if (size > std::numbers::pi - kCollinearTurn)
      return JdRefusal{row, -1, Named(points, i) + "的转角达到180°，两条边方向相反！"};
    const double beta = (j.Ls1 + j.Ls2) / (2 * j.R);
    // The arc the design's spirals leave of the turn, in metres along it.
    const double arc = j.R * (size - beta);
    if (arc < -kSpiralsMeetTolerance)
      return JdRefusal{row, -1,
                       Named(points, i) +
                           "的缓和曲线过长：β1+β2=" + DegreesToDmsText(beta * kDegreesPerRadian) +
                           "不小于转角α=" + DegreesToDmsText(size * kDegreesPerRadian) + "！"};
    if (beta > 0 && arc <= kSpiralsMeetTolerance)
      geometry.push_back(SpiralCurveOfTurn(size, j.R, j.Ls1, j.Ls2));
    else
      geometry.push_back(CurveOfTurn(size, j.R, j.Ls1, j.Ls2));
    // Without spirals to take its place, an arc shorter than the coordinates
    // are given to is no element a route can hold: its radius is too small.
    if (beta == 0 && geometry.back().Ly < kShortestLength)
      return JdRefusal{
          row, -1,
          Named(points, i) + "的圆曲线长Ly=" + Metres(geometry.back().Ly) + "，不足1 mm！"};
    turn.push_back(alpha);
    wobble.push_back(Wobble(geometry.back(), legs[i - 1], legs[i], coordinates));
  }

  // Stations, and the straights the legs leave between the curves.
  double previousEnd = startStation;
  double previousT2 = 0;
  route.curves.reserve(geometry.size());
  for (size_t c = 0; c < geometry.size(); ++c) {
    const CurveGeometry& g = geometry[c];
    const JdPoint& j = points[c + 1];
    const double noise = RoundingNoise(coordinates, legs[c].length, previousEnd,
                                       (c > 0 ? wobble[c - 1] : 0) + wobble[c]);
    double straight = legs[c].length - previousT2 - g.T1;
    if (straight < -noise) {
      if (c == 0)
        return JdRefusal{
            2, -1,
            Named(points, 1) + "的曲线起点超出" + Named(points, 0) + Metres(-straight) + "！"};
      return JdRefusal{static_cast<int>(c) + 2, -1,
                       Named(points, c) + "与" + Named(points, c + 1) + "的曲线重叠" +
                           Overlap(-straight) + "！"};
    }
    if (straight <= noise) straight = 0;
    CurveRow row;
    row.name = j.name;
    row.alpha = turn[c] * kDegreesPerRadian;
    row.R = j.R;
    row.Ls1 = g.Ls1;
    row.Ly = g.Ly;
    row.Ls2 = g.Ls2;
    row.T1 = g.T1;
    row.T2 = g.T2;
    row.L = g.L;
    row.E = g.E;
    row.J = g.J;
    row.p1 = g.shift1.p;
    row.q1 = g.shift1.q;
    row.p2 = g.shift2.p;
    row.q2 = g.shift2.q;
    row.straightBefore = straight;
    row.ZH = previousEnd + straight;
    row.HY = row.ZH + g.Ls1;
    row.QZ = row.HY + g.Ly / 2;
    row.YH = row.HY + g.Ly;
    row.HZ = row.YH + g.Ls2;
    route.curves.push_back(row);
    previousEnd = row.HZ;
    previousT2 = g.T2;
  }
  const size_t last = points.size() - 1;
  route.straightAfter = legs.back().length - previousT2;
  const double noise = RoundingNoise(coordinates, legs.back().length, previousEnd,
                                     wobble.empty() ? 0 : wobble.back());
  if (route.straightAfter < -noise)
    return JdRefusal{static_cast<int>(last), -1,
                     Named(points, last - 1) + "的曲线终点超出" + Named(points, last) +
                         Metres(-route.straightAfter) + "！"};
  if (route.straightAfter <= noise) route.straightAfter = 0;

  // The elements, from BP forward, each said of the row of its curve, a
  // straight of the JD it leads to.
  // At most a straight and three curve elements a JD, and the last straight:
  // room for them at once, since growing the list of a million JDs' elements
  // copies it again and again and holds it twice as it does.
  std::vector<RouteElement> elements;
  std::vector<int> rows;
  elements.reserve(4 * route.curves.size() + 1);
  rows.reserve(elements.capacity());
  Chain chain(elements, rows);
  chain.StartAt(points[0].X, points[0].Y, legs[0].azimuth);
  double station = startStation;
  for (size_t c = 0; c < route.curves.size(); ++c) {
    const CurveRow& row = route.curves[c];
    chain.ForRow(static_cast<int>(c) + 2);
    if (row.straightBefore > 0) chain.Add(station, row.ZH, 0, 0, 0, "直线");
    const JdPoint& j = points[c + 1];
    const Leg& in = legs[c];
    chain.StartAt(j.X - row.T1 * in.ux, j.Y - row.T1 * in.uy, in.azimuth);
    const double Q = row.alpha > 0 ? 1 : -1;
    if (row.Ls1 > 0) chain.Add(row.ZH, row.HY, 0, j.R, Q, j.name + "缓和曲线1");
    if (row.Ly > 0) chain.Add(row.HY, row.YH, j.R, j.R, Q, j.name + "圆曲线");
    if (row.Ls2 > 0) chain.Add(row.YH, row.HZ, j.R, 0, Q, j.name + "缓和曲线2");
    station = row.HZ;
  }
  chain.ForRow(static_cast<int>(points.size()));
  if (route.curves.empty() || route.straightAfter > 0)
    chain.Add(station, station + route.straightAfter, 0, 0, 0, "直线");

  // Values at the ends of the double range, or a length below the last digit
  // of its station, give an element no route can hold.
  std::variant<RouteError, Route> made = MakeRoute(std::move(elements));
  if (const auto* error = std::get_if<RouteError>(&made)) {
    const int row = rows[static_cast<size_t>(std::max(error->element, 1) - 1)];
    return JdRefusal{row, -1,
                     Named(points, static_cast<size_t>(row) - 1) + "处：" + error->message};
  }
  route.route = std::get<Route>(std::move(made));
  return route;
}

}  // namespace

int PreviousFromJd(const QString& jd, const QString& output) {
  FileOutcome<JdTable> table = ReadJdFile(jd);
  if (std::holds_alternative<FileRefusal>(table)) return 2;
  auto made = PreviousRouteFromJd(std::get<JdTable>(table).points, 0);
  if (std::holds_alternative<JdRefusal>(made)) return 2;
  const JdRoute& route = std::get<JdRoute>(made);
  FileOutcome<QByteArray> file = RouteFileBytes(output, route.route.elements);
  if (std::holds_alternative<FileRefusal>(file)) return 2;
  std::string text;
  for (char c : CurveTableText(route.curves)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  if (SaveFileBytes(output, std::get<QByteArray>(file))) return 2;
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace tarnvel
