#include "route_from_jd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "centre_line.h"
#include "curve_table_text.h"
#include "number_text.h"
#include "route_joints.h"

namespace tarnvel {
namespace {

constexpr double kMicrometre = 1e-6;
constexpr double kRadian = std::numbers::pi / 180;

struct Xy {
  double x = 0, y = 0;
};

// The clothoid ∞ → R of length Ls in its tangent's frame, from its power
// series (thirty terms: exact to rounding for β < 2), not from quadrature.
Xy ClothoidEnd(double R, double Ls) {
  const double b = Ls / (2 * R);
  double x = 0, y = 0, fx = 1, fy = b;  // β^2n/(2n)!, β^(2n+1)/(2n+1)!
  for (int n = 0; n < 30; ++n) {
    const double sign = n % 2 ? -1 : 1;
    x += sign * fx / (4 * n + 1);
    y += sign * fy / (4 * n + 3);
    fx *= b * b / ((2 * n + 1) * (2 * n + 2));
    fy *= b * b / ((2 * n + 2) * (2 * n + 3));
  }
  return {x * Ls, y * Ls};
}

SpiralShift SeriesShift(double R, double Ls) {
  const Xy end = ClothoidEnd(R, Ls);
  const double b = Ls / (2 * R);
  return {end.y - R * (1 - std::cos(b)), end.x - R * std::sin(b)};
}

TEST(ExactSpiralShift, AgreesWithTheClothoidSeries) {
  const double cases[][2] = {{300, 60}, {300, 150}, {800, 120}, {1500, 150}, {100, 150}};
  for (const auto& [R, Ls] : cases) {
    const SpiralShift exact = ExactSpiralShift(R, Ls);
    const SpiralShift series = SeriesShift(R, Ls);
    EXPECT_NEAR(exact.p, series.p, kMicrometre) << R << " " << Ls;
    EXPECT_NEAR(exact.q, series.q, kMicrometre) << R << " " << Ls;
  }
}

Xy Along(double azimuthDeg, double d) {
  return {d * std::cos(azimuthDeg * kRadian), d * std::sin(azimuthDeg * kRadian)};
}

// BP, one JD and EP, each 500 m from the JD, the second leg turned by `turn`.
std::vector<JdPoint> OneCurve(double turn, double R, double Ls1, double Ls2) {
  const double azimuth = 31.25;
  const Xy jd{3378000, 512000};
  const Xy back = Along(azimuth, -500);
  const Xy ahead = Along(azimuth + turn, 500);
  return {{"BP", jd.x + back.x, jd.y + back.y},
          {"JD1", jd.x, jd.y, R, Ls1, Ls2},
          {"EP", jd.x + ahead.x, jd.y + ahead.y}};
}

struct CurveCase {
  const char* what;
  double turn, R, Ls1, Ls2;
};

// The tangent lengths from the geometry alone: the circle shifted by each
// spiral's p and q must be the same circle seen from both legs, which gives
// two linear equations in T1 and T2.
TEST(RouteFromJd, CurveAgreesWithTheExactClothoid) {
  const CurveCase cases[] = {{"symmetric", 35.5, 600, 100, 100},
                             {"asymmetric", -52.25, 400, 120, 70},
                             {"no spirals", 18, 1200, 0, 0}};
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto outcome = RouteFromJd(OneCurve(c.turn, c.R, c.Ls1, c.Ls2), 1000);
    ASSERT_TRUE(std::holds_alternative<JdRoute>(outcome));
    const CurveRow& row = std::get<JdRoute>(outcome).curves.at(0);

    const SpiralShift s1 = c.Ls1 ? SeriesShift(c.R, c.Ls1) : SpiralShift{};
    const SpiralShift s2 = c.Ls2 ? SeriesShift(c.R, c.Ls2) : SpiralShift{};
    const double side = c.turn > 0 ? 1 : -1;
    const double in = 31.25 * kRadian, out = in + c.turn * kRadian;
    const Xy tIn{std::cos(in), std::sin(in)}, tOut{std::cos(out), std::sin(out)};
    const Xy nIn{-side * tIn.y, side * tIn.x}, nOut{-side * tOut.y, side * tOut.x};
    // (q1 − T1) tIn − (T2 − q2) tOut = (R + p2) nOut − (R + p1) nIn
    const Xy rhs{(c.R + s2.p) * nOut.x - (c.R + s1.p) * nIn.x,
                 (c.R + s2.p) * nOut.y - (c.R + s1.p) * nIn.y};
    const double det = -tIn.x * tOut.y + tOut.x * tIn.y;
    const double a = (-rhs.x * tOut.y + tOut.x * rhs.y) / det;
    const double b = (tIn.x * rhs.y - rhs.x * tIn.y) / det;
    const double T1 = s1.q - a, T2 = b + s2.q;
    const Xy centre{(s1.q - T1) * tIn.x + (c.R + s1.p) * nIn.x,
                    (s1.q - T1) * tIn.y + (c.R + s1.p) * nIn.y};

    EXPECT_NEAR(row.alpha, c.turn, 1e-9);
    EXPECT_NEAR(row.T1, T1, kMicrometre);
    EXPECT_NEAR(row.T2, T2, kMicrometre);
    EXPECT_NEAR(row.p1, s1.p, kMicrometre);
    EXPECT_NEAR(row.q2, s2.q, kMicrometre);
    const double Ly = c.R * (std::fabs(c.turn) * kRadian - (c.Ls1 + c.Ls2) / (2 * c.R));
    EXPECT_NEAR(row.Ly, Ly, kMicrometre);
    EXPECT_NEAR(row.J, T1 + T2 - (c.Ls1 + Ly + c.Ls2), kMicrometre);
    if (c.Ls1 == c.Ls2)
      EXPECT_NEAR(row.E.value(), std::hypot(centre.x, centre.y) - c.R, kMicrometre);
    else
      EXPECT_FALSE(row.E);
    EXPECT_NEAR(row.ZH, 1000 + 500 - T1, kMicrometre);
    EXPECT_NEAR(row.HZ, row.ZH + c.Ls1 + Ly + c.Ls2, kMicrometre);
    EXPECT_NEAR(row.QZ, row.ZH + c.Ls1 + Ly / 2, kMicrometre);
  }
}

TEST(CurveTableText, CurveWithoutSpiralsHasNoHyOrYh) {
  const auto route = std::get<JdRoute>(RouteFromJd(OneCurve(-18, 1200, 0, 0), 0));
  const auto cells = CurveRowTexts(route.curves.at(0));
  EXPECT_EQ(cells[0], "JD1");
  EXPECT_EQ(cells[1], "左18°0ˊ0″");
  EXPECT_EQ(cells[2], "1200.000");
  EXPECT_EQ(cells[12], "");
  EXPECT_EQ(cells[14], "");
  EXPECT_EQ(cells[11], FixedText(500 - route.curves[0].T1, 3));
}

// Two curves whose tangents meet leaving `gap` metres between HZ and ZH.
std::vector<JdPoint> BackToBack(double gap) {
  auto points = OneCurve(30, 500, 80, 80);
  const double T = std::get<JdRoute>(RouteFromJd(points, 0)).curves[0].T2;
  const Xy jd{points[1].X, points[1].Y};
  const Xy leg = Along(61.25, 2 * T + gap);
  const Xy beyond = Along(31.25, 400);
  points[2] = {"JD2", jd.x + leg.x, jd.y + leg.y, 500, 80, 80};
  points.push_back({"EP", points[2].X + beyond.x, points[2].Y + beyond.y});
  return points;
}

// Rounded coordinates leave a fraction of a millimetre between curves that
// meet; no straight is made, and the stations keep the computed length.
TEST(RouteFromJd, BackToBackCurvesMeetWithoutAStraight) {
  for (double gap : {0.0004, -0.0004}) {
    const auto jd = std::get<JdRoute>(RouteFromJd(BackToBack(gap), 0));
    ASSERT_EQ(jd.route.elements.size(), 8u);  // straight, 3 + 3, straight
    EXPECT_EQ(jd.route.elements[4].name, "JD2缓和曲线1");
    EXPECT_NEAR(jd.curves[1].ZH - jd.curves[0].HZ, gap, 1e-9);
    const auto joints = CheckJoints(jd.route);
    EXPECT_NEAR(joints[3].dK, gap, 1e-9);
    EXPECT_NEAR(joints[3].d_mm, std::fabs(gap) * 1000, 1e-4);
    for (const Joint& j : joints) EXPECT_TRUE(j.closed) << j.left;
  }
}

struct RefusalCase {
  const char* what;
  std::vector<JdPoint> points;
  JdRefusal expected;
};

TEST(RouteFromJd, Refusals) {
  const RefusalCase cases[] = {
      {"collinear legs",
       {{"BP", 0, 0}, {"JD1", 100, 0.0001, 300}, {"EP", 200, 0}},
       {2, -1, "交点“JD1”的两条边共线，不能设曲线！"}},
      {"legs reversed",
       {{"BP", 0, 0}, {"JD1", 100, 0, 300}, {"EP", 50, 0}},
       {2, -1, "交点“JD1”的转角达到180°，两条边方向相反！"}},
      {"spirals turn more than the legs",
       {{"BP", 0, 0}, {"JD1", 100, 0, 300, 60, 60}, {"EP", 100 + Along(10, 100).x, Along(10, 100).y}},
       {2, -1, "交点“JD1”的缓和曲线过长：β1+β2=11°27ˊ32.96″不小于转角α=10°0ˊ0″！"}},
      {"overlapping curves",
       BackToBack(-0.0011),
       {3, -1, "交点“JD1”与交点“JD2”的曲线重叠0.0011 m！"}},
      {"curve before BP",
       {{"BP", 0, 0}, {"JD1", 10, 0, 300}, {"EP", 10, 100}},
       {2, -1, "交点“JD1”的曲线起点超出起点“BP”290.0000 m！"}},
      // Pins a route file written that its own reader would refuse.
      {"spiral shorter than the station's last digit",
       {{"BP", 0, 0}, {"JD1", 100, 0, 50, 1e-13}, {"EP", 100, 100}},
       {2, -1, "交点“JD1”处：第2个线元“止点桩号K”必须大于“起点桩号K”！"}},
      {"radius at EP",
       {{"BP", 0, 0}, {"EP", 10, 0, 300}},
       {2, 3, "终点“EP”不设曲线，“半径R”应为空或0！"}},
  };
  for (const RefusalCase& c : cases) {
    const auto outcome = RouteFromJd(c.points, 1e7);
    ASSERT_TRUE(std::holds_alternative<JdRefusal>(outcome)) << c.what;
    EXPECT_EQ(std::get<JdRefusal>(outcome), c.expected) << c.what;
  }
}

// A design's 直线、曲线及转角表 as it is printed: coordinates and stations to
// the millimetre, p and q by the series, the start at K10+000. JD3 and JD4
// meet back to back, 0.3 mm apart.
const std::vector<JdPoint> kDesign = {
    {"BP", 3378214.562, 512873.319},
    {"JD1", 3378545.189, 513388.324, 800, 120, 120},
    {"JD2", 3378712.105, 514418.894, 1500, 150, 150},
    {"JD3", 3379003.005, 515089.519, 450, 100, 80},
    {"JD4", 3378921.048, 515390.135, 600, 0, 0},
    {"JD5", 3378990.083, 516041.487, 300, 60, 90},
    {"EP", 3378629.804, 516443.730}};
const double kDesignStations[][5] = {
    {10385.456, 10505.456, 10609.516, 10713.577, 10833.577},
    {11388.461, 11538.461, 11649.993, 11761.524, 11911.524},
    {12172.153, 12272.153, 12379.127, 12486.101, 12566.101},
    {12566.102, 12566.102, 12677.628, 12789.155, 12789.155},
    {13167.017, 13227.017, 13314.919, 13402.821, 13492.821}};
constexpr double kDesignEnd = 13854.942;

TEST(RouteFromJd, DesignTableGivesItsKeyStationsAndARouteThatCloses) {
  const auto jd = std::get<JdRoute>(RouteFromJd(kDesign, 10000));
  ASSERT_EQ(jd.curves.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    const CurveRow& r = jd.curves[i];
    const double stations[] = {r.ZH, r.HY, r.QZ, r.YH, r.HZ};
    for (size_t k = 0; k < 5; ++k)
      EXPECT_NEAR(stations[k], kDesignStations[i][k], 0.0015) << r.name << " " << k;
  }

  const Route& route = jd.route;
  for (const Joint& j : CheckJoints(route)) EXPECT_TRUE(j.closed) << j.left;

  // The last element ends on the last leg, at EP; the route's last station
  // is the last HZ plus what the leg leaves after T2.
  const JdPoint& jd5 = kDesign[5];
  const JdPoint& ep = kDesign[6];
  const double leg = std::hypot(ep.X - jd5.X, ep.Y - jd5.Y);
  const LineElement& last = route.loaded.back();
  const Point end = CentreLinePoint(last, last.K1);
  EXPECT_NEAR(end.X, ep.X, 1e-5);
  EXPECT_NEAR(end.Y, ep.Y, 1e-5);
  EXPECT_NEAR(RouteEnd(route), jd.curves[4].HZ + leg - jd.curves[4].T2, 1e-9);
  EXPECT_NEAR(RouteEnd(route), kDesignEnd, 0.0015);
}

}  // namespace
}  // namespace tarnvel
