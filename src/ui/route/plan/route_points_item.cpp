#include "ui/route/plan/route_points_item.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

namespace tarnvel {

namespace {

// Squares of the device, each taken or free.
class Occupancy {
 public:
  Occupancy(const QRect& device, int side)
      : origin_(device.topLeft()),
        side_(side),
        columns_(device.width() / side + 1),
        rows_(device.height() / side + 1),
        taken_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0) {}
  // False when the square of the point was taken already.
  bool takeAt(QPointF p) {
    const std::size_t k = static_cast<std::size_t>(row(p.y())) * columns_ + column(p.x());
    if (taken_[k]) return false;
    taken_[k] = 1;
    return true;
  }
  // A box beside the device is shown nowhere, so never free.
  bool isFree(const QRectF& box) const {
    const Span span = spanOf(box);
    if (span.column1 < 0) return false;
    for (int r = span.row0; r <= span.row1; ++r)
      for (int c = span.column0; c <= span.column1; ++c)
        if (taken_[static_cast<std::size_t>(r) * columns_ + c]) return false;
    return true;
  }
  void take(const QRectF& box) {
    const Span span = spanOf(box);
    for (int r = span.row0; r <= span.row1; ++r)
      for (int c = span.column0; c <= span.column1; ++c)
        taken_[static_cast<std::size_t>(r) * columns_ + c] = 1;
  }

 private:
  // The squares a box touches; none for a box beside the device.
  struct Span {
    int column0 = 0, column1 = -1, row0 = 0, row1 = -1;
  };
  Span spanOf(const QRectF& box) const {
    const QRectF all(origin_, QSizeF(columns_ * side_, rows_ * side_));
    if (!box.intersects(all)) return {};
    return {column(box.left()), column(box.right()), row(box.top()), row(box.bottom())};
  }
  int column(double x) const {
    return std::clamp(static_cast<int>(std::floor((x - origin_.x()) / side_)), 0, columns_ - 1);
  }
  int row(double y) const {
    return std::clamp(static_cast<int>(std::floor((y - origin_.y()) / side_)), 0, rows_ - 1);
  }
  QPoint origin_;
  int side_, columns_, rows_;
  std::vector<std::uint8_t> taken_;
};

}  // namespace

RoutePointsItem::RoutePointsItem(QColor colour, MarkerShape shape)
    : colour_(colour), shape_(shape) {
  setFlag(ItemUsesExtendedStyleOption);
  setZValue(3);
}

void RoutePointsItem::setPoints(PlanPointIndex index, PlanPointOf pointOf, PlanNameOf nameOf,
                                Point origin) {
  index_ = std::move(index);
  pointOf_ = std::move(pointOf);
  nameOf_ = std::move(nameOf);
  setOrigin(origin);
}

void RoutePointsItem::setOrigin(Point origin) {
  prepareGeometryChange();
  origin_ = origin;
  // A margin for the markers and names, which keep their pixel size: the
  // view refreshes with the full viewport anyway.
  bounds_ = index_.empty() ? QRectF()
                           : QRectF(PlanToScene({index_.maxX, index_.minY}, origin),
                                    PlanToScene({index_.minX, index_.maxY}, origin))
                                 .adjusted(-1e3, -1e3, 1e3, 1e3);
  update();
}

void RoutePointsItem::setClearBoxes(std::vector<ClearBox> boxes) {
  clear_ = std::move(boxes);
  update();
}

void RoutePointsItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
  if (index_.empty() || !pointOf_) return;
  const QTransform sceneToDevice = painter->worldTransform();
  // Survey (X, Y) to the scene's (Y − Y0, X0 − X), then to the device.
  const QTransform toDevice = QTransform(0, -1, 1, 0, -origin_.Y, origin_.X) * sceneToDevice;
  const QRectF exposed = option->exposedRect;
  const QRect device = sceneToDevice.mapRect(exposed).toAlignedRect() &
                       QRect(0, 0, painter->device()->width(), painter->device()->height());
  if (device.isEmpty()) return;
  // The grid cells in view.
  const double lowX = origin_.X - exposed.bottom(), highX = origin_.X - exposed.top();
  const double lowY = origin_.Y + exposed.left(), highY = origin_.Y + exposed.right();
  if (highX < index_.minX || lowX > index_.maxX || highY < index_.minY || lowY > index_.maxY)
    return;
  const int row0 = index_.rowOf(lowX), row1 = index_.rowOf(highX);
  const int column0 = index_.columnOf(lowY), column1 = index_.columnOf(highY);
  // A cell no wider than a marker's square shows as one marker at most.
  const double cellPixels = index_.cell * std::sqrt(std::abs(sceneToDevice.determinant()));
  const bool onePerCell = cellPixels <= kMarkerCell;

  Occupancy markers(device, kMarkerCell);
  Occupancy names(device, kNameCell);
  for (const ClearBox& clear : clear_) {
    const QRectF box = clear.box.translated(toDevice.map(QPointF(clear.at.X, clear.at.Y)));
    markers.take(box.adjusted(-kMarkerReach, -kMarkerReach, kMarkerReach, kMarkerReach));
    names.take(box);
  }
  std::vector<std::uint32_t> drawn;
  std::vector<QPointF> at;
  const QRectF inView(device);
  for (int row = row0; row <= row1; ++row)
    for (int column = column0; column <= column1; ++column) {
      const std::size_t k = static_cast<std::size_t>(row) * index_.columns + column;
      const std::uint32_t begin = index_.cellStart[k];
      const std::uint32_t end =
          onePerCell ? std::min(index_.cellStart[k + 1], begin + 1) : index_.cellStart[k + 1];
      for (std::uint32_t i = begin; i < end; ++i) {
        const Point p = pointOf_(index_.place[i]);
        const QPointF d = toDevice.map(QPointF(p.X, p.Y));
        if (!inView.contains(d) || !markers.takeAt(d)) continue;
        drawn.push_back(i);
        at.push_back(d);
      }
    }

  painter->save();
  painter->resetTransform();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(QPen(colour_, 1));
  painter->setBrush(Qt::NoBrush);
  DrawMarkers(*painter, shape_, at);
  if (nameOf_) {
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    const QFontMetricsF metrics(painter->font());
    std::size_t looked = 0;
    for (std::size_t n = 0; n < at.size() && looked < kMaxNames; ++n) {
      const QPointF baseline = at[n] + QPointF(5, -4);
      const QPointF corner = baseline - QPointF(0, metrics.ascent());
      if (!names.isFree(QRectF(corner, QSizeF(1, metrics.height())))) continue;
      ++looked;
      const QString name = nameOf_(index_.place[drawn[n]]);
      const QRectF box(corner, QSizeF(metrics.horizontalAdvance(name), metrics.height()));
      if (!names.isFree(box)) continue;
      names.take(box);
      painter->drawText(baseline, name);
    }
  }
  painter->restore();
}

}  // namespace tarnvel
