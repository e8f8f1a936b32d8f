#include "ui/route/common/drawing_labels.h"

#include <QBrush>
#include <QLineF>
#include <algorithm>
#include <memory>

namespace tarnvel {

LabelLayout::LabelLayout(QRectF area, double gap) : area_(area), gap_(gap) {}

bool LabelLayout::free(const QRectF& box) const {
  if (!area_.contains(box)) return false;
  const QRectF spaced = box.adjusted(-gap_, -gap_, gap_, gap_);
  return std::none_of(taken_.begin(), taken_.end(),
                      [&spaced](const QRectF& taken) { return taken.intersects(spaced); });
}

std::optional<QRectF> LabelLayout::place(const std::vector<QRectF>& places,
                                         const std::function<bool(const QRectF&)>& clear) {
  const auto found = [&](bool needClear) -> std::optional<QRectF> {
    for (const QRectF& box : places)
      if (free(box) && (!needClear || clear(box))) return box;
    return std::nullopt;
  };
  std::optional<QRectF> box = clear ? found(true) : std::nullopt;
  if (!box) box = found(false);
  if (box) take(*box);
  return box;
}

std::vector<QRectF> StackedPlaces(QPointF anchor, QSizeF size, LabelSide side, double gap,
                                  int tiers) {
  std::vector<QRectF> places;
  const double w = size.width();
  const double h = size.height();
  for (int tier = 0; tier < tiers; ++tier) {
    const double rise = gap + tier * (h + gap);
    const double top = side == LabelSide::Above ? anchor.y() - rise - h : anchor.y() + rise;
    for (const double left : {anchor.x() - w / 2, anchor.x() - w + 2, anchor.x() - 2})
      places.emplace_back(left, top, w, h);
  }
  return places;
}

bool ClearOfLines(const QRectF& box, const std::vector<QLineF>& lines) {
  const QLineF edges[] = {{box.topLeft(), box.topRight()},
                          {box.topRight(), box.bottomRight()},
                          {box.bottomRight(), box.bottomLeft()},
                          {box.bottomLeft(), box.topLeft()}};
  for (const QLineF& line : lines) {
    if (box.contains(line.p1()) || box.contains(line.p2())) return false;
    for (const QLineF& edge : edges)
      if (line.intersects(edge) == QLineF::BoundedIntersection) return false;
  }
  return true;
}

std::optional<PlacedLabel> PlaceLabel(QGraphicsScene& scene, LabelLayout& layout,
                                      const QString& text, const QColor& colour,
                                      const LabelPlaces& places, const QTransform& toPixels,
                                      const std::function<bool(const QRectF&)>& clear) {
  auto item = std::make_unique<QGraphicsSimpleTextItem>(text);
  const QRectF bounds = item->boundingRect();
  const auto box = layout.place(places(bounds.size()), clear);
  if (!box) return std::nullopt;
  item->setBrush(colour);
  // The text keeps its size in pixels at any scale of the drawing.
  item->setFlag(QGraphicsItem::ItemIgnoresTransformations);
  item->setPos(toPixels.inverted().map(box->topLeft() - bounds.topLeft()));
  item->setZValue(2);
  scene.addItem(item.get());
  return PlacedLabel{item.release(), *box};
}

std::optional<QLineF> Leader(QPointF anchor, const QRectF& box, double near) {
  const QPointF nearest(std::clamp(anchor.x(), box.left(), box.right()),
                        std::clamp(anchor.y(), box.top(), box.bottom()));
  if (QLineF(anchor, nearest).length() <= near) return std::nullopt;
  return QLineF(anchor, nearest);
}

}  // namespace tarnvel
