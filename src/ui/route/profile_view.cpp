#include "profile_view.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "number_text.h"
#include "station_text.h"
#include "vertical_curve_table_text.h"

namespace tarnvel {

namespace {

// Points drawn along each vertical curve: a parabola over a few hundred
// metres looks smooth at any zoom a screen allows with this many.
constexpr int kCurveSamples = 64;

// Where a label sits against its point, in pixels.
enum class Place { Above, Below };

QGraphicsSimpleTextItem* Label(QGraphicsScene& scene, const QString& text, QPointF at,
                               const QColor& colour, Place place) {
  auto* item = scene.addSimpleText(text);
  item->setBrush(colour);
  item->setPos(at);
  // Labels keep their size in pixels whatever the zoom and exaggeration,
  // centred over (PVIs) or under (grades) their point.
  item->setFlag(QGraphicsItem::ItemIgnoresTransformations);
  const QRectF box = item->boundingRect();
  item->setTransform(
      QTransform::fromTranslate(-box.width() / 2, place == Place::Above ? -box.height() - 6 : 6));
  return item;
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

ProfileView::ProfileView(QWidget* parent) : QGraphicsView(parent) {
  setScene(new QGraphicsScene(this));
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setBackgroundBrush(Qt::white);
}

void ProfileView::setProfile(const VerticalProfile* profile) {
  profile_ = profile;
  rebuild();
  fitAll();
}

void ProfileView::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  rebuild();
}

void ProfileView::setExaggeration(double times) {
  if (!(times > 0) || times == exaggeration_) return;
  exaggeration_ = times;
  rebuild();
  fitAll();
}

QPointF ProfileView::toScene(double station, double elevation) const {
  return {station - originStation_, -(elevation - originElevation_) * exaggeration_};
}

void ProfileView::rebuild() {
  QGraphicsScene& s = *scene();
  s.clear();
  if (!profile_ || profile_->pvis.size() < 2) {
    s.setSceneRect({});
    return;
  }
  const auto& pvis = profile_->pvis;
  originStation_ = pvis.front().station;
  originElevation_ = pvis.front().elevation;

  QPen tangentPen(QColor(150, 150, 150), 0, Qt::DashLine);
  QPen gradePen(QColor(0, 90, 200), 0);
  QPen curvePen(QColor(200, 60, 0), 0);

  // Grade lines between curve ends, and the tangents through each curve's PVI.
  QPainterPath grades;
  QPainterPath tangents;
  QPainterPath curves;
  grades.moveTo(toScene(pvis.front().station, pvis.front().elevation));
  for (size_t k = 1; k < pvis.size(); ++k) {
    // A curve runs from CurveStart to CurveEnd: PVI ± T for a parabola, but
    // only T·cos θ either side in station for a circle.
    const bool curve = profile_->tangents[k] > 0;
    const double start = curve ? CurveStart(*profile_, k) : pvis[k].station;
    grades.lineTo(toScene(start, ProfileAt(*profile_, start)->elevation));
    if (curve) {
      const double end = CurveEnd(*profile_, k);
      tangents.moveTo(grades.currentPosition());
      tangents.lineTo(toScene(pvis[k].station, pvis[k].elevation));
      tangents.lineTo(toScene(end, ProfileAt(*profile_, end)->elevation));
      curves.moveTo(grades.currentPosition());
      for (int n = 1; n <= kCurveSamples; ++n) {
        const double station = n == kCurveSamples ? end : start + (end - start) * n / kCurveSamples;
        curves.lineTo(toScene(station, ProfileAt(*profile_, station)->elevation));
      }
      grades.moveTo(curves.currentPosition());
    }
  }
  s.addPath(tangents, tangentPen);
  s.addPath(grades, gradePen);
  s.addPath(curves, curvePen);
  // The labels keep their pixel size, so the lines alone set the extent.
  const QRectF bounds = grades.boundingRect().united(curves.boundingRect());

  for (size_t k = 0; k < pvis.size(); ++k) {
    const QPointF at = toScene(pvis[k].station, pvis[k].elevation);
    auto* mark = s.addEllipse(-3, -3, 6, 6, QPen(Qt::black, 0), QBrush(Qt::white));
    mark->setPos(at);
    mark->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    Label(s,
          Text(pvis[k].name) + u'\n' + Text(KStationText(pvis[k].station, stationPrefix_)) + u'\n' +
              Text(FixedText(pvis[k].elevation, 3)),
          at, Qt::black, Place::Above);
    if (k + 1 == pvis.size()) break;
    // The grade and the length of each grade line, at its middle.
    const double middle = (pvis[k].station + pvis[k + 1].station) / 2;
    const double length = pvis[k + 1].station - pvis[k].station;
    Label(s,
          Text(GradePercentText(profile_->grades[k])) + QStringLiteral("%\n") +
              Text(FixedText(length, 3)) + u'm',
          toScene(middle, pvis[k].elevation + profile_->grades[k] * (middle - pvis[k].station)),
          QColor(0, 90, 200), Place::Below);
  }
  s.setSceneRect(bounds.adjusted(-bounds.width() * 0.05 - 10, -bounds.height() * 0.2 - 10,
                                 bounds.width() * 0.05 + 10, bounds.height() * 0.2 + 10));
}

void ProfileView::fitAll() {
  if (scene()->sceneRect().isEmpty()) return;
  fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
}

void ProfileView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  fitAll();
}

void ProfileView::mouseMoveEvent(QMouseEvent* event) {
  QGraphicsView::mouseMoveEvent(event);
  if (!profile_) return;
  const double station = mapToScene(event->position().toPoint()).x() + originStation_;
  if (const auto at = ProfileAt(*profile_, station)) emit cursorMoved(station, at->elevation);
}

}  // namespace tarnvel
