#include "core/jd/route_from_jd.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"

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

struct Leg {
  double length = 0;
  double azimuth = 0;  // radians, from atan2
  double ux = 0, uy = 0;
};

// Lays elements end to end: each one after a curve's start begins where the
// element computation ends the one before, on the tangent it ends with.
class Chain {
 public:
  explicit Chain(const JdElementSink& sink) : sink_(sink) {}

  // The table row that the next elements are said to belong to in refusals.
  void ForRow(int row) { row_ = row; }

  void StartAt(double X, double Y, double azimuthRadians) {
    X_ = X;
    Y_ = Y;
    F_ = DegreesToDmsValue(azimuthRadians * kDegreesPerRadian);
  }

  // False once the sink has said to stop.
  bool Add(double K0, double K1, double RQ, double RN, double Q, std::string name) {
    if (stopped_) return false;
    const ElementValues v{K0, K1, X_, Y_, F_, RQ, RN, Q};
    const LineElement e = LoadElement(v);
    const Point end = CentreLinePoint(e, K1);
    const double azimuth = QXFWJ(e, K1);
    // What a route refuses of an element: a value or a result beyond the
    // double range, or no length.
    bool sound = K1 > K0 && std::isfinite(end.X) && std::isfinite(end.Y) &&
                 std::isfinite(azimuth) && std::isfinite(e.F);
    for (double value : {K0, K1, X_, Y_, RQ, RN}) sound = sound && std::isfinite(value);
    X_ = end.X;
    Y_ = end.Y;
    F_ = DegreesToDmsValue(azimuth);
    stopped_ = !sink_({v, std::move(name)}, row_, sound);
    return !stopped_;
  }

 private:
  const JdElementSink& sink_;
  int row_ = 1;
  bool stopped_ = false;
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

// The leg from point i to the next.
Leg LegOf(const std::vector<JdPoint>& points, size_t i) {
  const double dX = points[i + 1].X - points[i].X;
  const double dY = points[i + 1].Y - points[i].Y;
  Leg leg;
  leg.length = std::hypot(dX, dY);
  leg.azimuth = std::atan2(dY, dX);
  leg.ux = dX / leg.length;
  leg.uy = dY / leg.length;
  return leg;
}

// The signed turn from one leg to the next, radians.
double TurnOf(const Leg& in, const Leg& out) {
  double alpha = out.azimuth - in.azimuth;
  // atan2 gives radians of the true π; the turn is reduced with the same.
  if (alpha > std::numbers::pi) alpha -= 2 * std::numbers::pi;
  if (alpha <= -std::numbers::pi) alpha += 2 * std::numbers::pi;
  return alpha;
}

// The largest coordinate, for the units in their last place.
double LargestCoordinate(const std::vector<JdPoint>& points) {
  double coordinates = 0;
  for (const JdPoint& p : points)
    coordinates = std::max({coordinates, std::fabs(p.X), std::fabs(p.Y)});
  return coordinates;
}

// Of points first to last, the one whose legs changed most against their
// neighbours: a coordinate typed wrong lengthens or shortens both its legs
// at once. A leg's change is how far its length stands, as a ratio either
// way, from the median of the legs around (one beyond the points' own each
// way), which the two odd legs of one point leave ordinary; a point's
// change is the lesser of its legs' (BP and EP have one), so that a
// neighbour with one odd leg stands back.
size_t OddestPoint(const std::vector<JdPoint>& points, size_t first, size_t last) {
  const size_t legs = points.size() - 1;
  std::vector<double> around;
  for (size_t k = first >= 2 ? first - 2 : 0; k <= last + 1 && k < legs; ++k)
    around.push_back(LegOf(points, k).length);
  std::nth_element(around.begin(), around.begin() + static_cast<std::ptrdiff_t>(around.size() / 2),
                   around.end());
  const double median = around[around.size() / 2];
  const auto change = [&](size_t k) {
    return std::fabs(std::log(LegOf(points, k).length / median));
  };
  size_t oddest = first;
  double most = -1;
  for (size_t i = first; i <= last; ++i) {
    double least = std::numeric_limits<double>::infinity();
    if (i >= 1) least = change(i - 1);
    if (i < legs) least = std::min(least, change(i));
    if (least > most) {
      most = least;
      oddest = i;
    }
  }
  return oddest;
}

// What shows the cause of two curves overlapping by more than the position
// tolerance, at JD c and the next. Their tangents follow the turns at both,
// which follow the points either side: a coordinate typed wrong there turns
// a leg, and the curves it lengthens overlap, perhaps a JD away from it.
// Each of those points' 交点间距 (to the next point, as the curve table
// gives it) and 转角 let the odd one show, and the one whose legs changed
// most is named.
std::string OverlapCause(const std::vector<JdPoint>& points, size_t c) {
  const size_t first = c - 1;
  const size_t last = std::min(c + 2, points.size() - 1);
  std::string figures;
  for (size_t i = first; i <= last; ++i) {
    if (i + 1 == points.size()) break;  // EP has neither
    if (!figures.empty()) figures += "；";
    figures += Quoted(points[i].name) + FixedText(LegOf(points, i).length, 3) + " m";
    if (i == 0) continue;
    const double alpha = TurnOf(LegOf(points, i - 1), LegOf(points, i)) * kDegreesPerRadian;
    figures += std::string("、") + (alpha < 0 ? "左" : "右") + DegreesToDmsText(std::fabs(alpha));
  }
  return "（交点间距、转角：" + figures + "），" + Named(points, OddestPoint(points, first, last)) +
         "的交点间距与相邻的相差最大，请检查其坐标";
}

// The curve of inner point i for its turn `alpha`, or why it can have none.
std::variant<JdRefusal, CurveGeometry> CurveAt(const std::vector<JdPoint>& points, size_t i,
                                               double alpha) {
  const JdPoint& j = points[i];
  const int row = static_cast<int>(i) + 1;
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
  const CurveGeometry g = beta > 0 && arc <= kSpiralsMeetTolerance
                              ? SpiralCurveOfTurn(size, j.R, j.Ls1, j.Ls2)
                              : CurveOfTurn(size, j.R, j.Ls1, j.Ls2);
  // Without spirals to take its place, an arc shorter than the coordinates
  // are given to is no element a route can hold: its radius is too small.
  if (beta == 0 && g.Ly < kShortestLength)
    return JdRefusal{row, -1, Named(points, i) + "的圆曲线长Ly=" + Metres(g.Ly) + "，不足1 mm！"};
  return g;
}

// The curves from BP to EP, each laid after the one before: the rows one at
// a time, so that nothing is held for every JD.
class CurveWalk {
 public:
  CurveWalk(const std::vector<JdPoint>& points, double startStation)
      : points_(points),
        coordinates_(LargestCoordinate(points)),
        previousEnd_(startStation),
        in_(LegOf(points, 0)) {}

  bool done() const { return next_ + 1 >= points_.size(); }
  const Leg& in() const { return in_; }  // the leg into the next curve

  // The next curve's row, or why it overlaps the one before (or BP). Only
  // for a table whose turns all give curves (CurveAt).
  std::variant<JdRefusal, CurveRow> Next() {
    const size_t c = next_ - 1;
    const Leg out = LegOf(points_, next_);
    const double alpha = TurnOf(in_, out);
    const CurveGeometry g = std::get<CurveGeometry>(CurveAt(points_, next_, alpha));
    const double wobble = Wobble(g, in_, out, coordinates_);
    const double noise =
        RoundingNoise(coordinates_, in_.length, previousEnd_, previousWobble_ + wobble);
    double straight = in_.length - previousT2_ - g.T1;
    if (straight < -noise) {
      if (c == 0)
        return JdRefusal{
            2, -1,
            Named(points_, 1) + "的曲线起点超出" + Named(points_, 0) + Metres(-straight) + "！"};
      return JdRefusal{static_cast<int>(c) + 2, -1,
                       Named(points_, c) + "与" + Named(points_, c + 1) + "的曲线重叠" +
                           Overlap(-straight) +
                           (-straight > kPositionTolerance ? OverlapCause(points_, c) : "") + "！"};
    }
    if (straight <= noise) straight = 0;
    CurveRow row;
    row.name = points_[next_].name;
    row.alpha = alpha * kDegreesPerRadian;
    row.R = points_[next_].R;
    row.Ls1 = g.Ls1;
    row.Ly = g.Ly;
    row.Ls2 = g.Ls2;
    row.T1 = g.T1;
    row.T2 = g.T2;
    row.L = g.L;
    row.E = g.E;
    row.Eqz = g.Eqz;
    row.J = g.J;
    row.p1 = g.shift1.p;
    row.q1 = g.shift1.q;
    row.p2 = g.shift2.p;
    row.q2 = g.shift2.q;
    row.straightBefore = straight;
    row.ZH = previousEnd_ + straight;
    row.HY = row.ZH + g.Ls1;
    row.QZ = row.HY + g.Ly / 2;
    row.YH = row.HY + g.Ly;
    row.HZ = row.YH + g.Ls2;
    previousEnd_ = row.HZ;
    previousT2_ = g.T2;
    previousWobble_ = wobble;
    in_ = out;
    ++next_;
    return row;
  }

  // What the last leg leaves after the last curve, once every curve is
  // walked, or why the last curve runs past EP.
  std::variant<JdRefusal, double> End() const {
    const size_t last = points_.size() - 1;
    double straightAfter = in_.length - previousT2_;
    const double noise = RoundingNoise(coordinates_, in_.length, previousEnd_, previousWobble_);
    if (straightAfter < -noise)
      return JdRefusal{static_cast<int>(last), -1,
                       Named(points_, last - 1) + "的曲线终点超出" + Named(points_, last) +
                           Metres(-straightAfter) + "！"};
    if (straightAfter <= noise) straightAfter = 0;
    return straightAfter;
  }

 private:
  const std::vector<JdPoint>& points_;
  double coordinates_ = 0;
  size_t next_ = 1;  // the point whose curve comes next
  double previousEnd_ = 0;
  double previousT2_ = 0;
  double previousWobble_ = 0;
  Leg in_;
};

}  // namespace

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

std::optional<JdRefusal> CheckJdTable(const std::vector<JdPoint>& points, double startStation) {
  if (points.size() < 2) return JdRefusal{0, -1, "交点表至少要有起点和终点两行！"};
  if (auto refusal = CheckValues(points)) return *refusal;
  for (size_t i = 0; i + 1 < points.size(); ++i)
    if (!(LegOf(points, i).length >= kShortestLength))
      return JdRefusal{static_cast<int>(i) + 2, -1,
                       Named(points, i) + "与" + Named(points, i + 1) + "相距不足1 mm！"};
  Leg in = LegOf(points, 0);
  for (size_t i = 1; i + 1 < points.size(); ++i) {
    const Leg out = LegOf(points, i);
    auto curve = CurveAt(points, i, TurnOf(in, out));
    if (auto* refusal = std::get_if<JdRefusal>(&curve)) return std::move(*refusal);
    in = out;
  }
  CurveWalk walk(points, startStation);
  while (!walk.done()) {
    auto row = walk.Next();
    if (auto* refusal = std::get_if<JdRefusal>(&row)) return std::move(*refusal);
  }
  auto end = walk.End();
  if (auto* refusal = std::get_if<JdRefusal>(&end)) return std::move(*refusal);
  return std::nullopt;
}

double ForEachJdCurve(const std::vector<JdPoint>& points, double startStation,
                      const std::function<void(const CurveRow&)>& each) {
  CurveWalk walk(points, startStation);
  while (!walk.done()) each(std::get<CurveRow>(walk.Next()));
  return std::get<double>(walk.End());
}

void ForEachJdElement(const std::vector<JdPoint>& points, double startStation,
                      const JdElementSink& each) {
  // The elements, from BP forward, each said of the row of its curve, a
  // straight of the JD it leads to.
  Chain chain(each);
  CurveWalk walk(points, startStation);
  chain.StartAt(points[0].X, points[0].Y, walk.in().azimuth);
  double station = startStation;
  bool curves = false;
  for (size_t c = 0; !walk.done(); ++c) {
    const Leg in = walk.in();
    const CurveRow row = std::get<CurveRow>(walk.Next());
    curves = true;
    chain.ForRow(static_cast<int>(c) + 2);
    if (row.straightBefore > 0 && !chain.Add(station, row.ZH, 0, 0, 0, "直线")) return;
    const JdPoint& j = points[c + 1];
    chain.StartAt(j.X - row.T1 * in.ux, j.Y - row.T1 * in.uy, in.azimuth);
    const double Q = row.alpha > 0 ? 1 : -1;
    if (row.Ls1 > 0 && !chain.Add(row.ZH, row.HY, 0, j.R, Q, j.name + "缓和曲线1")) return;
    if (row.Ly > 0 && !chain.Add(row.HY, row.YH, j.R, j.R, Q, j.name + "圆曲线")) return;
    if (row.Ls2 > 0 && !chain.Add(row.YH, row.HZ, j.R, 0, Q, j.name + "缓和曲线2")) return;
    station = row.HZ;
  }
  const double straightAfter = std::get<double>(walk.End());
  chain.ForRow(static_cast<int>(points.size()));
  if (!curves || straightAfter > 0) chain.Add(station, station + straightAfter, 0, 0, 0, "直线");
}

std::variant<JdRefusal, JdRoute> RouteFromJd(const std::vector<JdPoint>& points,
                                             double startStation) {
  if (auto refusal = CheckJdTable(points, startStation)) return *refusal;
  JdRoute route;
  route.curves.reserve(points.size() - 2);
  route.straightAfter = ForEachJdCurve(points, startStation,
                                       [&](const CurveRow& row) { route.curves.push_back(row); });

  // At most a straight and three curve elements a JD, and the last straight:
  // room for them at once, since growing the list of a million JDs' elements
  // copies it again and again and holds it twice as it does.
  std::vector<RouteElement> elements;
  std::vector<int> rows;
  elements.reserve(4 * route.curves.size() + 1);
  rows.reserve(elements.capacity());
  ForEachJdElement(points, startStation, [&](RouteElement&& element, int row, bool) {
    elements.push_back(std::move(element));
    rows.push_back(row);
    return true;
  });

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

}  // namespace tarnvel
