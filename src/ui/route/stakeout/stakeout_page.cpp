#include "ui/route/stakeout/stakeout_page.h"

#include <QCheckBox>
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

#include "core/route/stakeout_stations.h"
#include "core/stakeout/stakeout_builder.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/files/save_file.h"
#include "io/files/text_encoding.h"
#include "io/route/route_csv.h"
#include "io/route/stakeout_input.h"
#include "io/route/station_file.h"
#include "io/route/survey_point_file.h"
#include "ui/common/background_job.h"
#include "ui/common/file_dialog.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_inputs.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/common/route_result_models.h"
#include "ui/route/common/table_columns.h"
#include "ui/route/plan/route_plan_view.h"
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

}  // namespace

// What a stakeout is computed from: enough to compute the same rows again.
struct StakeoutInputs {
  std::shared_ptr<const Route> route;
  StakeoutRequest request;  // its profile and sections are the two below
  std::shared_ptr<const VerticalProfile> profile;
  std::shared_ptr<const CrossSectionTable> sections;
  // With the catch points, the ground and the slopes they met: the
  // request's two too.
  std::shared_ptr<const SurveyedGround> ground;
  std::shared_ptr<const SideSlopes> slopes;
  // A stations file's name and bytes, read again for the rows again: the
  // bytes take a small part of the lines read from them. Empty for a range.
  QString stationsPath;
  QByteArray stationBytes;
};

struct StakeoutOutput {
  std::vector<StakeRow> rows;
  PlanPointIndex plan;    // of the rows' points
  long long outside = 0;  // rows without a design elevation
};

namespace {

// The most rows a station gives: one per offset, its 边桩, and each side's
// catch point after the breaks its slope lines may pass (a ditch's three
// corners, a berm's two edges), so that a range is capped before it runs.
double RowsPerStation(const StakeoutInputs& inputs) {
  const StakeoutRequest& request = inputs.request;
  std::size_t rows = request.offsets.size();
  if (request.edges && inputs.sections)
    rows += inputs.sections->leftParts.size() + inputs.sections->rightParts.size();
  if (!inputs.slopes) return static_cast<double>(rows);
  for (const auto& side : inputs.slopes->lines) {
    std::size_t breaks = 0;
    if (request.slopeBreaks)
      for (const std::vector<SlopeLine>& kind : side)
        for (const SlopeLine& line : kind)
          breaks = std::max(breaks, (line.ditch.depth > 0 ? 3 : 0) + 2 * (line.steps.size() - 1));
    rows += 1 + breaks;
  }
  return static_cast<double>(rows);
}

// The rows as the command writes them, and the plan's index of their
// points, made off the window's thread, which only takes them in. A
// stations file's `lines`, when not given, are read from its bytes. The
// work counts the stations or lines it has passed for the progress bar and
// stops at the first row after a cancel; its message, when it stops short.
std::variant<QString, StakeoutOutput> StakeoutRows(const StakeoutInputs& inputs,
                                                   std::vector<StationLine> lines,
                                                   JobProgress& progress) {
  if (!inputs.stationsPath.isEmpty() && lines.empty()) {
    auto read = InFile(inputs.stationsPath, ParseStationFile(inputs.stationBytes));
    if (auto* refusal = std::get_if<FileRefusal>(&read)) return refusal->message;
    lines = std::get<std::vector<StationLine>>(std::move(read));
  }
  const Route& route = *inputs.route;
  StakeoutRequest request = inputs.request;
  StakeoutOutput made;
  std::function<bool(StakeRow &&)> row = [&made, &progress](StakeRow&& row) {
    if (progress.cancelled()) return false;
    made.rows.push_back(std::move(row));
    return true;
  };
  if (!inputs.stationsPath.isEmpty()) {
    progress.total = static_cast<long long>(lines.size());
    request.stations = [&lines,
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
    made.rows.reserve(static_cast<size_t>(static_cast<double>(stations) * RowsPerStation(inputs)));
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
  lines = {};
  if (outcome.stop) return StakeoutStopMessage(*outcome.stop, inputs.stationsPath);
  made.outside = outcome.outsideProfile;
  made.plan = IndexPlanPoints(
      made.rows.size(), [&rows = made.rows](std::size_t i) { return rows[i].point.result.point; });
  return made;
}

}  // namespace

StakeoutPage::StakeoutPage(RoutePageHost& host, RouteDocument& document, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::StakeoutPage>()),
      host_(host),
      document_(document),
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
  document_.addComputedRows([this] { return rowInputs(); }, [this] { clearRows(); });
  connect(&document_, &RouteDocument::routeReplaced, this, &StakeoutPage::setRange);
  for (auto changed : {&RouteDocument::profileChanged, &RouteDocument::sectionsChanged,
                       &RouteDocument::groundChanged, &RouteDocument::slopesChanged})
    connect(&document_, changed, this, &StakeoutPage::enableCatchPoints);
  connect(ui_->edgesCheck, &QCheckBox::toggled, this, &StakeoutPage::enableCatchPoints);
  connect(ui_->catchCheck, &QCheckBox::toggled, this, &StakeoutPage::enableCatchPoints);
  enableCatchPoints();
  connect(&document_, &RouteDocument::stationPrefixChanged, stakeout_,
          &StakeoutModel::setStationPrefix);
}

StakeoutPage::~StakeoutPage() = default;

// The plan reads its points from the rows, so they go together. Rows a
// running stakeout let go stay gone too, whatever becomes of it.
void StakeoutPage::clearRows() {
  releaseRows();
  released_.reset();
}

std::vector<StakeRow> StakeoutPage::releaseRows() {
  host_.plan().setPoints(RoutePlanView::Layer::Stakeout, {}, nullptr, nullptr);
  shown_.reset();
  return stakeout_->setRows({});
}

unsigned StakeoutPage::rowInputs() const {
  unsigned inputs = RouteDocument::kRoute;
  for (const auto* rows : {&shown_, &released_}) {
    if (*rows && (*rows)->profile) inputs |= RouteDocument::kProfile;
    if (*rows && (*rows)->sections) inputs |= RouteDocument::kSections;
    if (*rows && (*rows)->ground) inputs |= RouteDocument::kGround | RouteDocument::kSlopes;
  }
  return inputs;
}

void StakeoutPage::showRows(std::shared_ptr<const StakeoutInputs> inputs, StakeoutOutput output) {
  FreeInBackground(stakeout_->setRows(std::move(output.rows), inputs->profile));
  shown_ = std::move(inputs);
  FitColumns(ui_->stakeoutTable);
  showStakeoutPoints(std::move(output.plan));
}

// The rows a stakeout let go, made again: unless they were cleared
// meanwhile, as their route, profile or sections changed.
void StakeoutPage::takeBack(const std::shared_ptr<const StakeoutInputs>& released,
                            std::optional<StakeoutOutput>& remade) {
  if (!released || released != released_) return;
  released_.reset();
  if (remade) showRows(released, std::move(*remade));
}

// The ends as K text to the millimetre, rounded as the tables print them:
// the 曲线表 and the command give an end at 3718.6774 as K3+718.677, and so
// does 止点里程. The range takes such a text for the end itself.
void StakeoutPage::setRange() {
  const auto& route = document_.route();
  if (!route) return;
  const std::string prefix = document_.stationPrefix().toStdString();
  ui_->fromEdit->setText(Text(KStationText(RouteStart(*route), prefix)));
  ui_->toEdit->setText(Text(KStationText(RouteEnd(*route), prefix)));
}

bool StakeoutPage::catchPointsAvailable() const {
  return ui_->edgesCheck->isChecked() && document_.profile() && document_.sections() &&
         document_.ground() && document_.slopes();
}

void StakeoutPage::enableCatchPoints() {
  const bool available = catchPointsAvailable();
  ui_->catchCheck->setEnabled(available);
  ui_->breaksCheck->setEnabled(available && ui_->catchCheck->isChecked());
}

void StakeoutPage::stakeoutClicked() {
  if (!host_.refusedWithoutRoute()) runStakeout(document_.route(), QString());
}

void StakeoutPage::stationsClicked() {
  if (host_.refusedWithoutRoute()) return;
  auto route = document_.route();
  const QString path = host_.chooseOpen(QStringLiteral("stations"), kStationFileTypes);
  if (!path.isEmpty()) runStakeout(std::move(route), path);
}

void StakeoutPage::runStakeout(std::shared_ptr<const Route> route, const QString& stationsPath) {
  auto inputs = std::make_shared<StakeoutInputs>();
  std::vector<StationLine> lines;  // a stations file's
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
    inputs->sections = document_.sections();
    if (!inputs->sections)
      return host_.refuse(QStringLiteral("请先在“横断面”页输入横断面表，或不选“边桩”！"),
                          ui_->edgesCheck);
  }
  // Each side's catch point after its last 边桩, as `forward --ground
  // --slopes --edges` adds it; a box left ticked while it cannot be asks
  // for none.
  if (catchPointsAvailable() && ui_->catchCheck->isChecked()) {
    inputs->ground = document_.ground();
    inputs->slopes = document_.slopes();
    request.slopeBreaks = ui_->breaksCheck->isChecked();
  }
  const double rowsPerStation = RowsPerStation(*inputs);
  request.prefix = document_.stationPrefix().toStdString();
  request.positionTolerance = document_.positionTolerance();
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
    auto bytes = ReadFileBytes(stationsPath, kDelimitedFileReadLimit);
    if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return host_.refuse(refusal->message);
    auto read = InFile(stationsPath, ParseStationFile(std::get<QByteArray>(bytes)));
    if (auto* refusal = std::get_if<FileRefusal>(&read)) return host_.refuse(refusal->message);
    lines = std::get<std::vector<StationLine>>(std::move(read));
    inputs->stationsPath = stationsPath;
    inputs->stationBytes = std::get<QByteArray>(std::move(bytes));
  }
  // With a profile every row gets its design elevation; with the cross
  // sections too, the surface's at its own offset, as the command's with
  // --sections.
  inputs->profile = document_.profile();
  if (inputs->profile && !inputs->sections) inputs->sections = document_.sections();
  inputs->route = std::move(route);
  request.profile = inputs->profile.get();
  request.sections = inputs->sections.get();
  request.ground = GroundOf(inputs->ground);
  request.slopes = inputs->slopes.get();
  // A million rows must not be held twice: the rows shown go before the
  // new ones are made, freed by the work. Should it end without rows
  // (cancelled, refused or out of memory), it makes the rows it let go
  // again from what they were made from, the same rows, and they come back.
  released_ = shown_;
  auto freed = std::make_shared<std::vector<StakeRow>>(releaseRows());
  auto made = std::make_shared<std::variant<QString, StakeoutOutput>>();
  auto remade = std::make_shared<std::optional<StakeoutOutput>>();
  const auto remake = [released = released_, remade, made] {
    // The new rows' memory first; a refusal's message stays.
    if (std::holds_alternative<StakeoutOutput>(*made)) *made = QString();
    JobProgress uncancelled;
    auto again = StakeoutRows(*released, {}, uncancelled);
    if (auto* output = std::get_if<StakeoutOutput>(&again)) remade->emplace(std::move(*output));
  };
  host_.startJob(
      [inputs, lines = std::move(lines), freed, made, remake,
       remakes = released_ != nullptr](JobProgress& progress) mutable {
        std::vector<StakeRow>().swap(*freed);
        try {
          *made = StakeoutRows(*inputs, std::move(lines), progress);
        } catch (const std::bad_alloc&) {
          if (remakes) remake();
          throw;
        }
        // Once committed, a cancel no longer drops the new rows.
        if (std::holds_alternative<StakeoutOutput>(*made) && progress.commit()) return;
        if (remakes) remake();
      },
      [this, inputs, made, remade, released = released_] {
        if (auto* message = std::get_if<QString>(made.get())) {
          takeBack(released, *remade);
          return host_.refuse(*message);
        }
        released_.reset();
        StakeoutOutput& output = std::get<StakeoutOutput>(*made);
        const long long outside = output.outside;
        showRows(inputs, std::move(output));
        QString status = QStringLiteral("逐桩坐标：%1行").arg(stakeout_->rowCount());
        if (outside > 0)
          status += QStringLiteral("，其中%1行不在纵断面范围内，设计高程为空").arg(outside);
        host_.showStatus(status);
      },
      [this, remade, released = released_] { takeBack(released, *remade); });
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
