#include "ui/route/curves/curves_page.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <numeric>

#include "core/jd/declared_chains.h"
#include "io/files/text_encoding.h"
#include "io/route/route_csv.h"
#include "ui/common/file_dialog.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/common/table_columns.h"
#include "ui/route/curves/design_table_model.h"
#include "ui/route/curves/jd_table_model.h"
#include "ui_curves_page.h"

namespace tarnvel {

CurvesPage::CurvesPage(RoutePageHost& host, RouteDocument& document, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::CurvesPage>()),
      host_(host),
      document_(document),
      jd_(new JdTableModel(this)),
      design_(new DesignTableModel(this)) {
  ui_->setupUi(this);
  ui_->jdTable->setModel(jd_);
  PrepareTable(ui_->jdTable, false);
  ui_->jdTable->horizontalHeader()->setDefaultSectionSize(110);
  ui_->curveTable->setModel(design_);
  PrepareTable(ui_->curveTable, false);
  ui_->jdStationLabel->hide();
  const auto guarded = [this](void (CurvesPage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->saveDesignButton, &QPushButton::clicked, this, guarded(&CurvesPage::saveClicked));
  connect(ui_->designPdfButton, &QPushButton::clicked, this,
          guarded(&CurvesPage::exportPdfClicked));
  connect(ui_->designPrintButton, &QPushButton::clicked, this, guarded(&CurvesPage::printClicked));
  connect(ui_->jdAddRowButton, &QPushButton::clicked, this, guarded(&CurvesPage::addRowClicked));
  connect(ui_->jdInsertRowButton, &QPushButton::clicked, this,
          guarded(&CurvesPage::insertRowClicked));
  connect(ui_->jdDeleteRowButton, &QPushButton::clicked, this,
          guarded(&CurvesPage::deleteRowClicked));
  connect(ui_->jdPasteButton, &QPushButton::clicked, this, guarded(&CurvesPage::pasteClicked));
  // Ctrl+V in the table pastes cells as a spreadsheet copies them.
  auto* paste = new QShortcut(QKeySequence::Paste, ui_->jdTable, nullptr, nullptr,
                              Qt::WidgetWithChildrenShortcut);
  connect(paste, &QShortcut::activated, this, guarded(&CurvesPage::pasteClicked));
  connect(jd_, &JdTableModel::edited, this, guarded(&CurvesPage::jdEdited));
  connect(ui_->jdTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &CurvesPage::showCellProblem);
  connect(&document_, &RouteDocument::stationPrefixChanged, this, &CurvesPage::setStationPrefix);
}

CurvesPage::~CurvesPage() = default;

void CurvesPage::setJdTable(const std::vector<JdPoint>& points,
                            std::optional<double> startStation) {
  jd_->setPoints(points, startStation);
  ui_->jdTable->resizeColumnsToContents();
  showDesign();
  ui_->curveTable->resizeColumnsToContents();
}

void CurvesPage::clear() {
  jd_->setPoints({}, std::nullopt);
  design_->setRows({});
  mismatches_.clear();
  ui_->jdStationLabel->clear();
  ui_->jdStationLabel->hide();
}

// The design table of the JD table's route; the last one made stays while
// a cell is being corrected.
void CurvesPage::showDesign() {
  if (!jd_->route()) return;
  design_->setRows(DesignTableRows(jd_->points(), jd_->startStation(), document_.equations()));
  showMismatches(jd_->points());
}

// The element table follows the JD table as the 线元表 follows its own
// cells: a table that makes a route replaces it, and one that does not is
// marked and said, the cell the user is on first.
void CurvesPage::jdEdited() {
  if (jd_->route()) {
    showDesign();
    emit jdRouteEdited(WithDeclaredChains(jd_->route()->route.elements, document_.equations()),
                       jd_->points());
    if (ui_->jdStationLabel->isHidden())
      host_.showStatus(QStringLiteral("交点表：%1个交点，已生成线元表").arg(jd_->rowCount()));
    return;
  }
  if (jd_->rowCount() == 0) return;
  const QModelIndex current = ui_->jdTable->currentIndex();
  const QString here = jd_->cellProblem(current.row(), current.column());
  host_.showStatus(here.isEmpty() ? jd_->problem() : here);
}

void CurvesPage::addRowClicked() {
  jd_->insertRows(jd_->rowCount(), 1);
  ui_->jdTable->setCurrentIndex(jd_->index(jd_->rowCount() - 1, 0));
}

void CurvesPage::insertRowClicked() {
  const int row = std::max(ui_->jdTable->currentIndex().row(), 0);
  jd_->insertRows(row, 1);
  ui_->jdTable->setCurrentIndex(jd_->index(row, 0));
}

void CurvesPage::deleteRowClicked() {
  const int row = ui_->jdTable->currentIndex().row();
  if (row < 0) return host_.refuse(QStringLiteral("请先在交点表中选择要删除的行！"), ui_->jdTable);
  jd_->removeRows(row, 1);
}

// At the current cell, or at the table's first when none is current.
void CurvesPage::pasteClicked() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.trimmed().isEmpty())
    return host_.refuse(QStringLiteral("剪贴板中没有可粘贴的交点！"), ui_->jdTable);
  const QModelIndex current = ui_->jdTable->currentIndex();
  jd_->paste(std::max(current.row(), 0), std::max(current.column(), 0), text);
}

void CurvesPage::showCellProblem(const QModelIndex& index) {
  const QString problem = jd_->cellProblem(index.row(), index.column());
  if (!problem.isEmpty()) host_.showStatus(problem);
}

// Published tables have typos: each 交点桩号 the table gives that the
// computation does not reach is said, as from-jd says it, and the table is
// shown all the same.
void CurvesPage::showMismatches(const std::vector<JdPoint>& points) {
  const std::vector<DesignRow>& rows = design_->rows();
  mismatches_.clear();
  for (size_t i = 0; i < rows.size() && i < points.size(); ++i)
    if (const auto difference = JdStationMismatch(rows[i], points[i].station))
      mismatches_.emplace_back(i, *difference);
  showMismatchTexts();
  if (!mismatches_.empty())
    host_.showStatus(QStringLiteral("交点桩号与计算不符%1处，见曲线表").arg(mismatches_.size()));
}

void CurvesPage::showMismatchTexts() {
  const std::vector<DesignRow>& rows = design_->rows();
  QStringList messages;
  for (const auto& [i, difference] : mismatches_)
    messages << QString::fromStdString(
        JdStationMismatchText(rows[i], i, rows.size(), difference, design_->stationPrefix()));
  ui_->jdStationLabel->setText(messages.join(u'\n'));
  ui_->jdStationLabel->setVisible(!messages.isEmpty());
}

void CurvesPage::setStationPrefix(const QString& prefix) {
  design_->setStationPrefix(prefix);
  showMismatchTexts();
}

bool CurvesPage::refusedWithoutTable() {
  if (host_.refusedWhileWorking()) return true;
  if (design_->rowCount() > 0) return false;
  host_.refuse(QStringLiteral("请先导入或输入交点表！"));
  return true;
}

// The CSV goes to Excel as the stakeout's does, in the encoding chosen. Its
// text is made now: the table may change while the file is written.
void CurvesPage::saveClicked() {
  if (refusedWithoutTable()) return;
  QString type;
  const QString path = host_.chooseSave(QStringLiteral("design table CSV"), kCsvSaveTypes, &type);
  if (path.isEmpty()) return;
  host_.saveInBackground(path, [text = design_->csvText(), path, encoding = CsvEncoding(type)] {
    return SaveTextFile(path, text, encoding);
  });
}

// Every column as shown, the texts copied for the same reason.
TableDocument CurvesPage::document() const {
  std::vector<int> columns(static_cast<size_t>(design_->columnCount()));
  std::iota(columns.begin(), columns.end(), 0);
  return ModelDocument(*design_, columns, QStringLiteral("直线、曲线及转角表"), *this,
                       RowTexts::Copied);
}

void CurvesPage::exportPdfClicked() {
  if (!refusedWithoutTable()) ExportTablePdf(host_, document());
}

void CurvesPage::printClicked() {
  if (!refusedWithoutTable()) printPreview_(window(), document());
}

}  // namespace tarnvel
