#include "ui/route/plan/plan_route_items.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/element/element_kind.h"
#include "core/text/number_text.h"
#include "ui/route/elements/route_element_model.h"
#include "ui/route/plan/plan_coordinates.h"
#include "ui/route/plan/plan_symbols.h"

namespace tarnvel {

namespace {

using Kind = ElementKind;

// Samples close enough that the drawn chords stay within 5 mm of the curve
// (sagitta L²/8R), so the plan stays true at any zoom a site needs.
int SegmentCount(const LineElement& e, Kind kind) {
  if (kind == Kind::Straight) return 1;
  const double radius = std::min(e.RQ, e.RN);
  const double chord = std::max(0.2, std::sqrt(8 * radius * 0.005));
  const double segments = std::ceil((e.K1 - e.K0) / chord);
  return static_cast<int>(std::clamp(segments, 8.0, 20000.0));
}

}  // namespace

QGraphicsItemGroup* MakeLineItems(const Route& route, Point origin, QRectF& bounds) {
  auto* group = new QGraphicsItemGroup;
  for (size_t i = 0; i < route.loaded.size(); ++i) {
    const LineElement& e = route.loaded[i];
    const Kind kind = KindOf(e);
    const int n = SegmentCount(e, kind);
    QPainterPath path(PlanToScene(CentreLinePoint(e, e.K0), origin));
    for (int s = 1; s <= n; ++s) {
      const double K = s == n ? e.K1 : e.K0 + (e.K1 - e.K0) * s / n;
      path.lineTo(PlanToScene(CentreLinePoint(e, K), origin));
    }
    auto* item = new QGraphicsPathItem(path);
    item->setPen(CosmeticPen(ColourOf(kind), 2));
    const std::string& name = route.elements[i].name;
    item->setToolTip(
        QStringLiteral("第%1线元%2")
            .arg(i + 1)
            .arg(name.empty() ? QString() : QStringLiteral(" ") + QString::fromStdString(name)));
    group->addToGroup(item);
    bounds = bounds.united(path.boundingRect());
  }
  return group;
}

QGraphicsItemGroup* MakeJointItems(const Route& route, const std::vector<Joint>& joints,
                                   Point origin, std::vector<ClearBox>& clear) {
  auto* group = new QGraphicsItemGroup;
  group->setZValue(4);
  for (const Joint& joint : joints) {
    const LineElement& e = route.loaded[static_cast<size_t>(joint.left - 1)];
    const Point point = CentreLinePoint(e, e.K1);
    const QPointF at = PlanToScene(point, origin);
    const QColor colour = joint.closed ? kJointColour : kBadJointColour;
    const double r = joint.closed ? 3.5 : 6;
    auto* mark = new QGraphicsEllipseItem(-r, -r, 2 * r, 2 * r);
    mark->setPos(at);
    mark->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    mark->setPen(QPen(colour, 1.5));
    mark->setBrush(joint.closed ? QBrush(Qt::white) : QBrush(colour));
    mark->setToolTip(QStringLiteral("%1 第%2–%3线元：Δ %4 mm, Δaz %5″ %6")
                         .arg(QString::fromStdString(joint.label))
                         .arg(joint.left)
                         .arg(joint.left + 1)
                         .arg(QString::fromStdString(FixedText(joint.d_mm, 1)),
                              QString::fromStdString(FixedText(joint.daz_sec, 1)),
                              StatusText(joint.closed)));
    group->addToGroup(mark);
    clear.push_back({point, mark->boundingRect()});
    if (!joint.label.empty()) {
      // In the mark's pixels: a label of the group's own would take its
      // offset in metres.
      auto* label = new QGraphicsSimpleTextItem(QString::fromStdString(joint.label), mark);
      label->setPos(6, 2);
      label->setBrush(colour);
      clear.push_back({point, label->mapRectToParent(label->boundingRect())});
    }
  }
  return group;
}

}  // namespace tarnvel
