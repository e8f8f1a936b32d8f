#include "core/jd/route_from_jd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/element/centre_line.h"
#include "core/jd/curve_table_text.h"
#include "core/route/route_forward.h"
#include "core/route/route_joints.h"
#include "core/text/number_text.h"
#include "design_example.h"

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

// A curve at JD1 of OneCurve worked from the geometry alone: the circle
// shifted by each spiral's p and q (from the series) must be the same circle
// seen from both legs, which gives two linear equations in T1 and T2.
// Vectors are from JD1; n is the normal towards the centre.
struct ExactCurve {
  SpiralShift s1, s2;
  double T1 = 0, T2 = 0;
  Xy tIn, tOut, nIn, nOut, centre;
};

ExactCurve SolveCurve(double turn, double R, double Ls1, double Ls2) {
  ExactCurve e;
  e.s1 = Ls1 ? SeriesShift(R, Ls1) : SpiralShift{};
  e.s2 = Ls2 ? SeriesShift(R, Ls2) : SpiralShift{};
  const double side = turn > 0 ? 1 : -1;
  const double in = 31.25 * kRadian, out = in + turn * kRadian;
  e.tIn = {std::cos(in), std::sin(in)};
  e.tOut = {std::cos(out), std::sin(out)};
  e.nIn = {-side * e.tIn.y, side * e.tIn.x};
  e.nOut = {-side * e.tOut.y, side * e.tOut.x};
  // (q1 − T1) tIn − (T2 − q2) tOut = (R + p2) nOut − (R + p1) nIn
  const Xy rhs{(R + e.s2.p) * e.nOut.x - (R + e.s1.p) * e.nIn.x,
               (R + e.s2.p) * e.nOut.y - (R + e.s1.p) * e.nIn.y};
  const double det = -e.tIn.x * e.tOut.y + e.tOut.x * e.tIn.y;
  const double a = (-rhs.x * e.tOut.y + e.tOut.x * rhs.y) / det;
  const double b = (e.tIn.x * rhs.y - rhs.x * e.tIn.y) / det;
  e.T1 = e.s1.q - a;
  e.T2 = b + e.s2.q;
  e.centre = {(e.s1.q - e.T1) * e.tIn.x + (R + e.s1.p) * e.nIn.x,
              (e.s1.q - e.T1) * e.tIn.y + (R + e.s1.p) * e.nIn.y};
  return e;
}

struct CurveCase {
  const char* what;
  double turn, R, Ls1, Ls2;
};

TEST(RouteFromJd, CurveAgreesWithTheExactClothoid) {
  const CurveCase cases[] = {{"symmetric", 35.5, 600, 100, 100},
                             {"asymmetric", -52.25, 400, 120, 70},
                             {"no spirals", 18, 1200, 0, 0}};
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto outcome = RouteFromJd(OneCurve(c.turn, c.R, c.Ls1, c.Ls2), 1000);
    ASSERT_TRUE(std::holds_alternative<JdRoute>(outcome));
    const CurveRow& row = std::get<JdRoute>(outcome).curves.at(0);
    const ExactCurve e = SolveCurve(c.turn, c.R, c.Ls1, c.Ls2);

    EXPECT_NEAR(row.alpha, c.turn, 1e-9);
    EXPECT_NEAR(row.T1, e.T1, kMicrometre);
    EXPECT_NEAR(row.T2, e.T2, kMicrometre);
    EXPECT_NEAR(row.p1, e.s1.p, kMicrometre);
    EXPECT_NEAR(row.q2, e.s2.q, kMicrometre);
    const double Ly = c.R * (std::fabs(c.turn) * kRadian - (c.Ls1 + c.Ls2) / (2 * c.R));
    EXPECT_NEAR(row.Ly, Ly, kMicrometre);
    EXPECT_NEAR(row.J, e.T1 + e.T2 - (c.Ls1 + Ly + c.Ls2), kMicrometre);
    if (c.Ls1 == c.Ls2)
      EXPECT_NEAR(row.E.value(), std::hypot(e.centre.x, e.centre.y) - c.R, kMicrometre);
    else
      EXPECT_FALSE(row.E);
    EXPECT_NEAR(row.ZH, 1000 + 500 - e.T1, kMicrometre);
    EXPECT_NEAR(row.HZ, row.ZH + c.Ls1 + Ly + c.Ls2, kMicrometre);
    EXPECT_NEAR(row.QZ, row.ZH + c.Ls1 + Ly / 2, kMicrometre);
  }
}

// A design whose spirals leave `arcLeft` metres of arc, R(α − β1 − β2)
// (below 0 they turn more than α): their lengths are `share` and 1 − share
// of 2(Rα − arcLeft).
struct SpiralsMeetCase {
  const char* name;
  double turn, R, share, arcLeft;
};

void PrintTo(const SpiralsMeetCase& c, std::ostream* os) {
  *os << "turn " << c.turn << "°, R " << c.R << ", share " << c.share << ", arc left " << c.arcLeft
      << " m";
}

class SpiralsMeetTest : public testing::TestWithParam<SpiralsMeetCase> {};

// Pins spirals that turn the whole α (or within 2 mm of arc of it) being
// refused, as an arc under 1 mm or as β1 + β2 ≥ α: they meet at R. The
// curve that closes turns exactly α, R kept, so its spirals are 2Rα in all,
// shared as the design shares them.
TEST_P(SpiralsMeetTest, WithoutAnArc) {
  const SpiralsMeetCase& c = GetParam();
  const double alpha = std::fabs(c.turn) * kRadian;
  const double total = 2 * (c.R * alpha - c.arcLeft);
  const auto outcome =
      RouteFromJd(OneCurve(c.turn, c.R, c.share * total, (1 - c.share) * total), 1000);
  ASSERT_TRUE(std::holds_alternative<JdRoute>(outcome)) << std::get<JdRefusal>(outcome).message;
  const JdRoute& jd = std::get<JdRoute>(outcome);
  const CurveRow& row = jd.curves.at(0);
  const double Ls1 = c.share * 2 * c.R * alpha, Ls2 = (1 - c.share) * 2 * c.R * alpha;
  const ExactCurve e = SolveCurve(c.turn, c.R, Ls1, Ls2);

  EXPECT_NEAR(row.Ls1, Ls1, 1e-9);
  EXPECT_NEAR(row.Ls2, Ls2, 1e-9);
  EXPECT_EQ(row.Ly, 0);
  EXPECT_NEAR(row.L, Ls1 + Ls2, 1e-9);
  EXPECT_NEAR(row.T1, e.T1, kMicrometre);
  EXPECT_NEAR(row.T2, e.T2, kMicrometre);
  EXPECT_EQ(row.HY, row.QZ);
  EXPECT_EQ(row.YH, row.QZ);
  const auto cells = CurveRowTexts(row);
  EXPECT_EQ(cells[4], "0.000");
  EXPECT_EQ(cells[12], cells[14]);
  ASSERT_EQ(jd.route.elements.size(), 4u);  // straight, two spirals, straight

  // HY is the end of the entry spiral laid from ZH on the incoming leg, HZ
  // T2 from the JD on the outgoing one.
  const Xy end = ClothoidEnd(c.R, Ls1);
  const double side = c.turn > 0 ? 1 : -1;
  const JdPoint jd1 = OneCurve(c.turn, c.R, 0, 0)[1];  // a copy: the table is a temporary
  const double hyX = jd1.X - e.T1 * e.tIn.x + end.x * e.tIn.x - side * end.y * e.tIn.y;
  const double hyY = jd1.Y - e.T1 * e.tIn.y + end.x * e.tIn.y + side * end.y * e.tIn.x;
  const double stations[] = {row.HY, row.HZ};
  const Xy expected[] = {{hyX, hyY}, {jd1.X + e.T2 * e.tOut.x, jd1.Y + e.T2 * e.tOut.y}};
  for (size_t k = 0; k < 2; ++k) {
    const auto points =
        std::get<std::vector<RoutePoint>>(RouteForward(jd.route, stations[k], 0, 90));
    EXPECT_NEAR(points.back().result.point.X, expected[k].x, kMicrometre) << k;
    EXPECT_NEAR(points.back().result.point.Y, expected[k].y, kMicrometre) << k;
  }
  for (const Joint& j : CheckJoints(jd.route)) {
    EXPECT_LT(j.d_mm, 1e-3) << j.left;
    EXPECT_LT(std::fabs(j.daz_sec), 1e-4) << j.left;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, SpiralsMeetTest,
    testing::Values(SpiralsMeetCase{"Symmetric_Exact", 20, 400, 0.5, 0},
                    SpiralsMeetCase{"Symmetric_ArcLeft", 20, 400, 0.5, 0.0015},
                    SpiralsMeetCase{"Symmetric_ArcShort", 20, 400, 0.5, -0.0015},
                    SpiralsMeetCase{"Asymmetric_Left", -35, 250, 0.6, 0.001},
                    SpiralsMeetCase{"Asymmetric_ArcShort", 28, 400, 0.3, -0.0019}),
    [](const testing::TestParamInfo<SpiralsMeetCase>& info) { return info.param.name; });

// Beyond the tolerance the spirals are too long for the turn.
TEST(RouteFromJd, SpiralsBeyondTheTurnByMoreThanTheToleranceAreRefused) {
  const double total = 2 * (400 * 20 * kRadian + 0.0025);
  const auto outcome = RouteFromJd(OneCurve(20, 400, total / 2, total / 2), 0);
  ASSERT_TRUE(std::holds_alternative<JdRefusal>(outcome));
  EXPECT_EQ(std::get<JdRefusal>(outcome),
            (JdRefusal{2, -1, "交点“JD1”的缓和曲线过长：β1+β2=20°0ˊ1.29″不小于转角α=20°0ˊ0″！"}));
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

// Two curves, right by `turn` degrees then left by as much, with spirals of
// Ls (none for 0), whose tangents leave `gap` metres between HZ and ZH (an
// overlap below 0); BP and EP 100 m beyond the curves. JD1 at `jd1`.
std::vector<JdPoint> TwoCurves(double R1, double R2, double Ls, double gap, double turn = 30,
                               Xy jd1 = {3378000, 512000}) {
  const CurveGeometry first = CurveOfTurn(turn * kRadian, R1, Ls, Ls);
  const CurveGeometry second = CurveOfTurn(turn * kRadian, R2, Ls, Ls);
  const Xy back = Along(31.25, -(first.T1 + 100));
  const Xy leg = Along(31.25 + turn, first.T2 + second.T1 + gap);
  const Xy jd2{jd1.x + leg.x, jd1.y + leg.y};
  const Xy ahead = Along(31.25, second.T2 + 100);
  return {{"BP", jd1.x + back.x, jd1.y + back.y},
          {"JD1", jd1.x, jd1.y, R1, Ls, Ls},
          {"JD2", jd2.x, jd2.y, R2, Ls, Ls},
          {"EP", jd2.x + ahead.x, jd2.y + ahead.y}};
}

// On a local grid JD1 is at (1000, 2000): the units in the last place of
// the coordinates are small, and a small turn makes much of them in T.
struct StraightCase {
  const char* name;
  double R1, R2, Ls, gap;
  double turn = 30;
  bool localGrid = false;
};

void PrintTo(const StraightCase& c, std::ostream* os) {
  *os << "R " << c.R1 << "/" << c.R2 << ", Ls " << c.Ls << ", gap " << c.gap << " m, turn "
      << c.turn << "°" << (c.localGrid ? ", local grid" : "");
}

class ShortStraightTest : public testing::TestWithParam<StraightCase> {};

// Pins a straight under 1 mm between curves that was left out, the joint
// carrying it as a 短链 whose stations forward refused, and that a leg of
// exactly T2 + T1 leaves neither a straight nor a station jump.
TEST_P(ShortStraightTest, IsAnElementOfItsTrueLength) {
  const StraightCase& c = GetParam();
  const Xy jd1 = c.localGrid ? Xy{1000, 2000} : Xy{3378000, 512000};
  const auto outcome = RouteFromJd(TwoCurves(c.R1, c.R2, c.Ls, c.gap, c.turn, jd1), 1000);
  ASSERT_TRUE(std::holds_alternative<JdRoute>(outcome)) << std::get<JdRefusal>(outcome).message;
  const JdRoute& jd = std::get<JdRoute>(outcome);
  const size_t perCurve = c.Ls > 0 ? 3 : 1;
  const bool straight = c.gap > 0;
  ASSERT_EQ(jd.route.elements.size(), 2 * perCurve + 2 + (straight ? 1 : 0)) << c.gap;
  const double HZ = jd.curves[0].HZ, ZH = jd.curves[1].ZH;
  if (straight) {
    EXPECT_NEAR(ZH - HZ, c.gap, 5e-9);
    const LineElement& e = jd.route.loaded[perCurve + 1];
    EXPECT_EQ(jd.route.elements[perCurve + 1].name, "直线");
    EXPECT_EQ(e.K0, HZ);
    EXPECT_EQ(e.K1, ZH);
    for (double K : {HZ, HZ + (ZH - HZ) / 3, ZH}) {
      const auto point = RouteForward(jd.route, K, 0, 90);
      EXPECT_TRUE(std::holds_alternative<std::vector<RoutePoint>>(point)) << FixedText(K, 9);
    }
  } else {
    EXPECT_EQ(ZH, HZ);
  }
  for (const Joint& j : CheckJoints(jd.route)) {
    EXPECT_EQ(j.dK, 0) << j.left;
    EXPECT_LT(j.d_mm, 1e-3) << j.left;
    EXPECT_TRUE(j.closed) << j.left;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, ShortStraightTest,
    testing::Values(StraightCase{"R500_Touching", 500, 500, 80, 0},
                    StraightCase{"R500_Micrometre", 500, 500, 80, 1e-6},
                    StraightCase{"R500_HalfMillimetre", 500, 500, 80, 0.0005},
                    StraightCase{"R15_R40_Touching", 15, 40, 0, 0},
                    StraightCase{"R15_R40_TenthMillimetre", 15, 40, 0, 0.0001},
                    StraightCase{"R50000_R80000_Touching", 50000, 80000, 0, 0},
                    StraightCase{"R50000_R80000_HalfMillimetre", 50000, 80000, 0, 0.0005},
                    StraightCase{"LocalGrid_Turn1_Touching", 300, 80000, 0, 0, 1, true},
                    StraightCase{"LocalGrid_TurnHalf_Touching", 300, 80000, 0, 0, 0.5, true}),
    [](const testing::TestParamInfo<StraightCase>& info) { return info.param.name; });

// The table of the report: its JD1–JD2 leg leaves 0.5 mm after T2 + T1.
const std::vector<JdPoint> kHalfMillimetreApart = {
    {"BP", 3000000, 500000},
    {"JD1", 3000221.985734, 500068.668234, 300, 80, 60},
    {"JD2", 3000409.401792, 500304.842120, 500, 100, 100},
    {"EP", 3000665.334254, 500413.048629}};

// The curve after a short straight is the one its own JD gives: each key
// point where the JD2 curve alone, from JD1 as its start, puts it, at the
// station the straight's length puts it.
TEST(RouteFromJd, ShortStraightKeepsTheCurveAfterIt) {
  const auto whole = std::get<JdRoute>(RouteFromJd(kHalfMillimetreApart, 0));
  std::vector<JdPoint> alone(kHalfMillimetreApart.begin() + 1, kHalfMillimetreApart.end());
  alone[0] = {"JD1", alone[0].X, alone[0].Y};
  const auto own = std::get<JdRoute>(RouteFromJd(alone, 0));
  const CurveRow& a = whole.curves[1];
  const CurveRow& b = own.curves[0];
  EXPECT_NEAR(a.ZH - whole.curves[0].HZ, 0.0005, 1e-6);
  const double shift = a.ZH - b.ZH;
  const double inWhole[] = {a.ZH, a.HY, a.QZ, a.YH, a.HZ, RouteEnd(whole.route)};
  const double inOwn[] = {b.ZH, b.HY, b.QZ, b.YH, b.HZ, RouteEnd(own.route)};
  for (size_t k = 0; k < std::size(inWhole); ++k) {
    EXPECT_NEAR(inWhole[k] - inOwn[k], shift, 1e-9) << k;
    const auto p = std::get<std::vector<RoutePoint>>(RouteForward(whole.route, inWhole[k], 0, 90));
    const auto q = std::get<std::vector<RoutePoint>>(RouteForward(own.route, inOwn[k], 0, 90));
    EXPECT_NEAR(p.back().result.point.X, q.back().result.point.X, 1e-6) << k;
    EXPECT_NEAR(p.back().result.point.Y, q.back().result.point.Y, 1e-6) << k;
  }
  const Point end =
      std::get<std::vector<RoutePoint>>(RouteForward(whole.route, RouteEnd(whole.route), 0, 90))
          .back()
          .result.point;
  EXPECT_NEAR(end.X, kHalfMillimetreApart.back().X, 1e-6);
  EXPECT_NEAR(end.Y, kHalfMillimetreApart.back().Y, 1e-6);
}

struct OverlapCase {
  const char* name;
  std::vector<JdPoint> points;
  JdRefusal expected;
};

void PrintTo(const OverlapCase& c, std::ostream* os) {
  *os << c.expected.message;
}

class OverlapTest : public testing::TestWithParam<OverlapCase> {};

// Pins overlaps up to 1 mm that were taken as 长链 (and refused from a size
// that changed with the radii): any beyond rounding is the design's error.
TEST_P(OverlapTest, IsRefused) {
  const auto outcome = RouteFromJd(GetParam().points, 0);
  ASSERT_TRUE(std::holds_alternative<JdRefusal>(outcome));
  EXPECT_EQ(std::get<JdRefusal>(outcome), GetParam().expected);
}

JdRefusal OverlapOf(const char* mm) {
  return {3, -1, std::string("交点“JD1”与交点“JD2”的曲线重叠") + mm + " mm！"};
}

INSTANTIATE_TEST_SUITE_P(
    Tables, OverlapTest,
    testing::Values(
        OverlapCase{"R500_HalfMillimetre", TwoCurves(500, 500, 80, -0.0005), OverlapOf("0.5")},
        OverlapCase{"R15_R40_HalfMillimetre", TwoCurves(15, 40, 0, -0.0005), OverlapOf("0.5")},
        OverlapCase{"R50000_R80000_HalfMillimetre", TwoCurves(50000, 80000, 0, -0.0005),
                    OverlapOf("0.5")},
        OverlapCase{"R50000_R80000_Millimetre", TwoCurves(50000, 80000, 0, -0.001),
                    OverlapOf("1.0")},
        OverlapCase{"R500_Micrometre", TwoCurves(500, 500, 80, -1e-6), OverlapOf("不足0.1")},
        OverlapCase{"BeforeBP_HalfMillimetre",
                    {{"BP", 0, 0}, {"JD1", 100, 0, 100.0005}, {"EP", 100, 2000}},
                    {2, -1, "交点“JD1”的曲线起点超出起点“BP”0.0005 m！"}}),
    [](const testing::TestParamInfo<OverlapCase>& info) { return info.param.name; });

// A design's seven legs, 540 to 700 m, whose curves leave straights between
// them; each case types one coordinate wrong by a leading digit.
std::vector<JdPoint> SevenLegs(const char* wrong, double dX, double dY) {
  std::vector<JdPoint> points = {{"BP", 3378000, 503000},
                                 {"JD1", 3378536.9358, 503310, 800, 100, 100},
                                 {"JD2", 3378846.667, 503752.3421, 1000},
                                 {"JD3", 3379405.7119, 504173.6126, 700, 100, 100},
                                 {"JD4", 3379704.434, 504670.7697, 3000},
                                 {"JD5", 3380147.7329, 505146.1496, 1200},
                                 {"JD6", 3380429.4158, 505675.9181, 800, 100, 100},
                                 {"EP", 3380882.7342, 506084.0878}};
  for (JdPoint& p : points)
    if (p.name == wrong) {
      p.X += dX;
      p.Y += dY;
    }
  return points;
}

struct TypoCase {
  const char* name;
  std::vector<JdPoint> points;
  JdRefusal expected;
};

void PrintTo(const TypoCase& c, std::ostream* os) {
  *os << c.name;
}

class TypoTest : public testing::TestWithParam<TypoCase> {};

// Pins a coordinate typed wrong being blamed on the curves it made overlap:
// JD5's Y 100 km out turns JD4's leg, and JD4's curve then overlaps JD3's,
// which the message named alone. Beyond the position tolerance it gives the
// points' 交点间距 and 转角 and names the point whose legs stand out.
TEST_P(TypoTest, NamesThePointWhoseLegsStandOut) {
  const auto outcome = RouteFromJd(GetParam().points, 0);
  ASSERT_TRUE(std::holds_alternative<JdRefusal>(outcome));
  EXPECT_EQ(std::get<JdRefusal>(outcome), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TypoTest,
    testing::Values(
        TypoCase{"FifthY",
                 SevenLegs("JD5", 0, 100000),
                 {5, -1,
                  "交点“JD3”与交点“JD4”的曲线重叠431024.3 mm（交点间距、转角：“JD2”700.000 m、"
                  "左18°0ˊ0.03″；“JD3”580.000 m、右22°0ˊ0.02″；“JD4”100476.358 m、右30°44ˊ49.96″；"
                  "“JD5”99470.630 m、左179°35ˊ5.86″），交点“JD5”的交点间距与相邻的相差最大，"
                  "请检查其坐标！"}},
        TypoCase{"ThirdX",
                 SevenLegs("JD3", -9000, 0),
                 {3, -1,
                  "交点“JD1”与交点“JD2”的曲线重叠1496828.3 mm（交点间距、转角：“BP”620.000 m；"
                  "“JD1”540.000 m、右25°0ˊ0.03″；“JD2”8451.461 m、右122°8ˊ34.26″；“JD3”9312.003 m、"
                  "左174°4ˊ56.81″），交点“JD3”的交点间距与相邻的相差最大，请检查其坐标！"}},
        TypoCase{"StartX",
                 SevenLegs("BP", 10000, 0),
                 {3, -1,
                  "交点“JD1”与交点“JD2”的曲线重叠1146557.4 mm（交点间距、转角：“BP”9468.140 m；"
                  "“JD1”540.000 m、左123°7ˊ25.38″；“JD2”700.000 m、左18°0ˊ0.03″；“JD3”580.000 m、"
                  "右22°0ˊ0.02″），起点“BP”的交点间距与相邻的相差最大，请检查其坐标！"}}),
    [](const testing::TestParamInfo<TypoCase>& info) { return info.param.name; });

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
       {{"BP", 0, 0},
        {"JD1", 100, 0, 300, 60, 60},
        {"EP", 100 + Along(10, 100).x, Along(10, 100).y}},
       {2, -1, "交点“JD1”的缓和曲线过长：β1+β2=11°27ˊ32.96″不小于转角α=10°0ˊ0″！"}},
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

const double kDesignStations[][5] = {{10385.456, 10505.456, 10609.516, 10713.577, 10833.577},
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
