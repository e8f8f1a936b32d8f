// --pdf: the command's table printed to a PDF, checked as a PDF (its page
// tree and its title), on a machine without a display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>

#include "file_test_support.h"

namespace tarnvel {
namespace {

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

// The page tree's count, as the PDF says it.
int PageCount(const QByteArray& pdf) {
  const auto match =
      QRegularExpression(QStringLiteral("/Type /Pages\\s*/Kids\\s*\\[[^\\]]*\\]\\s*/Count (\\d+)"))
          .match(QString::fromLatin1(pdf));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

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
  EXPECT_EQ(PageCount(pdf), c.pages) << c.name;
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
