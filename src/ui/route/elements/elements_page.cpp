#include "ui/route/elements/elements_page.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <algorithm>
#include <variant>

#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/files/save_file.h"
#include "io/landxml/landxml_export.h"
#include "io/landxml/landxml_import.h"
#include "io/route/jd_file.h"
#include "io/route/route_file.h"
#include "io/route/route_source.h"
#include "ui/common/background_job.h"
#include "ui/common/message_boxes.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_inputs.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/common/table_columns.h"
#include "ui/route/elements/route_element_model.h"
#include "ui_elements_page.h"

namespace tarnvel {

namespace {

const QString kRouteFileTypes = QStringLiteral("线元表(*.txt *.csv *.dat);;所有文件(*.*)");
const QString kJdFileTypes = QStringLiteral("交点表(*.txt *.csv *.dat);;所有文件(*.*)");
const QString kLandXmlFileTypes = QStringLiteral("LandXML(*.xml)");

}  // namespace

ElementsPage::ElementsPage(RoutePageHost& host, RouteDocument& document, SendElement sendElement,
                           QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::ElementsPage>()),
      host_(host),
      document_(document),
      sendElement_(std::move(sendElement)),
      elements_(new RouteElementModel(this)) {
  ui_->setupUi(this);
  askToSave_ = [](QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kMessageCaption, text,
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save);
  };
  ui_->elementTable->setModel(elements_);
  PrepareTable(ui_->elementTable, true);
  ui_->elementTable->horizontalHeader()->setDefaultSectionSize(92);
  // The joint's label and status come first, where a 超限 joint is seen at
  // any width; its figures follow the name, and the status cell's tooltip
  // gives them too.
  QHeaderView* elementHeader = ui_->elementTable->horizontalHeader();
  elementHeader->moveSection(elementHeader->visualIndex(RouteElementModel::kStatusColumn), 0);
  elementHeader->moveSection(elementHeader->visualIndex(RouteElementModel::kLabelColumn), 0);

  const auto guarded = [this](void (ElementsPage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->importButton, &QPushButton::clicked, this, guarded(&ElementsPage::importClicked));
  connect(ui_->jdButton, &QPushButton::clicked, this, guarded(&ElementsPage::jdClicked));
  connect(ui_->landXmlImportButton, &QPushButton::clicked, this,
          guarded(&ElementsPage::landXmlImportClicked));
  connect(ui_->landXmlExportButton, &QPushButton::clicked, this,
          guarded(&ElementsPage::landXmlExportClicked));
  connect(ui_->saveButton, &QPushButton::clicked, this, guarded(&ElementsPage::saveClicked));
  connect(ui_->sendButton, &QPushButton::clicked, this, guarded(&ElementsPage::sendClicked));
  connect(ui_->jointsPdfButton, &QPushButton::clicked, this,
          guarded(&ElementsPage::exportPdfClicked));
  connect(ui_->jointsPrintButton, &QPushButton::clicked, this,
          guarded(&ElementsPage::printClicked));
  connect(ui_->addRowButton, &QPushButton::clicked, this, guarded(&ElementsPage::addRowClicked));
  connect(ui_->insertRowButton, &QPushButton::clicked, this,
          guarded(&ElementsPage::insertRowClicked));
  connect(ui_->deleteRowButton, &QPushButton::clicked, this,
          guarded(&ElementsPage::deleteRowClicked));
  connect(ui_->tolPosition, &QDoubleSpinBox::valueChanged, this, &ElementsPage::tolerancesChanged);
  connect(ui_->tolAzimuth, &QDoubleSpinBox::valueChanged, this, &ElementsPage::tolerancesChanged);
  connect(elements_, &RouteElementModel::rowsRead, this, &ElementsPage::reportRoute);
  // The joints are checked against the 断链 and tolerances the window
  // declares; a change of the 断链 counts as unsaved.
  connect(&document_, &RouteDocument::equationsChanged, this,
          [this] { elements_->setEquations(document_.equations()); });
  connect(&document_, &RouteDocument::tolerancesChanged, this,
          [this] { elements_->setTolerances(document_.tolerances()); });
  connect(&document_, &RouteDocument::stationPrefixChanged, elements_,
          &RouteElementModel::setStationPrefix);
  connect(ui_->elementTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &ElementsPage::showCellProblem);
}

ElementsPage::~ElementsPage() = default;

bool ElementsPage::settleUnsavedChanges(const QString& question) {
  if (!elements_->isModified()) return true;
  switch (askToSave_(window(), question)) {
    case QMessageBox::Save:
      return saveElements();
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

void ElementsPage::refuseWithoutRoute() {
  host_.refuse(
      elements_->rowCount() == 0 ? QStringLiteral("请先导入或输入线元表！") : elements_->problem(),
      ui_->elementTable);
}

void ElementsPage::importClicked() {
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，是否先保存？"))) return;
  const QString path = host_.chooseOpen(QStringLiteral("route"), kRouteFileTypes);
  if (path.isEmpty()) return;
  auto loaded = LoadRoute(path);
  if (auto* refusal = std::get_if<FileRefusal>(&loaded)) {
    host_.refuse(refusal->message);  // the table keeps what it held
    return;
  }
  emit curvesCleared();
  const Route& route = std::get<Route>(loaded);
  showImportedRoute(route.elements, path, route.equations);
}

void ElementsPage::showImportedRoute(const std::vector<RouteElement>& elements, const QString& path,
                                     const std::vector<StationEquation>& equations) {
  document_.beginReplacingRoute();
  document_.setEquations(equations);
  elements_->setElements(elements);
  ui_->elementTable->resizeColumnsToContents();
  document_.endReplacingRoute();
  window()->setWindowFilePath(path);
}

// A JD table becomes the element table; its design table is shown beside it.
// The elements are not yet in a file of their own, so they count as unsaved.
// A blank BP里程 is BP's 交点桩号 in the table, or 0, as from-jd takes it.
void ElementsPage::jdClicked() {
  std::optional<double> given;
  if (!ui_->jdStartEdit->text().trimmed().isEmpty()) {
    const auto start = ReadStationInput(ui_->jdStartEdit);
    if (auto* message = std::get_if<QString>(&start))
      return host_.refuse(*message, ui_->jdStartEdit);
    given = std::get<double>(start);
  }
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，是否先保存？"))) return;
  const QString path = host_.chooseOpen(QStringLiteral("JD"), kJdFileTypes);
  if (path.isEmpty()) return;
  auto read = ReadJdFile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&read)) return host_.refuse(refusal->message);
  const JdTable& table = std::get<JdTable>(read);
  const double start = JdStartStation(table, given);
  auto made = InFile(path, JdRouteOfTable(table, start));
  if (auto* refusal = std::get_if<FileRefusal>(&made)) return host_.refuse(refusal->message);
  showImportedRoute(std::get<JdRoute>(made).route.elements, QString(), table.equations);
  elements_->setModified(true);
  jdMade_ = elements_->rows();
  emit jdPointsRead(table.points);
  emit jdTableMade(table, given);
}

// The JD table edited keeps the 断链 declared.
bool ElementsPage::showJdElements(const std::vector<RouteElement>& elements) {
  if (elements_->rows() != jdMade_ &&
      !settleUnsavedChanges(QStringLiteral("线元表已修改，按交点表重新生成前是否保存？")))
    return false;
  showImportedRoute(elements, QString(), document_.equations());
  elements_->setModified(true);
  jdMade_ = elements_->rows();
  return true;
}

// The file's first alignment, each End it gives checked against the end
// Tarnvel computes, with the window's tolerances. A file of a hundred
// megabytes takes seconds, so it is read as a job that 取消 stops.
void ElementsPage::landXmlImportClicked() {
  if (host_.refusedWhileWorking()) return;
  if (!settleUnsavedChanges(QStringLiteral("线元表已修改，是否先保存？"))) return;
  const QString path = host_.chooseOpen(QStringLiteral("LandXML"), kLandXmlFileTypes);
  if (path.isEmpty()) return;
  auto read = std::make_shared<FileOutcome<LandXmlAlignment>>();
  host_.startJob(
      [read, path, tolerances = document_.tolerances(),
       size = QFileInfo(path).size()](JobProgress& progress) {
        progress.total = size;
        *read = ReadLandXmlAlignment(path, {}, tolerances, [&progress](qint64 bytesRead) {
          progress.done = bytesRead;
          return !progress.cancelled();
        });
      },
      [this, read, path] {
        if (auto* refusal = std::get_if<FileRefusal>(read.get()))
          return host_.refuse(refusal->message);
        const LandXmlAlignment& alignment = std::get<LandXmlAlignment>(*read);
        emit curvesCleared();
        showImportedRoute(alignment.route.elements, path, {});
        const auto bad = std::count_if(alignment.endChecks.begin(), alignment.endChecks.end(),
                                       [](const LandXmlEndCheck& c) { return !c.closed; });
        QString note = QStringLiteral("LandXML线路“%1”").arg(alignment.name);
        if (alignment.allNames.size() > 1)
          note += QStringLiteral("（文件共%1条线路，读取第一条）").arg(alignment.allNames.size());
        if (bad > 0) note += QStringLiteral("：%1个线元的End与计算终点超限").arg(bad);
        host_.showStatus(note);
      });
}

void ElementsPage::landXmlExportClicked() {
  if (!elements_->route()) return host_.refuse(elements_->problem(), ui_->elementTable);
  const QString path = host_.chooseSave(QStringLiteral("LandXML"), kLandXmlFileTypes);
  if (path.isEmpty()) return;
  // The alignment is called as the file is.
  if (auto refusal =
          SaveLandXmlAlignment(path, *elements_->route(), QFileInfo(path).completeBaseName()))
    return host_.refuse(refusal->message);
  host_.showStatus(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
}

bool ElementsPage::saveElements() {
  if (!elements_->route()) {
    host_.refuse(elements_->problem());
    return false;
  }
  const QString path = host_.chooseSave(QStringLiteral("route"), kRouteFileTypes);
  if (path.isEmpty()) return false;
  if (auto refusal = SaveRouteFile(path, elements_->route()->elements, elements_->equations())) {
    host_.refuse(refusal->message);
    return false;
  }
  elements_->setModified(false);
  window()->setWindowFilePath(path);
  return true;
}

void ElementsPage::saveClicked() {
  saveElements();
}

void ElementsPage::sendClicked() {
  const int row = ui_->elementTable->currentIndex().row();
  if (row < 0) {
    host_.refuse(QStringLiteral("请先在线元表中选择一个线元！"), ui_->elementTable);
    return;
  }
  std::array<QString, 8> texts;
  for (int c = 0; c < 8; ++c) {
    if (const QString problem = elements_->cellProblem(row, c); !problem.isEmpty()) {
      host_.refuse(problem, ui_->elementTable);
      ui_->elementTable->setCurrentIndex(elements_->index(row, c));
      return;
    }
    texts[static_cast<size_t>(c)] =
        elements_->rows()[static_cast<size_t>(row)][static_cast<size_t>(c)].trimmed();
  }
  // The main window reads metres: a station typed as K text goes as them.
  for (QString* station : {&texts[0], &texts[1]})
    if (!ReadStrict(station->toStdString()))
      *station = QString::fromStdString(GeneralText(*ReadStationText(station->toStdString())));
  sendElement_(texts);
  host_.showStatus(QStringLiteral("第%1个线元已送到主窗口").arg(row + 1), 5000);
}

// The joint report: one row per joint, its columns as the table shows them.
// The texts are copied, since the table may be edited while the PDF is
// written. Nothing, after telling the user why, while the table has a fault.
std::optional<TableDocument> ElementsPage::jointReport() {
  if (!elements_->route()) {
    host_.refuse(elements_->problem(), ui_->elementTable);
    return std::nullopt;
  }
  TableDocument report =
      ModelDocument(*elements_,
                    {RouteElementModel::kLabelColumn, RouteElementModel::kStatusColumn,
                     RouteElementModel::kDkColumn, RouteElementModel::kDistanceColumn,
                     RouteElementModel::kAzimuthColumn},
                    QStringLiteral("线元接头检查表"), *this, RowTexts::Copied);
  report.rowCount = static_cast<qsizetype>(elements_->joints().size());
  return report;
}

void ElementsPage::exportPdfClicked() {
  if (host_.refusedWhileWorking()) return;
  if (auto report = jointReport()) ExportTablePdf(host_, std::move(*report));
}

void ElementsPage::printClicked() {
  if (auto report = jointReport()) printPreview_(window(), *report);
}

void ElementsPage::addRowClicked() {
  elements_->insertRows(elements_->rowCount(), 1);
  ui_->elementTable->setCurrentIndex(elements_->index(elements_->rowCount() - 1, 0));
}

void ElementsPage::insertRowClicked() {
  const int row = std::max(ui_->elementTable->currentIndex().row(), 0);
  elements_->insertRows(row, 1);
  ui_->elementTable->setCurrentIndex(elements_->index(row, 0));
}

void ElementsPage::deleteRowClicked() {
  const int row = ui_->elementTable->currentIndex().row();
  if (row < 0) {
    host_.refuse(QStringLiteral("请先在线元表中选择要删除的行！"), ui_->elementTable);
    return;
  }
  elements_->removeRows(row, 1);
}

void ElementsPage::tolerancesChanged() {
  document_.setTolerances({ui_->tolPosition->value(), ui_->tolAzimuth->value()});
}

void ElementsPage::showCellProblem(const QModelIndex& index) {
  const QString problem = elements_->cellProblem(index.row(), index.column());
  if (!problem.isEmpty()) host_.showStatus(problem);
}

void ElementsPage::reportRoute() {
  const auto& route = elements_->route();
  if (!route) {
    // The plan keeps the last good route while a cell is being corrected.
    // The cell the user is on is named first, then the table's first fault.
    document_.setRoute(nullptr, {});
    // An empty table is where every route starts, not a fault: the user is
    // told what to do first.
    if (elements_->rowCount() == 0)
      return host_.showStatus(QStringLiteral("请输入线元，或导入线元表、交点表或LandXML文件。"));
    const QModelIndex current = ui_->elementTable->currentIndex();
    const QString here = elements_->cellProblem(current.row(), current.column());
    host_.showStatus(here.isEmpty() ? elements_->problem() : here);
    return;
  }
  const auto& joints = elements_->joints();
  document_.setRoute(std::make_shared<const Route>(*route), joints);
  const auto bad =
      std::count_if(joints.begin(), joints.end(), [](const Joint& j) { return !j.closed; });
  host_.showStatus(
      bad == 0 ? QStringLiteral("%1个线元，接头全部闭合").arg(route->elements.size())
               : QStringLiteral("%1个线元，%2个接头超限").arg(route->elements.size()).arg(bad));
}

}  // namespace tarnvel
