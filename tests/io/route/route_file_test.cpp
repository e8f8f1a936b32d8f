#include "io/route/route_file.h"

#include <gtest/gtest.h>

#include "file_test_support.h"
#include "io/element/element_file.h"
#include "io/files/gbk_text.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;

const QString kPath = QStringLiteral("线元表.csv");

const std::vector<RouteElement> kTwoElements = {
    {{1000, 1200, 3378605.445, 453648.704, 45.3, 0, 0, 0}, "主线 直线"},
    {{1200, 1300, 3378745.627, 453791.354, 45.3, 0, 500, 1}, ""}};

std::vector<RouteElement> Elements(const QByteArray& bytes) {
  const FileOutcome<Route> outcome = InFile(kPath, ParseRouteFile(bytes));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    ADD_FAILURE() << refusal->message.toStdString();
    return {};
  }
  return std::get<Route>(outcome).elements;
}

QString Refusal(const QByteArray& bytes) {
  const FileOutcome<Route> outcome = InFile(kPath, ParseRouteFile(bytes));
  const auto* refusal = std::get_if<FileRefusal>(&outcome);
  return refusal ? refusal->message : QStringLiteral("(accepted)");
}

// The same two elements however the file separates, ends and encodes them.
TEST(RouteFileTest, ReadsEverySeparatorLineEndAndEncoding) {
  const QByteArray header =
      "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q,名称";
  const QByteArray first = "1000,1200,3378605.445,453648.704,45.3,0,0,0,主线 直线";
  const QByteArray second = "1200,1300,3378745.627,453791.354,45.3,0,500,1";
  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"commas, CR LF", header + "\r\n" + first + "\r\n" + second + "\r\n"},
      {"LF, no end on the last line", header + "\n" + first + "\n" + second},
      {"CR alone", header + "\r" + first + "\r" + second + "\r"},
      {"full-width commas and spaces around fields", QByteArray(first).replace(",", " ， ") + "\n" +
                                                         QByteArray(second).replace(",", "，") +
                                                         "\n"},
      {"tabs", QByteArray(first).replace(",", "\t") + "\n" + QByteArray(second).replace(",", "\t")},
      {"runs of spaces, the name keeping its own",
       "1000  1200 3378605.445   453648.704 45.3 0 0 0  主线 直线\n" +
           QByteArray(second).replace(",", "   ")},
      {"blank, comment and empty spreadsheet lines",
       "# 某路线\n\n" + header + "\n" + first + "\n  \n,,,,,,,,\n  # 第二个\n" + second + ",,\n"},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + header + "\n" + first + "\n" + second},
      {"GBK", *EncodeGbk(QString::fromUtf8(header + "\r\n" + first + "\r\n" + second))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Elements(c.bytes), kTwoElements);
  }
}

TEST(RouteFileTest, RefusesNamingTheFileTheLineAndTheField) {
  const QByteArray good = "1000,1200,1,2,45.3,0,0,0";
  const struct {
    QByteArray bytes;
    const char* message;
  } cases[] = {
      {"K0,K1\n# 说明\n\n" + good + "\n1200,1300,x,2,45,0,0,0\n",
       "文件“线元表.csv”第5行“起点坐标X”的值“x”不是有效的数字！"},
      {"1000,1200,1,2,45.3,0,0\n", "文件“线元表.csv”第1行缺少“曲线转向Q”！"},
      {"1000,1200,1,,45.3,0,0,0\n", "文件“线元表.csv”第1行缺少“起点坐标Y”！"},
      {"1000,1200,1e999,2,45.3,0,0,0\n",
       "文件“线元表.csv”第1行“起点坐标X”的值“1e999”超出数值范围！"},
      {good + ",名称,多余\n", "文件“线元表.csv”第1行有10个字段，最多9个！"},
      {good + "\n\n1200,1200,1,2,45.3,0,0,0\n",
       "文件“线元表.csv”第3行“止点桩号K”必须大于“起点桩号K”！"},
      {good + "\n1200,1300,1,2,45.3,0,0,2\n",
       "文件“线元表.csv”第2行“曲线转向Q”只能输入-1、0或1（左转为-1、右转为1、直线为0）！"},
      {"起点桩号K,止点桩号K\n# 没有线元\n", "文件“线元表.csv”中没有线元！"},
      {"", "文件“线元表.csv”中没有线元！"},
      {"1000,1200,1,2,45.3,0,0,0,\x81\x20\n",
       "文件“线元表.csv”不是UTF-8或GBK编码的文字，无法读取！"},
      // Pins a mistyped first number taken for a header, which silently
      // dropped the route's first element.
      {"1000x,1200,1,2,45.3,0,0,0\n",
       "文件“线元表.csv”第1行“起点桩号K”的值“1000x”不是有效的数字！"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Refusal(c.bytes), QString::fromUtf8(c.message)) << c.bytes.toStdString();
}

// The reader is given bytes, not a file: its refusal says the line and the
// field, and only the one that opened the file names it.
TEST(RouteFileTest, RefusalSaysTheLineAndFieldAndLeavesTheFileToItsOpener) {
  const ContentOutcome<Route> outcome =
      ParseRouteFile("K0,K1\n\n1000,1200,1,2,45.3,0,0,0\n1200,1300,1,2,45.3,0,x,0\n");
  ASSERT_TRUE(std::holds_alternative<ContentRefusal>(outcome));
  const ContentRefusal& refusal = std::get<ContentRefusal>(outcome);
  EXPECT_EQ(refusal, (ContentRefusal{4, QStringLiteral("止点半径RN"),
                                     QStringLiteral("“止点半径RN”的值“x”不是有效的数字！")}));
  EXPECT_EQ(InFile(QStringLiteral("路线/线元表.csv"), refusal).message,
            QStringLiteral("文件“路线/线元表.csv”第4行“止点半径RN”的值“x”不是有效的数字！"));
  EXPECT_EQ(InFile(kPath, std::get<ContentRefusal>(ParseRouteFile(""))).message,
            QStringLiteral("文件“线元表.csv”中没有线元！"));
}

// A 断链 may be declared on any line, in metres or K text, with any of the
// separators; a line that does not read is refused like any other field.
TEST(RouteFileTest, ReadsDeclaredStationEquationsAnywhere) {
  const QByteArray first = "1000,1200,3378605.445,453648.704,45.3,0,0,0,主线 直线\n";
  const QByteArray second = "1200,1300,3378745.627,453791.354,45.3,0,500,1\n";
  const FileOutcome<Route> read =
      InFile(kPath, ParseRouteFile("断链,K1+680,K1+700.000\n" + first + "断链 1950.5 K1+940\n" +
                                   second + "断链，k2+000，2010\n"));
  ASSERT_TRUE(std::holds_alternative<Route>(read))
      << std::get<FileRefusal>(read).message.toStdString();
  EXPECT_EQ(std::get<Route>(read).elements, kTwoElements);
  EXPECT_EQ(std::get<Route>(read).equations,
            (std::vector<StationEquation>{{1680, 1700}, {1950.5, 1940}, {2000, 2010}}));
  EXPECT_EQ(Refusal(first + "断链,K1+680\n"),
            QStringLiteral("文件“线元表.csv”第2行缺少“等号后桩号”！"));
  EXPECT_EQ(Refusal(first + "断链,K1+6a0,1700\n"),
            QStringLiteral("文件“线元表.csv”第2行“等号前桩号”的值“K1+6a0”不是有效的桩号！"));
  EXPECT_EQ(Refusal(first + "断链,1680,1700,1720\n"),
            QStringLiteral("文件“线元表.csv”第2行有4个字段，最多3个！"));
  EXPECT_EQ(Refusal("断链,1680,1700\n"), QStringLiteral("文件“线元表.csv”中没有线元！"));
}

TEST(RouteFileTest, ReadsTheMainWindowsElementFileAsOneElement) {
  const ElementFieldTexts initial = {"7586.707",  "7946.707", "3378605.445", "453648.704",
                                     "98.565562", "0",        "4500",        "1"};
  const std::vector<RouteElement> expected = {
      {{7586.707, 7946.707, 3378605.445, 453648.704, 98.565562, 0, 4500, 1}, ""}};
  EXPECT_EQ(Elements(*EncodeGbk(ElementFileText(initial))), expected);
  EXPECT_EQ(Elements(ElementFileText(initial).toUtf8()), expected) << "UTF-8 without a mark";
  ElementFieldTexts reversed = initial;
  reversed[1] = "7000";
  EXPECT_EQ(Refusal(*EncodeGbk(ElementFileText(reversed))),
            QStringLiteral("文件“线元表.csv”第2行“止点桩号K”必须大于“起点桩号K”！"));
  EXPECT_EQ(Refusal("7586.707\n7946.707\n"),
            QStringLiteral("文件“线元表.csv”不足八行，不是线元数据文件！"));
}

class RouteFileSaveTest : public testing_support::ScratchFolder {};

TEST_F(RouteFileSaveTest, WritesGbkCrLfGeneralFormsAndReadsBack) {
  const QString path = PathOf("route.csv");
  ASSERT_EQ(SaveRouteFile(path, kTwoElements), std::nullopt);
  const QByteArray bytes = ReadBytes(path);
  EXPECT_EQ(DecodeGbk(bytes),
            QStringLiteral("起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,"
                           "止点半径RN,曲线转向Q,名称\r\n"
                           "1000,1200,3378605.445,453648.704,45.3,0,0,0,主线 直线\r\n"
                           "1200,1300,3378745.627,453791.354,45.3,0,500,1\r\n"));
  EXPECT_TRUE(bytes.startsWith(*EncodeGbk(QStringLiteral("起点"))));
  EXPECT_EQ(Elements(bytes), kTwoElements);
}

// The window's 断链 table is saved with the elements and read back as it
// was; before, a save dropped the file's declarations.
TEST_F(RouteFileSaveTest, WritesDeclaredEquationsAfterTheElementsAndReadsBack) {
  const QString path = PathOf("route.csv");
  const std::vector<StationEquation> equations = {{1250, 1270.125}, {1290.5, 1280}};
  ASSERT_EQ(SaveRouteFile(path, kTwoElements, equations), std::nullopt);
  const QByteArray bytes = ReadBytes(path);
  const QString text = DecodeGbk(bytes).value_or(QString());
  EXPECT_TRUE(text.endsWith(QStringLiteral(",500,1\r\n断链,1250,1270.125\r\n断链,1290.5,1280\r\n")))
      << text.toStdString();
  EXPECT_EQ(RouteFileText(kTwoElements, equations), text);
  const auto read = ParseRouteFile(bytes);
  ASSERT_TRUE(std::holds_alternative<Route>(read));
  EXPECT_EQ(std::get<Route>(read).equations, equations);
}

TEST_F(RouteFileSaveTest, RefusesANameTheFileCannotGiveBackAndWritesNothing) {
  std::vector<RouteElement> elements = kTwoElements;
  elements[1].name = "A,B";
  const QString path = PathOf("route.csv");
  ASSERT_EQ(SaveRouteFile(path, elements),
            CannotSave(path, QStringLiteral("第2个线元的名称含有逗号、制表符或换行符")));
  elements[1].name = "😀";
  EXPECT_TRUE(SaveRouteFile(path, elements).has_value());
  EXPECT_TRUE(Entries().isEmpty());
}

}  // namespace
}  // namespace tarnvel
