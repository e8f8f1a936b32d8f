// Where tarnvel-route's -o may point: a pipe or a device written into, never
// replaced; one of its own inputs refused.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::RunRouteProgram;
using testing_support::WriteBytes;

const QByteArray kRoute =
    "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q\r\n"
    "1000,1200,3378605.445,453648.704,45.3,0,0,0\r\n";

class OutputTargetTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override { WriteBytes(PathOf("route.csv"), kRoute); }
  testing_support::ProgramRun Route(const QStringList& arguments) {
    return RunRouteProgram(PathOf(""), arguments);
  }
};

// Pins the save that renamed a regular file over a FIFO: its reader got
// nothing and the FIFO was gone.
TEST_F(OutputTargetTest, AFifoGetsTheTableAndStaysAFifo) {
  const QString fifo = PathOf("table.fifo");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  // Opened for reading before the program runs, without waiting for a
  // writer: the table (a few rows) waits in the pipe until read.
  const int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const auto run = Route({"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20",
                          "-o", "table.fifo"});
  QByteArray read(65536, '\0');
  read.resize(std::max<ssize_t>(0, ::read(reader, read.data(), read.size())));
  close(reader);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  const auto wrote =
      Route({"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20"});
  EXPECT_EQ(read, wrote.out);
  EXPECT_EQ(read.count("\r\n"), 4);
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// Pins -o /dev/null refused as "没有写入权限" and, run as root, replaced by
// a regular file. As root the test writes to a null device of its own, so
// that a fault cannot take the system's /dev/null.
TEST_F(OutputTargetTest, ANullDeviceTakesTheTableAndStaysADevice) {
  QString device = PathOf("null");
  if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
    device = QStringLiteral("/dev/null");
  const auto run = Route(
      {"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20", "-o", device});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(device).constData(), &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode)) << device.toStdString();
}

struct OverInputCase {
  const char* name;
  QStringList arguments;
  const char* input;  // the file -o reaches
};
void PrintTo(const OverInputCase& c, std::ostream* out) {
  *out << c.name;
}

class OutputOverInput : public OutputTargetTest,
                        public testing::WithParamInterface<OverInputCase> {};

// Pins -o naming an input (from-jd jd.csv -o jd.csv, or through a link, or
// export's --profile): the input was replaced by the output.
TEST_P(OutputOverInput, IsRefusedNamingBothAndTheInputStays) {
  WriteBytes(PathOf("jd.csv"), "交点号,X,Y,R\r\nBP,0,0\r\nJD1,100,0,50\r\nEP,100,100\r\n");
  WriteBytes(PathOf("st.csv"), "A,1010\r\n");
  WriteBytes(PathOf("pts.csv"), "P,3378610,453650\r\n");
  WriteBytes(PathOf("prof.csv"), "A,1000,10\r\nB,1040,11\r\n");
  ASSERT_TRUE(QFile::link(PathOf("route.csv"), PathOf("link.csv")));
  const QByteArray before = ReadBytes(PathOf(GetParam().input));
  const auto run = Route(GetParam().arguments);
  EXPECT_EQ(run.status, 2) << GetParam().arguments.join(u' ').toStdString();
  const QString output = GetParam().arguments.last();
  EXPECT_EQ(run.err, QStringLiteral("输出文件“%1”与输入文件“%2”是同一个文件，不能覆盖输入！\n")
                         .arg(output, QString::fromUtf8(GetParam().input)));
  EXPECT_TRUE(ReadBytes(PathOf(GetParam().input)) == before) << GetParam().input << " changed";
  EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OutputOverInput,
    testing::Values(
        OverInputCase{"FromJdOverItsJdFile", {"from-jd", "jd.csv", "-o", "jd.csv"}, "jd.csv"},
        OverInputCase{"ForwardOverItsRouteByALink",
                      {"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20",
                       "-o", "link.csv"},
                      "route.csv"},
        OverInputCase{"ForwardOverItsStations",
                      {"forward", "route.csv", "--stations", "st.csv", "-o", "st.csv"},
                      "st.csv"},
        OverInputCase{"InverseOverItsPoints",
                      {"inverse", "route.csv", "pts.csv", "-o", "./pts.csv"},
                      "pts.csv"},
        OverInputCase{"CheckOverItsRoute", {"check", "route.csv", "-o", "route.csv"}, "route.csv"},
        OverInputCase{"ExportOverItsProfile",
                      {"export", "route.csv", "--profile", "prof.csv", "-o", "prof.csv"},
                      "prof.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
