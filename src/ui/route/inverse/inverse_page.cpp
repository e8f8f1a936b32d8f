#include "ui/route/inverse/inverse_page.h"

#include <QPushButton>
#include <QTableView>
#include <variant>

#include "core/route/route_feet.h"
#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/files/save_file.h"
#include "io/files/text_encoding.h"
#include "io/route/inverse_heights.h"
#include "io/route/point_file.h"
#include "io/route/route_csv.h"
#include "ui/common/background_job.h"
#include "ui/common/file_dialog.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_inputs.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/common/route_result_models.h"
#include "ui/route/common/table_columns.h"
#include "ui/route/plan/route_plan_view.h"
#include "ui_inverse_page.h"

namespace tarnvel {

namespace {

const QString kPointFileTypes = QStringLiteral("点文件(*.txt *.csv *.dat);;所有文件(*.*)");

// The name pasted points go by in messages, where a file would be named.
const QString kPastedPoints = QStringLiteral("粘贴的点");

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

InversePage::InversePage(RoutePageHost& host, RouteDocument& document, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::InversePage>()),
      host_(host),
      document_(document),
      inverse_(new InverseModel(this)) {
  ui_->setupUi(this);
  ui_->inverseTable->setModel(inverse_);
  PrepareTable(ui_->inverseTable, true);
  ui_->inverseSplitter->setStretchFactor(0, 1);
  ui_->inverseSplitter->setStretchFactor(1, 3);
  const auto guarded = [this](void (InversePage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->pointsButton, &QPushButton::clicked, this, guarded(&InversePage::pointsClicked));
  connect(ui_->pasteButton, &QPushButton::clicked, this, guarded(&InversePage::pasteClicked));
  connect(ui_->saveInverseButton, &QPushButton::clicked, this,
          guarded(&InversePage::saveInverseClicked));
  connect(ui_->showOnSectionButton, &QPushButton::clicked, this,
          guarded(&InversePage::showOnSectionClicked));
  // A row double-clicked, or Enter on it, is seen on its section too.
  connect(ui_->inverseTable, &QTableView::activated, this,
          guarded(&InversePage::showOnSectionClicked));
  document_.addComputedRows([this] { return rowInputs(); }, [this] { clearRows(); });
  connect(&document_, &RouteDocument::stationPrefixChanged, inverse_,
          &InverseModel::setStationPrefix);
}

InversePage::~InversePage() = default;

unsigned InversePage::rowInputs() const {
  return RouteDocument::kRoute | (inverse_->profile() ? RouteDocument::kProfile : 0u) |
         (inverse_->notes() ? RouteDocument::kSections : 0u) |
         (inverse_->toCatchPoint() ? RouteDocument::kSlopes : 0u) |
         (rowsMetGround_ ? RouteDocument::kGround : 0u);
}

void InversePage::clearRows() {
  rowsMetGround_ = false;
  inverse_->setRows({});
  host_.plan().setPoints(RoutePlanView::Layer::Inverse, {}, nullptr, nullptr);
}

void InversePage::pointsClicked() {
  if (host_.refusedWithoutRoute()) return;
  auto route = document_.route();
  const QString path = host_.chooseOpen(QStringLiteral("points"), kPointFileTypes);
  if (path.isEmpty()) return;
  auto bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return host_.refuse(refusal->message);
  runInverse(std::move(route), path, std::get<QByteArray>(bytes));
}

void InversePage::pasteClicked() {
  if (host_.refusedWithoutRoute()) return;
  auto route = document_.route();
  if (ui_->pointsEdit->toPlainText().trimmed().isEmpty())
    return host_.refuse(QStringLiteral("请粘贴要反算的点：每行“点名,X,Y”！"), ui_->pointsEdit);
  runInverse(std::move(route), kPastedPoints, ui_->pointsEdit->toPlainText().toUtf8());
}

void InversePage::runInverse(std::shared_ptr<const Route> route, const QString& sourceName,
                             const QByteArray& bytes) {
  const auto maxOffset = ReadInput(ui_->maxOffsetEdit);
  if (auto* message = std::get_if<QString>(&maxOffset))
    return host_.refuse(*message, ui_->maxOffsetEdit);
  if (!(std::get<double>(maxOffset) >= 0))
    return host_.refuse(QStringLiteral("“最大偏距”不能为负数！"), ui_->maxOffsetEdit);
  // A .dat is an instrument's survey point file, east before north, as the
  // command reads it.
  auto parsed = InFile(sourceName, ParsePointsOf(sourceName, bytes));
  if (auto* refusal = std::get_if<FileRefusal>(&parsed)) {
    QString message = refusal->message;
    // Pasted points are no file; the message names them as what they are.
    if (sourceName == kPastedPoints)
      message.replace(QStringLiteral("文件“%1”").arg(kPastedPoints), kPastedPoints);
    return host_.refuse(message, sourceName == kPastedPoints ? ui_->pointsEdit : nullptr);
  }
  struct Result {
    std::vector<InverseCsvRow> rows;
    PlanPointIndex plan;
    std::vector<Point> points;       // the plan's, as the file gives them
    std::vector<std::string> names;  // the plan's, one a point
  };
  auto result = std::make_shared<Result>();
  auto points = std::make_shared<std::vector<SurveyPoint>>(
      std::get<std::vector<SurveyPoint>>(std::move(parsed)));
  const double max = std::get<double>(maxOffset);
  const bool all = ui_->allFeetCheck->isChecked();
  // With a profile each row gets 设计高程 at its foot (with cross sections,
  // the surface's at the point's own offset, and with the side slopes a
  // point beyond the road's edge the slope's, chosen by the ground when
  // there is one), and 高差 and 挖填 against the point's H, as the
  // command's inverse does.
  auto profile = document_.profile();
  auto sections = profile ? document_.sections() : nullptr;
  auto slopes = sections ? document_.slopes() : nullptr;
  auto ground = slopes ? document_.ground() : nullptr;
  const double endTolerance = document_.positionTolerance();
  host_.startJob(
      [route, points, result, max, all, profile, sections, ground, slopes,
       endTolerance](JobProgress& progress) {
        progress.total = static_cast<long long>(points->size());
        std::optional<InverseHeights> heights;
        if (profile)
          heights.emplace(*route, *profile, sections.get(), GroundOf(ground), slopes.get(),
                          endTolerance);
        result->names.reserve(points->size());
        for (size_t i = 0; i < points->size(); ++i) {
          if (progress.cancelled()) return;
          const SurveyPoint& p = (*points)[i];
          result->names.push_back(p.name.toStdString());
          for (InverseCsvRow& row :
               InverseRows(result->names.back(), p.xText.toStdString(), p.yText.toStdString(),
                           RouteFeet(*route, p.point, max, endTolerance), all)) {
            if (heights) heights->Fill(row, p.height);
            result->rows.push_back(std::move(row));
          }
          if (i % 256 == 0) progress.done = static_cast<long long>(i);
        }
        result->points.reserve(points->size());
        for (const SurveyPoint& p : *points) result->points.push_back(p.point);
        result->plan = IndexPlanPoints(
            result->points.size(), [&points = result->points](std::size_t i) { return points[i]; });
      },
      [this, result, profile, usesSections = sections != nullptr, usesSlopes = slopes != nullptr,
       usesGround = ground != nullptr] {
        FreeInBackground(
            inverse_->setRows(std::move(result->rows), profile, usesSections, usesSlopes));
        rowsMetGround_ = usesGround;
        FitColumns(ui_->inverseTable);
        showInversePoints(std::move(result->plan), std::move(result->points),
                          std::move(result->names));
        host_.showStatus(QStringLiteral("批量反算：%1行").arg(inverse_->rowCount()));
      });
}

void InversePage::showInversePoints(PlanPointIndex index, std::vector<Point> points,
                                    std::vector<std::string> names) {
  // The plan names each point as the table does.
  auto at = std::make_shared<std::vector<Point>>(std::move(points));
  auto shared = std::make_shared<std::vector<std::string>>(std::move(names));
  host_.plan().setPoints(
      RoutePlanView::Layer::Inverse, std::move(index), [at](std::size_t i) { return (*at)[i]; },
      [shared](std::size_t i) { return Text((*shared)[i]); });
}

void InversePage::showOnSectionClicked() {
  if (inverse_->rowCount() == 0) return host_.refuse(QStringLiteral("请先进行批量反算！"));
  const QModelIndex current = ui_->inverseTable->currentIndex();
  if (!current.isValid())
    return host_.refuse(QStringLiteral("请先在反算结果中选择一个点！"), ui_->inverseTable);
  const InverseCsvRow& row = inverse_->rows()[static_cast<std::size_t>(current.row())];
  if (!row.foot)
    return host_.refuse(QStringLiteral("点“%1”没有垂足，不在任何横断面上！").arg(Text(row.name)));
  emit pointChosen(InverseSectionPoint(row, inverse_->profile()));
}

void InversePage::saveInverseClicked() {
  if (host_.refusedWhileWorking()) return;
  if (inverse_->rowCount() == 0) return host_.refuse(QStringLiteral("请先进行批量反算！"));
  QString type;
  const QString path = host_.chooseSave(QStringLiteral("inverse CSV"), kCsvSaveTypes, &type);
  if (path.isEmpty()) return;
  host_.saveInBackground(
      path, [rows = &inverse_->rows(), prefix = inverse_->stationPrefix(),
             heights = inverse_->profile() != nullptr, notes = inverse_->notes(),
             toCatchPoint = inverse_->toCatchPoint(), path, encoding = CsvEncoding(type)] {
        return SaveTextFile(path, InverseCsvText(*rows, prefix, heights, notes, toCatchPoint),
                            encoding);
      });
}

}  // namespace tarnvel
