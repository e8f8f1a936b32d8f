#include "curves_page.h"

#include "design_table_model.h"
#include "route_page_host.h"
#include "table_columns.h"
#include "ui_curves_page.h"

namespace tarnvel {

CurvesPage::CurvesPage(RoutePageHost& host, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::CurvesPage>()),
      host_(host),
      design_(new DesignTableModel(this)) {
  ui_->setupUi(this);
  ui_->curveTable->setModel(design_);
  PrepareTable(ui_->curveTable, false);
  ui_->jdStationLabel->hide();
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

}  // namespace tarnvel
