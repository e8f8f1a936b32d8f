#include "stakeout_page.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <variant>

#include "background_job.h"
#include "file_dialog.h"
#include "number_text.h"
#include "point_names.h"
#include "route_csv.h"
#include "route_forward.h"
#include "route_inputs.h"
#include "route_page_host.h"
#include "route_plan_view.h"
#include "route_result_models.h"
#include "row_height.h"
#include "save_file.h"
#include "stakeout_edges.h"
#include "stakeout_stations.h"
#include "station_file.h"
#include "station_rows.h"
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

// The rows of a range table as the command writes them, named by station
// and side with `prefix` (RangePointNames) or numbered, with the 边桩 of
// `sections` when given, numbered by their row. The work counts the
// stations it has passed for the progress bar and stops at the first row
// after a cancel.
std::variant<QString, std::vector<ForwardCsvRow>> RangeRows(
    const Route& route, const RouteTableRequest& request, const CrossSectionTable* sections,
    const std::string& prefix, bool serialNames, JobProgress& progress) {
  const long long stations = static_cast<long long>(RangeStationCount(route, RangeOf(request)));
  progress.total = stations;
  std::optional<StakeoutEdges> edges;
  if (sections)
    edges.emplace(route, *sections,
                  [](const RoutePoint&, std::size_t number) { return std::to_string(number); });
  std::vector<ForwardCsvRow> rows;
  rows.reserve(static_cast<size_t>(stations) *
               (request.offsets.size() + (edges ? edges->perStation() : 0)));
  std::optional<RangePointNames> names;
  if (!serialNames) names.emplace(route, prefix);
  std::optional<QString> stopped;
  long long passed = 0;
  double last = std::nan("");
  const auto refusal = ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
    if (progress.cancelled()) {
      stopped = QString();
      return false;
    }
    if (!IsFinitePoint(point)) {
      stopped = kRouteNotComputable;
      return false;
    }
    if (point.station != last && ++passed % kStationsPerPiece == 0)
      progress.done = std::min(passed, stations);
    last = point.station;
    if (edges) edges->before(point, rows);
    std::string name = names ? names->Name(point) : std::to_string(rows.size() + 1);
    rows.push_back({std::move(name), std::move(point)});
    return true;
  });
  if (refusal) return Text(refusal->message);
  if (stopped) return *stopped;
  if (edges) edges->finish(rows);
  return rows;
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
  RouteTableRequest request;
  const auto offsets = ReadOffsets(ui_->offsetsEdit);
  if (auto* message = std::get_if<QString>(&offsets))
    return host_.refuse(*message, ui_->offsetsEdit);
  request.offsets = std::get<std::vector<double>>(offsets);
  const auto skew = ReadInput(ui_->skewEdit);
  if (auto* message = std::get_if<QString>(&skew)) return host_.refuse(*message, ui_->skewEdit);
  request.skewDms = std::get<double>(skew);
  request.keyPoints = ui_->keyPointsCheck->isChecked();
  std::shared_ptr<const CrossSectionTable> sections;
  if (ui_->edgesCheck->isChecked()) {
    sections = host_.sectionsForWork();
    if (!sections)
      return host_.refuse(QStringLiteral("请先在“横断面”页输入横断面表，或不选“边桩”！"),
                          ui_->edgesCheck);
  }
  const double rowsPerStation = static_cast<double>(
      request.offsets.size() +
      (sections ? sections->leftParts.size() + sections->rightParts.size() : 0));

  auto rows = std::make_shared<std::variant<QString, std::vector<ForwardCsvRow>>>();
  BackgroundJob::Work work;
  if (stationsPath.isEmpty()) {
    const auto from = ReadRouteStationInput(ui_->fromEdit);
    if (auto* message = std::get_if<QString>(&from)) return host_.refuse(*message, ui_->fromEdit);
    const auto to = ReadRouteStationInput(ui_->toEdit);
    if (auto* message = std::get_if<QString>(&to)) return host_.refuse(*message, ui_->toEdit);
    const auto step = ReadInput(ui_->stepEdit);
    if (auto* message = std::get_if<QString>(&step)) return host_.refuse(*message, ui_->stepEdit);
    request.from = AtRouteEnd(*route, std::get<RouteStationInput>(from).station);
    request.fromPass = std::get<RouteStationInput>(from).pass;
    request.to = AtRouteEnd(*route, std::get<RouteStationInput>(to).station);
    request.toPass = std::get<RouteStationInput>(to).pass;
    request.step = std::get<double>(step);
    // A blank curve step adds nothing on the curves.
    if (!ui_->curveStepEdit->text().trimmed().isEmpty()) {
      const auto curveStep = ReadInput(ui_->curveStepEdit);
      if (auto* message = std::get_if<QString>(&curveStep))
        return host_.refuse(*message, ui_->curveStepEdit);
      request.curveStep = std::get<double>(curveStep);
    }
    request.positionTolerance = host_.positionTolerance();
    // Counted no further than the cap needs: a range of exactly the cap's
    // rows is let through.
    const double stations =
        RangeStationCount(*route, RangeOf(request), kMaxStakeoutRows / rowsPerStation);
    if (stations * rowsPerStation > kMaxStakeoutRows)
      return host_.refuse(QStringLiteral("逐桩坐标表将超过%1行，请加大“间距”或缩小里程范围！")
                              .arg(Text(GeneralText(kMaxStakeoutRows))),
                          ui_->stepEdit);
    const bool serialNames = ui_->namesCombo->currentIndex() == 1;
    work = [route, request, sections, rows, prefix = stationPrefix_.toStdString(),
            serialNames](JobProgress& progress) {
      *rows = RangeRows(*route, request, sections.get(), prefix, serialNames, progress);
    };
  } else {
    auto lines = ReadStationFile(stationsPath);
    if (auto* refusal = std::get_if<FileRefusal>(&lines)) return host_.refuse(refusal->message);
    work = [route, request, sections, rows, stationsPath, prefix = stationPrefix_.toStdString(),
            lines = std::get<std::vector<StationLine>>(std::move(lines))](JobProgress& progress) {
      progress.total = static_cast<long long>(lines.size());
      // The edges are named by their line (or station) and side among the
      // names the file's rows take, in the order the command gives them: a
      // file's name, or a station's with its side, may read as an edge's.
      UniquePointNames names;
      std::vector<ForwardCsvRow> made;
      std::optional<StakeoutEdges> edges;
      // The name of the line, or the station, whose 边桩 are added next.
      std::string edgeName;
      if (sections)
        edges.emplace(*route, *sections, [&names, &edgeName](const RoutePoint& edge, std::size_t) {
          return names.Take(edgeName + SideText(edge.offset));
        });
      const auto stop = ForEachStationFileRow(
          *route, lines, request.offsets, request.skewDms,
          [&made, &edges, &edgeName](ForwardCsvRow&& row, const std::string& rowEdgeName) {
            // The edges of the station before go in first, by its name.
            if (edges) edges->before(row.point, made);
            edgeName = rowEdgeName;
            made.push_back(std::move(row));
            return true;
          },
          [&progress](size_t done) {
            if (done % 1024 == 0) progress.done = static_cast<long long>(done);
            return !progress.cancelled();
          },
          prefix, &names);
      if (stop) {
        *rows = StopMessage(stationsPath, *stop);
        return;
      }
      if (edges) edges->finish(made);
      *rows = std::move(made);
    };
  }
  // The plan's index of the points and, with a profile, the rows' design
  // elevations are made with the rows, off the window's thread, which only
  // takes them in. The rows come in station order, each found from the
  // grade line of the one before.
  // With cross sections, a row's height is the surface's at its own offset,
  // as the command's with --sections.
  auto plan = std::make_shared<PlanPointIndex>();
  auto profile = host_.profileForWork();
  auto surface = profile && !sections ? host_.sectionsForWork() : sections;
  const double endTolerance = host_.positionTolerance();
  auto outside = std::make_shared<std::size_t>(0);  // rows without a design elevation
  work = [work = std::move(work), route, rows, plan, profile, surface, endTolerance,
          outside](JobProgress& progress) {
    work(progress);
    auto* made = std::get_if<std::vector<ForwardCsvRow>>(rows.get());
    if (!made || progress.cancelled()) return;
    if (profile) {
      DesignHeights heights(*profile, surface.get(), endTolerance);
      for (ForwardCsvRow& row : *made) {
        const DesignHeight height = RowDesignHeight(heights, *route, row.point);
        row.designElevation = height.elevation;
        if (height.beyondRoad) {
          if (!row.point.label.empty()) row.point.label += "；";
          row.point.label += kBeyondRoadNote;
        } else if (!row.designElevation) {
          ++*outside;
        }
      }
    }
    *plan = IndexPlanPoints(made->size(),
                            [made](std::size_t i) { return (*made)[i].point.result.point; });
  };
  host_.startJob(
      std::move(work), [this, rows, plan, profile, outside, usesSections = surface != nullptr] {
        if (auto* message = std::get_if<QString>(rows.get())) return host_.refuse(*message);
        FreeInBackground(
            stakeout_->setRows(std::get<std::vector<ForwardCsvRow>>(std::move(*rows)), profile));
        rowsUseSections_ = usesSections;
        FitColumns(ui_->stakeoutTable);
        showStakeoutPoints(std::move(*plan));
        QString status = QStringLiteral("逐桩坐标：%1行").arg(stakeout_->rowCount());
        if (*outside > 0)
          status += QStringLiteral("，其中%1行不在纵断面范围内，设计高程为空").arg(*outside);
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
