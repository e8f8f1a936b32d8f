#include "core/jd/design_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/element/centre_line.h"
#include "core/jd/design_table_text.h"
#include "core/route/route_forward.h"
#include "design_example.h"

namespace tarnvel {
namespace {

std::string Joined(const DesignRow& row) {
  std::string line = DesignTableLine(row, '\t');
  return line.substr(0, line.size() - 2);  // without the CR LF
}

// The whole table of kDesign (design_example.h, the design table the JD tests
// hold), from K10+000. Its printed key stations (ZH … HZ) and end K13+854.942
// come out digit for digit; its legs are whole metres (612, 1044, 731, 655,
// 540), so each 交点桩号 is the previous one plus the leg less the previous J.
TEST(DesignTable, DesignExampleRowByRow) {
  const std::vector<DesignRow> rows = DesignTableRows(kDesign, 10000, {});
  const char* expected[] = {
      "BP\tK10+000.000\t3378214.5620\t512873.3190\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t385.456\t612."
      "000\t57°18ˊ0.09″",
      "JD1\tK10+612.000\t3378545.1890\t513388.3240\t右23°29ˊ59.89″\t800.000\t120.000\t120."
      "000\t226.545\t226.545\t448.121\t17.888\t4.968\tK10+385.456\tK10+505.456\tK10+609."
      "516\tK10+713.577\tK10+833.577\t554.884\t1044.000\t80°47ˊ59.98″",
      "JD2\tK11+651.032\t3378712.1050\t514418.8940\t左14°14ˊ59.87″\t1500.000\t150.000\t150."
      "000\t262.571\t262.571\t523.063\t12.303\t2.079\tK11+388.461\tK11+538.461\tK11+649."
      "993\tK11+761.524\tK11+911.524\t260.629\t731.000\t66°33ˊ0.11″",
      "JD3\tK12+379.953\t3379003.0050\t515089.5190\t右38°41ˊ59.68″\t450.000\t100.000\t80."
      "000\t207.800\t198.759\t393.948\t28.313\t12.610\tK12+172.153\tK12+272.153\tK12+379."
      "127\tK12+486.101\tK12+566.101\t0.000\t311.588\t105°14ˊ59.79″",
      "JD4\tK12+678.931\t3378921.0480\t515390.1350\t左21°17ˊ59.92″\t600.000\t0.000\t0."
      "000\t112.829\t112.829\t223.053\t10.516\t2.605\tK12+566.102\t\tK12+677.628\t\tK12+789."
      "155\t377.863\t655.000\t83°56ˊ59.87″",
      "JD5\tK13+331.326\t3378990.0830\t516041.4870\t右47°54ˊ0.16″\t300.000\t60.000\t90."
      "000\t164.309\t177.879\t325.804\t30.392\t16.384\tK13+167.017\tK13+227.017\tK13+314."
      "919\tK13+402.821\tK13+492.821\t362.121\t540.000\t131°51ˊ0.03″",
      "EP\tK13+854.942\t3378629.8040\t516443.7300\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t"};
  ASSERT_EQ(rows.size(), std::size(expected));
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(Joined(rows[i]), expected[i]) << i;
}

// Pins the design table running on from BP past a declared 断链 while the
// element table jumps there: every 交点桩号 after it was reported as a typo.
// BP (0, 0), JD1 (500, 0), JD2 (500, 500), EP (1000, 500), both curves R 100
// turning 90° without spirals, from K0+000: T = 100, L = 50π = 157.0796, so
// as laid ZH1 400, QZ1 478.5398, HZ1 557.0796, JD1 400 + T = 500; the
// straight 500 − 2T = 300 gives ZH2 857.0796, QZ2 935.6194, HZ2 1014.1593,
// JD2 957.0796; EP 1014.1593 + 400 = 1414.1593. A 断链 adds its size to
// every station after it.
struct ChainCase {
  const char* name;
  std::vector<StationEquation> equations;
  std::array<double, 4> given;  // 交点桩号 of BP, JD1, JD2, EP, as typed
  // Of each row: 交点号, 交点桩号, and ZH, QZ, HZ of a curve.
  std::array<const char*, 4> rows;
  std::vector<std::string> mismatches;
};

void PrintTo(const ChainCase& c, std::ostream* out) {
  *out << c.name;
}

class DesignTableChains : public testing::TestWithParam<ChainCase> {};

TEST_P(DesignTableChains, StationsAreTheDeclaredOnes) {
  const ChainCase& c = GetParam();
  std::vector<JdPoint> points = {
      {"BP", 0, 0}, {"JD1", 500, 0, 100, 0, 0}, {"JD2", 500, 500, 100, 0, 0}, {"EP", 1000, 500}};
  for (size_t i = 0; i < points.size(); ++i) points[i].station = c.given[i];
  const std::vector<DesignRow> rows = DesignTableRows(points, 0, c.equations);
  ASSERT_EQ(rows.size(), 4u);
  std::vector<std::string> mismatches;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto cells = DesignRowTexts(rows[i]);
    std::string row = cells[0] + " " + cells[1];
    if (rows[i].curve) row += " " + cells[13] + " " + cells[15] + " " + cells[17];
    EXPECT_EQ(row, c.rows[i]) << c.name;
    if (const auto difference = JdStationMismatch(rows[i], points[i].station))
      mismatches.push_back(JdStationMismatchText(rows[i], i, rows.size(), *difference));
  }
  EXPECT_EQ(mismatches, c.mismatches) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Declared, DesignTableChains,
    testing::Values(
        // 20 m on the first straight: everything from ZH1 on is 20 m more.
        ChainCase{"ShortChainBeforeCurve",
                  {{300, 320}},
                  {0, 520, 977.080, 1434.159},
                  {"BP K0+000.000", "JD1 K0+520.000 K0+420.000 K0+498.540 K0+577.080",
                   "JD2 K0+977.080 K0+877.080 K0+955.619 K1+034.159", "EP K1+434.159"},
                  {}},
        // 0.4 mm past ZH1 is at it, as the element table takes it: HZ1 and
        // JD2 exactly 20 m more (577.0796, 977.0796), not 19.9996.
        ChainCase{"ShortChainAtCurveStart",
                  {{400.0004, 420}},
                  {0, 520, 977.080, 1434.159},
                  {"BP K0+000.000", "JD1 K0+520.000 K0+420.000 K0+498.540 K0+577.080",
                   "JD2 K0+977.080 K0+877.080 K0+955.619 K1+034.159", "EP K1+434.159"},
                  {}},
        // 10 m repeated on the straight between the curves: JD2 on, 10 m less.
        ChainCase{"LongChainBeforeCurve",
                  {{700, 690}},
                  {0, 500, 947.080, 1404.159},
                  {"BP K0+000.000", "JD1 K0+500.000 K0+400.000 K0+478.540 K0+557.080",
                   "JD2 K0+947.080 K0+847.080 K0+925.619 K1+004.159", "EP K1+404.159"},
                  {}},
        // 10 m in JD1's arc, after its ZH: JD1 is still ZH + T, its QZ and HZ
        // 10 m more.
        ChainCase{"ShortChainInCurve",
                  {{450, 460}},
                  {0, 500, 967.080, 1424.159},
                  {"BP K0+000.000", "JD1 K0+500.000 K0+400.000 K0+488.540 K0+567.080",
                   "JD2 K0+967.080 K0+867.080 K0+945.619 K1+024.159", "EP K1+424.159"},
                  {}},
        // JD2 typed 10 mm off: computed 977.0796 less typed 977.090.
        ChainCase{"TypoAfterShortChain",
                  {{300, 320}},
                  {0, 520, 977.090, 1434.159},
                  {"BP K0+000.000", "JD1 K0+520.000 K0+420.000 K0+498.540 K0+577.080",
                   "JD2 K0+977.080 K0+877.080 K0+955.619 K1+034.159", "EP K1+434.159"},
                  {"交点“JD2”的交点桩号K0+977.090与计算所得K0+977.080相差-10.4 mm！"}}),
    [](const testing::TestParamInfo<ChainCase>& info) { return std::string(info.param.name); });

// E of every curve is the JD's distance to the route's own QZ point, worked
// out from the elements; for a symmetric curve it is the textbook E too.
TEST(DesignTable, EIsTheDistanceFromTheJdToQz) {
  const auto jd = std::get<JdRoute>(RouteFromJd(kDesign, 10000));
  for (size_t c = 0; c < jd.curves.size(); ++c) {
    const CurveRow& curve = jd.curves[c];
    const auto points = std::get<std::vector<RoutePoint>>(RouteForward(jd.route, curve.QZ, 0, 90));
    const Point qz = points.front().result.point;
    const JdPoint& p = kDesign[c + 1];
    EXPECT_NEAR(curve.Eqz, std::hypot(qz.X - p.X, qz.Y - p.Y), 1e-6) << p.name;
    if (curve.E) {
      EXPECT_NEAR(curve.Eqz, *curve.E, 1e-9) << p.name;
    }
  }
}

// A cell holding a comma or a quote is quoted in CSV, never in the printed
// table.
TEST(DesignTable, CsvQuotesANameWithACommaOrQuote) {
  DesignRow row{"J\"D,1", 0, 1, 2, std::nullopt, std::nullopt};
  EXPECT_EQ(DesignTableLine(row, ','),
            "\"J\"\"D,1\",K0+000.000,1.0000,2.0000,,,,,,,,,,,,,,,,,\r\n");
  EXPECT_EQ(DesignTableLine(row, '\t').substr(0, 7), "J\"D,1\tK");
}

}  // namespace
}  // namespace tarnvel
