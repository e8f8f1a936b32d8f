#include "ui/route/earthworks/earthworks_page.h"

#include <QCheckBox>
#include <QPushButton>
#include <functional>
#include <numeric>
#include <optional>
#include <variant>
#include <vector>

#include "core/earthworks/volume_stations.h"
#include "core/route/stakeout_stations.h"
#include "core/stakeout/stakeout_builder.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/files/text_encoding.h"
#include "io/route/stakeout_input.h"
#include "io/route/station_file.h"
#include "ui/common/background_job.h"
#include "ui/common/file_dialog.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_inputs.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/common/table_columns.h"
#include "ui/route/common/table_printing.h"
#include "ui/route/earthworks/volume_model.h"
#include "ui_earthworks_page.h"

namespace tarnvel {

namespace {

const QString kStationFileTypes = QStringLiteral("桩号文件(*.txt *.csv);;所有文件(*.*)");
const QString kTitle = QStringLiteral("路基土石方数量计算表");
const QString kNoRows = QStringLiteral("请先计算土方！");

// The most stations a table holds; each row's areas cost a section cut.
constexpr double kMaxVolumeRows = 1'000'000;
// The progress bar moves once this many stations are made.
constexpr long long kStationsPerPiece = 256;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

// What a table is computed from, kept while its rows are shown.
struct VolumeInputs {
  std::shared_ptr<const Route> route;
  std::shared_ptr<const VerticalProfile> profile;
  std::shared_ptr<const CrossSectionTable> sections;
  std::shared_ptr<const SurveyedGround> ground;
  std::shared_ptr<const SideSlopes> slopes;
  bool curvatureCorrection = false;
  double positionTolerance = 0;
  std::optional<StakeoutRange> range;  // none: the stations file's lines
  std::vector<StationLine> lines;
  QString stationsPath;
};

namespace {

// Each station's row as the command makes it, off the window's thread;
// the message when it stops short.
std::variant<QString, VolumeTableRows> VolumeRows(const VolumeInputs& in, JobProgress& progress) {
  const EarthworksInputs inputs{*in.route,           *in.profile, *in.sections,
                                GroundOf(in.ground), *in.slopes,  in.positionTolerance};
  VolumeStations stations(inputs);
  VolumeTableRows made;
  made.table = VolumeTable(in.curvatureCorrection);
  StakeoutRequest request;
  request.positionTolerance = in.positionTolerance;
  request.range = in.range;
  if (!in.range) {
    progress.total = static_cast<long long>(in.lines.size());
    request.stations = [&](const std::function<bool(const StakeStation&)>& take) {
      for (StationLine line : in.lines) {
        // A section is square to its station, wherever the line's own
        // offset and skew would put a stake.
        line.offset.reset();
        line.skewDms.reset();
        if (!take(StakeStationOf(line))) break;
      }
      return true;
    };
  } else {
    progress.total = static_cast<long long>(RangeStationCount(*in.route, *in.range));
  }
  const StakeoutOutcome outcome = BuildStakeout(*in.route, request, [&](StakeRow&& row) {
    if (progress.cancelled()) return false;
    const VolumeRow volume = made.table.Add(stations.At(row.point));
    made.rows.push_back({row.point.station, volume});
    if (made.rows.size() % kStationsPerPiece == 0)
      progress.done = static_cast<long long>(made.rows.size());
    return true;
  });
  if (outcome.stop) return StakeoutStopMessage(*outcome.stop, in.stationsPath);
  return made;
}

}  // namespace

EarthworksPage::EarthworksPage(RoutePageHost& host, RouteDocument& document, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::EarthworksPage>()),
      host_(host),
      document_(document),
      volumes_(new VolumeModel(this)) {
  ui_->setupUi(this);
  ui_->volumeTable->setModel(volumes_);
  PrepareTable(ui_->volumeTable, true);
  const auto guarded = [this](void (EarthworksPage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->volumeButton, &QPushButton::clicked, this, guarded(&EarthworksPage::computeClicked));
  connect(ui_->volumeStationsButton, &QPushButton::clicked, this,
          guarded(&EarthworksPage::stationsClicked));
  connect(ui_->saveVolumeButton, &QPushButton::clicked, this,
          guarded(&EarthworksPage::saveCsvClicked));
  connect(ui_->volumePdfButton, &QPushButton::clicked, this,
          guarded(&EarthworksPage::exportPdfClicked));
  // Every row is computed with all five.
  document_.addComputedRows(
      [this] {
        return shown_ ? RouteDocument::kRoute | RouteDocument::kProfile | RouteDocument::kSections |
                            RouteDocument::kGround | RouteDocument::kSlopes
                      : 0u;
      },
      [this] { clearRows(); });
  connect(&document_, &RouteDocument::routeReplaced, this, &EarthworksPage::setRange);
  connect(&document_, &RouteDocument::stationPrefixChanged, volumes_,
          &VolumeModel::setStationPrefix);
}

EarthworksPage::~EarthworksPage() = default;

void EarthworksPage::clearRows() {
  shown_.reset();
  volumes_->setRows({});
}

void EarthworksPage::setRange() {
  const auto& route = document_.route();
  if (!route) return;
  const std::string prefix = document_.stationPrefix().toStdString();
  ui_->volumeFromEdit->setText(Text(KStationText(RouteStart(*route), prefix)));
  ui_->volumeToEdit->setText(Text(KStationText(RouteEnd(*route), prefix)));
}

void EarthworksPage::computeClicked() {
  if (!host_.refusedWithoutRoute()) run(document_.route(), QString());
}

void EarthworksPage::stationsClicked() {
  if (host_.refusedWithoutRoute()) return;
  auto route = document_.route();
  const QString path = host_.chooseOpen(QStringLiteral("stations"), kStationFileTypes);
  if (!path.isEmpty()) run(std::move(route), path);
}

void EarthworksPage::run(std::shared_ptr<const Route> route, const QString& stationsPath) {
  auto inputs = std::make_shared<VolumeInputs>();
  inputs->profile = document_.profile();
  if (!inputs->profile) return host_.refuse(QStringLiteral("请先在“纵断面”页输入变坡点表！"));
  inputs->sections = document_.sections();
  if (!inputs->sections) return host_.refuse(QStringLiteral("请先在“横断面”页输入横断面表！"));
  inputs->ground = document_.ground();
  if (!inputs->ground) return host_.refuse(QStringLiteral("请先在“边坡”页导入地面线！"));
  inputs->slopes = document_.slopes();
  if (!inputs->slopes) return host_.refuse(QStringLiteral("请先在“边坡”页输入边坡表！"));
  inputs->curvatureCorrection = ui_->curvatureCheck->isChecked();
  inputs->positionTolerance = document_.positionTolerance();
  if (stationsPath.isEmpty()) {
    const auto from = ReadRouteStationInput(ui_->volumeFromEdit);
    if (auto* message = std::get_if<QString>(&from))
      return host_.refuse(*message, ui_->volumeFromEdit);
    const auto to = ReadRouteStationInput(ui_->volumeToEdit);
    if (auto* message = std::get_if<QString>(&to)) return host_.refuse(*message, ui_->volumeToEdit);
    const auto step = ReadInput(ui_->volumeStepEdit);
    if (auto* message = std::get_if<QString>(&step))
      return host_.refuse(*message, ui_->volumeStepEdit);
    StakeoutRange& range = inputs->range.emplace();
    range.from = std::get<RouteStationInput>(from).station;
    range.fromPass = std::get<RouteStationInput>(from).pass;
    range.to = std::get<RouteStationInput>(to).station;
    range.toPass = std::get<RouteStationInput>(to).pass;
    range.step = std::get<double>(step);
    range.keyPoints = ui_->volumeKeyPointsCheck->isChecked();
    range.positionTolerance = inputs->positionTolerance;
    if (auto refusal = RangeRefusal(*route, range))
      return host_.refuse(Text(refusal->message), ui_->volumeStepEdit);
    if (RangeStationCount(*route, range, kMaxVolumeRows) > kMaxVolumeRows)
      return host_.refuse(QStringLiteral("土方表将超过%1行，请加大“间距”或缩小里程范围！")
                              .arg(Text(GeneralText(kMaxVolumeRows))),
                          ui_->volumeStepEdit);
  } else {
    auto bytes = ReadFileBytes(stationsPath, kDelimitedFileReadLimit);
    if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return host_.refuse(refusal->message);
    auto read = InFile(stationsPath, ParseStationFile(std::get<QByteArray>(bytes)));
    if (auto* refusal = std::get_if<FileRefusal>(&read)) return host_.refuse(refusal->message);
    inputs->lines = std::get<std::vector<StationLine>>(std::move(read));
    inputs->stationsPath = stationsPath;
  }
  inputs->route = std::move(route);
  clearRows();
  auto made = std::make_shared<std::variant<QString, VolumeTableRows>>();
  host_.startJob([inputs, made](JobProgress& progress) { *made = VolumeRows(*inputs, progress); },
                 [this, inputs, made] {
                   if (auto* message = std::get_if<QString>(made.get()))
                     return host_.refuse(*message);
                   auto& rows = std::get<VolumeTableRows>(*made);
                   const std::size_t stations = rows.rows.size();
                   volumes_->setRows(std::move(rows));
                   shown_ = inputs;
                   FitColumns(ui_->volumeTable);
                   host_.showStatus(QStringLiteral("土方：%1个桩号").arg(stations));
                 });
}

void EarthworksPage::saveCsvClicked() {
  if (host_.refusedWhileWorking()) return;
  if (volumes_->rowCount() == 0) return host_.refuse(kNoRows);
  QString type;
  const QString path = host_.chooseSave(QStringLiteral("earthworks CSV"), kCsvSaveTypes, &type);
  if (path.isEmpty()) return;
  host_.saveInBackground(path, [text = volumes_->csvText(), path, encoding = CsvEncoding(type)] {
    return SaveTextFile(path, text, encoding);
  });
}

void EarthworksPage::exportPdfClicked() {
  if (host_.refusedWhileWorking()) return;
  if (volumes_->rowCount() == 0) return host_.refuse(kNoRows);
  std::vector<int> columns(static_cast<std::size_t>(volumes_->columnCount()));
  std::iota(columns.begin(), columns.end(), 0);
  ExportTablePdf(host_, ModelDocument(*volumes_, columns, kTitle, *this, RowTexts::Copied));
}

}  // namespace tarnvel
