#include "stakeout_page.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "background_job.h"
#include "file_dialog.h"
#include "number_text.h"
#include "route_csv.h"
#include "route_inputs.h"
#include "route_page_host.h"
#include "route_plan_view.h"
#include "route_result_models.h"
#include "save_file.h"
#include "stakeout_builder.h"
#include "stakeout_input.h"
#include "stakeout_stations.h"
#include "station_file.h"
#include "station_text.h"
#include "survey_point_file.h"
#include "table_columns.h"
#include "ui_stakeout_page.h"

namespace tarnvel {

namespace {

const QString kStationFileTypes = QStringLiteral("桩号文件(*.txt *.csv);;所有文件(*.*)");
const QString kDatFileTypes = QStringLiteral("坐标数据文件(*.dat)");

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// A station the tables print as one of the route's ends is that end: an end
// lies up to half a millimetre either side of its text, and a range
// prefilled or typed from the 曲线表 still sets out the whole route.
double AtRouteEnd(const Route& route, double station) {
  for (const double end : {RouteStart(route), RouteEnd(route)})
    if (KStationText(station) == KStationText(end)) return end;
  return station;
}

// The progress bar moves once this many stations of a range table are made.
constexpr long long kStationsPerPiece = 10000;
// The most rows a stakeout holds, about 120 MB of them.
constexpr double kMaxStakeoutRows = 1'000'000;

// What a stakeout is computed from, and what it gives.
struct StakeoutInputs {
  std::shared_ptr<const Route> route;
  StakeoutRequest request;  // its profile and sections are the two below
  std::shared_ptr<const VerticalProfile> profile;
  std::shared_ptr<const CrossSectionTable> sections;
  // A stations file's lines, read whole before the work; none for a range.
  std::shared_ptr<const std::vector<StationLine>> lines;
  QString stationsPath;
};

struct StakeoutOutput {
  std::vector<StakeRow> rows;
  PlanPointIndex plan;    // of the rows' points
  long long outside = 0;  // rows without a design elevation
};

// The rows as the command writes them, and the plan's index of their
// points, made off the window's thread, which only takes them in. The work
// counts the stations or lines it has passed for the progress bar and stops
// at the first row after a cancel; its message, when it stops short.
std::variant<QString, StakeoutOutput> StakeoutRows(const StakeoutInputs& inputs,
                                                   JobProgress& progress) {
  const Route& route = *inputs.route;
  StakeoutRequest request = inputs.request;
  StakeoutOutput made;
  std::function<bool(StakeRow &&)> row = [&made, &progress](StakeRow&& row) {
    if (progress.cancelled()) return false;
    made.rows.push_back(std::move(row));
    return true;
  };
  if (inputs.lines) {
    progress.total = static_cast<long long>(inputs.lines->size());
    request.stations = [&lines = *inputs.lines,
                        &progress](const std::function<bool(const StakeStation&)>& station) {
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % 1024 == 0) progress.done = static_cast<long long>(i);
        if (progress.cancelled() || !station(StakeStationOf(lines[i]))) break;
      }
      return !progress.cancelled();
    };
  } else {
    const long long stations = static_cast<long long>(RangeStationCount(route, *request.range));
    progress.total = stations;
    const std::size_t edges =
        request.edges ? request.sections->leftParts.size() + request.sections->rightParts.size()
                      : 0;
    made.rows.reserve(static_cast<size_t>(stations) * (request.offsets.size() + edges));
    row = [&made, &progress, stations, passed = 0LL, last = std::nan("")](StakeRow&& row) mutable {
      if (progress.cancelled()) return false;
      if (row.point.station != last && ++passed % kStationsPerPiece == 0)
        progress.done = std::min(passed, stations);
      last = row.point.station;
      made.rows.push_back(std::move(row));
      return true;
    };
  }
  const StakeoutOutcome outcome = BuildStakeout(route, request, row);
  if (outcome.stop) return StakeoutStopMessage(*outcome.stop, inputs.stationsPath);
  made.outside = outcome.outsideProfile;
  made.plan = IndexPlanPoints(
      made.rows.size(), [&rows = made.rows](std::size_t i) { return rows[i].point.result.point; });
  return made;
}

}  // namespace

StakeoutPage::StakeoutPage(RoutePageHost& host, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::StakeoutPage>()),
      host_(host),
      stakeout_(new StakeoutModel(this)) {
  ui_->setupUi(this);
  ui_->stakeoutTable->setModel(stakeout_);
  PrepareTable(ui_->stakeoutTable, true);
  const auto guarded = [this](void (StakeoutPage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->stakeoutButton, &QPushButton::clicked, this,
          guarded(&StakeoutPage::stakeoutClicked));
  connect(ui_->stationsButton, &QPushButton::clicked, this,
          guarded(&StakeoutPage::stationsClicked));
  connect(ui_->saveStakeoutButton, &QPushButton::clicked, this,
          guarded(&StakeoutPage::saveStakeoutClicked));
  connect(ui_->saveDatButton, &QPushButton::clicked, this, guarded(&StakeoutPage::saveDatClicked));
  connect(ui_->stakeoutPdfButton, &QPushButton::clicked, this,
          guarded(&StakeoutPage::exportPdfClicked));
  connect(ui_->stakeoutPrintButton, &QPushButton::clicked, this,
          guarded(&StakeoutPage::printClicked));
}

StakeoutPage::~StakeoutPage() = default;

// The plan reads its points from the rows, so they go together.
void StakeoutPage::clearRows() {
  host_.plan().setPoints(RoutePlanView::Layer::Stakeout, {}, nullptr, nullptr);
  stakeout_->setRows({});
}

void StakeoutPage::dropHeights() {
  if (stakeout_->profile()) clearRows();
}

void StakeoutPage::dropSectionRows() {
  if (rowsUseSections_) clearRows();
}

void StakeoutPage::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix;
  stakeout_->setStationPrefix(prefix);
}

// The ends as K text to the millimetre, rounded as the tables print them:
// the 曲线表 and the command give an end at 3718.6774 as K3+718.677, and so
// does 止点里程. The range takes such a text for the end itself.
void StakeoutPage::setRange(const Route& route) {
  const std::string prefix = stationPrefix_.toStdString();
  ui_->fromEdit->setText(Text(KStationText(RouteStart(route), prefix)));
  ui_->toEdit->setText(Text(KStationText(RouteEnd(route), prefix)));
}

void StakeoutPage::stakeoutClicked() {
  auto route = host_.routeForWork();
  if (route) runStakeout(std::move(route), QString());
}

void StakeoutPage::stationsClicked() {
  auto route = host_.routeForWork();
  if (!route) return;
  const QString path = host_.chooseOpen(QStringLiteral("stations"), kStationFileTypes);
  if (!path.isEmpty()) runStakeout(std::move(route), path);
}

void StakeoutPage::runStakeout(std::shared_ptr<const Route> route, const QString& stationsPath) {
  auto inputs = std::make_shared<StakeoutInputs>();
  StakeoutRequest& request = inputs->request;
  const auto offsets = ReadOffsets(ui_->offsetsEdit);
  if (auto* message = std::get_if<QString>(&offsets))
    return host_.refuse(*message, ui_->offsetsEdit);
  request.offsets = std::get<std::vector<double>>(offsets);
  const auto skew = ReadInput(ui_->skewEdit);
  if (auto* message = std::get_if<QString>(&skew)) return host_.refuse(*message, ui_->skewEdit);
  request.skewDms = std::get<double>(skew);
  request.edges = ui_->edgesCheck->isChecked();
  if (request.edges) {
    inputs->sections = host_.sectionsForWork();
    if (!inputs->sections)
      return host_.refuse(QStringLiteral("请先在“横断面”页输入横断面表，或不选“边桩”！"),
                          ui_->edgesCheck);
  }
  const double rowsPerStation = static_cast<double>(
      request.offsets.size() +
      (inputs->sections ? inputs->sections->leftParts.size() + inputs->sections->rightParts.size()
                        : 0));
  request.prefix = stationPrefix_.toStdString();
  request.positionTolerance = host_.positionTolerance();
  if (stationsPath.isEmpty()) {
    const auto from = ReadRouteStationInput(ui_->fromEdit);
    if (auto* message = std::get_if<QString>(&from)) return host_.refuse(*message, ui_->fromEdit);
    const auto to = ReadRouteStationInput(ui_->toEdit);
    if (auto* message = std::get_if<QString>(&to)) return host_.refuse(*message, ui_->toEdit);
    const auto step = ReadInput(ui_->stepEdit);
    if (auto* message = std::get_if<QString>(&step)) return host_.refuse(*message, ui_->stepEdit);
    StakeoutRange& range = request.range.emplace();
    range.from = AtRouteEnd(*route, std::get<RouteStationInput>(from).station);
    range.fromPass = std::get<RouteStationInput>(from).pass;
    range.to = AtRouteEnd(*route, std::get<RouteStationInput>(to).station);
    range.toPass = std::get<RouteStationInput>(to).pass;
    range.step = std::get<double>(step);
    range.keyPoints = ui_->keyPointsCheck->isChecked();
    // A blank curve step adds nothing on the curves.
    if (!ui_->curveStepEdit->text().trimmed().isEmpty()) {
      const auto curveStep = ReadInput(ui_->curveStepEdit);
      if (auto* message = std::get_if<QString>(&curveStep))
        return host_.refuse(*message, ui_->curveStepEdit);
      range.curveStep = std::get<double>(curveStep);
    }
    range.positionTolerance = request.positionTolerance;
    // Counted no further than the cap needs: a range of exactly the cap's
    // rows is let through.
    const double stations = RangeStationCount(*route, range, kMaxStakeoutRows / rowsPerStation);
    if (stations * rowsPerStation > kMaxStakeoutRows)
      return host_.refuse(QStringLiteral("逐桩坐标表将超过%1行，请加大“间距”或缩小里程范围！")
                              .arg(Text(GeneralText(kMaxStakeoutRows))),
                          ui_->stepEdit);
    request.serialNames = ui_->namesCombo->currentIndex() == 1;
  } else {
    auto lines = ReadStationFile(stationsPath);
    if (auto* refusal = std::get_if<FileRefusal>(&lines)) return host_.refuse(refusal->message);
    inputs->lines = std::make_shared<const std::vector<StationLine>>(
        std::get<std::vector<StationLine>>(std::move(lines)));
    inputs->stationsPath = stationsPath;
  }
  // With a profile every row gets its design elevation; with the cross
  // sections too, the surface's at its own offset, as the command's with
  // --sections.
  inputs->profile = host_.profileForWork();
  if (inputs->profile && !inputs->sections) inputs->sections = host_.sectionsForWork();
  inputs->route = std::move(route);
  request.profile = inputs->profile.get();
  request.sections = inputs->sections.get();
  auto made = std::make_shared<std::variant<QString, StakeoutOutput>>();
  host_.startJob(
      [inputs, made](JobProgress& progress) { *made = StakeoutRows(*inputs, progress); },
      [this, inputs, made] {
        if (auto* message = std::get_if<QString>(made.get())) return host_.refuse(*message);
        StakeoutOutput& output = std::get<StakeoutOutput>(*made);
        FreeInBackground(stakeout_->setRows(std::move(output.rows), inputs->profile));
        rowsUseSections_ = inputs->sections != nullptr;
        FitColumns(ui_->stakeoutTable);
        showStakeoutPoints(std::move(output.plan));
        QString status = QStringLiteral("逐桩坐标：%1行").arg(stakeout_->rowCount());
        if (output.outside > 0)
          status += QStringLiteral("，其中%1行不在纵断面范围内，设计高程为空").arg(output.outside);
        host_.showStatus(status);
      });
}

void StakeoutPage::showStakeoutPoints(PlanPointIndex points) {
  host_.plan().setPoints(
      RoutePlanView::Layer::Stakeout, std::move(points),
      [this](std::size_t i) { return stakeout_->rows()[i].point.result.point; },
      [this](std::size_t i) { return Text(stakeout_->rows()[i].name); });
}

void StakeoutPage::saveStakeoutClicked() {
  if (host_.refusedWhileWorking()) return;
  if (stakeout_->rowCount() == 0) return host_.refuse(QStringLiteral("请先计算逐桩坐标！"));
  QString type;
  const QString path = host_.chooseSave(QStringLiteral("stakeout CSV"), kCsvSaveTypes, &type);
  if (path.isEmpty()) return;
  host_.saveInBackground(
      path, [rows = &stakeout_->rows(), prefix = stakeout_->stationPrefix(),
             heights = stakeout_->profile() != nullptr, path, encoding = CsvEncoding(type)] {
        return SaveTextFile(path, ForwardCsvText(*rows, prefix, heights), encoding);
      });
}

void StakeoutPage::saveDatClicked() {
  if (host_.refusedWhileWorking()) return;
  if (stakeout_->rowCount() == 0) return host_.refuse(QStringLiteral("请先计算逐桩坐标！"));
  const QString path = host_.chooseSave(QStringLiteral("stakeout dat"), kDatFileTypes);
  if (path.isEmpty()) return;
  host_.saveInBackground(path, [rows = &stakeout_->rows(), path] {
    return SaveTextFile(path, SurveyPointFileText(*rows), TextEncoding::Gbk);
  });
}

// The table as shown, every column; its rows are read as the pages are
// painted, and stay as they are meanwhile as for the CSV.
TableDocument StakeoutPage::document() const {
  std::vector<int> columns(static_cast<size_t>(stakeout_->columnCount()));
  std::iota(columns.begin(), columns.end(), 0);
  return ModelDocument(*stakeout_, columns, QStringLiteral("逐桩坐标表"), *this,
                       RowTexts::ReadWhenPainted);
}

void StakeoutPage::exportPdfClicked() {
  if (host_.refusedWhileWorking()) return;
  if (stakeout_->rowCount() == 0) return host_.refuse(QStringLiteral("请先计算逐桩坐标！"));
  ExportTablePdf(host_, document());
}

void StakeoutPage::printClicked() {
  if (host_.refusedWhileWorking()) return;
  if (stakeout_->rowCount() == 0) return host_.refuse(QStringLiteral("请先计算逐桩坐标！"));
  printPreview_(window(), document());
}

}  // namespace tarnvel
