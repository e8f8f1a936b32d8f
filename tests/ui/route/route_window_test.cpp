// The route window 线路计算 driven as a surveyor drives it: import a road,
// find the bad joint, mend it, set out and inverse, save, and read the plan.
// The road (tests/ui/route/data) is a design table to the millimetre: straight,
// spiral, arc of 300 right, spiral, straight, spiral, arc of 250 left,
// spiral, straight, from K1000 to K1980.
#include "ui/route/route_window.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <variant>

#include "core/route/point_names.h"
#include "core/route/route_forward.h"
#include "io/route/route_csv.h"
#include "io/route/route_source.h"
#include "pdf_pages.h"
#include "route_window_fixture.h"
#include "ui/main/main_window.h"
#include "ui/route/plan/route_plan_view.h"
#include "ui/route/stakeout/stakeout_page.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

Route LoadedRoad() {
  return std::get<Route>(LoadRoute(kRoad));
}

// What a paint draws, in device pixels: its lines and texts.
class RecordingEngine : public QPaintEngine {
 public:
  struct Text {
    QString text;
    QRectF box;
  };
  RecordingEngine() : QPaintEngine(AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & DirtyTransform) transform_ = state.transform();
  }
  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i) this->lines.push_back(transform_.map(lines[i]));
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i) this->lines.push_back(transform_.map(QLineF(lines[i])));
  }
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QPointF at = transform_.map(p);
    texts.push_back({item.text(), QRectF(at.x(), at.y() - item.ascent(), item.width(),
                                         item.ascent() + item.descent())});
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  Type type() const override { return User; }

  std::vector<QLineF> lines;
  std::vector<Text> texts;

 private:
  QTransform transform_;
};

class RecordingDevice : public QPaintDevice {
 public:
  explicit RecordingDevice(QSize size) : size_(size) {}
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable RecordingEngine engine;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return QPaintDevice::metric(metric);
    }
  }

 private:
  QSize size_;
};

bool IsJointLabel(const QString& text) {
  return QStringList({"ZH", "HY", "YH", "HZ"}).contains(text);
}
// Stakes named 1…n (序号), which no other text of the plan reads as.
bool IsStakeName(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
  return digits.match(text).hasMatch();
}
QString Describe(const QRectF& r) {
  return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

class RouteWindowTest : public RouteWindowFixture {
  Q_OBJECT

 private slots:
  void init() {
    sent_ = {};
    openWindow([this](const std::array<QString, 8>& texts) { sent_ = texts; });
    QVERIFY(showWindow(1200, 700));
  }
  void cleanup() { closeWindow(); }

  void emptyWindowSaysWhatToDoFirst();
  void importShowsRowsAndJoints();
  void statusColumnInSightAtDefaultWidth();
  void resultColumnsFitTheirTexts_data();
  void resultColumnsFitTheirTexts();
  void editingACellRecomputesTheJoints();
  void closingAsksWhenTheTableChanged();
  void sendFillsTheMainWindow();
  void stakeoutGivesTheCommandsRows_data();
  void stakeoutGivesTheCommandsRows();
  void stationsFileGivesTheCommandsRows();
  void inverseGivesTheCommandsRows();
  void cancelledJobLeavesThePreviousRows();
  void secondStakeoutLetsThePreviousRowsGo_data();
  void secondStakeoutLetsThePreviousRowsGo();
  void stakeoutTakesExactlyItsRowCap_data();
  void stakeoutTakesExactlyItsRowCap();
  void jobOutOfMemoryHandsNothingBack();
  void fitAllShowsEveryElement();
  void millionPointsDrawAsManyMarkersAsPixelsShow();
  void stakesKeepClearOfJointLabels();
  void cursorReadsStationAndOffset();
  void datFileBytes();
  void stakeoutCarriesDesignElevations();
  void inverseGivesCutAndFill();
  void stakeoutPdfPagesAsPrinted();
  void jdTableGivesElementsAndCurves();
  void landXmlGivesBackTheTable();
  void savedNameGetsItsTypesSuffix_data();
  void savedNameGetsItsTypesSuffix();
  void eachDialogOffersItsOwnName();
  void csvWrittenInTheChosenEncoding_data();
  void csvWrittenInTheChosenEncoding();
  void helpShowsTheReadme();

 private:
  QString jointCell(int row, int column) {
    return elements()->index(row, column).data().toString();
  }
  // The plan at 全图 as it paints.
  std::unique_ptr<RecordingDevice> recordPlan() {
    Click(window_, "fitButton");
    auto* plan = child<RoutePlanView>("planView");
    auto device = std::make_unique<RecordingDevice>(plan->viewport()->size());
    QPainter painter(device.get());
    plan->viewport()->render(&painter);
    return device;
  }
  // The bytes `button` saves when the name is typed without a suffix: the
  // file is named with the one its type adds.
  QByteArray saved(const char* button) {
    const QString name = QString::fromLatin1(button);
    dialogs_.answers << dir_.filePath(name);
    runJob(button);
    const QStringList files = QDir(dir_.path()).entryList({name + QStringLiteral(".*")});
    return files.size() == 1 ? ReadBytes(dir_.filePath(files.front())) : QByteArray();
  }

  std::array<QString, 8> sent_;
};

// A copy of the road whose third element starts 30 mm north of where the
// second ends: the arc and both its joints (HY, YH) are 30 mm off.
QByteArray BadRoad() {
  return ReadBytes(kRoad).replace("1230,1410,3378717.299", "1230,1410,3378717.329");
}

// Regression: the empty window greeted the user with the route's refusal
// "线路中没有线元！", which reads as an error; a real fault still shows.
void RouteWindowTest::emptyWindowSaysWhatToDoFirst() {
  QCOMPARE(window_->statusBar()->currentMessage(),
           QStringLiteral("请输入线元，或导入线元表、交点表或LandXML文件。"));
  elements()->insertRows(0, 1);
  QCOMPARE(window_->statusBar()->currentMessage(), QStringLiteral("请输入第1行的“起点桩号K”！"));
  elements()->removeRows(0, 1);
  QCOMPARE(window_->statusBar()->currentMessage(),
           QStringLiteral("请输入线元，或导入线元表、交点表或LandXML文件。"));
}

void RouteWindowTest::importShowsRowsAndJoints() {
  import(write(QStringLiteral("bad.txt"), BadRoad()));
  QVERIFY(boxes_.shown.isEmpty());
  QCOMPARE(elements()->rowCount(), 9);
  QCOMPARE(jointCell(2, 2), QStringLiteral("3378717.3290"));
  QCOMPARE(jointCell(2, RouteElementModel::kNameColumn), QStringLiteral("圆曲线1"));
  QStringList labels, statuses;
  for (int row = 0; row < 8; ++row) {
    labels << jointCell(row, RouteElementModel::kLabelColumn);
    statuses << jointCell(row, RouteElementModel::kStatusColumn);
  }
  QCOMPARE(labels, QStringList({"ZH", "HY", "YH", "HZ", "ZH", "HY", "YH", "HZ"}));
  QCOMPARE(statuses, QStringList({"闭合", "超限", "超限", "闭合", "闭合", "闭合", "闭合", "闭合"}));
  QCOMPARE(jointCell(1, RouteElementModel::kDistanceColumn), QStringLiteral("30.4"));
  // The bad joints alone are coloured, and its tooltip gives the figures.
  const QModelIndex bad = elements()->index(1, RouteElementModel::kStatusColumn);
  QVERIFY(bad.data(Qt::BackgroundRole).isValid());
  QVERIFY(
      !elements()->index(0, RouteElementModel::kStatusColumn).data(Qt::BackgroundRole).isValid());
  const QString tip = bad.data(Qt::ToolTipRole).toString();
  QVERIFY2(tip.contains(QStringLiteral("ΔX = 30.3 mm  ΔY = -0.5 mm  Δ = 30.4 mm")),
           qPrintable(tip));
  // The last row has no joint.
  QCOMPARE(jointCell(8, RouteElementModel::kStatusColumn), QString());
}

// Regression: at the default 1200 px the joint columns lay beyond the
// element table's right edge, so a 超限 joint was found only by scrolling.
void RouteWindowTest::statusColumnInSightAtDefaultWidth() {
  import(write(QStringLiteral("bad.txt"), BadRoad()));
  QTableView* table = child<QTableView>("elementTable");
  QCOMPARE(window_->width(), 1200);
  for (int column : {int(RouteElementModel::kLabelColumn), int(RouteElementModel::kStatusColumn)}) {
    const int left = table->columnViewportPosition(column);
    const int right = left + table->columnWidth(column);
    QVERIFY2(left >= 0 && right <= table->viewport()->width(),
             qPrintable(QStringLiteral("column %1 at %2..%3 of %4")
                            .arg(column)
                            .arg(left)
                            .arg(right)
                            .arg(table->viewport()->width())));
  }
}

void RouteWindowTest::resultColumnsFitTheirTexts_data() {
  QTest::addColumn<QString>("table");
  QTest::newRow("stakeout") << "stakeoutTable";
  QTest::newRow("inverse") << "inverseTable";
}

// Regression: every results column was about 100 px wide, even for 点名
// "1". Each now shows its header and the texts of the first and last rows
// whole, and is no more than a cell's margins wider than its widest text.
void RouteWindowTest::resultColumnsFitTheirTexts() {
  QFETCH(QString, table);
  import(kRoad);
  // 9,801 rows: the last name is a digit longer than those in sight.
  stakeOutRange("1000", "1980", "0.1", "0");
  child<QPlainTextEdit>("pointsEdit")->setPlainText(QStringLiteral("1,3378700.0,453800.0\n"));
  runJob("pasteButton");
  QVERIFY(boxes_.shown.isEmpty());
  auto* view = window_->findChild<QTableView*>(table);
  const QAbstractItemModel* model = view->model();
  const int last = model->rowCount() - 1;
  QVERIFY(last >= 0);
  const auto advance = [view](int r, int c) {
    return view->fontMetrics().horizontalAdvance(view->model()->index(r, c).data().toString());
  };
  for (int c = 0; c < model->columnCount(); ++c) {
    const int header = view->horizontalHeader()->fontMetrics().horizontalAdvance(
        model->headerData(c, Qt::Horizontal).toString());
    int widest = header;
    for (int r = 0; r <= last; ++r) widest = std::max(widest, advance(r, c));
    const int width = view->columnWidth(c);
    QVERIFY2(
        width >= std::max({header, advance(0, c), advance(last, c)}) && width <= widest + 40,
        qPrintable(
            QStringLiteral("column %1: %2 px, widest text %3 px").arg(c).arg(width).arg(widest)));
  }
}

void RouteWindowTest::editingACellRecomputesTheJoints() {
  import(write(QStringLiteral("bad.txt"), BadRoad()));
  QTableView* table = child<QTableView>("elementTable");
  const QModelIndex x0 = elements()->index(2, 2);

  // A cell that is not a number is marked and named in the status bar.
  table->setCurrentIndex(x0);
  QVERIFY(elements()->setData(x0, QStringLiteral("3378717.2g9")));
  QVERIFY(x0.data(Qt::BackgroundRole).isValid());
  QCOMPARE(window_->statusBar()->currentMessage(),
           QStringLiteral("第3行“起点坐标X”不是有效的数字！"));

  // Mended, the joint closes.
  QVERIFY(elements()->setData(x0, QStringLiteral("3378717.299")));
  QVERIFY(!x0.data(Qt::BackgroundRole).isValid());
  QCOMPARE(jointCell(1, RouteElementModel::kStatusColumn), QStringLiteral("闭合"));
  QCOMPARE(jointCell(2, RouteElementModel::kStatusColumn), QStringLiteral("闭合"));
  QCOMPARE(window_->statusBar()->currentMessage(), QStringLiteral("9个线元，接头全部闭合"));

  // A route the core refuses is named by its row and field.
  QVERIFY(elements()->setData(elements()->index(3, 1), QStringLiteral("1400")));
  QVERIFY(elements()->index(3, 1).data(Qt::BackgroundRole).isValid());
  QVERIFY(window_->statusBar()->currentMessage().contains(QStringLiteral("止点桩号K")));
}

void RouteWindowTest::closingAsksWhenTheTableChanged() {
  import(kRoad);
  QStringList asked;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
  window_->setAskToSave([&](QWidget*, const QString& text) {
    asked << text;
    return answer;
  });
  QVERIFY(window_->close());  // nothing changed: no question
  QVERIFY(asked.isEmpty());
  window_->show();
  elements()->insertRows(9, 1);
  QVERIFY(!window_->close());  // 取消 keeps the window and the row
  QCOMPARE(asked, QStringList({"线元表已修改，关闭前是否保存？"}));
  QCOMPARE(elements()->rowCount(), 10);
  elements()->removeRows(9, 1);
  answer = QMessageBox::Discard;
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  QVERIFY(window_->close());
}

void RouteWindowTest::sendFillsTheMainWindow() {
  FakePlatform platform;
  MainWindow main(boxes_, platform, dialogs_);
  main.findChild<QAction*>(QStringLiteral("Route"))->trigger();
  RouteWindow* opened = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("线路计算") && w != window_ && w->isVisible())
      opened = qobject_cast<RouteWindow*>(w);
  QVERIFY(opened);
  dialogs_.answers << kRoad;
  Click(opened, "importButton");
  auto* table = opened->findChild<QTableView*>(QStringLiteral("elementTable"));
  table->setCurrentIndex(table->model()->index(2, 4));
  Click(opened, "sendButton");
  QStringList fields;
  for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"})
    fields << Box(&main, name)->text();
  QCOMPARE(fields, QStringList({"1230", "1410", "3378717.299", "453849.542", "67.3822", "300",
                                "300", "1"}));
}

void RouteWindowTest::stakeoutGivesTheCommandsRows_data() {
  QTest::addColumn<QString>("to");
  QTest::addColumn<QString>("step");
  QTest::addColumn<QString>("curveStep");
  QTest::newRow("Step20") << "1980"
                          << "20"
                          << "";
  // Some 98,000 stations, more than one piece of the progress bar.
  QTest::newRow("Step1cm") << "1980"
                           << "0.01"
                           << "";
  // 止点里程 0.4 mm past the end, within the 2 mm tolerance.
  QTest::newRow("CurveStepEndPast") << "1980.0004"
                                    << "20"
                                    << "10";
}

// The rows and the saved CSV are those of one whole table, as the command
// makes it; a table made in pieces once repeated the stations where one
// piece ended and the next began.
void RouteWindowTest::stakeoutGivesTheCommandsRows() {
  QFETCH(QString, to);
  QFETCH(QString, step);
  QFETCH(QString, curveStep);
  import(kRoad);
  Box(window_, "curveStepEdit")->setText(curveStep);
  stakeOutRange("1000", to, step, "-10, 0, 10");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));

  RouteTableRequest request;
  request.from = 1000, request.to = to.toDouble(), request.step = step.toDouble();
  request.offsets = {-10, 0, 10};
  request.keyPoints = true;
  request.curveStep = curveStep.isEmpty() ? 0 : curveStep.toDouble();
  request.positionTolerance = 0.002;
  const Route road = LoadedRoad();
  auto table = std::get<std::vector<RoutePoint>>(RouteTable(road, request));
  RangePointNames names(road, "K");
  std::vector<StakeRow> expected;
  for (const RoutePoint& point : table) expected.push_back({names.Name(point), point});
  const std::string csv = std::string(kUtf8ByteOrderMark) + ForwardCsvText(expected);
  QCOMPARE(stakeoutRows().size(), expected.size());
  QCOMPARE(stakeoutRows().back().point.station, 1980.0);
  QCOMPARE(saved("saveStakeoutButton"), QByteArray::fromStdString(csv));

#ifdef TARNVEL_ROUTE_COMMAND
  if (step == QStringLiteral("20")) {
    QStringList arguments{"forward", kRoad,      "--from", "1000",         "--to",
                          to,        "--step",   "20",     "--offset=-10", "--offset",
                          "0",       "--offset", "10",     "--key-points"};
    if (!curveStep.isEmpty()) arguments << "--curve-step" << curveStep;
    QProcess command;
    command.start(QStringLiteral(TARNVEL_ROUTE_COMMAND), arguments);
    QVERIFY(command.waitForFinished());
    QCOMPARE(command.readAllStandardOutput(), QByteArray::fromStdString(csv));
  }
#endif
}

// Lines with and without their own offset and skew, a key point, a header.
void RouteWindowTest::stationsFileGivesTheCommandsRows() {
  import(kRoad);
  const QString path = write(QStringLiteral("stations.txt"),
                             "点名,里程,偏距,偏角\nA,1005\nB,1150,2.5\nC,1333.3,-4,75.3\n");
  Box(window_, "offsetsEdit")->setText(QStringLiteral("-10 10"));
  Box(window_, "skewEdit")->setText(QStringLiteral("89.3"));
  dialogs_.answers << path;
  runJob("stationsButton");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QCOMPARE(stakeoutRows().size(), size_t(4));
  const QByteArray csv = saved("saveStakeoutButton");
  QVERIFY(csv.contains("\r\nB,K1+150.000,1150.000,2.500,89.3,"));

#ifdef TARNVEL_ROUTE_COMMAND
  QProcess command;
  command.start(
      QStringLiteral(TARNVEL_ROUTE_COMMAND),
      {"forward", kRoad, "--stations", path, "--offset=-10", "--offset", "10", "--skew", "89.3"});
  QVERIFY(command.waitForFinished());
  QCOMPARE(csv, command.readAllStandardOutput());
#endif
}

void RouteWindowTest::inverseGivesTheCommandsRows() {
  import(kRoad);
  const QString points = QStringLiteral(
      "点名,X,Y\n"
      "P1,3378700.0,453800.0\n"
      "P2,3378760.5,453950.25\n"
      "P3,3378000,453000\n"
      "P4,3378690.1,454300.7\n");
  const QString file = write(QStringLiteral("points.txt"), points.toUtf8());
  child<QCheckBox>("allFeetCheck")->setChecked(true);
  child<QPlainTextEdit>("pointsEdit")->setPlainText(points);
  runJob("pasteButton");
  QVERIFY(boxes_.shown.isEmpty());
  const QByteArray csv = saved("saveInverseButton");
  QVERIFY(
      csv.startsWith("\xEF\xBB\xBF点名,X,Y,桩号,里程,偏距,线元,候选\r\nP1,3378700.0,453800.0,"));
  QVERIFY(csv.contains("\r\nP3,3378000,453000,,,,,0/0\r\n"));

#ifdef TARNVEL_ROUTE_COMMAND
  QProcess command;
  command.start(QStringLiteral(TARNVEL_ROUTE_COMMAND), {"inverse", kRoad, file, "--all"});
  QVERIFY(command.waitForFinished());
  QCOMPARE(csv, command.readAllStandardOutput());
#endif
}

// Regression: a cancel must leave the rows of the last finished job, not an
// empty or half table.
void RouteWindowTest::cancelledJobLeavesThePreviousRows() {
  import(kRoad);
  stakeOutRange("1000", "1980", "20", "0");
  const auto before = stakeoutRows().size();
  QVERIFY(before > 0);
  Box(window_, "stepEdit")->setText(QStringLiteral("0.001"));
  Click(window_, "stakeoutButton");
  QVERIFY(window_->job().isRunning());
  Click(window_, "cancelButton");
  waitForJob();
  QCOMPARE(stakeoutRows().size(), before);
  QCOMPARE(stakeoutRows().front().name, std::string("K1+000"));
}

void RouteWindowTest::secondStakeoutLetsThePreviousRowsGo_data() {
  QTest::addColumn<QString>("ending");  // of the second 计算: cancel, clear or a stations file
  QTest::addColumn<bool>("back");       // the first rows shown again after it
  QTest::newRow("Cancelled") << "cancel" << true;
  QTest::newRow("ClearedMeanwhile") << "clear" << false;
  QTest::newRow("Refused") << "A,1005\nB,5000\n" << true;
}

// Pins a second 计算 holding the rows shown while it made its own, a
// million old rows beside a million new: it lets them go first. When it
// does not finish they are made again and come back, the same rows,
// unless they were cleared meanwhile (their route, profile or sections
// changed).
void RouteWindowTest::secondStakeoutLetsThePreviousRowsGo() {
  QFETCH(QString, ending);
  QFETCH(bool, back);
  import(kRoad);
  stakeOutRange("1000", "1980", "20", "0");
  const std::string before = ForwardCsvText(stakeoutRows());
  if (ending == QStringLiteral("cancel") || ending == QStringLiteral("clear")) {
    Box(window_, "stepEdit")->setText(QStringLiteral("0.001"));
    Click(window_, "stakeoutButton");
    QVERIFY(window_->job().isRunning());
    QVERIFY(stakeoutRows().empty());
    if (ending == QStringLiteral("clear")) window_->findChild<StakeoutPage*>()->clearRows();
    Click(window_, "cancelButton");
    waitForJob();
    QCOMPARE(window_->statusBar()->currentMessage(), QStringLiteral("计算已取消，结果未改变"));
  } else {
    dialogs_.answers << write(QStringLiteral("stations.txt"), ending.toUtf8());
    runJob("stationsButton");
    QCOMPARE(boxes_.shown.size(), 1);
  }
  QCOMPARE(ForwardCsvText(stakeoutRows()), back ? before : ForwardCsvText({}));
}

void RouteWindowTest::stakeoutTakesExactlyItsRowCap_data() {
  QTest::addColumn<QString>("to");
  QTest::addColumn<QString>("refusal");
  QTest::newRow("ExactlyTheCap") << "1109.9999" << QString();
  QTest::newRow("OneRowOver") << "1110"
                              << "逐桩坐标表将超过1000000行，请加大“间距”或缩小里程范围！";
}

// Pins the window refusing exactly its own cap: 1010 to 1109.9999 at
// 0.0001 is 1,000,000 rows, which the command writes, but the window
// counted two more for the range's ends and refused it. The table starts
// (and is cancelled here); one row more is refused before it starts.
void RouteWindowTest::stakeoutTakesExactlyItsRowCap() {
  QFETCH(QString, to);
  QFETCH(QString, refusal);
  import(kRoad);
  Box(window_, "fromEdit")->setText(QStringLiteral("1010"));
  Box(window_, "toEdit")->setText(to);
  Box(window_, "stepEdit")->setText(QStringLiteral("0.0001"));
  Box(window_, "offsetsEdit")->setText(QStringLiteral("0"));
  Click(window_, "stakeoutButton");
  const bool started = window_->job().isRunning();
  if (started) Click(window_, "cancelButton");
  waitForJob();
  QCOMPARE(started, refusal.isEmpty());
  QCOMPARE(boxes_.shown.size(), refusal.isEmpty() ? 0 : 1);
  if (!refusal.isEmpty()) QCOMPARE(boxes_.shown[0].text, refusal);
}

// An allocation that fails on the worker thread must not end the program:
// nothing above the work catches it there but the job itself.
void RouteWindowTest::jobOutOfMemoryHandsNothingBack() {
  BackgroundJob job;
  QSignalSpy failed(&job, &BackgroundJob::outOfMemory);
  bool done = false;
  QVERIFY(job.start([](JobProgress&) { throw std::bad_alloc(); }, [&] { done = true; }));
  job.wait();
  QCOMPARE(failed.count(), 1);
  QVERIFY(!done);
}

void RouteWindowTest::fitAllShowsEveryElement() {
  import(kRoad);
  auto* plan = child<RoutePlanView>("planView");
  plan->scale(8, 8);  // the user zoomed in; 全图 brings the whole route back
  Click(window_, "fitButton");
  const QRect view = plan->viewport()->rect();
  const Route route = LoadedRoad();
  for (const LineElement& e : route.loaded)
    for (double K : {e.K0, (e.K0 + e.K1) / 2, e.K1}) {
      const QPoint at = plan->mapFromScene(plan->toScene(CentreLinePoint(e, K)));
      QVERIFY2(view.contains(at), qPrintable(QString::number(K)));
    }
  // North is up and east is right, at one scale.
  QCOMPARE(plan->transform().m11(), plan->transform().m22());
  QVERIFY(plan->transform().m11() > 0);
}

// Regression: the plan drew a cross for every point in view, a million at
// 全图, which froze every redraw for seconds. It now draws one to a square of
// three pixels at most, and names only where a name overlaps no other.
void RouteWindowTest::millionPointsDrawAsManyMarkersAsPixelsShow() {
  import(kRoad);
  child<QComboBox>("namesCombo")->setCurrentIndex(1);  // 序号
  stakeOutRange("1000", "1980", "0.001", "0");
  QCOMPARE(stakeoutRows().size(), size_t(980001));
  const auto device = recordPlan();
  const auto& lines = device->engine.lines;
  const long long squares = (device->width() / 3 + 1) * (device->height() / 3 + 1);
  // Two lines a cross, and a few for the legend and the scale bar.
  QVERIFY2(static_cast<long long>(lines.size()) <= 2 * squares + 20,
           qPrintable(QStringLiteral("%1 lines for %2 squares").arg(lines.size()).arg(squares)));
  std::vector<QRectF> names;
  for (const auto& text : device->engine.texts)
    if (IsStakeName(text.text)) names.push_back(text.box);
  QVERIFY(!names.empty());
  for (size_t i = 0; i < names.size(); ++i)
    for (size_t j = i + 1; j < names.size(); ++j)
      QVERIFY2(!names[i].intersects(names[j]),
               qPrintable(Describe(names[i]) + QStringLiteral(" over ") + Describe(names[j])));
}

// Regression: at 全图 the stake names and crosses printed over the joints'
// labels (ZH, HY, ...), which could not be read.
void RouteWindowTest::stakesKeepClearOfJointLabels() {
  import(kRoad);
  child<QComboBox>("namesCombo")->setCurrentIndex(1);  // 序号
  stakeOutRange("1000", "1980", "1", "-10, 0, 10");
  const auto device = recordPlan();
  std::vector<RecordingEngine::Text> labels;
  for (const auto& text : device->engine.texts)
    if (IsJointLabel(text.text)) labels.push_back(text);
  QCOMPARE(labels.size(), size_t(8));
  for (const auto& label : labels) {
    for (const auto& text : device->engine.texts)
      QVERIFY2(!IsStakeName(text.text) || !text.box.intersects(label.box),
               qPrintable(text.text + Describe(text.box) + QStringLiteral(" over ") + label.text +
                          Describe(label.box)));
    for (const QLineF& line : device->engine.lines) {
      const QRectF span = QRectF(line.p1(), line.p2()).normalized().adjusted(-0.4, -0.4, 0.4, 0.4);
      QVERIFY2(!span.intersects(label.box),
               qPrintable(QStringLiteral("cross at ") + Describe(span) + QStringLiteral(" over ") +
                          label.text + Describe(label.box)));
    }
  }
}

void RouteWindowTest::cursorReadsStationAndOffset() {
  import(kRoad);
  auto* plan = child<RoutePlanView>("planView");
  // 5 m right of K1300 on the first arc, at a scale of 1 mm a pixel.
  const Route route = LoadedRoad();
  const Point known = ForwardPoint(route.loaded[2], 1300, 5, 90).point;
  plan->setTransform(QTransform::fromScale(1000, 1000));
  plan->centerOn(plan->toScene(known));
  const QPointF at = plan->mapFromScene(plan->toScene(known));
  // Regression: at this scale the view could not scroll to coordinates of
  // millions of metres, and the point lay far outside it.
  QVERIFY(plan->viewport()->rect().contains(at.toPoint()));
  QMouseEvent move(QEvent::MouseMove, at, plan->viewport()->mapToGlobal(at), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(plan->viewport(), &move);
  const QString text = child<QLabel>("cursorLabel")->text();
  const QRegularExpression numbers(QStringLiteral("桩号 K1\\+([0-9.]+)  偏距 右([0-9.]+)  线元 3"));
  const auto match = numbers.match(text);
  QVERIFY2(match.hasMatch(), qPrintable(text + QStringLiteral("|")));
  QVERIFY2(std::abs(match.captured(1).toDouble() - 300) < 0.002, qPrintable(text));
  QVERIFY2(std::abs(match.captured(2).toDouble() - 5) < 0.002, qPrintable(text));
}

void RouteWindowTest::datFileBytes() {
  import(kRoad);
  stakeOutRange("1000", "1020", "20", "0");
  // K1000 起点 and K1020, 20 m along the first straight at 60°: east before
  // north, the key-point label as the code, H empty, GBK and CR LF.
  QCOMPARE(saved("saveDatButton"),
           QByteArray("K1+000,\xC6\xF0\xB5\xE3,453648.7040,3378605.4450,\r\n"
                      "K1+020,,453666.0245,3378615.4450,\r\n"));
}

// A crest on the road: +2% from K1+000 at 100 m, PVI K1+500 at 110 m with R
// 10000 (T 200, E 2), then -2% to the profile's end at K1+900, 80 m short of
// the road's.
const QByteArray kRoadProfile("BP,K1+000,100\nSJD1,K1+500,110,10000\nEP,K1+900,102\n");

// With a profile loaded the stakeout ends each row with the centre line's
// 设计高程, empty with the reason beside it past the profile; the CSV has it
// as the command writes it, the .dat as H.
void RouteWindowTest::stakeoutCarriesDesignElevations() {
  import(kRoad);
  const QString profile = write(QStringLiteral("profile.csv"), kRoadProfile);
  dialogs_.answers << profile;
  Click(window_, "importProfileButton");
  stakeOutRange("1480", "1920", "20", "0");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  auto* table = child<QTableView>("stakeoutTable")->model();
  const int column = table->columnCount() - 1;
  QCOMPARE(table->headerData(column, Qt::Horizontal).toString(), QStringLiteral("设计高程"));
  QStringList cells;  // on the curve K1+480, HZ K1+490 and the PVI; K1+900, K1+920
  for (int row : {0, 1, 2, table->rowCount() - 2, table->rowCount() - 1})
    cells << table->index(row, column).data().toString();
  QCOMPARE(cells, QStringList({"107.980", "107.995", "108.000", "102.000", ""}));
  QCOMPARE(table->index(table->rowCount() - 1, column).data(Qt::ToolTipRole).toString(),
           QStringLiteral("桩号K1+920.000不在纵断面范围K1+000.000～K1+900.000内！"));
  QVERIFY(window_->statusBar()->currentMessage().endsWith(
      QStringLiteral("其中1行不在纵断面范围内，设计高程为空")));

  const QByteArray dat = saved("saveDatButton");
  QVERIFY2(dat.startsWith("K1+480,,454093.1122,3378713.1209,107.980\r\n"
                          "K1+490,HZ,454102.5310,3378709.7640,107.995\r\n") &&
               dat.endsWith("K1+900,,454491.4820,3378698.8486,102.000\r\n"
                            "K1+920,,454509.0630,3378708.3832,\r\n"),
           dat.constData());
#ifdef TARNVEL_ROUTE_COMMAND
  QProcess command;
  command.start(QStringLiteral(TARNVEL_ROUTE_COMMAND),
                {"forward", kRoad, "--from", "1480", "--to", "1920", "--step", "20", "--offset",
                 "0", "--key-points", "--profile", profile});
  QVERIFY(command.waitForFinished());
  QCOMPARE(saved("saveStakeoutButton"), command.readAllStandardOutput());
#endif
}

// 批量反算 with a profile: 设计高程 at each foot, 高差 and 挖填 against the
// H of a survey point file (点名,编码,Y,X,H), which the window once read as
// 点名,X,Y, north for east; the saved CSV is `inverse --profile`'s.
void RouteWindowTest::inverseGivesCutAndFill() {
  import(kRoad);
  const QString profile = write(QStringLiteral("profile.csv"), kRoadProfile);
  const QString points = write(QStringLiteral("points.dat"),
                               "Above,,454093.1122,3378713.1209,108.5\r\n"
                               "Below,,454111.9483,3378706.4002,107.5\r\n"
                               "OnDesign,,454473.9010,3378689.3140,102.4\r\n"
                               "NoHeight,,454093.1122,3378713.1209,\r\n"
                               "Past,,454509.0630,3378708.3832,100\r\n"
                               // K1+900, the profile's end, a hair past it
                               "AtEnd,,454491.4820,3378698.8486,102\r\n");
  dialogs_.answers << profile << points;
  Click(window_, "importProfileButton");
  runJob("pointsButton");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  auto* table = child<QTableView>("inverseTable")->model();
  QStringList cells;
  for (int row = 0; row < table->rowCount(); ++row)
    for (int column = table->columnCount() - 3; column < table->columnCount(); ++column)
      cells << table->index(row, column).data().toString();
  QCOMPARE(cells,
           QStringList({"107.980", "0.520", "挖", "108.000", "-0.500", "填", "102.400", "0.000", "",
                        "107.980", "", "", "", "", "", "102.000", "0.000", ""}));
#ifdef TARNVEL_ROUTE_COMMAND
  QProcess command;
  command.start(QStringLiteral(TARNVEL_ROUTE_COMMAND),
                {"inverse", kRoad, points, "--profile", profile});
  QVERIFY(command.waitForFinished());
  QCOMPARE(saved("saveInverseButton"), command.readAllStandardOutput());
#endif
}

// 导出PDF wrote nothing before: the stakeout as a PDF, named with .pdf when
// typed without, its page tree as many pages as the same table takes in the
// print preview, which is more than one, under the route's title block.
void RouteWindowTest::stakeoutPdfPagesAsPrinted() {
  import(kRoad);
  stakeOutRange("1000", "1600", "5", "-10,0,10");
  int previewPages = 0;
  QStringList notes;
  child<StakeoutPage>("stakeoutTab")->setPrintPreview([&](QWidget*, const TableDocument& document) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    previewPages = PaintTableDocument(writer, document);
    notes = document.notes;
  });
  Click(window_, "stakeoutPrintButton");
  dialogs_.answers << dir_.filePath(QStringLiteral("stakeout"));
  runJob("stakeoutPdfButton");
  const QByteArray pdf = ReadBytes(dir_.filePath(QStringLiteral("stakeout.pdf")));

  QVERIFY(pdf.startsWith("%PDF-"));
  QVERIFY2(previewPages > 1, qPrintable(QString::number(previewPages)));
  QCOMPARE(PdfPageCount(pdf), previewPages);
  QCOMPARE(notes,
           QStringList({QStringLiteral("线路：route_window_road.txt"),
                        QStringLiteral("日期：") + QDate::currentDate().toString(Qt::ISODate),
                        QStringLiteral("单位：m")}));
}

// Two curves with spirals from a JD table: nine elements whose joints all
// close, the curve table on its own tab, and a table that is not yet saved.
void RouteWindowTest::jdTableGivesElementsAndCurves() {
  const QString path = write(QStringLiteral("jd.txt"),
                             "交点号,X,Y,R,Ls1,Ls2\n"
                             "BP,3378000,450000\n"
                             "JD1,3378500,450300,400,80,80\n"
                             "JD2,3378700,450900,300,60,60\n"
                             "EP,3378600,451400\n");
  Box(window_, "jdStartEdit")->setText(QStringLiteral("500"));
  dialogs_.answers << path;
  Click(window_, "jdButton");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QCOMPARE(elements()->rowCount(), 9);
  QCOMPARE(jointCell(0, 0), QStringLiteral("K0+500.000"));
  for (int row = 0; row < 8; ++row)
    QCOMPARE(jointCell(row, RouteElementModel::kStatusColumn), QStringLiteral("闭合"));
  auto* curves = child<QTableView>("curveTable")->model();
  QCOMPARE(curves->rowCount(), 4);
  QCOMPARE(curves->index(2, 0).data().toString(), QStringLiteral("JD2"));
  QVERIFY(elements()->isModified());
}

// Exported and imported again, the alignment gives every field back.
void RouteWindowTest::landXmlGivesBackTheTable() {
  import(kRoad);
  const auto fields = [this] {
    std::vector<std::array<QString, 8>> texts;
    for (const auto& row : elements()->rows()) {
      std::array<QString, 8> eight;
      std::copy(row.begin(), row.begin() + 8, eight.begin());
      texts.push_back(eight);
    }
    return texts;
  };
  const auto before = fields();
  const QString path = dir_.filePath(QStringLiteral("road.xml"));
  dialogs_.answers << path << path;
  Click(window_, "landXmlExportButton");
  runJob("landXmlImportButton");
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QVERIFY(ReadBytes(path).contains("<Alignment name=\"road\""));
  QVERIFY(fields() == before);
}

// Regression: a name typed without a suffix was saved as typed ("pts", not
// "pts.csv"), which Excel and the instruments then did not recognise.
void RouteWindowTest::savedNameGetsItsTypesSuffix_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("written");
  QTest::newRow("csv_bare") << "saveStakeoutButton"
                            << "pts"
                            << "pts.csv";
  QTest::newRow("csv_upper_case_kept") << "saveStakeoutButton"
                                       << "pts.CSV"
                                       << "pts.CSV";
  QTest::newRow("csv_after_station_with_decimals") << "saveStakeoutButton"
                                                   << "K1+100.5"
                                                   << "K1+100.5.csv";
  QTest::newRow("dat_bare") << "saveDatButton"
                            << "pts"
                            << "pts.dat";
  QTest::newRow("png_bare") << "exportImageButton"
                            << "plan"
                            << "plan.png";
  QTest::newRow("route_file_bare") << "saveButton"
                                   << "road"
                                   << "road.txt";
  QTest::newRow("route_file_dat_kept") << "saveButton"
                                       << "road.dat"
                                       << "road.dat";
}

void RouteWindowTest::savedNameGetsItsTypesSuffix() {
  QFETCH(QString, button);
  QFETCH(QString, typed);
  QFETCH(QString, written);
  import(kRoad);
  stakeOutRange("1000", "1020", "20", "0");
  QTemporaryDir dir;
  dialogs_.answers << dir.filePath(typed);
  runJob(qPrintable(button));
  QVERIFY2(boxes_.shown.isEmpty(), qPrintable(firstMessage()));
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
}

// Regression: every dialog of the window offered the name chosen last in any
// of them, so the plan image's dialog offered "pts.csv" and a hasty OK wrote
// the image over the stakeout. A dialog not used yet offers the last folder.
void RouteWindowTest::eachDialogOffersItsOwnName() {
  const QString data = QStringLiteral(ROUTE_WINDOW_DATA);
  const QString csv = dir_.filePath(QStringLiteral("pts.csv"));
  const QString png = dir_.filePath(QStringLiteral("plan.png"));
  import(kRoad);
  stakeOutRange("1000", "1020", "20", "0");
  dialogs_.answers << csv << png;
  for (const char* button : {"saveStakeoutButton", "exportImageButton", "saveStakeoutButton",
                             "exportImageButton", "saveButton"}) {
    runJob(button);
  }
  QCOMPARE(dialogs_.initialNames, QStringList({"", data, dir_.path(), csv, png, kRoad}));
}

// Regression: the window wrote every CSV as UTF-8, which programs reading
// only code page 936 show as mojibake; GBK is now a type of the save dialog,
// and the dialog offers the encoding chosen last.
void RouteWindowTest::csvWrittenInTheChosenEncoding_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("type");
  QTest::addColumn<QByteArray>("start");
  QTest::newRow("stakeout_utf8_bom_by_default")
      << "saveStakeoutButton" << QString() << QByteArray("\xEF\xBB\xBF点名,桩号,");
  QTest::newRow("stakeout_gbk_chosen")
      << "saveStakeoutButton" << kCsvGbkType << QByteArray("\xB5\xE3\xC3\xFB,\xD7\xAE\xBA\xC5,");
  QTest::newRow("inverse_utf8_bom_by_default")
      << "saveInverseButton" << QString() << QByteArray("\xEF\xBB\xBF点名,X,Y,");
  QTest::newRow("inverse_gbk_chosen")
      << "saveInverseButton" << kCsvGbkType << QByteArray("\xB5\xE3\xC3\xFB,X,Y,");
}

void RouteWindowTest::csvWrittenInTheChosenEncoding() {
  QFETCH(QString, button);
  QFETCH(QString, type);
  QFETCH(QByteArray, start);
  import(kRoad);
  stakeOutRange("1000", "1020", "20", "0");
  child<QPlainTextEdit>("pointsEdit")->setPlainText(QStringLiteral("P1,3378700.0,453800.0\n"));
  runJob("pasteButton");
  const QString path = dir_.filePath(QStringLiteral("encoded.csv"));
  dialogs_.answers << path << QString();
  dialogs_.answerTypes << type;
  runJob(qPrintable(button));
  Click(window_, qPrintable(button));  // cancelled: only what it offers counts
  const QByteArray bytes = ReadBytes(path);
  QVERIFY2(bytes.startsWith(start), bytes.left(24).toHex(' ').constData());
  QCOMPARE(dialogs_.offeredTypes.last(), type.isEmpty() ? kCsvUtf8Type : type);
}

// 联机帮助 opened a web address, which a crew in the field often cannot
// reach: it now shows the README built into the program, headings and all.
void RouteWindowTest::helpShowsTheReadme() {
  const auto heading =
      QRegularExpression(QStringLiteral("^## (.+)$"), QRegularExpression::MultilineOption)
          .match(QString::fromUtf8(ReadBytes(QStringLiteral(TARNVEL_README))));
  QVERIFY(heading.hasMatch());
  auto* action = window_->findChild<QAction*>(QStringLiteral("helpAction"));
  QVERIFY(action);
  action->trigger();
  auto* guide = window_->findChild<QTextBrowser*>(QStringLiteral("guide"));
  QVERIFY(guide && guide->window()->isVisible() && guide->window() != window_);
  QStringList headings;
  for (QTextBlock block = guide->document()->begin(); block.isValid(); block = block.next())
    if (block.blockFormat().headingLevel() == 2) headings << block.text();
  QVERIFY2(headings.contains(heading.captured(1)), qPrintable(headings.join(QLatin1Char('|'))));
  action->trigger();  // asked again: the same window
  QCOMPARE(window_->findChildren<QTextBrowser*>(QStringLiteral("guide")).size(), 1);
}

QTEST_MAIN(RouteWindowTest)
#include "io/files/text_encoding.h"
#include "route_window_test.moc"
