// The export agrees with KindOf on what an element is: pins an element with
// turn direction 0 and finite radii, which the export writes as a Line and
// the joint check takes for a straight, while the plan drew it as an arc.
#include <gtest/gtest.h>

#include <QDateTime>

#include "io/landxml/landxml_export.h"

namespace tarnvel {
namespace {

struct ExportKindCase {
  const char* name;
  ElementValues values;
  const char* element;
};

class ExportKindTest : public ::testing::TestWithParam<ExportKindCase> {};

TEST_P(ExportKindTest, WritesTheCoresKind) {
  const ElementValues& v = GetParam().values;
  const auto route = MakeRoute({{v, ""}});
  ASSERT_TRUE(std::holds_alternative<Route>(route));
  const QByteArray xml = LandXmlAlignmentBytes(std::get<Route>(route), QStringLiteral("r"),
                                               QDateTime::fromSecsSinceEpoch(0));
  EXPECT_TRUE(xml.contains(QByteArray("<") + GetParam().element + ' '))
      << "RQ " << v.RQ << " RN " << v.RN << " Q " << v.Q << "\n"
      << xml.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ExportKindTest,
    ::testing::Values(ExportKindCase{"NoTurn_FiniteRadii", {0, 100, 0, 0, 0, 500, 500, 0}, "Line"},
                      ExportKindCase{"Arc", {0, 100, 0, 0, 0, 500, 500, 1}, "Curve"},
                      ExportKindCase{"Spiral", {0, 100, 0, 0, 0, 0, 500, 1}, "Spiral"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
