// tarnvel-route's -o file takes its place only whole, though tables are
// written as they are computed, and exit status 2 means that no file was
// written.
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
  // given, the files it writes held to `fileLimit` bytes as on a full disk
  // and its memory to `memoryLimit` bytes.
  Outcome Route(const QStringList& arguments, const QString& out = QStringLiteral("/dev/null"),
                rlim_t fileLimit = RLIM_INFINITY, rlim_t memoryLimit = RLIM_INFINITY) {
    QProcess process;
    process.setWorkingDirectory(PathOf(""));
    process.setStandardOutputFile(out);
    process.setChildProcessModifier([fileLimit, memoryLimit] {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit file{fileLimit, fileLimit};
      setrlimit(RLIMIT_FSIZE, &file);
      const rlimit memory{memoryLimit, memoryLimit};
      setrlimit(RLIMIT_AS, &memory);
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

// Pins from-jd's status 2, "nothing written", when its -o file had taken
// its place and the --table file then could not: a folder made at the
// table's name after its save began. The printed table, 2,000 rows, fills
// the pipe: the program waits on it while the test makes the folder, with
// the table's save begun, since its chunks come no later than the printed
// table's first.
TEST_F(OutputFileTest, FromJdSaysWhichFilesItWroteWhenALaterOneFails) {
  QByteArray jd = "BP,0,0\r\n";
  for (int i = 1; i <= 2000; ++i)
    jd += "JD" + QByteArray::number(i) + "," + QByteArray::number(i * 1000) + "," +
          QByteArray::number(i % 2 * 300) + ",1000\r\n";
  jd += "EP,2001000,300\r\n";
  WriteBytes(PathOf("jd.csv"), jd);
  QProcess process;
  process.setWorkingDirectory(PathOf(""));
  process.start(QStringLiteral(TARNVEL_ROUTE_PROGRAM),
                {"from-jd", "jd.csv", "-o", "out.csv", "--table", "table.csv"});
  ASSERT_TRUE(process.waitForReadyRead(30000));
  ASSERT_TRUE(QDir(PathOf("")).mkdir(QStringLiteral("table.csv")));
  ASSERT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitCode(), 3);
  // The system's reason, in the user's language, comes between.
  const QString err = QString::fromUtf8(process.readAllStandardError());
  EXPECT_TRUE(
      err.startsWith(QStringLiteral("无法保存文件“table.csv”：文件已写好，但未能放到此位置（")) &&
      err.endsWith(QStringLiteral("）！已写入的文件：“out.csv”。\n")))
      << err.toStdString();
  EXPECT_TRUE(ReadBytes(PathOf("out.csv")).startsWith("起点桩号K"));
}

// Rows enough to fill several of the output's chunks: 20,001 stations.
const QStringList kLongRange = {"forward", "route.csv", "--from", "1000", "--to",
                                "1200",    "--step",    "0.01",   "-o",   "out.csv"};

// Guards the streamed save: chunks written before the medium filled must
// not take the old file's place.
TEST_F(OutputFileTest, AFullDiskMidwayKeepsTheOldFile) {
  const Outcome run = Route(kLongRange, QStringLiteral("/dev/null"), 200000);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("无法保存文件“out.csv”：写入出错，磁盘可能已满！\n"));
  EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
  EXPECT_EQ(Entries(), QStringList({"out.csv", "route.csv"}));
}

// Guards the streamed save: a station refused after many rows were written
// drops them all.
TEST_F(OutputFileTest, AStationRefusedMidwayKeepsTheOldFile) {
  QByteArray stations;
  for (int i = 0; i < 20000; ++i) stations += "P" + QByteArray::number(i) + ",1100\r\n";
  stations += "Q,1300\r\n";
  WriteBytes(PathOf("st.csv"), stations);
  const Outcome run = Route({"forward", "route.csv", "--stations", "st.csv", "-o", "out.csv"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("文件“st.csv”第20001行：")))
      << run.err.toStdString();
  EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
  EXPECT_EQ(Entries(), QStringList({"out.csv", "route.csv", "st.csv"}));
}

// A stations or points file is read, computed and written a line at a time,
// yet a line that does not read is the refusal as when the file was read
// whole before any row: wherever it lies, after rows already written into
// the save, after a station the route does not hold, before a profile that
// is refused; and the old file stays.
struct RefusedLineCase {
  const char* name;
  QStringList arguments;
  QByteArray head;   // the file's first lines
  const char* many;  // a line written 20,000 times after them, its %1 the time: rows
                     // enough for several chunks
  QByteArray tail;   // the lines after those
  const char* message;
};

void PrintTo(const RefusedLineCase& c, std::ostream* out) {
  *out << c.name;
}

class RefusedLineTest : public OutputFileTest,
                        public testing::WithParamInterface<RefusedLineCase> {};

TEST_P(RefusedLineTest, IsTheRefusalWhereverItLies) {
  const RefusedLineCase& c = GetParam();
  QByteArray lines = c.head;
  for (int i = 1; i <= 20000; ++i) lines += QString::fromUtf8(c.many).arg(i).toUtf8();
  WriteBytes(PathOf("in.csv"), lines + c.tail);
  const Outcome run = Route(c.arguments + QStringList{"-o", "out.csv"});
  EXPECT_EQ(run.status, 2) << c.name;
  EXPECT_EQ(run.err, QString::fromUtf8(c.message)) << c.name;
  EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old") << c.name;
  EXPECT_EQ(Entries(), QStringList({"in.csv", "out.csv", "route.csv"})) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedLineTest,
    testing::Values(RefusedLineCase{"PointAfterManyRows",
                                    {"inverse", "route.csv", "in.csv"},
                                    "点名,X,Y\r\n",
                                    "P%1,3378650.5,453700.1\r\n",
                                    "Q,3378650.5,4537OO\r\n",
                                    "文件“in.csv”第20002行“Y”的值“4537OO”不是有效的数字！\n"},
                    RefusedLineCase{"PointBeforeARefusedProfile",
                                    {"inverse", "route.csv", "in.csv", "--profile", "none.csv"},
                                    "",
                                    "P%1,3378650.5,453700.1\r\n",
                                    "Q,3378650.5\r\n",
                                    "文件“in.csv”第20001行缺少“Y”！\n"},
                    RefusedLineCase{"StationAfterOneOffTheRoute",
                                    {"forward", "route.csv", "--stations", "in.csv"},
                                    "A,1100\r\nB,1300\r\n",
                                    "P%1,1100\r\n",
                                    "C,1100,左3\r\n",
                                    "文件“in.csv”第20003行“偏距”的值“左3”不是有效的数字！\n"},
                    RefusedLineCase{"StationAfterManyRows",
                                    {"forward", "route.csv", "--stations", "in.csv", "--offset",
                                     "-5", "--offset", "5"},
                                    "",
                                    "P%1,1100\r\n",
                                    "C,K1+1O0\r\n",
                                    "文件“in.csv”第20001行“里程”的值“K1+1O0”不是有效的桩号！\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Pins stations × offsets uncapped: 2,000,001 stations at 60 offsets ran
// until the memory ran out and the program aborted.
TEST_F(OutputFileTest, RowsBeyondTheCapAreRefusedNamingIt) {
  QStringList arguments = {"forward", "route.csv", "--from", "1000", "--to",
                           "1200",    "--step",    "0.0001", "-o",   "out.csv"};
  for (int i = 0; i < 60; ++i) arguments << "--offset" << QString::number(i);
  const Outcome run = Route(arguments);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("计算结果超过100000000行，请分段计算！\n"));
  EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
}

constexpr rlim_t kMemory = 300 << 20;

// AddressSanitizer reserves terabytes of address space as it starts, so a
// program built with it cannot run with its memory held to 300 MB. These
// run in the normal build; the sanitized one skips them.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryCanBeHeld = false;
#else
constexpr bool kMemoryCanBeHeld = true;
#endif

// Pins the read that took 128 MB for any input file, however small.
TEST_F(OutputFileTest, ASmallTableIsReadInLittleMemory) {
  if (!kMemoryCanBeHeld) GTEST_SKIP() << "the sanitizers need more address space than the limit";
  const Outcome run =
      Route({"check", "route.csv"}, QStringLiteral("/dev/null"), RLIM_INFINITY, kMemory);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
}

// Pins the abort (exit 134, a core dump) of an input beyond the memory: a
// route of 58 MB, two million elements, is more than 300 MB read. (A
// stations file no longer is: it is read a line at a time.)
TEST_F(OutputFileTest, AnInputBeyondTheMemoryIsRefused) {
  if (!kMemoryCanBeHeld) GTEST_SKIP() << "the sanitizers need more address space than the limit";
  QByteArray route;
  for (int i = 0; i < 2000000; ++i)
    route += QByteArray::number(i) + ',' + QByteArray::number(i + 1) + ",0,0,45,0,0,0\r\n";
  WriteBytes(PathOf("long.csv"), route);
  WriteBytes(PathOf("st.csv"), "P,1\r\n");
  const Outcome run = Route({"forward", "long.csv", "--stations", "st.csv", "-o", "out.csv"},
                            QStringLiteral("/dev/null"), RLIM_INFINITY, kMemory);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("内存不足，无法完成此操作！\n"));
  EXPECT_EQ(ReadBytes(PathOf("out.csv")), "old");
}

}  // namespace
}  // namespace tarnvel
