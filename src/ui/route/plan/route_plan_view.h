// The plan of a route in survey axes: north (X) up, east (Y) right, the same
// scale on both, the scene placed as plan_coordinates.h says.
#pragma once

#include <QGraphicsView>
#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "core/element/centre_line.h"
#include "core/jd/jd_table.h"
#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "ui/route/plan/plan_coordinates.h"
#include "ui/route/plan/plan_point_index.h"

class QGraphicsItemGroup;
class QGraphicsPathItem;

namespace tarnvel {

struct ClearBox;
class RoutePointsItem;
class StationMarks;

class RoutePlanView : public QGraphicsView {
  Q_OBJECT

 public:
  // The two sets of computed points drawn over the line.
  enum class Layer { Stakeout, Inverse };
  using NameOf = PlanNameOf;
  using PointOf = PlanPointOf;

  explicit RoutePlanView(QWidget* parent = nullptr);
  ~RoutePlanView() override;

  QPointF toScene(Point point) const { return ToScene(point, origin_); }
  Point fromScene(QPointF scene) const { return {origin_.X - scene.y(), origin_.Y + scene.x()}; }
  static QPointF ToScene(Point point, Point origin) { return PlanToScene(point, origin); }

  // Draws the route: each element sampled along its centre line, coloured by
  // its kind, and each joint marked (超限 in red). Nothing: an empty plan.
  void setRoute(const Route* route, const std::vector<Joint>& joints);
  // The JD table the route was made from, drawn as its polygon with each
  // point named; none for a route typed or read as elements.
  void setJdPoints(std::vector<JdPoint> points);
  // The letters before the kilometres of the station marks (K by default).
  void setStationPrefix(const QString& prefix);
  // The points are indexed on the job's thread; the plan only takes them.
  // `pointOf` and `nameOf` must answer for every place the index holds
  // until the points are set again.
  void setPoints(Layer layer, PlanPointIndex points, PointOf pointOf, NameOf nameOf);
  void setLayerVisible(Layer layer, bool visible);
  // The ground surface's outline, its edges each from one point to the
  // next, drawn under the route; none for no surface.
  void setGroundOutline(std::vector<std::array<Point, 2>> edges);
  const std::vector<std::array<Point, 2>>& groundOutline() const { return outline_; }

  // The scene rectangle of the route's elements, empty without a route.
  QRectF routeBounds() const { return routeBounds_; }
  // Shows the whole route, centred beside the legend, with a margin.
  void fitAll();
  // The plan as it is shown, legend, scale bar and north arrow included.
  QImage image();

 signals:
  // The survey coordinates under the cursor.
  void cursorMoved(double X, double Y);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  void drawStationMarks();
  void drawJdPoints();
  void drawGroundOutline();
  // The station marks shown at the scale now in force.
  void thinStationMarks();

  QGraphicsItemGroup* lineItems_ = nullptr;
  StationMarks* stationItems_ = nullptr;
  QGraphicsItemGroup* jdItems_ = nullptr;
  QGraphicsPathItem* outlineItem_ = nullptr;
  std::vector<std::array<Point, 2>> outline_;
  const Route* route_ = nullptr;
  std::vector<JdPoint> jdPoints_;
  QString stationPrefix_ = QStringLiteral("K");
  // Over the points, which keep clear of them.
  QGraphicsItemGroup* jointItems_ = nullptr;
  RoutePointsItem* stakeoutItem_ = nullptr;
  RoutePointsItem* inverseItem_ = nullptr;
  // The joints' marks and labels, which the points and station labels
  // keep clear of.
  std::vector<ClearBox> jointBoxes_;
  QRectF routeBounds_;
  Point origin_;
  bool hasOrigin_ = false;
  // Until the user zooms or pans, a resized view shows the whole route.
  bool followFit_ = true;
};

}  // namespace tarnvel
