#include "core/route/route.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarnvel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

RouteElement Straight(double K0, double K1) {
  return {{K0, K1, 5000, 2000, 90, 0, 0, 0}, ""};
}

struct RefusalCase {
  const char* name;
  std::vector<RouteElement> elements;
  RouteError error;
};

// Each element's eight values in field order.
void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << c.elements.size() << " elements";
  for (const RouteElement& e : c.elements)
    *os << " " << testing::PrintToString(FieldValues(e.values));
}

class MakeRouteRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(MakeRouteRefusalTest, NamesElementAndField) {
  const auto made = MakeRoute(GetParam().elements);
  ASSERT_TRUE(std::holds_alternative<RouteError>(made)) << testing::PrintToString(GetParam());
  EXPECT_EQ(std::get<RouteError>(made), GetParam().error) << testing::PrintToString(GetParam());
}

RouteElement With(RouteElement e, size_t field, double value) {
  auto fields = FieldValues(e.values);
  fields[field] = value;
  e.values = FromFieldValues(fields);
  return e;
}

INSTANTIATE_TEST_SUITE_P(
    Elements, MakeRouteRefusalTest,
    testing::Values(
        RefusalCase{"NoElements", {}, {0, -1, "线路中没有线元！"}},
        RefusalCase{"ZeroLength",
                    {Straight(0, 100), Straight(100, 100)},
                    {2, 1, "第2个线元“止点桩号K”必须大于“起点桩号K”！"}},
        // Stations decrease along this element; the main window would take it.
        RefusalCase{"Backwards",
                    {Straight(0, 100), Straight(100, 200), Straight(300, 200)},
                    {3, 1, "第3个线元“止点桩号K”必须大于“起点桩号K”！"}},
        RefusalCase{"TurnDirection",
                    {With(Straight(0, 100), 7, 2)},
                    {1, 7, "第1个线元“曲线转角”只能输入-1、0或1（左转为-1、右转为1、直线为0）！"}},
        RefusalCase{"NotANumber",
                    {Straight(0, 100), With(Straight(100, 200), 3, kNaN)},
                    {2, 3, "第2个线元“起点坐标Y”超出数值范围！"}},
        // Field order: the station fault comes before the turn's.
        RefusalCase{"FirstFieldFirst",
                    {With(With(Straight(0, 100), 7, 5), 1, -1)},
                    {1, 1, "第1个线元“止点桩号K”必须大于“起点桩号K”！"}},
        RefusalCase{"EndBeyondRange",
                    {Straight(0, 100), Straight(100, 200),
                     With(With(With(Straight(200, 300), 1, 1e308), 2, 1.7e308), 4, 0)},
                    {3, -1, "第3个线元的计算结果超出数值范围，请检查输入数据！"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
