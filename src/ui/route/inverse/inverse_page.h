// The route window's page 批量反算: the station and offset of each point of
// a points file or of pasted points, with a profile its design elevation
// and 填挖, saved as CSV; a point chosen is shown on its cross section.
#pragma once

#include <QByteArray>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/route/route.h"
#include "ui/route/plan/plan_point_index.h"
#include "ui/route/sections/section_point.h"

namespace Ui {
class InversePage;
}

namespace tarnvel {

class InverseModel;
class RouteDocument;
class RoutePageHost;

class InversePage : public QWidget {
  Q_OBJECT

 public:
  // The page computes with what `document` holds, which clears its rows.
  InversePage(RoutePageHost& host, RouteDocument& document, QWidget* parent = nullptr);
  ~InversePage() override;

 signals:
  // A result row was chosen to be seen on its cross section.
  void pointChosen(const SectionPoint& point);

 private:
  // What the rows shown were computed with (RouteDocument::Input).
  unsigned rowInputs() const;
  // The rows go, and their points on the plan with them.
  void clearRows();
  void pointsClicked();
  void pasteClicked();
  void saveInverseClicked();
  void showOnSectionClicked();
  void runInverse(std::shared_ptr<const Route> route, const QString& sourceName,
                  const QByteArray& bytes);
  void showInversePoints(PlanPointIndex index, std::vector<Point> points,
                         std::vector<std::string> names);

  std::unique_ptr<Ui::InversePage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  InverseModel* inverse_;
  // Whether the rows shown put their points on the slope by the ground.
  bool rowsMetGround_ = false;
};

}  // namespace tarnvel
