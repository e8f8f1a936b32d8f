#include "route_window.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <variant>

#include "background_job.h"
#include "delimited_text.h"
#include "file_dialog.h"
#include "form_geometry.h"
#include "jd_file.h"
#include "landxml_export.h"
#include "landxml_import.h"
#include "message_boxes.h"
#include "number_reading.h"
#include "number_text.h"
#include "out_of_memory.h"
#include "point_file.h"
#include "read_file.h"
#include "route_csv.h"
#include "route_element_model.h"
#include "route_feet.h"
#include "route_file.h"
#include "route_forward.h"
#include "route_joints.h"
#include "route_result_models.h"
#include "route_source.h"
#include "save_file.h"
#include "station_file.h"
#include "station_rows.h"
#include "survey_point_file.h"
#include "ui_route_window.h"

namespace tarnvel {

namespace {

const QString kRouteFileTypes = QStringLiteral("线元表(*.txt *.csv *.dat);;所有文件(*.*)");
const QString kJdFileTypes = QStringLiteral("交点表(*.txt *.csv *.dat);;所有文件(*.*)");
const QString kLandXmlFileTypes = QStringLiteral("LandXML(*.xml)");
const QString kStationFileTypes = QStringLiteral("桩号文件(*.txt *.csv);;所有文件(*.*)");
const QString kPointFileTypes = QStringLiteral("点文件(*.txt *.csv *.dat);;所有文件(*.*)");
const QString kCsvFileTypes = QStringLiteral("CSV文件(*.csv)");
const QString kDatFileTypes = QStringLiteral("坐标数据文件(*.dat)");
const QString kPngFileTypes = QStringLiteral("PNG图片(*.png)");

// The name pasted points go by in messages, where a file would be named.
const QString kPastedPoints = QStringLiteral("粘贴的点");

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// A piece of a range table: small enough for the progress bar and a quick
// cancel, large enough that the pieces cost nothing.
constexpr long long kStationsPerPiece = 10000;
// The most rows a stakeout holds, about 120 MB of them.
constexpr double kMaxStakeoutRows = 1'000'000;
// To size its columns a table reads kRowsMeasured rows about those in sight
// and kRowsSpread rows spread through it; no column gets wider so than
// kWidestColumn (px).
constexpr int kRowsMeasured = 50;
constexpr int kRowsSpread = 32;
constexpr int kWidestColumn = 320;

// Sizes the columns to the rows in sight and to rows spread evenly through
// the table, the last among them, whose name and station are the longest of
// a table that counts up.
void FitColumns(QTableView* table) {
  table->resizeColumnsToContents();
  const QAbstractItemModel* model = table->model();
  const int rows = model->rowCount();
  for (int s = 1; s <= kRowsSpread && rows > 0; ++s) {
    const int row = static_cast<int>(static_cast<long long>(rows - 1) * s / kRowsSpread);
    for (int c = 0; c < model->columnCount(); ++c) {
      const int needed = table->sizeHintForIndex(model->index(row, c)).width();
      if (needed > table->columnWidth(c)) table->setColumnWidth(c, std::min(needed, kWidestColumn));
    }
  }
}

QString Label(const QLineEdit* box) {
  return box->accessibleName();
}

// A stakeout input read strictly; a blank one is missing.
std::variant<QString, double> ReadInput(const QLineEdit* box) {
  const std::string text = box->text().toStdString();
  if (IsBlank(text)) return QStringLiteral("请输入“%1”！").arg(Label(box));
  if (auto value = ReadStrict(text)) return *value;
  return QStringLiteral("输入") + QString::fromStdString(NotANumberText(Label(box).toStdString()));
}

// "-10, 0, 10": commas (full-width too) or spaces between the values.
std::variant<QString, std::vector<double>> ReadOffsets(const QLineEdit* box) {
  static const QRegularExpression separators(QStringLiteral("[,，\\s]+"));
  const QStringList parts = box->text().split(separators, Qt::SkipEmptyParts);
  if (parts.isEmpty()) return QStringLiteral("请输入“%1”！").arg(Label(box));
  std::vector<double> offsets;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const auto value = ReadStrict(parts[i].toStdString());
    if (!value)
      return QStringLiteral("输入“%1”的第%2个值").arg(Label(box)).arg(i + 1) +
             QString::fromStdString(NotANumberText(parts[i].toStdString()));
    offsets.push_back(*value);
  }
  return offsets;
}

// The rows of a range table as the command writes them, computed in pieces
// so that the work can report progress and stop between them. A piece runs
// from its first station to the next piece's first station, and its rows at
// that station are left to the next piece, whose start includes them: each
// station is the previous one plus the step, counted from the table's start,
// exactly as a table of one piece counts them. No piece starts within a step
// of a key point, where the whole table would put the key point in place of
// a station and a piece could not know it.
std::variant<QString, std::vector<ForwardCsvRow>> RangeRows(const Route& route,
                                                            const RouteTableRequest& request,
                                                            JobProgress& progress) {
  std::vector<double> keys;
  if (request.keyPoints)
    for (const KeyPoint& key : KeyPoints(route)) keys.push_back(key.station);
  std::sort(keys.begin(), keys.end());
  const auto nearKey = [&](double K) {
    const auto it = std::lower_bound(keys.begin(), keys.end(), K - 2 * request.step);
    return it != keys.end() && *it <= K + 2 * request.step;
  };
  std::vector<double> starts{request.from};
  long long stations = 0;
  const bool ascending = std::isfinite(request.step) && request.step > 0 &&
                         request.from + request.step != request.from && request.from <= request.to;
  if (ascending) {
    long long sinceStart = 0;
    for (double K = request.from; K <= request.to; K += request.step, ++sinceStart, ++stations) {
      if (progress.cancelled()) return QString();
      if (sinceStart >= kStationsPerPiece && !nearKey(K)) {
        starts.push_back(K);
        sinceStart = 0;
      }
    }
  }
  progress.total = static_cast<long long>(starts.size());
  std::vector<ForwardCsvRow> rows;
  rows.reserve(static_cast<size_t>(stations + static_cast<long long>(keys.size())) *
               request.offsets.size());
  for (size_t piece = 0; piece < starts.size(); ++piece) {
    if (progress.cancelled()) return QString();
    RouteTableRequest slice = request;
    slice.from = starts[piece];
    const bool last = piece + 1 == starts.size();
    if (!last) slice.to = starts[piece + 1];
    auto table = RouteTable(route, slice);
    if (auto* refusal = std::get_if<StationRefusal>(&table)) return Text(refusal->message);
    for (RoutePoint& point : std::get<std::vector<RoutePoint>>(table)) {
      if (!last && point.station >= slice.to) break;
      if (!IsFinitePoint(point)) return kRouteNotComputable;
      rows.push_back({std::string(), std::move(point)});
    }
    progress.done = static_cast<long long>(piece + 1);
  }
  for (size_t i = 0; i < rows.size(); ++i) rows[i].name = std::to_string(i + 1);
  return rows;
}

}  // namespace

RouteWindow::RouteWindow(MessageBoxes& boxes, FileDialogs& dialogs, SendElement sendElement,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      ui_(std::make_unique<Ui::RouteWindow>()),
      boxes_(boxes),
      dialogs_(dialogs),
      sendElement_(std::move(sendElement)),
      elements_(new RouteElementModel(this)),
      stakeout_(new StakeoutModel(this)),
      inverse_(new InverseModel(this)),
      curves_(new CurveTableModel(this)),
      job_(new BackgroundJob(this)),
      progress_(new QProgressBar(this)),
      cancelButton_(new QPushButton(QStringLiteral("取消"), this)),
      cursorLabel_(new QLabel(this)) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);
  askToSave_ = [](QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kMessageCaption, text,
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save);
  };

  ui_->elementTable->setModel(elements_);
  ui_->stakeoutTable->setModel(stakeout_);
  ui_->inverseTable->setModel(inverse_);
  ui_->curveTable->setModel(curves_);
  // Rows of one height let a million-row table scroll without measuring.
  for (QTableView* table : {ui_->elementTable, ui_->stakeoutTable, ui_->inverseTable}) {
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  }
  // A column is as wide as its header and the texts of the rows measured,
  // those in sight and their neighbours: a million rows are never all read.
  // A long name keeps its column within reach of the rest.
  for (QTableView* table :
       {ui_->elementTable, ui_->stakeoutTable, ui_->inverseTable, ui_->curveTable}) {
    table->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
    table->horizontalHeader()->setMaximumSectionSize(kWidestColumn);
  }
  ui_->elementTable->horizontalHeader()->setDefaultSectionSize(92);
  // The joint's label and status come first, where a 超限 joint is seen at
  // any width; its figures follow the name, and the status cell's tooltip
  // gives them too.
  QHeaderView* elementHeader = ui_->elementTable->horizontalHeader();
  elementHeader->moveSection(elementHeader->visualIndex(RouteElementModel::kStatusColumn), 0);
  elementHeader->moveSection(elementHeader->visualIndex(RouteElementModel::kLabelColumn), 0);
  ui_->splitter->setStretchFactor(0, 1);
  ui_->splitter->setStretchFactor(1, 1);
  ui_->splitter->setSizes({800, 560});
  ui_->inverseSplitter->setStretchFactor(0, 1);
  ui_->inverseSplitter->setStretchFactor(1, 3);

  progress_->setObjectName(QStringLiteral("jobProgress"));
  progress_->setRange(0, 1000);
  progress_->setMaximumWidth(200);
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  cursorLabel_->setObjectName(QStringLiteral("cursorLabel"));
  statusBar()->addPermanentWidget(cursorLabel_);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(cancelButton_);
  progress_->hide();
  cancelButton_->hide();

  connectControls();
  FitFormToScreen(this);
  routeChanged();
}

// The job may still read the result rows, which go with the window.
RouteWindow::~RouteWindow() {
  job_->cancel();
  job_->wait();
}

void RouteWindow::connectControls() {
  // Every handler runs inside CatchOutOfMemory, as the main window's do.
  const auto guarded = [this](void (RouteWindow::*handler)()) {
    return [this, handler] { CatchOutOfMemory(boxes_, this, [&] { (this->*handler)(); }); };
  };
  connect(ui_->importButton, &QPushButton::clicked, this, guarded(&RouteWindow::importClicked));
  connect(ui_->jdButton, &QPushButton::clicked, this, guarded(&RouteWindow::jdClicked));
  connect(ui_->landXmlImportButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::landXmlImportClicked));
  connect(ui_->landXmlExportButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::landXmlExportClicked));
  connect(ui_->saveButton, &QPushButton::clicked, this, guarded(&RouteWindow::saveClicked));
  connect(ui_->sendButton, &QPushButton::clicked, this, guarded(&RouteWindow::sendClicked));
  connect(ui_->addRowButton, &QPushButton::clicked, this, guarded(&RouteWindow::addRowClicked));
  connect(ui_->insertRowButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::insertRowClicked));
  connect(ui_->deleteRowButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::deleteRowClicked));
  connect(ui_->tolPosition, &QDoubleSpinBox::valueChanged, this, &RouteWindow::tolerancesChanged);
  connect(ui_->tolAzimuth, &QDoubleSpinBox::valueChanged, this, &RouteWindow::tolerancesChanged);
  connect(elements_, &RouteElementModel::routeChanged, this, &RouteWindow::routeChanged);
  connect(ui_->elementTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &RouteWindow::showCellProblem);

  connect(ui_->stakeoutButton, &QPushButton::clicked, this, guarded(&RouteWindow::stakeoutClicked));
  connect(ui_->stationsButton, &QPushButton::clicked, this, guarded(&RouteWindow::stationsClicked));
  connect(ui_->saveStakeoutButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::saveStakeoutClicked));
  connect(ui_->saveDatButton, &QPushButton::clicked, this, guarded(&RouteWindow::saveDatClicked));

  connect(ui_->pointsButton, &QPushButton::clicked, this, guarded(&RouteWindow::pointsClicked));
  connect(ui_->pasteButton, &QPushButton::clicked, this, guarded(&RouteWindow::pasteClicked));
  connect(ui_->saveInverseButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::saveInverseClicked));

  connect(ui_->fitButton, &QPushButton::clicked, this, guarded(&RouteWindow::fitClicked));
  connect(ui_->exportImageButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::exportImageClicked));
  connect(ui_->showStakeoutCheck, &QCheckBox::toggled, this, [this](bool shown) {
    ui_->planView->setLayerVisible(RoutePlanView::Layer::Stakeout, shown);
  });
  connect(ui_->showInverseCheck, &QCheckBox::toggled, this, [this](bool shown) {
    ui_->planView->setLayerVisible(RoutePlanView::Layer::Inverse, shown);
  });
  connect(ui_->planView, &RoutePlanView::cursorMoved, this, &RouteWindow::cursorMoved);

  connect(cancelButton_, &QPushButton::clicked, job_, &BackgroundJob::cancel);
  connect(job_, &BackgroundJob::progressChanged, this, &RouteWindow::jobProgress);
  connect(job_, &BackgroundJob::finished, this, &RouteWindow::jobFinished);
  connect(job_, &BackgroundJob::outOfMemory, this, [this] { ShowOutOfMemory(boxes_, this); });
}

void RouteWindow::refuse(const QString& message, QWidget* focus) {
  boxes_.show(this, message, MessageIcon::Exclamation, kMessageCaption);
  if (focus) focus->setFocus(Qt::OtherFocusReason);
}

QString RouteWindow::chooseOpen(const QString& types) {
  const QString path = dialogs_.getOpenFileName(this, types, lastPath_);
  if (!path.isEmpty()) lastPath_ = path;
  return path;
}

QString RouteWindow::chooseSave(const QString& types) {
  const QString path = dialogs_.getSaveFileName(this, types, lastPath_);
  if (!path.isEmpty()) lastPath_ = path;
  return path;
}

// ---- The element table ------------------------------------------------------

bool RouteWindow::settleUnsavedChanges(const QString& question) {
  if (!elements_->isModified()) return true;
  switch (askToSave_(this, question)) {
    case QMessageBox::Save:
      return saveElements();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void RouteWindow::importClicked() {
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，是否先保存？"))) return;
  const QString path = chooseOpen(kRouteFileTypes);
  if (path.isEmpty()) return;
  auto loaded = LoadRoute(path);
  if (auto* refusal = std::get_if<FileRefusal>(&loaded)) {
    refuse(refusal->message);  // the table keeps what it held
    return;
  }
  curves_->setRows({});
  showImportedRoute(std::get<Route>(loaded).elements, path);
}

void RouteWindow::showImportedRoute(const std::vector<RouteElement>& elements,
                                    const QString& path) {
  // The results belong to the route they were computed on; so do those of
  // a job still running.
  job_->cancel();
  stakeout_->setRows({});
  inverse_->setRows({});
  ui_->planView->setPoints(RoutePlanView::Layer::Stakeout, {}, nullptr);
  ui_->planView->setPoints(RoutePlanView::Layer::Inverse, {}, nullptr);
  cursorLabel_->clear();
  elements_->setElements(elements);
  ui_->elementTable->resizeColumnsToContents();
  if (const auto& route = elements_->route()) {
    ui_->fromEdit->setText(Text(GeneralText(RouteStart(*route))));
    ui_->toEdit->setText(Text(GeneralText(RouteEnd(*route))));
  }
  ui_->planView->fitAll();
  setWindowFilePath(path);
}

// A JD table becomes the element table; its curve table is shown beside it.
// The elements are not yet in a file of their own, so they count as unsaved.
void RouteWindow::jdClicked() {
  const auto start = ReadInput(ui_->jdStartEdit);
  if (auto* message = std::get_if<QString>(&start)) return refuse(*message, ui_->jdStartEdit);
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，是否先保存？"))) return;
  const QString path = chooseOpen(kJdFileTypes);
  if (path.isEmpty()) return;
  auto made = ReadJdRoute(path, std::get<double>(start));
  if (auto* refusal = std::get_if<FileRefusal>(&made)) return refuse(refusal->message);
  JdRoute& jd = std::get<JdRoute>(made);
  showImportedRoute(jd.route.elements, QString());
  elements_->setModified(true);
  curves_->setRows(std::move(jd.curves));
  ui_->curveTable->resizeColumnsToContents();
  ui_->tabs->setCurrentWidget(ui_->curvesTab);
}

// The file's first alignment, each End it gives checked against the end
// Tarnvel computes, with the window's tolerances. A file of a hundred
// megabytes takes seconds, so it is read as a job that 取消 stops.
void RouteWindow::landXmlImportClicked() {
  if (job_->isRunning()) return refuse(QStringLiteral("正在计算，请等待完成或点击“取消”！"));
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，是否先保存？"))) return;
  const QString path = chooseOpen(kLandXmlFileTypes);
  if (path.isEmpty()) return;
  auto read = std::make_shared<FileOutcome<LandXmlAlignment>>();
  startJob(
      [read, path, tolerances = elements_->tolerances(),
       size = QFileInfo(path).size()](JobProgress& progress) {
        progress.total = size;
        *read = ReadLandXmlAlignment(path, {}, tolerances, [&progress](qint64 bytesRead) {
          progress.done = bytesRead;
          return !progress.cancelled();
        });
      },
      [this, read, path] {
        if (auto* refusal = std::get_if<FileRefusal>(read.get())) return refuse(refusal->message);
        const LandXmlAlignment& alignment = std::get<LandXmlAlignment>(*read);
        curves_->setRows({});
        showImportedRoute(alignment.route.elements, path);
        const auto bad = std::count_if(alignment.endChecks.begin(), alignment.endChecks.end(),
                                       [](const LandXmlEndCheck& c) { return !c.closed; });
        QString note = QStringLiteral("LandXML线路“%1”").arg(alignment.name);
        if (alignment.allNames.size() > 1)
          note += QStringLiteral("（文件共%1条线路，读取第一条）").arg(alignment.allNames.size());
        if (bad > 0) note += QStringLiteral("：%1个线元的End与计算终点超限").arg(bad);
        statusBar()->showMessage(note);
      });
}

void RouteWindow::landXmlExportClicked() {
  if (!elements_->route()) return refuse(elements_->problem(), ui_->elementTable);
  const QString path = chooseSave(kLandXmlFileTypes);
  if (path.isEmpty()) return;
  // The alignment is called as the file is.
  if (auto refusal =
          SaveLandXmlAlignment(path, *elements_->route(), QFileInfo(path).completeBaseName()))
    return refuse(refusal->message);
  statusBar()->showMessage(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
}

bool RouteWindow::saveElements() {
  if (!elements_->route()) {
    refuse(elements_->problem());
    return false;
  }
  const QString path = chooseSave(kRouteFileTypes);
  if (path.isEmpty()) return false;
  if (auto refusal = SaveRouteFile(path, elements_->route()->elements)) {
    refuse(refusal->message);
    return false;
  }
  elements_->setModified(false);
  setWindowFilePath(path);
  return true;
}

void RouteWindow::saveClicked() {
  saveElements();
}

void RouteWindow::sendClicked() {
  const int row = ui_->elementTable->currentIndex().row();
  if (row < 0) {
    refuse(QStringLiteral("请先在线元表中选择一个线元！"), ui_->elementTable);
    return;
  }
  std::array<QString, 8> texts;
  for (int c = 0; c < 8; ++c) {
    if (const QString problem = elements_->cellProblem(row, c); !problem.isEmpty()) {
      refuse(problem, ui_->elementTable);
      ui_->elementTable->setCurrentIndex(elements_->index(row, c));
      return;
    }
    texts[static_cast<size_t>(c)] =
        elements_->rows()[static_cast<size_t>(row)][static_cast<size_t>(c)].trimmed();
  }
  sendElement_(texts);
  statusBar()->showMessage(QStringLiteral("第%1个线元已送到主窗口").arg(row + 1), 5000);
}

void RouteWindow::addRowClicked() {
  elements_->insertRows(elements_->rowCount(), 1);
  ui_->elementTable->setCurrentIndex(elements_->index(elements_->rowCount() - 1, 0));
}

void RouteWindow::insertRowClicked() {
  const int row = std::max(ui_->elementTable->currentIndex().row(), 0);
  elements_->insertRows(row, 1);
  ui_->elementTable->setCurrentIndex(elements_->index(row, 0));
}

void RouteWindow::deleteRowClicked() {
  const int row = ui_->elementTable->currentIndex().row();
  if (row < 0) {
    refuse(QStringLiteral("请先在线元表中选择要删除的行！"), ui_->elementTable);
    return;
  }
  elements_->removeRows(row, 1);
}

void RouteWindow::tolerancesChanged() {
  elements_->setTolerances({ui_->tolPosition->value(), ui_->tolAzimuth->value()});
}

void RouteWindow::showCellProblem(const QModelIndex& index) {
  const QString problem = elements_->cellProblem(index.row(), index.column());
  if (!problem.isEmpty()) statusBar()->showMessage(problem);
}

void RouteWindow::routeChanged() {
  const auto& route = elements_->route();
  if (!route) {
    // The plan keeps the last good route while a cell is being corrected.
    // The cell the user is on is named first, then the table's first fault.
    route_.reset();
    // An empty table is where every route starts, not a fault: the user is
    // told what to do first.
    if (elements_->rowCount() == 0)
      return statusBar()->showMessage(
          QStringLiteral("请输入线元，或导入线元表、交点表或LandXML文件。"));
    const QModelIndex current = ui_->elementTable->currentIndex();
    const QString here = elements_->cellProblem(current.row(), current.column());
    statusBar()->showMessage(here.isEmpty() ? elements_->problem() : here);
    return;
  }
  route_ = std::make_shared<const Route>(*route);
  const auto& joints = elements_->joints();
  ui_->planView->setRoute(route_.get(), joints);
  const auto bad =
      std::count_if(joints.begin(), joints.end(), [](const Joint& j) { return !j.closed; });
  statusBar()->showMessage(
      bad == 0 ? QStringLiteral("%1个线元，接头全部闭合").arg(route->elements.size())
               : QStringLiteral("%1个线元，%2个接头超限").arg(route->elements.size()).arg(bad));
}

std::shared_ptr<const Route> RouteWindow::routeForWork() {
  if (!route_) {
    ui_->tabs->setCurrentWidget(ui_->elementsTab);
    refuse(elements_->rowCount() == 0 ? QStringLiteral("请先导入或输入线元表！")
                                      : elements_->problem(),
           ui_->elementTable);
    return nullptr;
  }
  if (job_->isRunning()) {
    refuse(QStringLiteral("正在计算，请等待完成或点击“取消”！"));
    return nullptr;
  }
  return route_;
}

// ---- Stakeout ----------------------------------------------------------------

void RouteWindow::stakeoutClicked() {
  auto route = routeForWork();
  if (route) runStakeout(std::move(route), QString());
}

void RouteWindow::stationsClicked() {
  auto route = routeForWork();
  if (!route) return;
  const QString path = chooseOpen(kStationFileTypes);
  if (!path.isEmpty()) runStakeout(std::move(route), path);
}

void RouteWindow::runStakeout(std::shared_ptr<const Route> route, const QString& stationsPath) {
  RouteTableRequest request;
  const auto offsets = ReadOffsets(ui_->offsetsEdit);
  if (auto* message = std::get_if<QString>(&offsets)) return refuse(*message, ui_->offsetsEdit);
  request.offsets = std::get<std::vector<double>>(offsets);
  const auto skew = ReadInput(ui_->skewEdit);
  if (auto* message = std::get_if<QString>(&skew)) return refuse(*message, ui_->skewEdit);
  request.skewDms = std::get<double>(skew);
  request.keyPoints = ui_->keyPointsCheck->isChecked();

  auto rows = std::make_shared<std::variant<QString, std::vector<ForwardCsvRow>>>();
  BackgroundJob::Work work;
  if (stationsPath.isEmpty()) {
    for (QLineEdit* box : {ui_->fromEdit, ui_->toEdit, ui_->stepEdit}) {
      const auto value = ReadInput(box);
      if (auto* message = std::get_if<QString>(&value)) return refuse(*message, box);
    }
    request.from = std::get<double>(ReadInput(ui_->fromEdit));
    request.to = std::get<double>(ReadInput(ui_->toEdit));
    request.step = std::get<double>(ReadInput(ui_->stepEdit));
    const double stations = std::floor((request.to - request.from) / request.step) + 1;
    if (stations * static_cast<double>(request.offsets.size()) > kMaxStakeoutRows)
      return refuse(QStringLiteral("逐桩坐标表将超过%1行，请加大“间距”或缩小里程范围！")
                        .arg(Text(GeneralText(kMaxStakeoutRows))),
                    ui_->stepEdit);
    work = [route, request, rows](JobProgress& progress) {
      *rows = RangeRows(*route, request, progress);
    };
  } else {
    auto lines = ReadStationFile(stationsPath);
    if (auto* refusal = std::get_if<FileRefusal>(&lines)) return refuse(refusal->message);
    work = [route, request, rows, stationsPath,
            lines = std::get<std::vector<StationLine>>(std::move(lines))](JobProgress& progress) {
      progress.total = static_cast<long long>(lines.size());
      auto made = StationFileRows(*route, lines, request.offsets, request.skewDms,
                                  [&progress](size_t done) {
                                    if (done % 1024 == 0)
                                      progress.done = static_cast<long long>(done);
                                    return !progress.cancelled();
                                  });
      *rows = StopMessage(stationsPath, std::move(made));
    };
  }
  // The plan's index of the points is made with the rows, off the window's
  // thread, which only takes the two in.
  auto plan = std::make_shared<PlanPointIndex>();
  work = [work = std::move(work), rows, plan](JobProgress& progress) {
    work(progress);
    if (const auto* made = std::get_if<std::vector<ForwardCsvRow>>(rows.get()))
      *plan = IndexPlanPoints(made->size(),
                              [made](std::size_t i) { return (*made)[i].point.result.point; });
  };
  startJob(std::move(work), [this, rows, plan] {
    if (auto* message = std::get_if<QString>(rows.get())) return refuse(*message);
    FreeInBackground(stakeout_->setRows(std::get<std::vector<ForwardCsvRow>>(std::move(*rows))));
    FitColumns(ui_->stakeoutTable);
    showStakeoutPoints(std::move(*plan));
    statusBar()->showMessage(QStringLiteral("逐桩坐标：%1行").arg(stakeout_->rowCount()));
  });
}

void RouteWindow::showStakeoutPoints(PlanPointIndex points) {
  ui_->planView->setPoints(RoutePlanView::Layer::Stakeout, std::move(points),
                           [this](std::size_t i) { return Text(stakeout_->rows()[i].name); });
}

// A million rows take seconds to write, so a save runs as a job too. The
// rows it writes stay as they are meanwhile: only a finished job replaces
// them, and one job runs at a time. A save can be cancelled only until it
// starts; once started it finishes and says so, and its write is all or
// nothing.
void RouteWindow::saveInBackground(const QString& path,
                                   std::function<std::optional<FileRefusal>()> write) {
  auto refusal = std::make_shared<std::optional<FileRefusal>>();
  startJob(
      [write = std::move(write), refusal](JobProgress& progress) {
        if (progress.commit()) *refusal = write();
      },
      [this, refusal, path] {
        if (*refusal) return refuse((*refusal)->message);
        statusBar()->showMessage(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
      });
}

void RouteWindow::saveStakeoutClicked() {
  if (job_->isRunning()) return refuse(QStringLiteral("正在计算，请等待完成或点击“取消”！"));
  if (stakeout_->rowCount() == 0) return refuse(QStringLiteral("请先计算逐桩坐标！"));
  const QString path = chooseSave(kCsvFileTypes);
  if (path.isEmpty()) return;
  saveInBackground(path, [rows = &stakeout_->rows(), path] {
    return SaveTextFile(path, ForwardCsvText(*rows), TextEncoding::Utf8);
  });
}

void RouteWindow::saveDatClicked() {
  if (job_->isRunning()) return refuse(QStringLiteral("正在计算，请等待完成或点击“取消”！"));
  if (stakeout_->rowCount() == 0) return refuse(QStringLiteral("请先计算逐桩坐标！"));
  const QString path = chooseSave(kDatFileTypes);
  if (path.isEmpty()) return;
  saveInBackground(path, [rows = &stakeout_->rows(), path] {
    return SaveTextFile(path, SurveyPointFileText(*rows), TextEncoding::Gbk);
  });
}

// ---- Inverse -------------------------------------------------------------------

void RouteWindow::pointsClicked() {
  auto route = routeForWork();
  if (!route) return;
  const QString path = chooseOpen(kPointFileTypes);
  if (path.isEmpty()) return;
  auto bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return refuse(refusal->message);
  runInverse(std::move(route), path, std::get<QByteArray>(bytes));
}

void RouteWindow::pasteClicked() {
  auto route = routeForWork();
  if (!route) return;
  if (ui_->pointsEdit->toPlainText().trimmed().isEmpty())
    return refuse(QStringLiteral("请粘贴要反算的点：每行“点名,X,Y”！"), ui_->pointsEdit);
  runInverse(std::move(route), kPastedPoints, ui_->pointsEdit->toPlainText().toUtf8());
}

void RouteWindow::runInverse(std::shared_ptr<const Route> route, const QString& sourceName,
                             const QByteArray& bytes) {
  const auto maxOffset = ReadInput(ui_->maxOffsetEdit);
  if (auto* message = std::get_if<QString>(&maxOffset)) return refuse(*message, ui_->maxOffsetEdit);
  if (!(std::get<double>(maxOffset) >= 0))
    return refuse(QStringLiteral("“最大偏距”不能为负数！"), ui_->maxOffsetEdit);
  auto parsed = InFile(sourceName, ParsePointFile(bytes));
  if (auto* refusal = std::get_if<FileRefusal>(&parsed)) {
    QString message = refusal->message;
    // Pasted points are no file; the message names them as what they are.
    if (sourceName == kPastedPoints)
      message.replace(QStringLiteral("文件“%1”").arg(kPastedPoints), kPastedPoints);
    return refuse(message, sourceName == kPastedPoints ? ui_->pointsEdit : nullptr);
  }
  struct Result {
    std::vector<InverseCsvRow> rows;
    PlanPointIndex plan;
    std::vector<std::string> names;  // the plan's, one a point
  };
  auto result = std::make_shared<Result>();
  auto points = std::make_shared<std::vector<SurveyPoint>>(
      std::get<std::vector<SurveyPoint>>(std::move(parsed)));
  const double max = std::get<double>(maxOffset);
  const bool all = ui_->allFeetCheck->isChecked();
  startJob(
      [route, points, result, max, all](JobProgress& progress) {
        progress.total = static_cast<long long>(points->size());
        result->names.reserve(points->size());
        for (size_t i = 0; i < points->size(); ++i) {
          if (progress.cancelled()) return;
          const SurveyPoint& p = (*points)[i];
          result->names.push_back(p.name.toStdString());
          for (InverseCsvRow& row :
               InverseRows(result->names.back(), p.xText.toStdString(), p.yText.toStdString(),
                           RouteFeet(*route, p.point, max), all))
            result->rows.push_back(std::move(row));
          if (i % 256 == 0) progress.done = static_cast<long long>(i);
        }
        result->plan =
            IndexPlanPoints(points->size(), [points](std::size_t i) { return (*points)[i].point; });
      },
      [this, result] {
        FreeInBackground(inverse_->setRows(std::move(result->rows)));
        FitColumns(ui_->inverseTable);
        showInversePoints(std::move(result->plan), std::move(result->names));
        statusBar()->showMessage(QStringLiteral("批量反算：%1行").arg(inverse_->rowCount()));
      });
}

void RouteWindow::showInversePoints(PlanPointIndex points, std::vector<std::string> names) {
  // The plan names each point as the table does.
  auto shared = std::make_shared<std::vector<std::string>>(std::move(names));
  ui_->planView->setPoints(RoutePlanView::Layer::Inverse, std::move(points),
                           [shared](std::size_t i) { return Text((*shared)[i]); });
}

void RouteWindow::saveInverseClicked() {
  if (job_->isRunning()) return refuse(QStringLiteral("正在计算，请等待完成或点击“取消”！"));
  if (inverse_->rowCount() == 0) return refuse(QStringLiteral("请先进行批量反算！"));
  const QString path = chooseSave(kCsvFileTypes);
  if (path.isEmpty()) return;
  saveInBackground(path, [rows = &inverse_->rows(), path] {
    return SaveTextFile(path, InverseCsvText(*rows), TextEncoding::Utf8);
  });
}

// ---- The plan --------------------------------------------------------------------

void RouteWindow::fitClicked() {
  ui_->planView->fitAll();
}

void RouteWindow::exportImageClicked() {
  const QString path = chooseSave(kPngFileTypes);
  if (path.isEmpty()) return;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!ui_->planView->image().save(&buffer, "PNG"))
    return refuse(CannotSave(path, QStringLiteral("无法生成PNG图片")).message);
  if (auto refusal = SaveFileBytes(path, bytes)) return refuse(refusal->message);
  statusBar()->showMessage(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
}

void RouteWindow::cursorMoved(double X, double Y) {
  QString text = QStringLiteral("X=%1  Y=%2").arg(Text(FixedText(X, 3)), Text(FixedText(Y, 3)));
  if (route_) {
    // Every foot within any distance: the nearest comes first.
    const auto feet = RouteFeet(*route_, {X, Y}, 1e9);
    if (!feet.empty())
      text += QStringLiteral("  里程 %1  偏距 %2  线元 %3")
                  .arg(Text(FixedText(feet.front().station, 3)),
                       Text(FixedText(feet.front().offset, 3)))
                  .arg(feet.front().element);
  }
  cursorLabel_->setText(text);
}

// ---- Long work --------------------------------------------------------------------

// What a job hands back is taken in inside CatchOutOfMemory too.
void RouteWindow::startJob(std::function<void(JobProgress&)> work, std::function<void()> done) {
  job_->start(std::move(work),
              [this, done = std::move(done)] { CatchOutOfMemory(boxes_, this, done); });
}

void RouteWindow::jobProgress(int permille) {
  progress_->show();
  cancelButton_->show();
  if (permille < 0) {
    progress_->setRange(0, 0);  // busy, total unknown
  } else {
    progress_->setRange(0, 1000);
    progress_->setValue(permille);
  }
}

void RouteWindow::jobFinished(bool completed) {
  progress_->hide();
  cancelButton_->hide();
  if (!completed) statusBar()->showMessage(QStringLiteral("计算已取消，结果未改变"), 5000);
}

void RouteWindow::closeEvent(QCloseEvent* event) {
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，关闭前是否保存？"))) {
    event->ignore();
    return;
  }
  job_->cancel();
  job_->wait();
  event->accept();
}

}  // namespace tarnvel
