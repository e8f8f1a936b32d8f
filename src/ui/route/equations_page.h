// The route window's page 断链: the 断链 the route declares, shown and
// edited as a small table. With declarations, every station jump of the
// element table must match one and every declaration a jump, as `check`
// judges them; without, jumps are taken as they are.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "station_equation.h"

namespace Ui {
class EquationsPage;
}

namespace tarnvel {

class RoutePageHost;
class StationEquationModel;

class EquationsPage : public QWidget {
  Q_OBJECT

 public:
  explicit EquationsPage(RoutePageHost& host, QWidget* parent = nullptr);
  ~EquationsPage() override;

  // The declarations of a route read or made.
  void setEquations(const std::vector<StationEquation>& equations);

 signals:
  // The table as edited declares these; one with a fault declares nothing
  // new, and says why.
  void equationsEdited(const std::vector<StationEquation>& equations);

 private:
  void addRowClicked();
  void deleteRowClicked();
  void tableEdited();

  std::unique_ptr<Ui::EquationsPage> ui_;
  RoutePageHost& host_;
  StationEquationModel* equations_;
};

}  // namespace tarnvel
