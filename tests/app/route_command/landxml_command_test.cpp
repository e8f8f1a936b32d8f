// tarnvel-route with LandXML: export, then every command on the exported
// file, end to end through the built program.
#include <gtest/gtest.h>

#include <QProcess>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const QByteArray kRoute =
    "1000,1200,3378605.445,453648.704,45.3,0,0,0,直线\r\n"
    "1200,1300,3378745.627,453791.354,45.3,0,500,1\r\n"
    "1300,1450.5,3378813.272,453864.942,51.134648,500,500,1\r\n"
    "1460,1560,3378888.572,453994.594,68.283219,500,0,1\r\n";  // 短链 of 9.5 m

using Outcome = testing_support::ProgramRun;

class LandXmlCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override { WriteBytes(PathOf("design.csv"), kRoute); }

  Outcome Route(const QStringList& arguments) {
    return testing_support::RunRouteProgram(PathOf(""), arguments);
  }
};

// The exported alignment computes as the table it came from, row for row.
TEST_F(LandXmlCommandTest, AnExportedAlignmentComputesAsItsTable) {
  const Outcome exported = Route({"export", "design.csv", "-o", "design.xml"});
  ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
  EXPECT_TRUE(exported.out.isEmpty());
  EXPECT_TRUE(ReadBytes(PathOf("design.xml")).contains("<Alignment name=\"design\""));

  const QStringList range = {"--from",       "1000",     "--to", "1560",     "--step", "20",
                             "--key-points", "--offset", "-5",   "--offset", "5"};
  const Outcome table = Route(QStringList{"forward", "design.csv"} + range);
  const Outcome xml = Route(QStringList{"forward", "design.xml", "--alignment", "design"} + range);
  ASSERT_EQ(xml.status, 0) << xml.err.toStdString();
  EXPECT_EQ(xml.out, table.out);

  const Outcome check = Route({"check", "design.xml"});
  EXPECT_EQ(check.status, 0) << check.out.toStdString();
  EXPECT_TRUE(check.out.endsWith(QStringLiteral("全部终点闭合。\r\n").toUtf8()))
      << check.out.toStdString();
}

TEST_F(LandXmlCommandTest, AnEndOutOfToleranceMakesCheckExitOne) {
  ASSERT_EQ(Route({"export", "design.csv", "-o", "design.xml"}).status, 0);
  // The first End 5 mm further north than the straight ends.
  QByteArray moved = ReadBytes(PathOf("design.xml"));
  const qsizetype at = moved.indexOf("<End>") + 5;
  const qsizetype space = moved.indexOf(' ', at);
  const double x = moved.mid(at, space - at).toDouble() + 0.005;
  moved.replace(at, space - at, QByteArray::number(x, 'f', 6));
  WriteBytes(PathOf("moved.xml"), moved);

  const Outcome check = Route({"check", "moved.xml"});
  EXPECT_EQ(check.status, 1);
  EXPECT_TRUE(check.out.endsWith(QStringLiteral("1个终点超限！\r\n").toUtf8()))
      << check.out.toStdString();
  EXPECT_EQ(Route({"check", "moved.xml", "--tol-position", "6"}).status, 0);
}

TEST_F(LandXmlCommandTest, AlignmentsAreNamedOnlyOfLandXml) {
  const Outcome table = Route({"check", "design.csv", "--alignment", "A"});
  EXPECT_EQ(table.status, 2);
  EXPECT_EQ(table.err,
            QStringLiteral("选项“--alignment”只能用于LandXML文件（文件名以.xml结尾）！\n"));
  ASSERT_EQ(Route({"export", "design.csv", "-o", "design.xml"}).status, 0);
  const Outcome missing = Route({"check", "design.xml", "--alignment", "B"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(missing.err.contains(
      QStringLiteral("没有名为“B”的路线（Alignment），文件中的路线有：design！")))
      << missing.err.toStdString();
}

// export --profile writes the profile file's PVIs into the alignment, and a
// profile given as that LandXML file comes out the same, byte for byte.
TEST_F(LandXmlCommandTest, ExportWritesTheProfileIntoTheAlignment) {
  WriteBytes(PathOf("profile.csv"),
             "变坡点号,桩号,高程,竖曲线半径R\r\n"
             "A,K1+000,427.68,\r\nBPD1,1200,437.68,2000\r\nB,1560,423.28,0\r\n");
  const Outcome exported =
      Route({"export", "design.csv", "--profile", "profile.csv", "-o", "design.xml"});
  ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
  // R 2000 over ω = 9% is 180 m, written as the double that divides back to
  // R exactly.
  const QByteArray profile =
      "            <Profile name=\"design\">\n"
      "                <ProfAlign name=\"design\">\n"
      "                    <PVI desc=\"A\">1000 427.68</PVI>\n"
      "                    <ParaCurve length=\"180.00000000000023\" desc=\"BPD1\">1200 "
      "437.68</ParaCurve>\n"
      "                    <PVI desc=\"B\">1560 423.28</PVI>\n"
      "                </ProfAlign>\n"
      "            </Profile>\n";
  EXPECT_TRUE(ReadBytes(PathOf("design.xml")).contains(profile))
      << ReadBytes(PathOf("design.xml")).toStdString();
  const Outcome again = Route({"export", "design.xml", "--profile", "design.xml"});
  ASSERT_EQ(again.status, 0) << again.err.toStdString();
  EXPECT_TRUE(again.out.contains(profile)) << again.out.toStdString();
}

// Regression: --alignment was refused unless the route itself was LandXML,
// so a LandXML profile beside a route file could only give its first
// alignment's profile. It names the profile's alignment now.
TEST_F(LandXmlCommandTest, AlignmentNamesTheProfileBesideARouteFile) {
  WriteBytes(PathOf("profile.csv"),
             "A,K1+000,427.68,\r\nBPD1,1200,437.68,2000\r\nB,1560,423.28\r\n");
  ASSERT_EQ(Route({"export", "design.csv", "--profile", "profile.csv", "-o", "design.xml"}).status,
            0);
  const QStringList range{"--from", "1000", "--to", "1000", "--step", "10"};
  const Outcome named = Route(
      QStringList{"forward", "design.csv", "--profile", "design.xml", "--alignment", "design"} +
      range);
  ASSERT_EQ(named.status, 0) << named.err.toStdString();
  EXPECT_TRUE(named.out.endsWith(",427.680\r\n")) << named.out.toStdString();
  const Outcome missing = Route(
      QStringList{"forward", "design.csv", "--profile", "design.xml", "--alignment", "B"} + range);
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(missing.err.contains(QStringLiteral("没有名为“B”的路线（Alignment）")))
      << missing.err.toStdString();
}

}  // namespace
}  // namespace tarnvel
