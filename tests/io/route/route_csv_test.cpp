#include "io/route/route_csv.h"

#include <gtest/gtest.h>

#include "file_test_support.h"
#include "io/files/gbk_text.h"
#include "io/files/text_encoding.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;

RoutePoint Point(int element, double K, double m, double skew, double X, double Y, double az,
                 std::string label) {
  return {.element = element,
          .station = K,
          .offset = m,
          .skewDms = skew,
          .result = {{X, Y}, az},
          .label = label};
}

// Rounding at the last decimal, the sign of a zero, the skew as given and a
// name that needs quoting; an azimuth past 360° prints within the turn. 桩号
// rounds into the next kilometre as 里程 does, and a negative station has
// no K text.
TEST(RouteCsvTest, ForwardRowsAsTheTaskDefinesThem) {
  const std::vector<StakeRow> rows = {
      {"1", Point(2, 7800, -0.0004, 90, 3378568.396049, 453683.000049, 98.9, "HY")},
      {"K7+810,左", Point(3, 7810.00049, -10, 45.3, -0.00004, 1e-9, 360.5, "")},
      {"P", Point(1, 999.9995, 0, 90, 1, 2, 0, "")},
      {"Q", Point(1, -20.0004, 0, 90, 1, 2, 0, "")},
  };
  EXPECT_EQ(ForwardCsvText(rows, "ZK"),
            "点名,桩号,里程,偏距,偏角,X,Y,切线方位角,线元,说明\r\n"
            "1,ZK7+800.000,7800.000,0.000,90,3378568.3960,453683.0000,98°54ˊ0″,2,HY\r\n"
            "\"K7+810,左\",ZK7+810.000,7810.000,-10.000,45.3,0.0000,0.0000,0°30ˊ0″,3,\r\n"
            "P,ZK1+000.000,1000.000,0.000,90,1.0000,2.0000,0°0ˊ0″,1,\r\n"
            "Q,-20.000,-20.000,0.000,90,1.0000,2.0000,0°0ˊ0″,1,\r\n");
}

TEST(RouteCsvTest, InverseRowsNearestAllAndNone) {
  const std::vector<RouteFoot> feet = {{2, 7850.0004, -0.0001}, {4, 8100.25, 12.3456}};
  std::vector<InverseCsvRow> rows = InverseRows("P1", "3378600.40", "453700", feet, false);
  for (auto& row : InverseRows("P2", "1", "2", feet, true)) rows.push_back(row);
  for (auto& row : InverseRows("P3", "5", "6", {}, true)) rows.push_back(row);
  EXPECT_EQ(InverseCsvText(rows),
            "点名,X,Y,桩号,里程,偏距,线元,候选\r\n"
            "P1,3378600.40,453700,K7+850.000,7850.000,0.000,2,1/2\r\n"
            "P2,1,2,K7+850.000,7850.000,0.000,2,1/2\r\n"
            "P2,1,2,K8+100.250,8100.250,12.346,4,2/2\r\n"
            "P3,5,6,,,,,0/0\r\n");
}

class RouteCsvSaveTest : public testing_support::ScratchFolder {};

// The bytes themselves: Excel takes a CSV as UTF-8 only after the mark, and
// GBK's 点 is B5 E3.
TEST_F(RouteCsvSaveTest, SavesUtf8OrGbkAndRefusesWhatGbkCannotHold) {
  const std::string text = "点名,X\r\n甲,1\r\n";
  const QString path = PathOf("out.csv");
  ASSERT_EQ(SaveTextFile(path, text, TextEncoding::Utf8), std::nullopt);
  EXPECT_EQ(ReadBytes(path), QByteArray::fromStdString(text));
  ASSERT_EQ(SaveTextFile(path, text, TextEncoding::Utf8WithBom), std::nullopt);
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF\xE7\x82\xB9\xE5\x90\x8D,X\r\n\xE7\x94\xB2,1\r\n");
  ASSERT_EQ(SaveTextFile(path, text, TextEncoding::Gbk), std::nullopt);
  EXPECT_EQ(ReadBytes(path), "\xB5\xE3\xC3\xFB,X\r\n\xBC\xD7,1\r\n");
  EXPECT_EQ(SaveTextFile(path, "😀\r\n", TextEncoding::Gbk),
            CannotSave(path, QStringLiteral("字符“😀”（U+1F600）不能用GBK编码保存")));
  EXPECT_EQ(ReadBytes(path), *EncodeGbk(QString::fromStdString(text))) << "the old file stays";
}

}  // namespace
}  // namespace tarnvel
