#include "equations_page.h"

#include <QPushButton>

#include "route_page_host.h"
#include "station_equation_model.h"
#include "table_columns.h"
#include "ui_equations_page.h"

namespace tarnvel {

EquationsPage::EquationsPage(RoutePageHost& host, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::EquationsPage>()),
      host_(host),
      equations_(new StationEquationModel(this)) {
  ui_->setupUi(this);
  ui_->equationTable->setModel(equations_);
  PrepareTable(ui_->equationTable, false);
  const auto guarded = [this](void (EquationsPage::*handler)()) {
    return [this, handler] { host_.runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->equationAddButton, &QPushButton::clicked, this,
          guarded(&EquationsPage::addRowClicked));
  connect(ui_->equationDeleteButton, &QPushButton::clicked, this,
          guarded(&EquationsPage::deleteRowClicked));
  connect(equations_, &StationEquationModel::edited, this, guarded(&EquationsPage::tableEdited));
}

EquationsPage::~EquationsPage() = default;

void EquationsPage::setEquations(const std::vector<StationEquation>& equations) {
  equations_->setEquations(equations);
  ui_->equationTable->resizeColumnsToContents();
}

void EquationsPage::addRowClicked() {
  equations_->insertRows(equations_->rowCount(), 1);
  ui_->equationTable->setCurrentIndex(equations_->index(equations_->rowCount() - 1, 0));
}

void EquationsPage::deleteRowClicked() {
  const int row = ui_->equationTable->currentIndex().row();
  if (row < 0)
    return host_.refuse(QStringLiteral("请先在断链表中选择要删除的行！"), ui_->equationTable);
  equations_->removeRows(row, 1);
}

void EquationsPage::tableEdited() {
  if (const auto& equations = equations_->equations()) return emit equationsEdited(*equations);
  host_.showStatus(equations_->problem());
}

}  // namespace tarnvel
