#include "ui/route/slopes/slopes_page.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QShortcut>
#include <algorithm>
#include <variant>

#include "core/route/route_position.h"
#include "core/surface/tin_outline.h"
#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/ground/ground_file.h"
#include "io/route/route_source.h"
#include "io/slopes/slope_file.h"
#include "io/surface/tin_file.h"
#include "ui/common/background_job.h"
#include "ui/common/flow_layout.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_inputs.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/plan/route_plan_view.h"
#include "ui/route/slopes/slope_table_model.h"
#include "ui_slopes_page.h"

namespace tarnvel {

namespace {

const QString kSlopeFileTypes = QStringLiteral("边坡表(*.csv *.txt);;所有文件(*.*)");
const QString kGroundFileTypes = QStringLiteral("横断面地面线(*.csv *.txt *.dat);;所有文件(*.*)");
const QString kSurfaceFileTypes = QStringLiteral(
    "地面模型(*.csv *.txt *.dat *.xml);;地形点(*.csv *.txt *.dat);;LandXML(*.xml);;所有文件(*.*)");

// The same lines at the same places along the route.
bool SamePlaces(const GroundLines& a, const GroundLines& b) {
  return std::equal(a.lines.begin(), a.lines.end(), b.lines.begin(), b.lines.end(),
                    [](const GroundLine& x, const GroundLine& y) {
                      return x.position == y.position && x.points.size() == y.points.size();
                    });
}

// The same centre line: a surface's sections are cut square to it, so the
// ground stays as it was while only a name or a 断链 is edited.
bool SameCentreLine(const Route& a, const Route& b) {
  return std::equal(
      a.elements.begin(), a.elements.end(), b.elements.begin(), b.elements.end(),
      [](const RouteElement& x, const RouteElement& y) { return x.values == y.values; });
}

// A surface placed along `route`. Its positions refer to the route, which
// it holds for as long as a page or a job computes with it.
std::shared_ptr<const SurveyedGround> PlacedSurface(std::shared_ptr<const Route> route, Tin tin,
                                                    double width) {
  struct Held {
    std::shared_ptr<const Route> route;
    SurveyedGround ground;
  };
  const Route& along = *route;
  auto held = std::make_shared<const Held>(
      Held{std::move(route), SurfaceGround{std::move(tin), RoutePositions(along), width}});
  return {held, &held->ground};
}

// A positive number typed, or nothing for a blank box when `blank` allows.
std::variant<QString, std::optional<double>> ReadPositive(const QLineEdit* box, bool blank) {
  if (blank && box->text().trimmed().isEmpty()) return std::optional<double>();
  const auto read = ReadInput(box);
  if (const auto* message = std::get_if<QString>(&read)) return *message;
  if (std::get<double>(read) <= 0)
    return QStringLiteral("“%1”必须大于0！").arg(box->accessibleName());
  return std::optional<double>(std::get<double>(read));
}

}  // namespace

SlopesPage::SlopesPage(RoutePageHost& host, RouteDocument& document, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::SlopesPage>()),
      host_(host),
      document_(document),
      rows_(new SlopeTableModel(this)) {
  ui_->setupUi(this);
  ui_->slopeTable->setModel(rows_);
  FlowInstead(*ui_->pageLayout, *ui_->slopeButtons);
  const auto guarded = [this](void (SlopesPage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->importSlopesButton, &QPushButton::clicked, this,
          guarded(&SlopesPage::chooseAndImportSlopes));
  connect(ui_->saveSlopesButton, &QPushButton::clicked, this,
          guarded(&SlopesPage::chooseAndSaveSlopes));
  connect(ui_->importGroundButton, &QPushButton::clicked, this,
          guarded(&SlopesPage::chooseAndImportGround));
  connect(ui_->importSurfaceButton, &QPushButton::clicked, this,
          guarded(&SlopesPage::chooseAndImportSurface));
  connect(ui_->insertSlopeButton, &QPushButton::clicked, this, &SlopesPage::insertSlope);
  connect(ui_->removeSlopeButton, &QPushButton::clicked, this, &SlopesPage::removeSlope);
  connect(ui_->pasteSlopesButton, &QPushButton::clicked, this, &SlopesPage::pasteSlopes);
  // Ctrl+V in the table pastes cells as a spreadsheet copies them.
  auto* paste = new QShortcut(QKeySequence::Paste, ui_->slopeTable, nullptr, nullptr,
                              Qt::WidgetWithChildrenShortcut);
  connect(paste, &QShortcut::activated, this, &SlopesPage::pasteSlopes);
  connect(rows_, &SlopeTableModel::rowsRead, this, &SlopesPage::handOverSlopes);
  connect(&document_, &RouteDocument::routeChanged, this, &SlopesPage::routeChanged);
  routeChanged();
  showGround();
}

SlopesPage::~SlopesPage() = default;

bool SlopesPage::importSlopes(const QString& path) {
  if (host_.refusedWithoutRoute()) return false;
  auto read = ReadSlopeFileLines(path, RoutePositions(*document_.route()));
  if (auto* refusal = std::get_if<FileRefusal>(&read)) {
    host_.refuse(refusal->message);
    return false;
  }
  rows_->setLines(std::get<SlopeFileLines>(read).fields);
  ui_->slopeTable->resizeColumnsToContents();
  return true;
}

// Read as ReadGroundFile reads it, its bytes kept for what they say when
// the route changes under them.
bool SlopesPage::importGround(const QString& path) {
  if (host_.refusedWithoutRoute()) return false;
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) {
    host_.refuse(refusal->message);
    return false;
  }
  auto read = InFile(
      path, ParseGroundFile(std::get<QByteArray>(bytes), RoutePositions(*document_.route())));
  if (auto* refusal = std::get_if<FileRefusal>(&read)) {
    host_.refuse(refusal->message);
    return false;
  }
  auto& ground = std::get<GroundLines>(read);
  groundFile_ = GroundFile{path, std::move(std::get<QByteArray>(bytes)), ground.lines};
  surfaceFile_.reset();
  host_.plan().setGroundOutline({});
  groundProblem_.clear();
  document_.setGround(std::make_shared<const SurveyedGround>(std::move(ground)));
  showGround();
  return true;
}

// A million points take seconds to triangulate: the window stays with the
// user meanwhile, and the ground changes only once the surface is whole.
bool SlopesPage::importSurface(const QString& path) {
  if (host_.refusedWithoutRoute()) return false;
  const auto maxEdge = ReadPositive(ui_->maxEdgeEdit, true);
  if (const auto* message = std::get_if<QString>(&maxEdge)) {
    host_.refuse(*message, ui_->maxEdgeEdit);
    return false;
  }
  const auto width = ReadPositive(ui_->groundWidthEdit, false);
  if (const auto* message = std::get_if<QString>(&width)) {
    host_.refuse(*message, ui_->groundWidthEdit);
    return false;
  }
  // A LandXML surface is used as its faces give it, as the command does.
  const std::optional<double> edge = std::get<std::optional<double>>(maxEdge);
  if (edge && IsLandXmlPath(path)) {
    host_.refuse(QStringLiteral("“最大边长”只用于点文件，LandXML地面模型的三角形按原样使用！"),
                 ui_->maxEdgeEdit);
    return false;
  }
  auto read = std::make_shared<std::optional<FileOutcome<TinFromPoints>>>();
  auto outline = std::make_shared<std::vector<std::array<Point, 2>>>();
  const double across = *std::get<std::optional<double>>(width);
  host_.showStatus(QStringLiteral("正在读入地面模型“%1”…").arg(FileNameForMessage(path)));
  host_.startJob(
      [path, edge, read, outline](JobProgress&) {
        *read = ReadTinFile(path, edge);
        const auto* made = std::get_if<TinFromPoints>(&**read);
        if (!made) return;
        const std::vector<TinPoint>& points = made->tin.points;
        for (const TinEdge& e : TinOutline(made->tin.faces))
          outline->push_back(
              {Point{points[e[0]].X, points[e[0]].Y}, Point{points[e[1]].X, points[e[1]].Y}});
      },
      [this, path, across, read, outline, route = document_.route()] {
        host_.showStatus(QString());
        if (const auto* refusal = std::get_if<FileRefusal>(&**read))
          return host_.refuse(refusal->message);
        auto& made = std::get<TinFromPoints>(**read);
        // Placed along the route it was asked on while the table
        // makes none.
        auto along = document_.route() ? document_.route() : route;
        surfaceFile_ = SurfaceFile{path, made.duplicates, across, along,
                                   PlacedSurface(along, std::move(made.tin), across)};
        groundFile_.reset();
        groundProblem_.clear();
        document_.setGround(surfaceFile_->placed);
        host_.plan().setGroundOutline(std::move(*outline));
        showGround();
      });
  return true;
}

void SlopesPage::chooseAndImportSlopes() {
  if (host_.refusedWithoutRoute()) return;
  const QString path = host_.chooseOpen(QStringLiteral("slopes"), kSlopeFileTypes);
  if (!path.isEmpty()) importSlopes(path);
}

void SlopesPage::chooseAndImportGround() {
  if (host_.refusedWithoutRoute()) return;
  const QString path = host_.chooseOpen(QStringLiteral("ground"), kGroundFileTypes);
  if (!path.isEmpty()) importGround(path);
}

void SlopesPage::chooseAndImportSurface() {
  if (host_.refusedWithoutRoute()) return;
  const QString path = host_.chooseOpen(QStringLiteral("surface"), kSurfaceFileTypes);
  if (!path.isEmpty()) importSurface(path);
}

// The rows as typed, once they make side slopes: what is saved reads back
// to the same table.
void SlopesPage::chooseAndSaveSlopes() {
  if (!rows_->slopes())
    return host_.refuse(rows_->problem().isEmpty() ? QStringLiteral("边坡表中没有边坡！")
                                                   : rows_->problem());
  const QString path = host_.chooseSave(QStringLiteral("slopes"), kSlopeFileTypes);
  if (path.isEmpty()) return;
  if (const auto refusal = SaveSlopeFile(path, rows_->rows()))
    return host_.refuse(refusal->message);
  host_.showStatus(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
}

void SlopesPage::insertSlope() {
  const QModelIndex current = ui_->slopeTable->currentIndex();
  const int row = current.isValid() ? current.row() + 1 : rows_->rowCount();
  rows_->insertRows(row, 1);
  ui_->slopeTable->setCurrentIndex(rows_->index(row, 0));
}

void SlopesPage::removeSlope() {
  const QModelIndex current = ui_->slopeTable->currentIndex();
  if (current.isValid()) rows_->removeRows(current.row(), 1);
}

// At the current cell, or at the table's first when none is current.
void SlopesPage::pasteSlopes() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.trimmed().isEmpty()) return host_.refuse(QStringLiteral("剪贴板中没有可粘贴的边坡！"));
  const QModelIndex current = ui_->slopeTable->currentIndex();
  rows_->paste(std::max(current.row(), 0), std::max(current.column(), 0), text);
}

// Slopes that come out the same, as a route edited elsewhere leaves them,
// leave the rows computed with them.
void SlopesPage::handOverSlopes() {
  ui_->slopeProblemLabel->setText(rows_->problem());
  const std::shared_ptr<const SideSlopes>& slopes = rows_->slopes();
  const std::shared_ptr<const SideSlopes>& held = document_.slopes();
  if (slopes == held || (slopes && held && *slopes == *held)) return;
  document_.setSlopes(slopes);
}

// A 线元表 being corrected makes no route for a while: the slopes and the
// ground stay placed along the last one that it made.
void SlopesPage::routeChanged() {
  if (!document_.route()) return;
  rows_->setRoute(document_.route());
  placeGround();
  placeSurface();
}

// The same TIN square to the new centre line.
void SlopesPage::placeSurface() {
  if (!surfaceFile_ || SameCentreLine(*surfaceFile_->route, *document_.route())) return;
  surfaceFile_->route = document_.route();
  surfaceFile_->placed = PlacedSurface(
      document_.route(), std::get<SurfaceGround>(*surfaceFile_->placed).tin, surfaceFile_->width);
  document_.setGround(surfaceFile_->placed);
}

void SlopesPage::placeGround() {
  if (!groundFile_) return;
  const RoutePositions positions(*document_.route());
  auto made = MakeGroundLines(groundFile_->lines, positions);
  if (auto* ground = std::get_if<GroundLines>(&made)) {
    groundProblem_.clear();
    const std::shared_ptr<const SurveyedGround>& held = document_.ground();
    const GroundLines* lines = held ? std::get_if<GroundLines>(held.get()) : nullptr;
    if (!lines || !SamePlaces(*lines, *ground))
      document_.setGround(std::make_shared<const SurveyedGround>(std::move(*ground)));
  } else {
    // The file says where, as it did when it was imported.
    auto read = InFile(groundFile_->path, ParseGroundFile(groundFile_->bytes, positions));
    const auto* refusal = std::get_if<FileRefusal>(&read);
    groundProblem_ = refusal ? refusal->message : QString();
    if (document_.ground()) document_.setGround(nullptr);
  }
  showGround();
}

void SlopesPage::showGround() {
  if (surfaceFile_) {
    const Tin& tin = std::get<SurfaceGround>(*surfaceFile_->placed).tin;
    return ui_->groundLabel->setText(
        QStringLiteral("地面模型“%1”：%2个点，%3个三角形，略去重复点%4个")
            .arg(QFileInfo(surfaceFile_->path).fileName())
            .arg(tin.points.size())
            .arg(tin.faces.size())
            .arg(surfaceFile_->duplicates));
  }
  if (!groundFile_) return ui_->groundLabel->setText(QStringLiteral("未导入地面线"));
  const QString name = QFileInfo(groundFile_->path).fileName();
  if (!groundProblem_.isEmpty())
    return ui_->groundLabel->setText(
        QStringLiteral("地面线“%1”不能沿当前线路定位，已停用：%2").arg(name, groundProblem_));
  ui_->groundLabel->setText(
      QStringLiteral("地面线“%1”：%2个桩号").arg(name).arg(groundFile_->lines.size()));
}

}  // namespace tarnvel
