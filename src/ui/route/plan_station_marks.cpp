#include "plan_station_marks.h"

#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "plan_symbols.h"
#include "route_plan_view.h"
#include "station_text.h"

namespace tarnvel {

namespace {

constexpr double kMarkSpacing = 100;
const QColor kMarkColour(90, 90, 90);

// "K1+200" for 1200: the marks fall on whole metres, so the millimetres of
// the K text say nothing.
QString MarkText(double station, const QString& prefix) {
  const std::string text = KStationText(station, prefix.toStdString());
  const auto point = text.rfind('.');
  return QString::fromStdString(point == std::string::npos ? text : text.substr(0, point));
}

}  // namespace

QGraphicsItemGroup* MakeStationMarks(const Route& route, Point origin, const QString& prefix) {
  auto* group = new QGraphicsItemGroup;
  group->setZValue(2);
  for (const LineElement& e : route.loaded) {
    const PreparedElement prepared = Prepare(e);
    const double low = std::min(e.K0, e.K1);
    const double high = std::max(e.K0, e.K1);
    // An element's end belongs to the next one, which marks it.
    for (double n = std::ceil(low / kMarkSpacing); n * kMarkSpacing < high; ++n) {
      const double station = n * kMarkSpacing;
      const ForwardResult at = ForwardPointDegrees(prepared, station, 0, 90);
      const bool kilometre = std::fmod(std::fabs(station), 1000.0) == 0;
      const double half = kilometre ? 9 : 5;
      // Across the line in the view's pixels: to the right of an azimuth A
      // (clockwise from north) lies the scene direction (cos A, sin A).
      const double a = at.azimuth * std::numbers::pi / 180;
      const QPointF across(std::cos(a), std::sin(a));
      QPainterPath tick(-across * half);
      tick.lineTo(across * half);
      auto* item = new QGraphicsPathItem(tick);
      item->setPen(QPen(kMarkColour, kilometre ? 2.5 : 1));
      item->setPos(RoutePlanView::ToScene(at.point, origin));
      item->setFlag(QGraphicsItem::ItemIgnoresTransformations);
      auto* label = new QGraphicsSimpleTextItem(MarkText(station, prefix), item);
      label->setBrush(kMarkColour);
      QFont font = label->font();
      font.setBold(kilometre);
      label->setFont(font);
      label->setPos(across * (half + 2));
      group->addToGroup(item);
    }
  }
  return group;
}

QGraphicsItemGroup* MakeJdItems(const std::vector<JdPoint>& points, Point origin) {
  auto* group = new QGraphicsItemGroup;
  group->setZValue(1);
  if (points.empty()) return group;
  QPainterPath polygon(RoutePlanView::ToScene({points.front().X, points.front().Y}, origin));
  for (const JdPoint& p : points) {
    const QPointF at = RoutePlanView::ToScene({p.X, p.Y}, origin);
    polygon.lineTo(at);
    auto* name = new QGraphicsSimpleTextItem(QString::fromStdString(p.name));
    name->setBrush(Qt::black);
    name->setPos(at);
    name->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    group->addToGroup(name);
  }
  auto* line = new QGraphicsPathItem(polygon);
  QPen pen = CosmeticPen(QColor(150, 150, 150), 1);
  pen.setStyle(Qt::DashLine);
  line->setPen(pen);
  group->addToGroup(line);
  return group;
}

}  // namespace tarnvel
