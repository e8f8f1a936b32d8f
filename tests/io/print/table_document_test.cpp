// A printed table checked as a PDF: its pages, their size and orientation.
#include "io/print/table_document.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QRegularExpression>

#include "pdf_pages.h"

namespace tarnvel {
namespace {

using testing_support::PdfPageCount;

struct Printed {
  int pages = 0;
  QByteArray pdf;
};

Printed Print(const TableDocument& document) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  Printed printed;
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    printed.pages = PaintTableDocument(writer, document);
  }
  printed.pdf = buffer.data();
  return printed;
}

TableDocument Stakeout(qsizetype rows, int columns) {
  TableDocument d;
  d.title = QStringLiteral("逐桩坐标表");
  d.notes = {QStringLiteral("线路：测试  单位：m")};
  for (int c = 0; c < columns; ++c) d.header << QStringLiteral("列%1").arg(c);
  d.rowCount = rows;
  d.row = [columns](qsizetype i) {
    QStringList cells;
    for (int c = 0; c < columns; ++c) cells << QStringLiteral("%1.000").arg(3000000 + i);
    return cells;
  };
  return d;
}

// The first page's MediaBox, as the PDF says it.
QString MediaBox(const QByteArray& pdf) {
  const auto match = QRegularExpression(QStringLiteral("/MediaBox \\[([^\\]]*)\\]"))
                         .match(QString::fromLatin1(pdf));
  QStringList sides;
  for (const QString& number : match.captured(1).simplified().split(u' '))
    sides << QString::number(qRound(number.toDouble()));
  return sides.join(u' ');
}

TEST(TableDocument, OneShortTableIsOnePortraitA4Page) {
  const Printed printed = Print(Stakeout(3, 4));
  ASSERT_TRUE(printed.pdf.startsWith("%PDF-"));
  EXPECT_EQ(printed.pages, 1);
  EXPECT_EQ(PdfPageCount(printed.pdf), 1);
  EXPECT_EQ(MediaBox(printed.pdf), QStringLiteral("0 0 595 842"));
}

TEST(TableDocument, ManyRowsMakeNumberedPagesAndWideTablesTurnTheSheet) {
  const Printed printed = Print(Stakeout(500, 14));
  EXPECT_GT(printed.pages, 5);
  EXPECT_EQ(PdfPageCount(printed.pdf), printed.pages);
  EXPECT_EQ(MediaBox(printed.pdf), QStringLiteral("0 0 842 595"));
}

}  // namespace
}  // namespace tarnvel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
