// The route window's page 曲线表: the curve table of the JD table the route
// was made from, empty for a route read as elements.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "route_result_models.h"

namespace Ui {
class CurvesPage;
}

namespace tarnvel {

class CurvesPage : public QWidget {
  Q_OBJECT

 public:
  explicit CurvesPage(QWidget* parent = nullptr);
  ~CurvesPage() override;

  // The curves of a JD table, columns fitted to them.
  void setRows(std::vector<CurveRow> rows);
  // No curves: the route was not made from a JD table.
  void clear();

 private:
  std::unique_ptr<Ui::CurvesPage> ui_;
  CurveTableModel* curves_;
};

}  // namespace tarnvel
