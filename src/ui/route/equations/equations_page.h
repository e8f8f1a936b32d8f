// The route window's page 断链: the 断链 the route declares, shown and
// edited as a small table. With declarations, every station jump of the
// element table must match one and every declaration a jump, as `check`
// judges them; without, jumps are taken as they are.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class EquationsPage;
}

namespace tarnvel {

class RouteDocument;
class RoutePageHost;
class StationEquationModel;

class EquationsPage : public QWidget {
  Q_OBJECT

 public:
  // The table shows the declarations of `document`, and declares there
  // what it makes as edited; one with a fault declares nothing new, and
  // says why.
  EquationsPage(RoutePageHost& host, RouteDocument& document, QWidget* parent = nullptr);
  ~EquationsPage() override;

 private:
  void showEquations();
  void addRowClicked();
  void deleteRowClicked();
  void tableEdited();

  std::unique_ptr<Ui::EquationsPage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  StationEquationModel* equations_;
  // While the table's own edit is declared: its texts stay as typed.
  bool declaring_ = false;
};

}  // namespace tarnvel
