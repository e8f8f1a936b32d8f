#include "ui/route/equations/equations_page.h"

#include <QPushButton>
#include <QScopedValueRollback>

#include "ui/route/common/route_document.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/common/table_columns.h"
#include "ui/route/equations/station_equation_model.h"
#include "ui_equations_page.h"

namespace tarnvel {

EquationsPage::EquationsPage(RoutePageHost& host, RouteDocument& document, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::EquationsPage>()),
      host_(host),
      document_(document),
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
  connect(&document_, &RouteDocument::equationsChanged, this, &EquationsPage::showEquations);
}

EquationsPage::~EquationsPage() = default;

// The declarations of a route read or made.
void EquationsPage::showEquations() {
  if (declaring_) return;
  equations_->setEquations(document_.equations());
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
  if (const auto& equations = equations_->equations()) {
    const QScopedValueRollback<bool> declaring(declaring_, true);
    return document_.setEquations(*equations);
  }
  host_.showStatus(equations_->problem());
}

}  // namespace tarnvel
