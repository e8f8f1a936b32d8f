#include <gtest/gtest.h>

#include <QProcess>

#include "file_test_support.h"
#include "io/files/gbk_text.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// A curve right of 35°30′ with unequal spirals, then one left of 20° without,
// coordinates to the millimetre.
const QByteArray kJdTable =
    "交点号,X,Y,R,Ls1,Ls2\r\n"
    "BP,3378000.000,512000.000\r\n"
    "JD1,3378400.000,512000.000,600,100,80\r\n"
    "JD2,3378888.469,512348.422,1200\r\n"
    "EP,3379370.284,512482.041\r\n";

// The text of UTF-8 bytes, a byte-order mark dropped; nothing for bytes
// that are not UTF-8 (GBK's Chinese are not).
std::optional<QString> Utf8Text(QByteArray bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  const QString text = QString::fromUtf8(bytes);
  if (text.toUtf8() != bytes) return std::nullopt;
  return text;
}

class FromJdCommandTest : public testing_support::ScratchFolder {
 protected:
  struct Run {
    int status = -1;
    QString out, err;
  };

  Run Route(const QStringList& arguments) {
    const testing_support::ProgramRun run = testing_support::RunRouteProgram(PathOf(""), arguments);
    return {run.status, QString::fromUtf8(run.out), run.err};
  }
};

// from-jd writes the element table and prints the design table; the table
// file and --jd give the same route, and it closes.
TEST_F(FromJdCommandTest, WritesTheElementTableAndPrintsTheDesignTable) {
  WriteBytes(PathOf("jd.csv"), kJdTable);
  const Run made = Route({"from-jd", "jd.csv", "--start-station", "2000", "-o", "route.csv"});
  ASSERT_EQ(made.status, 0) << made.err.toStdString();
  const QStringList lines = made.out.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], QStringLiteral(
                          "交点号\t交点桩号\tX\tY\t转角值\tR\tLs1\tLs2\tT1\tT2\tL\tE\tJ\tZH\tHY\tQZ"
                          "\tYH\tHZ\t直线长\t交点间距\t计算方位角"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("BP\tK2+000.000\t"))) << lines[1].toStdString();
  EXPECT_TRUE(
      lines[2].startsWith(QStringLiteral("JD1\tK2+400.000\t3378400.0000\t512000.0000\t右35°30ˊ")))
      << lines[2].toStdString();
  EXPECT_TRUE(lines[3].startsWith(QStringLiteral("JD2\t"))) << lines[3].toStdString();
  EXPECT_TRUE(lines[4].startsWith(QStringLiteral("EP\t"))) << lines[4].toStdString();

  const std::optional<QString> file = Utf8Text(ReadBytes(PathOf("route.csv")));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->startsWith(QStringLiteral("起点桩号K,止点桩号K,")));
  EXPECT_TRUE(file->contains(QStringLiteral("\r\n2000,")));
  EXPECT_EQ(file->count(QStringLiteral("\r\n")), 1 + 1 + 3 + 1 + 1 + 1);

  const Run fromFile = Route({"check", "route.csv"});
  const Run fromJd = Route({"check", "--jd", "jd.csv", "--start-station", "2000"});
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_TRUE(fromJd.out.endsWith(QStringLiteral("全部接头闭合。\r\n")))
      << fromJd.out.toStdString();
  EXPECT_EQ(fromJd.out.section(u'\n', 1), fromFile.out.section(u'\n', 1));
}

// Pins the design table that wrote K whatever --prefix said: from-jd
// took no --prefix at all.
TEST_F(FromJdCommandTest, PrefixNamesTheDesignTablesStations) {
  WriteBytes(PathOf("jd.csv"), kJdTable);
  const Run made =
      Route({"from-jd", "jd.csv", "--start-station", "2000", "--prefix", "ZK", "-o", "route.csv"});
  ASSERT_EQ(made.status, 0) << made.err.toStdString();
  const QStringList lines = made.out.split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 3);
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("BP\tZK2+000.000\t"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("JD1\tZK2+400.000\t"))) << lines[2].toStdString();
}

TEST_F(FromJdCommandTest, RefusedTableWritesNothing) {
  WriteBytes(PathOf("jd.csv"), QByteArray(kJdTable).replace(",600,100,80", ",600,400,400"));
  const Run run = Route({"from-jd", "jd.csv", "-o", "route.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("文件“jd.csv”第3行：交点“JD1”的缓和曲线过长：")))
      << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(PathOf("route.csv")));
}

// from-jd writes its element table as it lays the route, without the route:
// an element the route would refuse (here one shorter than the last digit of
// its station) is still refused with the route's words, and nothing written.
TEST_F(FromJdCommandTest, ElementTheRouteRefusesIsRefusedWithItsWords) {
  WriteBytes(PathOf("jd.csv"), "BP,0,0\nJD1,100,0,50,1e-13\nEP,100,100\n");
  const Run run = Route({"from-jd", "jd.csv", "--start-station", "1e7", "-o", "route.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("文件“jd.csv”第2行：交点“JD1”处：第2个线元“止点桩号K”必须大于"
                                    "“起点桩号K”！\n"));
  EXPECT_FALSE(QFile::exists(PathOf("route.csv")));
}

// Pins a 0.5 mm straight between two curves (the JD1–JD2 leg is T2 + T1
// plus that) made a 短链 by the command: check noted it and forward skipped
// the stations in it.
TEST_F(FromJdCommandTest, ShortStraightBetweenCurvesHasItsStations) {
  WriteBytes(PathOf("jd.csv"),
             "BP,3000000,500000\r\n"
             "JD1,3000221.985734,500068.668234,300,80,60\r\n"
             "JD2,3000409.401792,500304.842120,500,100,100\r\n"
             "EP,3000665.334254,500413.048629\r\n");
  const Run check = Route({"check", "--jd", "jd.csv"});
  EXPECT_EQ(check.status, 0);
  EXPECT_TRUE(check.out.startsWith(QStringLiteral("线元9个，接头8个"))) << check.out.toStdString();
  EXPECT_FALSE(check.out.contains(QStringLiteral("短链"))) << check.out.toStdString();

  const Run forward = Route(
      {"forward", "--jd", "jd.csv", "--from", "350.0001", "--to", "350.0004", "--step", "0.0001"});
  EXPECT_EQ(forward.status, 0) << forward.err.toStdString();
  const QStringList lines = forward.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5) << forward.out.toStdString();  // the header, 4 stations
  // 0.399 mm along the straight, element 5, from its start at 3000298.83758,
  // 500165.51372 on 51°33′58.33″.
  EXPECT_EQ(lines[4],
            QStringLiteral(
                "K0+350_4,K0+350.000,350.000,0.000,90,3000298.8378,500165.5140,51°33ˊ58.33″,5,"));
}

// Pins a JD file's 断链 declared but never applied: the JD route ran on
// without a jump, and check --jd said every declaration 超限. A 20 m 短链 on
// the first straight, and a 9.5 m 长链 in JD1's arc, counted in the stations
// after the first.
TEST_F(FromJdCommandTest, DeclaredChainsAreTheRoutesJumps) {
  WriteBytes(PathOf("jd.csv"), kJdTable + "断链,K2+100,K2+120\r\n断链,K2+300,K2+290.5\r\n");
  const QStringList jd = {"--jd", "jd.csv", "--start-station", "2000"};
  const Run check = Route(QStringList{"check"} + jd);
  EXPECT_EQ(check.status, 0) << check.out.toStdString();
  EXPECT_EQ(check.out.count(QStringLiteral("与声明的断链相符")), 2) << check.out.toStdString();

  // The stakeout's stations are the declared ones: 100 m from BP is K2+100
  // and K2+120 at once.
  const Run forward =
      Route(QStringList{"forward", "--from", "2100", "--to", "2120", "--step", "20"} + jd);
  EXPECT_EQ(forward.out.section(QStringLiteral("\r\n"), 1),
            QStringLiteral("K2+100,K2+100.000,2100.000,0.000,90,3378100.0000,512000.0000,0°0ˊ0″,1,"
                           "\r\nK2+120,K2+120.000,2120.000,0.000,90,3378100.0000,512000.0000,"
                           "0°0ˊ0″,2,\r\n"));

  // The element table holds the jumps and the declarations: it checks too.
  const Run made = Route({"from-jd", "jd.csv", "--start-station", "2000", "-o", "route.csv"});
  ASSERT_EQ(made.status, 0) << made.err.toStdString();
  const QString file = *Utf8Text(ReadBytes(PathOf("route.csv")));
  EXPECT_TRUE(file.contains(QStringLiteral("\r\n2000,2100,3378000,512000,0,0,0,0,直线\r\n2120,")))
      << file.toStdString();
  EXPECT_TRUE(file.endsWith(QStringLiteral("\r\n断链,2100,2120\r\n断链,2300,2290.5\r\n")));
  const Run fromFile = Route({"check", "route.csv"});
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_EQ(fromFile.out, check.out);
}

// The encoding of each output file, by --encoding.
struct EncodingCase {
  const char* name;
  QStringList encoding;  // the option, or nothing for the default
  std::optional<QString> (*decode)(QByteArray);
};

std::optional<QString> GbkText(QByteArray bytes) {
  return DecodeGbk(bytes);
}

class FromJdEncodingTest : public FromJdCommandTest,
                           public testing::WithParamInterface<EncodingCase> {};

// Pins -o writing GBK although --help says every output is UTF-8 unless
// --encoding gbk: the element table, and the --table file beside it, follow
// the option; the CSV holds the printed table's cells.
TEST_P(FromJdEncodingTest, FilesFollowTheEncodingOption) {
  const EncodingCase& c = GetParam();
  WriteBytes(PathOf("jd.csv"), kJdTable);
  const Run run = Route(
      QStringList{"from-jd", "jd.csv", "-o", "route.csv", "--table", "table.csv"} + c.encoding);
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const std::optional<QString> route = c.decode(ReadBytes(PathOf("route.csv")));
  ASSERT_TRUE(route) << c.name;
  EXPECT_TRUE(route->startsWith(QStringLiteral("起点桩号K,止点桩号K,"))) << c.name;
  const std::optional<QString> table = c.decode(ReadBytes(PathOf("table.csv")));
  ASSERT_TRUE(table) << c.name;
  const Run printed = Route({"from-jd", "jd.csv", "-o", "printed.csv"});
  EXPECT_EQ(*table, QString(printed.out).replace(u'\t', u',')) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Encodings, FromJdEncodingTest,
                         testing::Values(EncodingCase{"Default", {}, Utf8Text},
                                         EncodingCase{"Gbk", {"--encoding", "gbk"}, GbkText}),
                         [](const testing::TestParamInfo<EncodingCase>& info) {
                           return std::string(info.param.name);
                         });

// 交点桩号 in the file: each one the computation does not reach within 2 mm
// is said on standard error with its line, and the table is made all the
// same. Without --start-station BP's 交点桩号 is the start.
struct StationCase {
  const char* name;
  const char* jd2;  // JD2's 交点桩号; K2+987.285 computed
  QStringList start;
  const char* err;
};

class JdStationTest : public FromJdCommandTest, public testing::WithParamInterface<StationCase> {};

TEST_P(JdStationTest, MismatchesAreSaidAndTheTableIsMade) {
  const StationCase& c = GetParam();
  WriteBytes(PathOf("jd.csv"), QByteArray("交点号,X,Y,R,Ls1,Ls2,交点桩号\r\n"
                                          "BP,3378000.000,512000.000,,,,K2+000\r\n"
                                          "JD1,3378400.000,512000.000,600,100,80,K2+400.000\r\n"
                                          "JD2,3378888.469,512348.422,1200,,,") +
                                   c.jd2 + "\r\nEP,3379370.284,512482.041,,,,3482.979\r\n");
  const Run run = Route(QStringList{"from-jd", "jd.csv", "-o", "route.csv"} + c.start);
  EXPECT_EQ(run.status, 0) << c.name;
  EXPECT_EQ(run.err, QString::fromUtf8(c.err)) << c.name;
  EXPECT_TRUE(run.out.contains(QStringLiteral("\r\nJD2\tK2+987.28"))) << c.name;
  EXPECT_TRUE(QFile::exists(PathOf("route.csv"))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Stations, JdStationTest,
    testing::Values(
        StationCase{"AllAgree", "K2+987.285", {}, ""},
        StationCase{"WithinTolerance", "2987.2865", {}, ""},
        StationCase{"TypoInJd2",
                    "K2+987.295",
                    {},
                    "文件“jd.csv”第4行：交点“JD2”的交点桩号K2+987.295与计算所得K2+987."
                    "285相差-10.0 mm！\n"},
        StationCase{
            "StartStationDiffersFromBp",
            "K2+987.285",
            {"--start-station", "2000.003"},
            "文件“jd.csv”第2行：起点“BP”的交点桩号K2+000.000与计算所得K2+000.003相差+3.0 mm！\n"
            "文件“jd.csv”第3行：交点“JD1”的交点桩号K2+400.000与计算所得K2+400.003相差+3.0 mm！\n"
            "文件“jd.csv”第4行：交点“JD2”的交点桩号K2+987.285与计算所得K2+987.288相差+3.0 mm！\n"
            "文件“jd.csv”第5行：终点“EP”的交点桩号K3+482.979与计算所得K3+482.982相差+2.9 mm！\n"}),
    [](const testing::TestParamInfo<StationCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
