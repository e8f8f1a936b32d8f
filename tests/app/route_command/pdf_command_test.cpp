// --pdf: the command's table printed to a PDF, checked as a PDF (its page
// tree and its title), on a machine without a display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringDecoder>
#include <ostream>

#include "file_test_support.h"
#include "pdf_pages.h"

namespace tarnvel {
namespace {

using testing_support::PdfPageCount;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

const QByteArray kRoute =
    "起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q\r\n"
    "1000,1200,3378605.445,453648.704,45.3,0,0,0\r\n"
    "1200,1300,3378745.627,453791.354,45.3,0,500,1\r\n"
    "1300,1450.5,3378813.272,453864.942,51.134648,500,500,1\r\n"
    "1450.5,1550.5,3378888.572,453994.594,68.283219,500,0,1\r\n";

const QByteArray kJdTable =
    "交点号,X,Y,R,Ls1,Ls2\r\n"
    "BP,3378000.000,512000.000\r\n"
    "JD1,3378400.000,512000.000,600,100,80\r\n"
    "EP,3378888.469,512348.422\r\n";

struct Outcome {
  int status = -1;
  QString err;
};

class PdfCommandTest : public testing_support::ScratchFolder {
 protected:
  void SetUp() override {
    WriteBytes(PathOf("route.csv"), kRoute);
    WriteBytes(PathOf("jd.csv"), kJdTable);
  }

  // Run as on a server: no display, and no platform named.
  Outcome Route(const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(PathOf(""));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
      environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(PathOf("stdout.txt"));
    process.start(QStringLiteral(TARNVEL_ROUTE_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
  }
};

// The document's title in its information dictionary, UTF-16 after its mark.
QString Title(const QByteArray& pdf) {
  const qsizetype start = pdf.indexOf("/Title (\xFE\xFF");
  if (start < 0) return {};
  const qsizetype from = start + 10;
  const QByteArray utf16 = pdf.mid(from, pdf.indexOf(")\n", from) - from);
  return QStringDecoder(QStringDecoder::Utf16BE).decode(utf16);
}

struct PdfCase {
  const char* name;
  QStringList arguments;  // each with --pdf table.pdf
  int pages;
  const char* title;
  const char* file;  // the command's -o file, the same with and without --pdf
};

class PdfTableTest : public PdfCommandTest, public testing::WithParamInterface<PdfCase> {};

// Pins a command without --pdf; the PDF is made without a display or a
// platform named, says nothing on standard error, and leaves -o as it was.
TEST_P(PdfTableTest, PrintsTheTableBesidesTheOutput) {
  const PdfCase& c = GetParam();
  const Outcome plain = Route(c.arguments);
  ASSERT_EQ(plain.status, 0) << c.name << plain.err.toStdString();
  const QByteArray file = ReadBytes(PathOf(c.file));
  const Outcome printed = Route(c.arguments + QStringList{"--pdf", "table.pdf"});
  ASSERT_EQ(printed.status, 0) << c.name << printed.err.toStdString();
  EXPECT_EQ(printed.err, QString()) << c.name;
  EXPECT_EQ(ReadBytes(PathOf(c.file)), file) << c.name;
  const QByteArray pdf = ReadBytes(PathOf("table.pdf"));
  EXPECT_TRUE(pdf.startsWith("%PDF-")) << c.name;
  EXPECT_EQ(PdfPageCount(pdf), c.pages) << c.name;
  EXPECT_EQ(Title(pdf), QString::fromUtf8(c.title)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PdfTableTest,
    testing::Values(
        // 112 rows of stakeout: a header on each of four pages.
        PdfCase{"ForwardRange",
                {"forward", "route.csv", "--from", "1000", "--to", "1550.5", "--step", "5", "-o",
                 "out.csv"},
                4,
                "逐桩坐标表",
                "out.csv"},
        PdfCase{"ForwardDat",
                {"forward", "route.csv", "--from", "1000", "--to", "1100", "--step", "20", "-o",
                 "out.dat"},
                1,
                "逐桩坐标表",
                "out.dat"},
        PdfCase{"FromJd",
                {"from-jd", "jd.csv", "-o", "out.csv", "--table", "design.csv"},
                1,
                "直线、曲线及转角表",
                "design.csv"},
        PdfCase{"Check", {"check", "route.csv", "-o", "out.txt"}, 1, "线元接头检查表", "out.txt"}),
    [](const testing::TestParamInfo<PdfCase>& info) { return std::string(info.param.name); });

// 25,002 stations 4 mm apart, each given by two lines, A and B.
QByteArray StationsTwiceEach() {
  QByteArray bytes;
  for (int i = 0; i < 25002; ++i)
    for (const char* name : {"A", "B"})
      bytes += name + QByteArray::number(i) + ',' + QByteArray::number(1000 + i * 0.004, 'f', 3) +
               "\r\n";
  return bytes;
}

// 100,002 straights due north, 10 m each: 100,001 joints.
QByteArray LongRoute() {
  QByteArray bytes;
  for (int i = 0; i < 100002; ++i)
    bytes += QByteArray::number(10 * i) + ',' + QByteArray::number(10 * i + 10) + ',' +
             QByteArray::number(3378000 + 10 * i) + ",512000,0,0,0,0\r\n";
  return bytes;
}

// BP, 99,999 JDs zigzagging 5 m across legs of 100 m (R 100), EP.
QByteArray LongJdTable() {
  QByteArray bytes = "交点号,X,Y,R,Ls1,Ls2\r\n";
  for (int i = 0; i < 100001; ++i) {
    const bool end = i == 0 || i == 100000;
    bytes += (i == 0        ? QByteArray("BP")
              : i == 100000 ? "EP"
                            : "JD" + QByteArray::number(i)) +
             ',' + QByteArray::number(3378000 + 100 * i) + ',' +
             QByteArray::number(512000 + (i % 2 ? 5 : 0)) + (end ? "" : ",100,0,0") + "\r\n";
  }
  return bytes;
}

struct RowCapCase {
  const char* name;
  QByteArray (*big)();    // written as big.csv, when the case needs it
  QStringList arguments;  // each with -o out.csv --pdf table.pdf
  int rows;
};

void PrintTo(const RowCapCase& c, std::ostream* os) {
  *os << c.name;
}

class PdfRowCapTest : public PdfCommandTest, public testing::WithParamInterface<RowCapCase> {};

// Pins --pdf without a limit of its own: painting some 6,400 rows a second
// and holding every row, a table at the 100,000,000-row cap would take hours
// and tens of GB. A table of more than 100,000 rows, counted exactly (the
// 边桩 once a station, however many lines give it), is refused before its
// first row, and nothing is written.
TEST_P(PdfRowCapTest, RefusedBeforeTheFirstRow) {
  const RowCapCase& c = GetParam();
  WriteBytes(PathOf("level.csv"), "BP,1000,100\r\nEP,1550.5,100\r\n");
  WriteBytes(PathOf("sections.csv"),
             "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡\r\n1000,3.75,-2,3.75,-2\r\n");
  if (c.big) WriteBytes(PathOf("big.csv"), c.big());
  const Outcome run = Route(c.arguments + QStringList{"-o", "out.csv", "--pdf", "table.pdf"});
  EXPECT_EQ(run.status, 2) << c.name;
  EXPECT_EQ(run.err,
            QStringLiteral("“--pdf”最多打印100000行，该表有%1行，请分段计算！\n").arg(c.rows))
      << c.name;
  EXPECT_EQ(ReadBytes(PathOf("stdout.txt")), QByteArray()) << c.name;
  EXPECT_FALSE(QFile::exists(PathOf("out.csv"))) << c.name;
  EXPECT_FALSE(QFile::exists(PathOf("table.pdf"))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PdfRowCapTest,
    testing::Values(
        RowCapCase{"ForwardRangeOneRowOver",
                   nullptr,
                   {"forward", "route.csv", "--from", "1000", "--to", "1200", "--step", "0.002"},
                   100001},
        // 33,335 stations, each with its two 边桩.
        RowCapCase{"ForwardRangeWithEdges",
                   nullptr,
                   {"forward", "route.csv", "--from", "1000", "--to", "1200", "--step", "0.006",
                    "--profile", "level.csv", "--sections", "sections.csv", "--edges"},
                   100005},
        // 50,004 lines, and two 边桩 at each of their 25,002 stations.
        RowCapCase{"ForwardStationsWithEdges",
                   StationsTwiceEach,
                   {"forward", "route.csv", "--stations", "big.csv", "--profile", "level.csv",
                    "--sections", "sections.csv", "--edges"},
                   100008},
        RowCapCase{"FromJd", LongJdTable, {"from-jd", "big.csv"}, 100001},
        RowCapCase{"Check", LongRoute, {"check", "big.csv"}, 100001}),
    [](const testing::TestParamInfo<RowCapCase>& info) { return std::string(info.param.name); });

// Status 2 writes no file: a PDF that cannot be saved keeps -o from taking
// its place.
TEST_F(PdfCommandTest, APdfThatCannotBeSavedWritesNothing) {
  ASSERT_TRUE(QDir(PathOf("")).mkdir(QStringLiteral("folder.pdf")));
  const Outcome run = Route({"forward", "route.csv", "--from", "1000", "--to", "1100", "--step",
                             "20", "-o", "out.csv", "--pdf", "folder.pdf"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, QStringLiteral("无法保存文件“folder.pdf”：已有同名的文件夹！\n"));
  EXPECT_FALSE(QFile::exists(PathOf("out.csv")));
}

}  // namespace
}  // namespace tarnvel
