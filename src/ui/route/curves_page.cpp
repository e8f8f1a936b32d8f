#include "curves_page.h"

#include "table_columns.h"
#include "ui_curves_page.h"

namespace tarnvel {

CurvesPage::CurvesPage(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::CurvesPage>()), curves_(new CurveTableModel(this)) {
  ui_->setupUi(this);
  ui_->curveTable->setModel(curves_);
  PrepareTable(ui_->curveTable, false);
}

CurvesPage::~CurvesPage() = default;

void CurvesPage::setRows(std::vector<CurveRow> rows) {
  curves_->setRows(std::move(rows));
  ui_->curveTable->resizeColumnsToContents();
}

void CurvesPage::clear() {
  curves_->setRows({});
}

}  // namespace tarnvel
