// tarnvel-route's -o file takes its place only whole, and exit status 2
// means that no file was written.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QProcess>
#include <csignal>

#include "file_test_support.h"
#include "route_program.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const QByteArray kRoute =
    "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q\r\n"
    "1000,1200,3378605.445,453648.704,45.3,0,0,0\r\n";

struct Outcome {
  int status = -1;
  QString err;
};

class OutputFileTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override {
    WriteBytes(PathOf("route.csv"), kRoute);
    WriteBytes(PathOf("out.csv"), "old");
  }

  // The program run with its standard output sent to `out` and, when
  // given, the files it writes held to `fileLimit` bytes as on a full disk.
  Outcome Route(const QStringList& arguments, const QString& out = QStringLiteral("/dev/null"),
                  rlim_t fileLimit = RLIM_INFINITY) {
    QProcess process;
    process.setWorkingDirectory(PathOf(""));
    process.setStandardOutputFile(out);
    process.setChildProcessModifier([fileLimit] {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{fileLimit, fileLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(TARNVEL_ROUTE_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
  }
};

// Pins from-jd exiting 2, "nothing written", after it had written its -o
// file, when the curve table could not be printed.
TEST_F(OutputFileTest, FromJdWritesNoFileWhenTheCurveTableCannotBePrinted) {
  WriteBytes(PathOf("jd.csv"), "交点号,X,Y,R\r\nBP,0,0\r\nJD1,100,0,50\r\nEP,100,100\r\n");
  const Outcome run = Route({"from-jd", "jd.csv", "-o", "out.csv"}, QStringLiteral("/dev/full"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("写入标准输出时出错，输出不完整！\n"));
  EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
}

}  // namespace
}  // namespace tarnvel
