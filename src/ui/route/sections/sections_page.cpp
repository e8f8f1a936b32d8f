#include "ui/route/sections/sections_page.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>
#include <utility>
#include <variant>

#include "core/earthworks/section_areas.h"
#include "core/route/route_position.h"
#include "core/slopes/design_surface.h"
#include "core/surface/ground.h"
#include "core/text/station_text.h"
#include "io/section/section_file.h"
#include "ui/common/file_dialog.h"
#include "ui/common/flow_layout.h"
#include "ui/common/message_boxes.h"
#include "ui/common/pasted_cells.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/station_cell_text.h"
#include "ui/route/sections/section_table_model.h"
#include "ui_sections_page.h"

namespace tarnvel {

namespace {

const QString kSectionFileTypes = QStringLiteral("横断面表(*.csv *.txt);;所有文件(*.*)");

// What pasted sections are called in messages, where a file would be named.
const QString kPastedSections = QStringLiteral("粘贴的横断面表");

}  // namespace

SectionsPage::SectionsPage(RouteDocument& document, MessageBoxes& boxes, WindowFileDialogs& files,
                           QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::SectionsPage>()),
      document_(document),
      boxes_(boxes),
      files_(files),
      rows_(new SectionTableModel(this)) {
  ui_->setupUi(this);
  ui_->sectionTable->setModel(rows_);
  // The drawing takes the room the window gives the page, and the table's
  // pane can be narrowed for it, its buttons wrapping.
  FlowInstead(*ui_->tableLayout, *ui_->tableButtons);
  ui_->pageSplitter->setStretchFactor(0, 0);
  ui_->pageSplitter->setStretchFactor(1, 1);
  connect(ui_->importSectionsButton, &QPushButton::clicked, this, &SectionsPage::chooseAndImport);
  connect(ui_->saveSectionsButton, &QPushButton::clicked, this, &SectionsPage::chooseAndSave);
  connect(ui_->insertSectionButton, &QPushButton::clicked, this, &SectionsPage::insertSection);
  connect(ui_->removeSectionButton, &QPushButton::clicked, this, &SectionsPage::removeSection);
  connect(ui_->pasteSectionsButton, &QPushButton::clicked, this, &SectionsPage::pasteSections);
  // Ctrl+V in the table pastes cells as a spreadsheet copies them.
  auto* paste = new QShortcut(QKeySequence::Paste, ui_->sectionTable, nullptr, nullptr,
                              Qt::WidgetWithChildrenShortcut);
  connect(paste, &QShortcut::activated, this, &SectionsPage::pasteSections);
  connect(ui_->exaggerationBox, &QDoubleSpinBox::valueChanged, ui_->sectionView,
          &SectionView::setExaggeration);
  connect(ui_->stationEdit, &QLineEdit::editingFinished, this, &SectionsPage::stationTyped);
  // What the rows make is the window's cross sections; the page draws them
  // as the document holds them.
  connect(rows_, &SectionTableModel::rowsRead, this, &SectionsPage::handOverTable);
  connect(&document_, &RouteDocument::sectionsChanged, this, &SectionsPage::tableChanged);
  connect(&document_, &RouteDocument::profileChanged, this, &SectionsPage::profileChanged);
  connect(&document_, &RouteDocument::groundChanged, this, &SectionsPage::showSection);
  connect(&document_, &RouteDocument::slopesChanged, this, &SectionsPage::showSection);
  connect(&document_, &RouteDocument::stationPrefixChanged, this, &SectionsPage::setStationPrefix);
  ui_->sectionView->setExaggeration(ui_->exaggerationBox->value());
  handOverTable();
}

SectionsPage::~SectionsPage() = default;

const CrossSectionTable* SectionsPage::sections() const {
  return document_.sections().get();
}

bool SectionsPage::importSections(const QString& path) {
  auto read = ReadSectionFile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&read)) {
    boxes_.show(this, refusal->message, MessageIcon::Exclamation, kMessageCaption);
    return false;
  }
  showTable(std::get<CrossSectionTable>(read));
  return true;
}

// A new table is first seen at its first listed station.
void SectionsPage::showTable(const CrossSectionTable& table) {
  station_ = table.stations.front().station;
  showStation(*station_);
  rows_->setTable(table);
  ui_->sectionTable->resizeColumnsToContents();
}

void SectionsPage::profileChanged() {
  point_.reset();
  showSection();
}

void SectionsPage::followStation(double station) {
  if (!ui_->followPlanCheck->isChecked()) return;
  station_ = station;
  point_.reset();
  showStation(station);
  ui_->stationProblemLabel->clear();
  showSection();
}

void SectionsPage::showPoint(const SectionPoint& point) {
  ui_->followPlanCheck->setChecked(false);
  station_ = point.station;
  point_ = point;
  showStation(point.station);
  ui_->stationProblemLabel->clear();
  showSection();
}

void SectionsPage::setStationPrefix(const QString& prefix) {
  const std::string from = std::exchange(stationPrefix_, prefix.toStdString());
  rows_->setStationPrefix(prefix);
  ui_->stationEdit->setText(ReprefixedStationText(ui_->stationEdit->text(), from, stationPrefix_));
  ui_->sectionView->setStationPrefix(prefix);
}

void SectionsPage::showStation(double station) {
  ui_->stationEdit->setText(QString::fromStdString(KStationText(station, stationPrefix_)));
}

void SectionsPage::stationTyped() {
  const auto station = ReadStationText(ui_->stationEdit->text().toStdString());
  if (!station) {
    ui_->stationProblemLabel->setText(QStringLiteral("“桩号”不是有效的桩号！"));
    return;
  }
  ui_->stationProblemLabel->clear();
  // The field shows a point's station to the millimetre: left as it shows
  // it, the station is still the point's own.
  if (point_ && KStationText(*station) == KStationText(point_->station)) return;
  station_ = station;
  point_.reset();
  showSection();
}

void SectionsPage::chooseAndImport() {
  const QString path = files_.open(this, QStringLiteral("sections"), kSectionFileTypes);
  if (!path.isEmpty()) importSections(path);
}

void SectionsPage::chooseAndSave() {
  if (!document_.sections()) {
    boxes_.show(
        this,
        rows_->problem().isEmpty() ? QStringLiteral("横断面表中没有桩号！") : rows_->problem(),
        MessageIcon::Exclamation, kMessageCaption);
    return;
  }
  const QString path = files_.save(this, QStringLiteral("sections"), kSectionFileTypes);
  if (path.isEmpty()) return;
  if (const auto refusal = SaveSectionFile(path, *document_.sections()))
    boxes_.show(this, refusal->message, MessageIcon::Exclamation, kMessageCaption);
}

void SectionsPage::insertSection() {
  const QModelIndex current = ui_->sectionTable->currentIndex();
  const int row = current.isValid() ? current.row() + 1 : rows_->rowCount();
  rows_->insertRows(row, 1);
  ui_->sectionTable->setCurrentIndex(rows_->index(row, 0));
}

void SectionsPage::removeSection() {
  const QModelIndex current = ui_->sectionTable->currentIndex();
  if (current.isValid()) rows_->removeRows(current.row(), 1);
}

// A 路基设计表 copied with its header row becomes the table, its columns
// read as the file's are; rows without it are cells put in at the current
// cell (the table's first when none is current).
void SectionsPage::pasteSections() {
  const QString text = QGuiApplication::clipboard()->text();
  const QList<QStringList> cells = PastedCells(text);
  if (cells.isEmpty()) {
    boxes_.show(this, QStringLiteral("剪贴板中没有可粘贴的横断面！"), MessageIcon::Exclamation,
                kMessageCaption);
    return;
  }
  if (cells.front().front() == QStringLiteral("桩号")) {
    auto read = ParseSectionFile(text.toUtf8());
    if (auto* refusal = std::get_if<ContentRefusal>(&read)) {
      boxes_.show(this, kPastedSections + PlaceAndRest(*refusal), MessageIcon::Exclamation,
                  kMessageCaption);
      return;
    }
    return showTable(std::get<CrossSectionTable>(read));
  }
  const QModelIndex current = ui_->sectionTable->currentIndex();
  rows_->paste(std::max(current.row(), 0), std::max(current.column(), 0), text);
}

void SectionsPage::handOverTable() {
  const auto& table = rows_->table();
  document_.setSections(table ? std::make_shared<const CrossSectionTable>(*table) : nullptr);
}

void SectionsPage::tableChanged() {
  point_.reset();
  ui_->problemLabel->setText(rows_->problem());
  showSection();
}

// The section at the station drawn, with the profile's elevation at its
// design line when the profile reaches the station, the point shown, and
// with that elevation the earthworks, when there is ground or slopes.
void SectionsPage::showSection() {
  const auto& table = document_.sections();
  if (!table || !station_) return ui_->sectionView->setDrawing(std::nullopt);
  SectionDrawing drawing{
      SectionAt(*table, *station_), table->leftParts, table->rightParts, {}, point_, {}};
  if (const auto& profile = document_.profile())
    if (const auto at = ProfileAt(*profile, *station_)) drawing.designElevation = at->elevation;
  drawing.earthworks = earthworksAt(drawing.section, drawing.designElevation);
  ui_->sectionView->setDrawing(std::move(drawing));
}

// Each side's catch point from the ground and the slopes at the station,
// as the command computes them, on the route's first pass over it; without
// a design elevation, each side says so.
std::optional<SectionEarthworks> SectionsPage::earthworksAt(
    const SectionStation& section, std::optional<double> designElevation) const {
  const auto& route = document_.route();
  if (!route || (!document_.ground() && !document_.slopes())) return std::nullopt;
  const std::optional<double> position = RoutePositions(*route).OfStation(*station_, 1);
  if (!position) return std::nullopt;
  static const SideSlopes kNoSlopes;
  const SideSlopes& slopes = document_.slopes() ? *document_.slopes() : kNoSlopes;
  SectionEarthworks earthworks;
  earthworks.ground = GroundAcross(GroundOf(document_.ground()), *position);
  for (const bool left : {true, false})
    (left ? earthworks.left : earthworks.right) =
        CatchPointAt(section, designElevation, earthworks.ground, slopes, *position, left);
  if (!designElevation) return earthworks;
  earthworks.design = DesignSurface(section, *designElevation, earthworks.left, earthworks.right,
                                    slopes, *position);
  earthworks.areas = FillAndCut(earthworks.design, earthworks.ground);
  // Measured as the volumes table measures them: only between two catch
  // points.
  if (earthworks.left.catchPoint && earthworks.right.catchPoint)
    earthworks.measured = AreasOf(earthworks.areas);
  return earthworks;
}

}  // namespace tarnvel
