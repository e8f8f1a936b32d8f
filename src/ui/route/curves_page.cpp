#include "curves_page.h"

#include <QPushButton>
#include <numeric>

#include "design_table_model.h"
#include "route_csv.h"
#include "route_page_host.h"
#include "table_columns.h"
#include "ui_curves_page.h"

namespace tarnvel {

namespace {

const QString kCsvFileTypes = QStringLiteral("CSV文件(*.csv)");

}  // namespace

CurvesPage::CurvesPage(RoutePageHost& host, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::CurvesPage>()),
      host_(host),
      design_(new DesignTableModel(this)) {
  ui_->setupUi(this);
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
}

CurvesPage::~CurvesPage() = default;

void CurvesPage::setJdTable(const std::vector<JdPoint>& points, double startStation) {
  design_->setRows(DesignTableRows(points, startStation));
  ui_->curveTable->resizeColumnsToContents();
  showMismatches(points);
}

void CurvesPage::clear() {
  design_->setRows({});
  ui_->jdStationLabel->clear();
  ui_->jdStationLabel->hide();
}

// Published tables have typos: each 交点桩号 the table gives that the
// computation does not reach is said, as from-jd says it, and the table is
// shown all the same.
void CurvesPage::showMismatches(const std::vector<JdPoint>& points) {
  const std::vector<DesignRow>& rows = design_->rows();
  QStringList messages;
  for (size_t i = 0; i < rows.size() && i < points.size(); ++i)
    if (const auto difference = JdStationMismatch(rows[i], points[i].station))
      messages << QString::fromStdString(
          JdStationMismatchText(rows[i], i, rows.size(), *difference));
  ui_->jdStationLabel->setText(messages.join(u'\n'));
  ui_->jdStationLabel->setVisible(!messages.isEmpty());
  if (!messages.isEmpty())
    host_.showStatus(QStringLiteral("交点桩号与计算不符%1处，见曲线表").arg(messages.size()));
}

bool CurvesPage::refusedWithoutTable() {
  if (host_.refusedWhileWorking()) return true;
  if (design_->rowCount() > 0) return false;
  host_.refuse(QStringLiteral("请先导入或输入交点表！"));
  return true;
}

// The CSV goes to Excel as the stakeout's does, marked as UTF-8. Its text is
// made now: the table may change while the file is written.
void CurvesPage::saveClicked() {
  if (refusedWithoutTable()) return;
  const QString path = host_.chooseSave(kCsvFileTypes);
  if (path.isEmpty()) return;
  host_.saveInBackground(path, [text = design_->csvText(), path] {
    return SaveTextFile(path, text, TextEncoding::Utf8WithBom);
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
