#include "route_plan_view.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsItemGroup>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "element_kind.h"
#include "number_text.h"
#include "plan_point_index.h"
#include "route_element_model.h"

namespace tarnvel {

namespace {

const QColor kStraightColour(30, 90, 210);
const QColor kArcColour(0, 150, 60);
const QColor kSpiralColour(225, 125, 0);
const QColor kJointColour(60, 60, 60);
const QColor kBadJointColour(220, 0, 0);
const QColor kStakeoutColour(140, 0, 160);
const QColor kInverseColour(0, 140, 160);

using Kind = ElementKind;

QColor ColourOf(Kind kind) {
  switch (kind) {
    case Kind::Straight:
      return kStraightColour;
    case Kind::Arc:
      return kArcColour;
    case Kind::Spiral:
      return kSpiralColour;
  }
  return kStraightColour;
}

// Samples close enough that the drawn chords stay within 5 mm of the curve
// (sagitta L²/8R), so the plan stays true at any zoom a site needs.
int SegmentCount(const LineElement& e, Kind kind) {
  if (kind == Kind::Straight) return 1;
  const double radius = std::min(e.RQ, e.RN);
  const double chord = std::max(0.2, std::sqrt(8 * radius * 0.005));
  const double segments = std::ceil((e.K1 - e.K0) / chord);
  return static_cast<int>(std::clamp(segments, 8.0, 20000.0));
}

QPen CosmeticPen(const QColor& colour, double width) {
  QPen pen(colour, width);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// Stakeout points are crosses, surveyed points rings, in the plan and legend.
enum class MarkerShape { Cross, Ring };

void DrawMarker(QPainter& painter, MarkerShape shape, QPointF at) {
  if (shape == MarkerShape::Cross) {
    painter.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
    painter.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
  } else {
    painter.drawEllipse(at, 3, 3);
  }
}

// Many markers at once: the crosses in one call.
void DrawMarkers(QPainter& painter, MarkerShape shape, const std::vector<QPointF>& at) {
  if (shape == MarkerShape::Ring) {
    for (const QPointF& p : at) DrawMarker(painter, shape, p);
    return;
  }
  std::vector<QLineF> lines;
  lines.reserve(2 * at.size());
  for (const QPointF& p : at) {
    lines.emplace_back(p + QPointF(-3, 0), p + QPointF(3, 0));
    lines.emplace_back(p + QPointF(0, -3), p + QPointF(0, 3));
  }
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// A box of device pixels about a survey point that the points leave clear.
struct ClearBox {
  Point at;
  QRectF box;
};

// How far (m) the route may lie from the scene's origin before the plan takes
// a new one: at the largest scale, 1000 pixels a metre, the scene stays well
// within the view's integer range.
constexpr double kOriginReach = 100'000;

QString Metres(double m) {
  return QString::fromStdString(GeneralText(m)) + QStringLiteral(" m");
}

}  // namespace

// Many points in one item, drawn as far as the pixels can show them: a
// paint reads only the grid cells in view, draws at most one marker to a
// square of kMarkerCell pixels, and names a point only where its name
// overlaps no other name. It leaves the joints' marks and labels clear of
// markers and names.
class RoutePointsItem : public QGraphicsItem {
 public:
  RoutePointsItem(QColor colour, MarkerShape shape) : colour_(colour), shape_(shape) {
    setFlag(ItemUsesExtendedStyleOption);
    setZValue(3);
  }

  void setPoints(PlanPointIndex index, RoutePlanView::NameOf nameOf, Point origin) {
    index_ = std::move(index);
    nameOf_ = std::move(nameOf);
    setOrigin(origin);
  }

  void setOrigin(Point origin) {
    prepareGeometryChange();
    origin_ = origin;
    // A margin for the markers and names, which keep their pixel size: the
    // view refreshes with the full viewport anyway.
    bounds_ = index_.empty() ? QRectF()
                             : QRectF(RoutePlanView::ToScene({index_.maxX, index_.minY}, origin),
                                      RoutePlanView::ToScene({index_.minX, index_.maxY}, origin))
                                   .adjusted(-1e3, -1e3, 1e3, 1e3);
    update();
  }

  void setClearBoxes(std::vector<ClearBox> boxes) {
    clear_ = std::move(boxes);
    update();
  }

  QRectF boundingRect() const override { return bounds_; }

  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override {
    if (index_.empty()) return;
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
          const Point& p = index_.points[i];
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

 private:
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

  // A marker's square (px); its arms reach kMarkerReach from its point.
  static constexpr int kMarkerCell = 3;
  static constexpr double kMarkerReach = 3;
  static constexpr int kNameCell = 4;
  // The most names looked up in one paint.
  static constexpr std::size_t kMaxNames = 2000;
  QColor colour_;
  MarkerShape shape_;
  PlanPointIndex index_;
  Point origin_;
  std::vector<ClearBox> clear_;
  RoutePlanView::NameOf nameOf_;
  QRectF bounds_;
};

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
  routeBounds_ = QRectF();
  stakeoutItem_->setClearBoxes({});
  inverseItem_->setClearBoxes({});
  if (!route || route->elements.empty()) {
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
  lineItems_ = new QGraphicsItemGroup;
  for (size_t i = 0; i < route->loaded.size(); ++i) {
    const LineElement& e = route->loaded[i];
    const Kind kind = KindOf(e);
    const int n = SegmentCount(e, kind);
    QPainterPath path(toScene(CentreLinePoint(e, e.K0)));
    for (int s = 1; s <= n; ++s) {
      const double K = s == n ? e.K1 : e.K0 + (e.K1 - e.K0) * s / n;
      path.lineTo(toScene(CentreLinePoint(e, K)));
    }
    auto* item = new QGraphicsPathItem(path);
    item->setPen(CosmeticPen(ColourOf(kind), 2));
    const std::string& name = route->elements[i].name;
    item->setToolTip(
        QStringLiteral("第%1线元%2")
            .arg(i + 1)
            .arg(name.empty() ? QString() : QStringLiteral(" ") + QString::fromStdString(name)));
    lineItems_->addToGroup(item);
    routeBounds_ = routeBounds_.united(path.boundingRect());
  }
  // The joints are drawn over the points, which keep clear of their marks
  // and labels.
  std::vector<ClearBox> clear;
  jointItems_ = new QGraphicsItemGroup;
  jointItems_->setZValue(4);
  for (const Joint& joint : joints) {
    const LineElement& e = route->loaded[static_cast<size_t>(joint.left - 1)];
    const Point point = CentreLinePoint(e, e.K1);
    const QPointF at = toScene(point);
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
    jointItems_->addToGroup(mark);
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
  stakeoutItem_->setClearBoxes(clear);
  inverseItem_->setClearBoxes(std::move(clear));
  scene()->addItem(lineItems_);
  scene()->addItem(jointItems_);
  // Room to pan well beyond the route in every direction, within the
  // scroll range at the largest scale.
  const double room =
      std::min(std::max({routeBounds_.width(), routeBounds_.height(), 100.0}) * 10, 50'000.0);
  scene()->setSceneRect(routeBounds_.adjusted(-room, -room, room, room));
  if (followFit_) fitAll();
  viewport()->update();
}

void RoutePlanView::setPoints(Layer layer, PlanPointIndex points, NameOf nameOf) {
  (layer == Layer::Stakeout ? stakeoutItem_ : inverseItem_)
      ->setPoints(std::move(points), std::move(nameOf), origin_);
}

void RoutePlanView::setLayerVisible(Layer layer, bool visible) {
  (layer == Layer::Stakeout ? stakeoutItem_ : inverseItem_)->setVisible(visible);
}

void RoutePlanView::fitAll() {
  followFit_ = true;
  if (routeBounds_.isNull()) return;
  // A straight along an axis has no width; it still gets a square view.
  const double pad = std::max({routeBounds_.width(), routeBounds_.height(), 1.0}) * 0.05;
  fitInView(routeBounds_.adjusted(-pad, -pad, pad, pad), Qt::KeepAspectRatio);
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
  drawLegend(*painter);
  drawNorthArrow(*painter);
  drawScaleBar(*painter);
  painter->restore();
}

void RoutePlanView::drawLegend(QPainter& painter) const {
  enum Symbol { kLine, kJoint, kCross, kRing };
  struct Entry {
    QColor colour;
    QString text;
    Symbol symbol;
  };
  const Entry entries[] = {{kStraightColour, QStringLiteral("直线"), kLine},
                           {kArcColour, QStringLiteral("圆曲线"), kLine},
                           {kSpiralColour, QStringLiteral("缓和曲线"), kLine},
                           {kJointColour, QStringLiteral("接头 ") + StatusText(true), kJoint},
                           {kBadJointColour, QStringLiteral("接头 ") + StatusText(false), kJoint},
                           {kStakeoutColour, QStringLiteral("桩点"), kCross},
                           {kInverseColour, QStringLiteral("反算点"), kRing}};
  const int count = static_cast<int>(std::size(entries));
  const QFontMetrics metrics = painter.fontMetrics();
  const int line = metrics.height() + 2;
  const QRect box(8, 8,
                  44 + metrics.horizontalAdvance(QStringLiteral("接头 ") + StatusText(false)) + 8,
                  line * count + 8);
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.setBrush(QColor(255, 255, 255, 220));
  painter.drawRect(box);
  int y = box.top() + 4 + line / 2;
  for (const Entry& entry : entries) {
    if (entry.symbol == kJoint) {
      painter.setPen(QPen(entry.colour, 1.5));
      painter.setBrush(entry.colour == kBadJointColour ? QBrush(entry.colour) : QBrush(Qt::white));
      painter.drawEllipse(QPointF(box.left() + 20, y), 4, 4);
    } else if (entry.symbol != kLine) {
      painter.setPen(QPen(entry.colour, 1));
      painter.setBrush(Qt::NoBrush);
      DrawMarker(painter, entry.symbol == kCross ? MarkerShape::Cross : MarkerShape::Ring,
                 QPointF(box.left() + 20, y));
    } else {
      painter.setPen(QPen(entry.colour, 3));
      painter.drawLine(box.left() + 8, y, box.left() + 34, y);
    }
    painter.setPen(Qt::black);
    painter.drawText(box.left() + 42, y + metrics.ascent() / 2 - 1, entry.text);
    y += line;
  }
}

void RoutePlanView::drawNorthArrow(QPainter& painter) const {
  const QPointF tip(viewport()->width() - 28, 12);
  QPainterPath arrow(tip);
  arrow.lineTo(tip + QPointF(9, 30));
  arrow.lineTo(tip + QPointF(0, 23));
  arrow.lineTo(tip + QPointF(-9, 30));
  arrow.closeSubpath();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::black);
  painter.drawPath(arrow);
  painter.drawText(QRectF(tip.x() - 10, tip.y() + 31, 20, 18), Qt::AlignCenter,
                   QStringLiteral("N"));
}

void RoutePlanView::drawScaleBar(QPainter& painter) const {
  const double pixelsPerMetre = std::abs(transform().m11());
  if (!(pixelsPerMetre > 0)) return;
  // The longest round length (1, 2 or 5 × 10ⁿ m) that fits in 120 pixels.
  const double most = 120 / pixelsPerMetre;
  const double decade = std::pow(10, std::floor(std::log10(most)));
  double length = decade;
  for (double f : {2.0, 5.0})
    if (f * decade <= most) length = f * decade;
  const double width = length * pixelsPerMetre;
  const QPointF left(12, viewport()->height() - 16);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawLine(left, left + QPointF(width, 0));
  painter.drawLine(left + QPointF(0, -6), left);
  painter.drawLine(left + QPointF(width, -6), left + QPointF(width, 0));
  painter.setPen(Qt::black);
  painter.drawText(left + QPointF(width + 6, 4), Metres(length));
}

}  // namespace tarnvel
