#include "design_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "centre_line.h"
#include "design_example.h"
#include "design_table_text.h"
#include "route_forward.h"

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
  const std::vector<DesignRow> rows = DesignTableRows(kDesign, 10000);
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
