// The route window's page 逐桩坐标: a stakeout by station range or by a
// stations file, saved as CSV or as a survey point file.
#pragma once

#include <QWidget>
#include <memory>

#include "plan_point_index.h"
#include "route.h"

namespace Ui {
class StakeoutPage;
}

namespace tarnvel {

class RoutePageHost;
class StakeoutModel;

class StakeoutPage : public QWidget {
  Q_OBJECT

 public:
  explicit StakeoutPage(RoutePageHost& host, QWidget* parent = nullptr);
  ~StakeoutPage() override;

  // The rows belong to the route they were computed on.
  void clearRows();
  // A new route's stakeout runs over the whole of it.
  void setRange(const Route& route);

 private:
  void stakeoutClicked();
  void stationsClicked();
  void saveStakeoutClicked();
  void saveDatClicked();
  void runStakeout(std::shared_ptr<const Route> route, const QString& stationsPath);
  void showStakeoutPoints(PlanPointIndex points);

  std::unique_ptr<Ui::StakeoutPage> ui_;
  RoutePageHost& host_;
  StakeoutModel* stakeout_;
};

}  // namespace tarnvel
