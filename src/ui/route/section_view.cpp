#include "section_view.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "number_text.h"
#include "section_surface.h"
#include "station_text.h"

namespace tarnvel {

namespace {

// Where a label sits against its point.
enum class Place { Above, Below, Left, Right };

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QGraphicsSimpleTextItem* Label(QGraphicsScene& scene, const QString& text, QPointF at,
                               const QColor& colour, Place place, double lift = 0) {
  auto* item = scene.addSimpleText(text);
  item->setBrush(colour);
  item->setPos(at);
  // Labels keep their size in pixels whatever the zoom and exaggeration,
  // centred over or under their point, or level with it on one side.
  item->setFlag(QGraphicsItem::ItemIgnoresTransformations);
  const QRectF box = item->boundingRect();
  if (place == Place::Left || place == Place::Right)
    item->setTransform(QTransform::fromTranslate(
        place == Place::Right ? 8 + lift : -box.width() - 8 - lift, -box.height() / 2));
  else
    item->setTransform(QTransform::fromTranslate(
        -box.width() / 2, place == Place::Above ? -box.height() - 6 - lift : 6 + lift));
  return item;
}

// Two colours in turn, so that neighbouring parts tell apart.
const QColor kPartColours[] = {QColor(0, 90, 200), QColor(0, 150, 90)};

// A surveyed point stands out from the parts and the design line.
const QColor kPointColour(200, 0, 140);

}  // namespace

SectionView::SectionView(QWidget* parent) : QGraphicsView(parent) {
  setScene(new QGraphicsScene(this));
  setRenderHint(QPainter::Antialiasing);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setBackgroundBrush(Qt::white);
}

void SectionView::setDrawing(std::optional<SectionDrawing> drawing) {
  drawing_ = std::move(drawing);
  rebuild();
  fitAll();
}

void SectionView::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  rebuild();
}

void SectionView::setExaggeration(double times) {
  if (!(times > 0) || times == exaggeration_) return;
  exaggeration_ = times;
  rebuild();
  fitAll();
}

QPointF SectionView::toScene(double offset, double rise) const {
  return {offset, -rise * exaggeration_};
}

void SectionView::rebuild() {
  QGraphicsScene& s = *scene();
  s.clear();
  if (!drawing_) {
    s.setSceneRect({});
    return;
  }
  const SectionStation& section = drawing_->section;
  const auto rise = [&](double offset) { return RiseTo(section, offset).value_or(0); };
  const auto elevation = [&](double offset) {
    return SurfaceElevation(section, *drawing_->designElevation, offset);
  };
  QRectF bounds(toScene(0, 0), QSizeF());
  for (const bool left : {true, false}) {
    const std::vector<SectionPart>& parts = left ? section.left : section.right;
    const std::vector<std::string>& names = left ? drawing_->leftParts : drawing_->rightParts;
    double inner = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
      const double outer = OuterEdgeOffset(section, left, k);
      const QPointF from = toScene(inner, rise(inner));
      const QPointF to = toScene(outer, rise(outer));
      const QColor& colour = kPartColours[k % 2];
      s.addLine(QLineF(from, to), QPen(colour, 0));
      s.addLine(QLineF(to, to + QPointF(0, 0.3)), QPen(Qt::black, 0));
      bounds = bounds.united(QRectF(from, to).normalized());
      // Names over the surface, slopes over widths under it; neighbours a
      // line apart, so that a narrow shoulder's texts clear the lane's, and
      // slope and width stacked, so that the lanes either side of the centre
      // line clear each other.
      const QPointF middle = (from + to) / 2;
      const bool odd = k % 2 == 1;
      const double lift = odd ? 16 : 0;
      Label(s, Text(names[k]), middle, colour, Place::Above, lift);
      Label(s,
            Text(FixedText(parts[k].slope, 2)) + QStringLiteral("%\n") +
                Text(FixedText(parts[k].width, 3)) + u'm',
            middle, colour, Place::Below, odd ? 30 : 0);
      if (drawing_->designElevation)
        if (const auto h = elevation(outer))
          Label(s, Text(FixedText(*h, 3)), to, Qt::black, Place::Above, 40 + lift);
      inner = outer;
    }
  }
  // The centre line with its station; the design line with its elevation.
  const double height = std::max(bounds.width() * 0.15, bounds.height() + 1.0);
  const QPointF centre = toScene(0, 0);
  s.addLine(QLineF(centre + QPointF(0, -height), centre + QPointF(0, height / 2)),
            QPen(QColor(150, 150, 150), 0, Qt::DashDotLine));
  Label(s, QStringLiteral("中线 ") + Text(KStationText(section.station, stationPrefix_)),
        centre + QPointF(0, -height), Qt::black, Place::Above);
  const double d = section.designOffset;
  const QPointF design = toScene(d, rise(d));
  s.addLine(QLineF(design + QPointF(0, -height / 2), design), QPen(QColor(200, 60, 0), 0));
  QString designText = QStringLiteral("设计线");
  if (drawing_->designElevation)
    designText += u' ' + Text(FixedText(*drawing_->designElevation, 3));
  Label(s, designText, design + QPointF(0, -height / 2), QColor(200, 60, 0), Place::Above);
  bounds = bounds.united(QRectF(centre.x(), centre.y() - height, 0, height * 1.5));
  if (drawing_->point) {
    const SectionPoint& point = *drawing_->point;
    const QPointF at = pointAt(point);
    // Up or down to the surface at its offset, as its 高差 measures it.
    if (const auto surface = RiseTo(section, point.offset))
      s.addLine(QLineF(at, toScene(point.offset, *surface)), QPen(kPointColour, 0, Qt::DashLine));
    auto* marker = s.addEllipse(-4, -4, 8, 8, QPen(kPointColour, 1.5));
    marker->setPos(at);
    marker->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    marker->setZValue(1);
    // Its name and 高差 head the drawing, over the centre line's station,
    // where no label of a part or an edge can cover them or be covered.
    Label(s, point.name + QStringLiteral("  ") + point.note, centre + QPointF(0, -height),
          kPointColour, Place::Above, 22)
        ->setZValue(1);
    bounds = bounds.united(QRectF(at, QSizeF()));
  }
  s.setSceneRect(bounds.adjusted(-bounds.width() * 0.08 - 1, -bounds.height() * 0.2 - 1,
                                 bounds.width() * 0.08 + 1, bounds.height() * 0.2 + 1));
}

// A point is at its own H against the surface's elevation at the centre line,
// when both are known. Without them it is on the surface at its offset, or
// beyond the road level with that side's outer edge: it is still seen across.
QPointF SectionView::pointAt(const SectionPoint& point) const {
  const SectionStation& section = drawing_->section;
  if (point.height && drawing_->designElevation)
    if (const auto centre = SurfaceElevation(section, *drawing_->designElevation, 0))
      return toScene(point.offset, *point.height - *centre);
  if (const auto rise = RiseTo(section, point.offset)) return toScene(point.offset, *rise);
  const double edge = SideWidth(point.offset < 0 ? section.left : section.right);
  return toScene(point.offset, RiseTo(section, point.offset < 0 ? -edge : edge).value_or(0));
}

void SectionView::fitAll() {
  if (scene()->sceneRect().isEmpty()) return;
  fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
}

void SectionView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  fitAll();
}

}  // namespace tarnvel
