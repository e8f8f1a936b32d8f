// Files as spreadsheets save them: Excel's "Unicode 文本" is UTF-16LE with a
// byte-order mark, tab-separated. Pins every reader refusing it, as neither
// UTF-8 nor GBK, or decoding it as GBK into a garbled header.
#include <gtest/gtest.h>

#include <QString>
#include <QStringEncoder>
#include <tuple>

#include "io/files/utf16_text.h"
#include "reader_outcomes.h"

namespace tarnvel {
namespace {

using namespace testing_support;

// The text's bytes in UTF-16 of `encoding`, with its byte-order mark.
QByteArray Utf16(const QString& text, QStringConverter::Encoding encoding) {
  QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
  return encoder.encode(text);
}

struct ReaderCase {
  const char* name;
  ReadBytes read;
  const char* text;  // as Excel writes it: tabs, CR LF
  const char* outcome;
};

const ReaderCase kReaders[] = {
    {"Route", RouteOutcome,
     "起点桩号K\t止点桩号K\t起点坐标X\t起点坐标Y\t起点方位角F\t起点半径RQ\t止点半径RN\t曲线转向Q\t"
     "名称\r\n"
     "1000\t1200\t3378605.445\t453648.704\t45.3\t0\t0\t0\t直线\r\n"
     "断链\tK1+200\tK1+210\r\n"
     "1210\t1300\t3378745.627\t453791.354\t45.3\t0\t500\t1\t第一缓和曲线\r\n",
     "2:直线:1个断链"},
    {"Jd", JdOutcome,
     "交点号\tX\tY\tR\tLs1\tLs2\r\n起点\t3378000\t512000\r\nJD1\t3378400\t512000\t600\t100\t80\r\n"
     "终点\t3378888.469\t512348.422\r\n断链\t2300\t2310\r\n",
     "3:起点:1个断链"},
    {"Profile", ProfileOutcome,
     "变坡点号\t桩号\t高程\t竖曲线半径R\r\n起点\tK4+800\t416.180\r\n变坡点1\tK5+030\t427."
     "680\t2000\r\n"
     "终点\tK5+300\t416.880\r\n",
     "3:起点"},
    {"Section", SectionOutcome,
     "桩号\t左行车道宽\t左行车道坡\t右行车道宽\t右行车道坡\r\nK0+100\t3.75\t-2\t3.75\t-2\r\n"
     "K0+150\t3.75\t4\t3.75\t-4\r\n",
     "2:行车道"},
    {"Stations", StationsOutcome, "点名\t里程\r\n桩甲\tK1+100_2\r\n桩乙\t1150\r\n", "2:桩甲"},
    {"Points", PointsOutcome, "点名\tX\tY\tH\r\n测点一\t3378850.5\t453921.7\t12.5\r\n", "1:测点一"},
    {"SurveyPoints", SurveyPointsOutcome, "测点一\t控制点\t453921.7\t3378850.5\t12.5\r\n",
     "1:测点一"},
};

struct ByteOrder {
  const char* name;
  QStringConverter::Encoding encoding;
};
const ByteOrder kByteOrders[] = {{"Utf16LE", QStringConverter::Utf16LE},
                                 {"Utf16BE", QStringConverter::Utf16BE}};

class Utf16ReaderTest : public testing::TestWithParam<std::tuple<ReaderCase, ByteOrder>> {};

TEST_P(Utf16ReaderTest, ReadsAsTheSameTextInUtf8) {
  const auto& [reader, order] = GetParam();
  const QString text = QString::fromUtf8(reader.text);
  EXPECT_EQ(reader.read(Utf16(text, order.encoding)), reader.outcome) << reader.text;
}

INSTANTIATE_TEST_SUITE_P(EveryReader, Utf16ReaderTest,
                         testing::Combine(testing::ValuesIn(kReaders),
                                          testing::ValuesIn(kByteOrders)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + '_' +
                                  std::get<1>(info.param).name;
                         });

struct BytesCase {
  const char* name;
  QByteArray bytes;
  std::optional<QByteArray> utf8;
};

class Utf16AsUtf8Test : public testing::TestWithParam<BytesCase> {};

// Only a whole UTF-16 text is one: a reader refuses the rest, as it refuses
// any other bytes that are no text.
TEST_P(Utf16AsUtf8Test, GivesTheTextOrNothing) {
  const BytesCase& c = GetParam();
  EXPECT_EQ(Utf16AsUtf8(c.bytes), c.utf8) << c.bytes.toHex(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf16AsUtf8Test,
    testing::Values(
        // 上 is U+4E0A: a line end's byte inside a character.
        BytesCase{"LittleEndian", QByteArray("\xFF\xFE\x61\x00\x0A\x4E", 6), "a\xE4\xB8\x8A"},
        BytesCase{"BigEndian", QByteArray("\xFE\xFF\x00\x61\x4E\x0A", 6), "a\xE4\xB8\x8A"},
        BytesCase{"SurrogatePair", QByteArray("\xFF\xFE\x40\xD8\x00\xDC", 6), "\xF0\xA0\x80\x80"},
        BytesCase{"MarkAlone", QByteArray("\xFF\xFE", 2), ""},
        BytesCase{"OddByteCount", QByteArray("\xFF\xFE\x61\x00\x62", 5), std::nullopt},
        BytesCase{"LoneHighSurrogate", QByteArray("\xFF\xFE\x40\xD8\x61\x00", 6), std::nullopt},
        BytesCase{"LoneLowSurrogate", QByteArray("\xFF\xFE\x00\xDC", 4), std::nullopt},
        BytesCase{"EndsInHighSurrogate", QByteArray("\xFF\xFE\x40\xD8", 4), std::nullopt},
        BytesCase{"NoMark", QByteArray("\x61\x00", 2), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// A character of two UTF-16 units is one character wherever a long text
// puts it: the text is made UTF-8 a run at a time.
TEST(Utf16AsUtf8, KeepsAPairWhole_AtEveryPlaceOfALongText) {
  const QString pair = QString::fromUtf8("\xF0\xA0\x80\x80");
  for (qsizetype before = 65530; before <= 65540; ++before) {
    const QString text = QString(before, u'a') + pair + u'b';
    EXPECT_EQ(Utf16AsUtf8(Utf16(text, QStringConverter::Utf16LE)), text.toUtf8())
        << before << " characters before the pair";
  }
}

}  // namespace
}  // namespace tarnvel
