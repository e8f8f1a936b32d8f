#include <gtest/gtest.h>

#include <QProcess>

#include "file_test_support.h"
#include "route_program.h"
#include "gbk_text.h"

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

// from-jd writes the element table and prints the curve table; the table
// file and --jd give the same route, and it closes.
TEST_F(FromJdCommandTest, WritesTheElementTableAndPrintsTheCurveTable) {
  WriteBytes(PathOf("jd.csv"), kJdTable);
  const Run made = Route({"from-jd", "jd.csv", "--start-station", "2000", "-o", "route.csv"});
  ASSERT_EQ(made.status, 0) << made.err.toStdString();
  const QStringList lines = made.out.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], QStringLiteral("交点号\t转角\tR\tLs1\tLy\tLs2\tT1\tT2\tL\tE\tJ\tZH\tHY\tQZ\tYH\tHZ"));
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("JD1\t右35°30ˊ")) && lines[1].contains("\t\t"))
      << lines[1].toStdString();  // no E for unequal spirals
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("JD2\t左"))) << lines[2].toStdString();

  const std::optional<QString> file = DecodeGbk(ReadBytes(PathOf("route.csv")));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->startsWith(QStringLiteral("起点桩号K,止点桩号K,")));
  EXPECT_TRUE(file->contains(QStringLiteral("\r\n2000,")));
  EXPECT_EQ(file->count(QStringLiteral("\r\n")), 1 + 1 + 3 + 1 + 1 + 1);

  const Run fromFile = Route({"check", "route.csv"});
  const Run fromJd = Route({"check", "--jd", "jd.csv", "--start-station", "2000"});
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_TRUE(fromJd.out.endsWith(QStringLiteral("全部接头闭合。\r\n"))) << fromJd.out.toStdString();
  EXPECT_EQ(fromJd.out.section(u'\n', 1), fromFile.out.section(u'\n', 1));
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

}  // namespace
}  // namespace tarnvel
