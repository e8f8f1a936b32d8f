#include "route_csv.h"

#include <gtest/gtest.h>

#include "file_test_support.h"
#include "gbk_text.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;

RoutePoint Point(int element, double K, double m, double skew, double X, double Y, double az,
                 std::string label) {
  return {element, K, m, skew, {{X, Y}, az}, std::move(label)};
}

// Rounding at the last decimal, the sign of a zero, the skew as given and a
// name that needs quoting; an azimuth past 360° prints within the turn.
TEST(RouteCsvTest, ForwardRowsAsTheTaskDefinesThem) {
  const std::vector<ForwardCsvRow> rows = {
      {"1", Point(2, 7800, -0.0004, 90, 3378568.396049, 453683.000049, 98.9, "HY")},
      {"K7+810,左", Point(3, 7810.00049, -10, 45.3, -0.00004, 1e-9, 360.5, "")},
  };
  EXPECT_EQ(ForwardCsvText(rows),
            "点名,里程,偏距,偏角,X,Y,切线方位角,线元,说明\r\n"
            "1,7800.000,0.000,90,3378568.3960,453683.0000,98°54ˊ0″,2,HY\r\n"
            "\"K7+810,左\",7810.000,-10.000,45.3,0.0000,0.0000,0°30ˊ0″,3,\r\n");
}

TEST(RouteCsvTest, InverseRowsNearestAllAndNone) {
  const std::vector<RouteFoot> feet = {{2, 7850.0004, -0.0001}, {4, 8100.25, 12.3456}};
  std::vector<InverseCsvRow> rows = InverseRows("P1", "3378600.40", "453700", feet, false);
  for (auto& row : InverseRows("P2", "1", "2", feet, true)) rows.push_back(row);
  for (auto& row : InverseRows("P3", "5", "6", {}, true)) rows.push_back(row);
  EXPECT_EQ(InverseCsvText(rows),
            "点名,X,Y,里程,偏距,线元,候选\r\n"
            "P1,3378600.40,453700,7850.000,0.000,2,1/2\r\n"
            "P2,1,2,7850.000,0.000,2,1/2\r\n"
            "P2,1,2,8100.250,12.346,4,2/2\r\n"
            "P3,5,6,,,,0/0\r\n");
}

class RouteCsvSaveTest : public testing_support::ScratchFolder {};

TEST_F(RouteCsvSaveTest, SavesUtf8OrGbkAndRefusesWhatGbkCannotHold) {
  const std::string text = "点名,X\r\n甲,1\r\n";
  const QString path = PathOf("out.csv");
  ASSERT_EQ(SaveTextFile(path, text, TextEncoding::Utf8), std::nullopt);
  EXPECT_EQ(ReadBytes(path), QByteArray::fromStdString(text));
  ASSERT_EQ(SaveTextFile(path, text, TextEncoding::Gbk), std::nullopt);
  EXPECT_EQ(ReadBytes(path), *EncodeGbk(QString::fromStdString(text)));
  EXPECT_EQ(SaveTextFile(path, "😀\r\n", TextEncoding::Gbk),
            CannotSave(path, QStringLiteral("字符“😀”（U+1F600）不能用GBK编码保存")));
  EXPECT_EQ(ReadBytes(path), *EncodeGbk(QString::fromStdString(text))) << "the old file stays";
}

}  // namespace
}  // namespace tarnvel
