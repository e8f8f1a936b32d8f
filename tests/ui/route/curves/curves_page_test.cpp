// The route window's 曲线表 tab driven as a surveyor drives it: a published
// JD table read, its 直线、曲线及转角表 shown, saved and printed, the JD
// table edited and the 断链 declared.
#include "ui/route/curves/curves_page.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPdfWriter>
#include <QStatusBar>
#include <QTest>

#include "design_example.h"
#include "io/files/gbk_text.h"
#include "pdf_pages.h"
#include "route_window_fixture.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

// kDesign (tests/core/jd/design_example.h) as a JD file, with the 交点桩号
// `stations` gives, by row, in its 7th column.
QByteArray DesignFile(const std::map<size_t, QString>& stations = {}) {
  QByteArray text = "交点号,X,Y,R,Ls1,Ls2,交点桩号\n";
  for (size_t i = 0; i < kDesign.size(); ++i) {
    const JdPoint& p = kDesign[i];
    const auto station = stations.find(i);
    text += QStringLiteral("%1,%2,%3,%4,%5,%6,%7\n")
                .arg(QString::fromStdString(p.name))
                .arg(p.X, 0, 'f', 3)
                .arg(p.Y, 0, 'f', 3)
                .arg(p.R)
                .arg(p.Ls1)
                .arg(p.Ls2)
                .arg(station == stations.end() ? QString() : station->second)
                .toUtf8();
  }
  return text;
}

// The road of route_window_test (tests/ui/route/data) with a 20 m 短链
// where 缓和曲线2 ends: the stations after K1+490 count on from K1+510.
// The file declares it when `declared`.
QByteArray RoadWithAJump(bool declared) {
  QByteArray bytes = ReadBytes(kRoad);
  bytes.replace("\n1490,1610,", "\n1510,1630,")
      .replace("\n1610,1670,", "\n1630,1690,")
      .replace("\n1670,1820,", "\n1690,1840,")
      .replace("\n1820,1880,", "\n1840,1900,")
      .replace("\n1880,1980,", "\n1900,2000,");
  if (declared) bytes += "断链,K1+490.000,K1+510.000\n";
  return bytes;
}

}  // namespace

class CurvesPageTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    openWindow();
    QVERIFY(showWindow(1400, 800));
  }
  void cleanup() { closeWindow(); }

  void designTableOfThePublishedTable_data();
  void designTableOfThePublishedTable();
  void mismatchedJdStationIsSaid();
  void declaredChainMovesTheJdStations();
  void savedTableOpensInExcel();
  void pdfIsOnePageAsPrinted();
  void jdEditRebuildsTheElements();
  void jdEditRefusedIsMarkedAndSaid();
  void jdEditAsksBeforeReplacingHandEdits();
  void pastedJdTableMakesTheRoute();
  void declaredEquationJudgesTheJump_data();
  void declaredEquationJudgesTheJump();
  void declaredEquationRoundTrip();

 private:
  QAbstractItemModel* equations() { return child<QTableView>("equationTable")->model(); }
  QString jointStatus(int row) {
    return elements()->index(row, RouteElementModel::kStatusColumn).data().toString();
  }
  void importRoad(const QString& path) {
    import(path);
    QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  }
  QAbstractItemModel* jd() { return child<QTableView>("jdTable")->model(); }
  // The element table's texts of one field, row by row.
  QStringList elementColumn(int column) {
    QStringList texts;
    for (const auto& row : elements()->rows()) texts << row[static_cast<size_t>(column)];
    return texts;
  }
  QAbstractItemModel* design() { return child<QTableView>("curveTable")->model(); }
  // Reads the JD file of `bytes`, BP at `start` ("" for the file's).
  void readJd(const QByteArray& bytes, const QString& start) {
    Box(window_, "jdStartEdit")->setText(start);
    dialogs_.answers << write(QStringLiteral("jd.csv"), bytes);
    Click(window_, "jdButton");
    QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  }
};

// kDesign's printed stations, digit for digit, in the columns of from-jd's
// --table: a point's own cells, a curve's, and the legs'.
void CurvesPageTest::designTableOfThePublishedTable_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("column");
  QTest::addColumn<QString>("text");
  QTest::newRow("BP_station") << 0 << "交点桩号"
                              << "K10+000.000";
  QTest::newRow("BP_straight") << 0 << "直线长"
                               << "385.456";
  QTest::newRow("JD1_turn") << 1 << "转角值"
                            << "右23°29ˊ59.89″";
  QTest::newRow("JD2_station") << 2 << "交点桩号"
                               << "K11+651.032";
  QTest::newRow("JD2_X") << 2 << "X"
                         << "3378712.1050";
  QTest::newRow("JD3_asymmetric_E") << 3 << "E"
                                    << "28.313";
  QTest::newRow("JD3_T2") << 3 << "T2"
                          << "198.759";
  QTest::newRow("JD3_back_to_back") << 3 << "直线长"
                                    << "0.000";
  QTest::newRow("JD4_no_spiral_HY") << 4 << "HY"
                                    << "";
  QTest::newRow("JD4_ZY") << 4 << "ZH"
                          << "K12+566.102";
  QTest::newRow("JD5_HZ") << 5 << "HZ"
                          << "K13+492.821";
  QTest::newRow("JD5_azimuth") << 5 << "计算方位角"
                               << "131°51ˊ0.03″";
  QTest::newRow("EP_station") << 6 << "交点桩号"
                              << "K13+854.942";
  QTest::newRow("EP_no_leg") << 6 << "交点间距"
                             << "";
}

void CurvesPageTest::designTableOfThePublishedTable() {
  QFETCH(int, row);
  QFETCH(QString, column);
  QFETCH(QString, text);
  readJd(DesignFile(), QStringLiteral("10000"));
  QAbstractItemModel* table = design();
  QCOMPARE(table->rowCount(), 7);
  QCOMPARE(table->columnCount(), 21);
  int c = 0;
  while (c < table->columnCount() && table->headerData(c, Qt::Horizontal).toString() != column) ++c;
  QVERIFY2(c < table->columnCount(), qPrintable(column));
  QCOMPARE(table->index(row, c).data().toString(), text);
  QVERIFY(child<QLabel>("jdStationLabel")->isHidden());
}

// A 交点桩号 typed 10 mm short is said in the window, naming the JD and the
// difference, and the table is still made; BP's, with BP里程 left blank, is
// the start.
void CurvesPageTest::mismatchedJdStationIsSaid() {
  readJd(DesignFile({{0, "K10+000"}, {2, "K11+651.022"}, {3, "12379.953"}}), QString());
  QCOMPARE(design()->rowCount(), 7);
  QCOMPARE(elements()->index(0, 0).data().toString(), QStringLiteral("K10+000.000"));
  auto* label = child<QLabel>("jdStationLabel");
  QVERIFY(!label->isHidden());
  QCOMPARE(label->text(),
           QStringLiteral("交点“JD2”的交点桩号K11+651.022与计算所得K11+651.032相差+10.0 mm！"));
}

// Pins the 曲线表 running on from BP past the JD file's 断链 while the
// element table jumped there, and a JD edit dropping the jump: a 20 m 短链
// on BP's straight moves JD1 from K10+612 to K10+632 and JD2 from
// K11+651.032 to K11+671.032, as given, so nothing is said.
void CurvesPageTest::declaredChainMovesTheJdStations() {
  readJd(DesignFile({{0, "K10+000"}, {1, "K10+632.000"}, {2, "K11+671.032"}}) +
             "断链,K10+100,K10+120\n",
         QString());
  for (bool edited : {false, true}) {
    QCOMPARE(design()->index(2, 1).data().toString(), QStringLiteral("K11+671.032"));
    QVERIFY2(child<QLabel>("jdStationLabel")->isHidden(),
             qPrintable(child<QLabel>("jdStationLabel")->text()));
    QCOMPARE(elementColumn(0).mid(0, 2), QStringList({"10000", "10120"}));
    // JD5's radius typed anew, which leaves JD1 and JD2 where they are.
    if (!edited) QVERIFY(jd()->setData(jd()->index(5, 3), QStringLiteral("350")));
  }
}

// The CSV is UTF-8 marked for Excel, in the command's --table lines.
void CurvesPageTest::savedTableOpensInExcel() {
  readJd(DesignFile(), QStringLiteral("10000"));
  const QString path = dir_.filePath(QStringLiteral("design.csv"));
  dialogs_.answers << path;
  runJob("saveDesignButton");
  const QByteArray csv = ReadBytes(path);
  QVERIFY2(csv.startsWith("\xEF\xBB\xBF交点号,交点桩号,X,Y,转角值,R,Ls1,Ls2,T1,T2,L,E,J,ZH,HY,QZ,"
                          "YH,HZ,直线长,交点间距,计算方位角\r\nBP,K10+000.000,3378214.5620,"),
           csv.left(200).constData());
  QVERIFY2(csv.endsWith("\r\nEP,K13+854.942,3378629.8040,516443.7300,,,,,,,,,,,,,,,,,\r\n"),
           csv.right(100).constData());
}

// Seven rows are one page, in the PDF as in the preview, under the table's
// title and title block.
void CurvesPageTest::pdfIsOnePageAsPrinted() {
  readJd(DesignFile(), QStringLiteral("10000"));
  int previewPages = 0;
  QString title;
  window_->findChild<CurvesPage*>()->setPrintPreview([&](QWidget*, const TableDocument& document) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    previewPages = PaintTableDocument(writer, document);
    title = document.title;
  });
  Click(window_, "designPrintButton");
  dialogs_.answers << dir_.filePath(QStringLiteral("design"));
  runJob("designPdfButton");
  const QByteArray pdf = ReadBytes(dir_.filePath(QStringLiteral("design.pdf")));
  QVERIFY(pdf.startsWith("%PDF-"));
  QCOMPARE(PdfPageCount(pdf), 1);
  QCOMPARE(previewPages, 1);
  QCOMPARE(title, QStringLiteral("直线、曲线及转角表"));
}

// JD5's radius typed anew: the arc of the element table and the design
// table's R and T1 follow, and the elements count as unsaved.
void CurvesPageTest::jdEditRebuildsTheElements() {
  readJd(DesignFile(), QStringLiteral("10000"));
  const int elementRows = elements()->rowCount();
  elements()->setModified(false);
  QVERIFY(jd()->setData(jd()->index(5, 3), QStringLiteral("350")));
  QCOMPARE(elements()->rowCount(), elementRows);
  constexpr int kRQ = 5;
  QVERIFY2(elementColumn(kRQ).contains(QStringLiteral("350")),
           qPrintable(elementColumn(kRQ).join(u' ')));
  QVERIFY(!elementColumn(kRQ).contains(QStringLiteral("300")));
  QCOMPARE(design()->index(5, 5).data().toString(), QStringLiteral("350.000"));
  QVERIFY(design()->index(5, 8).data().toString() != QStringLiteral("164.309"));
  QVERIFY(elements()->isModified());
}

// Pins the JD table edit that replaced an element table the user had
// changed by hand, unasked and unsaved. 取消 keeps the hand edit; 不保存
// lets the JD table's elements in, and the next JD edit asks no more.
void CurvesPageTest::jdEditAsksBeforeReplacingHandEdits() {
  readJd(DesignFile(), QStringLiteral("10000"));
  QStringList asked;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
  window_->setAskToSave([&](QWidget*, const QString& text) {
    asked << text;
    return answer;
  });
  QVERIFY(jd()->setData(jd()->index(5, 3), QStringLiteral("350")));
  QVERIFY(asked.isEmpty());  // the table was the JD table's own
  constexpr int kName = 8;
  QVERIFY(elements()->setData(elements()->index(0, kName), QStringLiteral("起点直线")));
  QVERIFY(jd()->setData(jd()->index(5, 3), QStringLiteral("360")));
  QCOMPARE(asked, QStringList({"线元表已修改，按交点表重新生成前是否保存？"}));
  QCOMPARE(elementColumn(kName).front(), QStringLiteral("起点直线"));
  answer = QMessageBox::Discard;
  QVERIFY(jd()->setData(jd()->index(5, 3), QStringLiteral("370")));
  QCOMPARE(asked.size(), 2);
  QVERIFY(elementColumn(kName).front() != QStringLiteral("起点直线"));
  QVERIFY(elementColumn(5).contains(QStringLiteral("370")));
  QVERIFY(jd()->setData(jd()->index(5, 3), QStringLiteral("380")));
  QCOMPARE(asked.size(), 2);
}

// A cell that is not a number, or a table RouteFromJd refuses, leaves the
// element table as it was; the fault is marked and said as the 线元表's are.
void CurvesPageTest::jdEditRefusedIsMarkedAndSaid() {
  readJd(DesignFile(), QStringLiteral("10000"));
  const auto before = elements()->rows();
  QVERIFY(jd()->setData(jd()->index(2, 1), QStringLiteral("3378712.1O5")));
  QCOMPARE(window_->statusBar()->currentMessage(),
           QStringLiteral("第3行“交点坐标X”不是有效的数字！"));
  QCOMPARE(jd()->index(2, 1).data(Qt::ToolTipRole).toString(),
           window_->statusBar()->currentMessage());
  QVERIFY(elements()->rows() == before);
  // JD2 on the leg from JD1 to JD3: no turn there.
  QVERIFY(jd()->setData(jd()->index(2, 1), QStringLiteral("3378545.189")));
  QVERIFY(jd()->setData(jd()->index(2, 2), QStringLiteral("513388.324")));
  QVERIFY2(window_->statusBar()->currentMessage().startsWith(QStringLiteral("第3行：")),
           qPrintable(window_->statusBar()->currentMessage()));
  // A fault of the legs, not of one field, marks the JD's whole row: it
  // marked no cell at all.
  QCOMPARE(jd()->index(2, 0).data(Qt::ToolTipRole).toString(),
           window_->statusBar()->currentMessage());
  QVERIFY(jd()->index(2, 6).data(Qt::BackgroundRole).isValid());
  QVERIFY(elements()->rows() == before);
}

// A table copied from a spreadsheet into the empty JD table: tab-separated
// rows grow the table and make the route.
void CurvesPageTest::pastedJdTableMakesTheRoute() {
  QString text;
  for (const QByteArray& line : DesignFile().split('\n').mid(1))
    if (!line.isEmpty())
      text += QString::fromUtf8(line).replace(u',', u'\t') + QStringLiteral("\r\n");
  QGuiApplication::clipboard()->setText(text);
  Click(window_, "jdPasteButton");
  QCOMPARE(jd()->rowCount(), 7);
  QCOMPARE(design()->rowCount(), 7);
  QCOMPARE(design()->index(6, 1).data().toString(), QStringLiteral("K3+854.942"));
  QVERIFY(elements()->route().has_value());
  QCOMPARE(elements()->rows().front()[0], QStringLiteral("0"));
}

// The 断链 table typed as the jump is, or 5 m off it, or left empty: the
// joint at K1+490 is judged as check judges it.
void CurvesPageTest::declaredEquationJudgesTheJump_data() {
  QTest::addColumn<QString>("back");
  QTest::addColumn<QString>("ahead");
  QTest::addColumn<QString>("status");
  QTest::addColumn<QString>("note");
  const auto row = [](const char* name, const QString& back, const QString& ahead,
                      const QString& status, const QString& note) {
    QTest::newRow(name) << back << ahead << status << note;
  };
  row("matching_k_text", "K1+490", "K1+510.000", "闭合", "与声明的断链相符");
  row("matching_metres", "1490", "1510", "闭合", "与声明的断链相符");
  row("ahead_5m_off", "1490", "1505", "超限",
      "未声明的断链\n声明的断链K1+490.000=K1+505.000没有对应的桩号跳变");
  row("back_5m_off", "1485", "1510", "超限", "未声明的断链");
}

void CurvesPageTest::declaredEquationJudgesTheJump() {
  QFETCH(QString, back);
  QFETCH(QString, ahead);
  QFETCH(QString, status);
  QFETCH(QString, note);
  importRoad(write(QStringLiteral("road.csv"), RoadWithAJump(false)));
  QCOMPARE(jointStatus(3), QStringLiteral("闭合"));  // undeclared: taken as it is
  Click(window_, "equationAddButton");
  QVERIFY(equations()->setData(equations()->index(0, 0), back));
  QCOMPARE(window_->statusBar()->currentMessage(),
           QStringLiteral("请输入第1个断链的“等号后桩号”！"));
  QVERIFY(equations()->setData(equations()->index(0, 1), ahead));
  QCOMPARE(jointStatus(3), status);
  // The status cell's tooltip says why, as check's 说明 does.
  const QString tip =
      elements()->index(3, RouteElementModel::kStatusColumn).data(Qt::ToolTipRole).toString();
  QVERIFY2(tip.contains(note), qPrintable(tip));
  for (int row : {0, 1, 2, 4, 5, 6, 7}) QCOMPARE(jointStatus(row), QStringLiteral("闭合"));
}

// The file's 断链 line is shown in the table, saved with the elements and
// read back the same.
void CurvesPageTest::declaredEquationRoundTrip() {
  importRoad(write(QStringLiteral("road.csv"), RoadWithAJump(true)));
  QCOMPARE(equations()->rowCount(), 1);
  QCOMPARE(equations()->index(0, 0).data().toString(), QStringLiteral("1490"));
  QCOMPARE(equations()->index(0, 1).data().toString(), QStringLiteral("1510"));
  QCOMPARE(jointStatus(3), QStringLiteral("闭合"));
  const QString saved = dir_.filePath(QStringLiteral("saved.csv"));
  dialogs_.answers << saved;
  Click(window_, "saveButton");
  // The route file is GBK, as it always was.
  QVERIFY(
      ReadBytes(saved).endsWith("\r\n" + *EncodeGbk(QStringLiteral("断链")) + ",1490,1510\r\n"));
  equations()->setData(equations()->index(0, 1), QStringLiteral("1500"));
  QCOMPARE(jointStatus(3), QStringLiteral("超限"));
  elements()->setModified(false);
  importRoad(saved);
  QCOMPARE(equations()->index(0, 1).data().toString(), QStringLiteral("1510"));
  QCOMPARE(jointStatus(3), QStringLiteral("闭合"));
}

QTEST_MAIN(CurvesPageTest)
#include "curves_page_test.moc"
