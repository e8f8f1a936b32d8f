#include "ui/route/plan/route_plan_view.h"

#include <QGraphicsItemGroup>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/route/plan/plan_overlay.h"
#include "ui/route/plan/plan_route_items.h"
#include "ui/route/plan/plan_station_marks.h"
#include "ui/route/plan/plan_symbols.h"
#include "ui/route/plan/route_points_item.h"

namespace tarnvel {

namespace {

// How far (m) the route may lie from the scene's origin before the plan takes
// a new one: at the largest scale, 1000 pixels a metre, the scene stays well
// within the view's integer range.
constexpr double kOriginReach = 100'000;

}  // namespace

RoutePlanView::RoutePlanView(QWidget* parent) : QGraphicsView(parent) {
  setScene(new QGraphicsScene(this));
  setRenderHint(QPainter::Antialiasing, true);
  setDragMode(ScrollHandDrag);
  setTransformationAnchor(AnchorUnderMouse);
  setResizeAnchor(AnchorViewCenter);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The legend, scale bar and arrow are drawn over the whole viewport.
  setViewportUpdateMode(FullViewportUpdate);
  viewport()->setMouseTracking(true);
  setBackgroundBrush(Qt::white);
  stakeoutItem_ = new RoutePointsItem(kStakeoutColour, MarkerShape::Cross);
  inverseItem_ = new RoutePointsItem(kInverseColour, MarkerShape::Ring);
  scene()->addItem(stakeoutItem_);
  scene()->addItem(inverseItem_);
}

RoutePlanView::~RoutePlanView() = default;

void RoutePlanView::setRoute(const Route* route, const std::vector<Joint>& joints) {
  delete lineItems_;
  lineItems_ = nullptr;
  delete jointItems_;
  jointItems_ = nullptr;
  route_ = route;
  routeBounds_ = QRectF();
  jointBoxes_.clear();
  stakeoutItem_->setClearBoxes({});
  inverseItem_->setClearBoxes({});
  if (!route || route->elements.empty()) {
    drawStationMarks();
    drawJdPoints();
    scene()->setSceneRect(QRectF(-1e3, -1e3, 2e3, 2e3));
    viewport()->update();
    return;
  }
  // A new origin only for a route far from the last, so that editing a cell
  // leaves the view where the user put it.
  const ElementValues& first = route->elements.front().values;
  if (!hasOrigin_ || std::abs(first.X0 - origin_.X) > kOriginReach ||
      std::abs(first.Y0 - origin_.Y) > kOriginReach) {
    origin_ = {std::round(first.X0 / 1000) * 1000, std::round(first.Y0 / 1000) * 1000};
    hasOrigin_ = true;
    stakeoutItem_->setOrigin(origin_);
    inverseItem_->setOrigin(origin_);
  }
  lineItems_ = MakeLineItems(*route, origin_, routeBounds_);
  // The joints are drawn over the points, which keep clear of their marks
  // and labels.
  jointItems_ = MakeJointItems(*route, joints, origin_, jointBoxes_);
  stakeoutItem_->setClearBoxes(jointBoxes_);
  inverseItem_->setClearBoxes(jointBoxes_);
  scene()->addItem(lineItems_);
  scene()->addItem(jointItems_);
  drawStationMarks();
  drawJdPoints();
  drawGroundOutline();
  // Room to pan well beyond the route in every direction, within the
  // scroll range at the largest scale.
  const double room =
      std::min(std::max({routeBounds_.width(), routeBounds_.height(), 100.0}) * 10, 50'000.0);
  scene()->setSceneRect(routeBounds_.adjusted(-room, -room, room, room));
  if (followFit_) fitAll();
  viewport()->update();
}

void RoutePlanView::setJdPoints(std::vector<JdPoint> points) {
  jdPoints_ = std::move(points);
  drawJdPoints();
}

void RoutePlanView::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix;
  drawStationMarks();
}

void RoutePlanView::drawStationMarks() {
  delete stationItems_;
  stationItems_ = nullptr;
  if (!route_ || route_->elements.empty()) return;
  stationItems_ = new StationMarks(*route_, origin_, stationPrefix_);
  stationItems_->keepClearOf(jointBoxes_);
  scene()->addItem(stationItems_);
  thinStationMarks();
}

void RoutePlanView::thinStationMarks() {
  if (stationItems_) stationItems_->thin(std::abs(transform().m11()));
}

void RoutePlanView::drawJdPoints() {
  delete jdItems_;
  jdItems_ = nullptr;
  if (!route_ || route_->elements.empty() || jdPoints_.empty()) return;
  jdItems_ = MakeJdItems(jdPoints_, origin_);
  scene()->addItem(jdItems_);
}

void RoutePlanView::setGroundOutline(std::vector<std::array<Point, 2>> edges) {
  outline_ = std::move(edges);
  drawGroundOutline();
  viewport()->update();
}

// In scene coordinates from the route's origin, so drawn again with a new one.
void RoutePlanView::drawGroundOutline() {
  delete outlineItem_;
  outlineItem_ = nullptr;
  if (outline_.empty() || !hasOrigin_) return;
  QPainterPath path;
  for (const auto& [from, to] : outline_) {
    path.moveTo(toScene(from));
    path.lineTo(toScene(to));
  }
  QPen pen(kGroundOutlineColour, 1.2);
  pen.setCosmetic(true);
  outlineItem_ = scene()->addPath(path, pen);
  outlineItem_->setZValue(-1);
}

void RoutePlanView::setPoints(Layer layer, PlanPointIndex points, PointOf pointOf, NameOf nameOf) {
  (layer == Layer::Stakeout ? stakeoutItem_ : inverseItem_)
      ->setPoints(std::move(points), std::move(pointOf), std::move(nameOf), origin_);
}

void RoutePlanView::setLayerVisible(Layer layer, bool visible) {
  (layer == Layer::Stakeout ? stakeoutItem_ : inverseItem_)->setVisible(visible);
}

void RoutePlanView::fitAll() {
  followFit_ = true;
  if (routeBounds_.isNull()) return;
  // The route is fitted into the viewport right of the legend, so that the
  // legend never hides the line, with a margin in pixels for the station
  // marks and names beside it. A straight along an axis has no width; it
  // still gets a scale.
  constexpr double kMargin = 48;
  const double legend = LegendRect(fontMetrics(), !outline_.empty()).right() + 8;
  const double width = std::max(1.0, viewport()->width() - legend - 2 * kMargin);
  const double height = std::max(1.0, viewport()->height() - 2 * kMargin);
  const double scale = std::min(width / std::max(routeBounds_.width(), 1.0),
                                height / std::max(routeBounds_.height(), 1.0));
  if (!(scale > 0) || !std::isfinite(scale)) return;
  setTransform(QTransform::fromScale(scale, scale));
  centerOn(routeBounds_.center() - QPointF(legend / 2 / scale, 0));
  thinStationMarks();
}

QImage RoutePlanView::image() {
  QImage picture(viewport()->size(), QImage::Format_ARGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  viewport()->render(&painter);
  return picture;
}

void RoutePlanView::wheelEvent(QWheelEvent* event) {
  const double factor = std::pow(1.0015, event->angleDelta().y());
  const double scale = transform().m11() * factor;
  // Keep to scales between 1 pixel per 100 km and 1000 pixels per metre.
  if (scale < 1e-5 || scale > 1e3) return;
  followFit_ = false;
  this->scale(factor, factor);
  thinStationMarks();
  event->accept();
}

void RoutePlanView::mousePressEvent(QMouseEvent* event) {
  followFit_ = false;
  QGraphicsView::mousePressEvent(event);
}

void RoutePlanView::mouseMoveEvent(QMouseEvent* event) {
  QGraphicsView::mouseMoveEvent(event);
  const Point at = fromScene(mapToScene(event->position().toPoint()));
  emit cursorMoved(at.X, at.Y);
}

void RoutePlanView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  if (followFit_) fitAll();
}

void RoutePlanView::drawForeground(QPainter* painter, const QRectF&) {
  painter->save();
  painter->resetTransform();
  painter->setRenderHint(QPainter::Antialiasing, true);
  DrawLegend(*painter, !outline_.empty());
  DrawNorthArrow(*painter, viewport()->width());
  DrawScaleBar(*painter, std::abs(transform().m11()), viewport()->height());
  painter->restore();
}

}  // namespace tarnvel
