#include "io/route/survey_point_file.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

StakeRow Row(std::string name, double X, double Y, std::string label) {
  RoutePoint point;
  point.result.point = {X, Y};
  point.label = std::move(label);
  return {std::move(name), std::move(point)};
}

// East before north, the key point as the code, no height, no header; a
// coordinate that rounds to zero has no minus sign.
TEST(SurveyPointFileTest, NamesCodesAndCoordinatesEastFirst) {
  const std::vector<StakeRow> rows = {
      Row("K1+300L10.00", 3378821.06864, 453858.67995, "HY"),
      Row("K1+300_2", -0.00004, 12.5, ""),
  };
  EXPECT_EQ(SurveyPointFileText(rows),
            "K1+300L10.00,HY,453858.6800,3378821.0686,\r\n"
            "K1+300_2,,12.5000,0.0000,\r\n");
}

}  // namespace
}  // namespace tarnvel
