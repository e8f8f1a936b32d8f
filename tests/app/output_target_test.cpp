// Where tarnvel-route's -o may point: a pipe or a device is written into,
// never replaced.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

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
  const auto run = Route({"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20", "-o", "table.fifo"});
  QByteArray read(65536, '\0');
  read.resize(std::max<ssize_t>(0, ::read(reader, read.data(), read.size())));
  close(reader);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  const auto wrote = Route({"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20"});
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
  const auto run = Route({"forward", "route.csv", "--from", "1000", "--to", "1040", "--step", "20", "-o", device});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(device).constData(), &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode)) << device.toStdString();
}

}  // namespace
}  // namespace tarnvel
