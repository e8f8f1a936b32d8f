#include "ui/route/profile/profile_view.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/profile/vertical_curve_table_text.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "ui/route/common/drawing_frame.h"
#include "ui/route/common/drawing_labels.h"

namespace tarnvel {

namespace {

// Points drawn along each vertical curve: a parabola over a few hundred
// metres looks smooth at any zoom a screen allows with this many.
constexpr int kCurveSamples = 64;
// The station axis is marked every 100 m, or at a round multiple of it
// where 100 m would crowd the lines closer than this many pixels.
constexpr double kStationMark = 100;
constexpr double kLeastGridPixels = 8;

const QColor kGridColour(226, 226, 226);
const QColor kAxisColour(110, 110, 110);
const QColor kGradeColour(0, 90, 200);
const QColor kCurveColour(200, 60, 0);
const QColor kGroundColour(120, 150, 40);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QSizeF TextSize(const QString& text) {
  return QGraphicsSimpleTextItem(text).boundingRect().size();
}

// A line of text as tall as a name in Chinese makes it.
double LineHeight() {
  return TextSize(QStringLiteral("中0")).height();
}

// The segments of `path` in pixels, which the labels keep off.
void AddSegments(const QPainterPath& path, const QTransform& toPixels, std::vector<QLineF>& out) {
  for (int i = 1; i < path.elementCount(); ++i)
    if (path.elementAt(i).isLineTo())
      out.emplace_back(toPixels.map(QPointF(path.elementAt(i - 1))),
                       toPixels.map(QPointF(path.elementAt(i))));
}

// The places of a label against its point: on `first` side, tier after
// tier, then on the other.
LabelPlaces AroundPoint(QPointF anchor, LabelSide first) {
  return [anchor, first](QSizeF size) {
    const LabelSide second = first == LabelSide::Above ? LabelSide::Below : LabelSide::Above;
    std::vector<QRectF> places = StackedPlaces(anchor, size, first, 7, 3);
    const std::vector<QRectF> other = StackedPlaces(anchor, size, second, 7, 3);
    places.insert(places.end(), other.begin(), other.end());
    return places;
  };
}

}  // namespace

ProfileView::ProfileView(QWidget* parent) : QGraphicsView(parent) {
  setScene(new QGraphicsScene(this));
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  // The drawing fills the view: there is nothing to scroll to.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setBackgroundBrush(Qt::white);
}

void ProfileView::setProfile(const VerticalProfile* profile) {
  profile_ = profile;
  rebuild();
}

void ProfileView::setGround(std::vector<std::vector<StationElevation>> stretches) {
  ground_ = std::move(stretches);
  rebuild();
}

// The legend in the view's top right corner, over the drawing: the design
// line and, while it is drawn, the ground.
void ProfileView::drawForeground(QPainter* painter, const QRectF&) {
  if (!profile_ || profile_->pvis.size() < 2 || ground_.empty()) return;
  painter->save();
  painter->resetTransform();
  const QFontMetrics metrics = painter->fontMetrics();
  const int line = metrics.height() + 2;
  const QString texts[] = {QStringLiteral("设计线"), QStringLiteral("地面线")};
  const QColor colours[] = {kGradeColour, kGroundColour};
  const int width = 44 + metrics.horizontalAdvance(texts[0]) + 8;
  const QRect box(viewport()->width() - width - 8, 8, width, 2 * line + 8);
  painter->setPen(QPen(QColor(160, 160, 160), 1));
  painter->setBrush(QColor(255, 255, 255, 220));
  painter->drawRect(box);
  int y = box.top() + 4 + line / 2;
  for (int i = 0; i < 2; ++i) {
    painter->setPen(QPen(colours[i], 2));
    painter->drawLine(box.left() + 8, y, box.left() + 34, y);
    painter->setPen(Qt::black);
    painter->drawText(box.left() + 42, y + metrics.ascent() / 2 - 1, texts[i]);
    y += line;
  }
  painter->restore();
}

void ProfileView::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  rebuild();
}

void ProfileView::setExaggeration(double times) {
  if (!(times > 0) || times == exaggeration_) return;
  exaggeration_ = times;
  rebuild();
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
  QPainterPath ground;
  for (const std::vector<StationElevation>& stretch : ground_) {
    ground.moveTo(toScene(stretch.front().station, stretch.front().elevation));
    for (const StationElevation& point : stretch)
      ground.lineTo(toScene(point.station, point.elevation));
  }
  const QRectF line =
      grades.boundingRect().united(curves.boundingRect()).united(ground.boundingRect());

  // In the view's pixels: the elevation axis's texts left of the plot and
  // the station axis's under it; within it, room above the line for a PVI's
  // label and below it for a grade's. The line is drawn as large as that
  // leaves room for, and the axes run over the whole plot.
  const QSizeF size = DrawingSize(*this);
  double left = 0;  // the widest elevation's text
  for (const Pvi& pvi : pvis)
    left = std::max(left, TextSize(Text(FixedText(pvi.elevation, 2))).width() + 12);
  const QString lastMark = WholeMetreStationText(
      std::ceil(pvis.back().station / kStationMark) * kStationMark, stationPrefix_);
  const double right = TextSize(lastMark).width() / 2 + 4;
  const double lineHeight = LineHeight();
  const QRectF plot(left, 6, size.width() - left - right, size.height() - lineHeight - 18);
  const QRectF band = plot.adjusted(12, 3 * lineHeight + 16, -12, -(2 * lineHeight + 16));
  double scale = band.width() / std::max(line.width(), 1e-6);
  if (line.height() > 0) scale = std::min(scale, band.height() / line.height());
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1e-3;  // a view too small to hold it
  const QTransform toPixels = FrameScene(*this, line.center() - band.center() / scale, scale, size);
  drawAxes(plot, toPixels);
  s.addPath(ground, QPen(kGroundColour, 0));
  s.addPath(tangents, QPen(QColor(150, 150, 150), 0, Qt::DashLine));
  s.addPath(grades, QPen(kGradeColour, 0));
  s.addPath(curves, QPen(kCurveColour, 0));
  std::vector<QLineF> drawn;
  AddSegments(grades, toPixels, drawn);
  AddSegments(curves, toPixels, drawn);
  // The labels keep off the ground too.
  AddSegments(ground, toPixels, drawn);
  drawLabels(plot, toPixels, drawn);
}

// The grid over the plot, framed, with the stations under it and the
// elevations left of it.
void ProfileView::drawAxes(const QRectF& plot, const QTransform& toPixels) {
  QGraphicsScene& s = *scene();
  const QTransform fromPixels = toPixels.inverted();
  const double scale = toPixels.m11();
  const auto addLine = [&](const QLineF& pixels, const QPen& pen) {
    s.addLine(fromPixels.map(pixels), pen)->setZValue(-1);
  };
  const QPen gridPen(kGridColour, 0);
  const QPen axisPen(kAxisColour, 0);
  LabelLayout axisLabels(QRectF(QPointF(), DrawingSize(*this)).adjusted(1, 1, -1, -1));
  const QRectF plotScene = fromPixels.mapRect(plot);
  // The station axis: every 100 m, its K text as far apart as it fits.
  const double firstStation = plotScene.left() + originStation_;
  const double lastStation = plotScene.right() + originStation_;
  const double gridStep = std::max(kStationMark, RoundStep(kLeastGridPixels / scale));
  const double widest =
      TextSize(
          WholeMetreStationText(std::max(std::abs(firstStation), std::abs(lastStation)) + gridStep,
                                stationPrefix_))
          .width();
  const double labelStep = gridStep * RoundStep(std::max(1.0, (widest + 16) / scale / gridStep));
  for (double n = std::ceil(firstStation / gridStep); n * gridStep <= lastStation; ++n) {
    const double station = n * gridStep;
    const double x = toPixels.map(toScene(station, 0)).x();
    addLine({x, plot.top(), x, plot.bottom()}, gridPen);
    if (std::fmod(std::abs(station), labelStep) != 0) continue;
    addLine({x, plot.bottom(), x, plot.bottom() + 4}, axisPen);
    PlaceLabel(
        s, axisLabels, WholeMetreStationText(station, stationPrefix_), Qt::black,
        [&](QSizeF text) {
          return std::vector<QRectF>{{QPointF(x - text.width() / 2, plot.bottom() + 5), text}};
        },
        toPixels);
  }
  // The elevation axis, at a round step at least two lines of text apart.
  const double elevationStep = RoundStep(2 * LineHeight() / (scale * exaggeration_));
  const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(elevationStep) - 1e-9)));
  const double lowest = originElevation_ - plotScene.bottom() / exaggeration_;
  const double topmost = originElevation_ - plotScene.top() / exaggeration_;
  for (double n = std::ceil(lowest / elevationStep); n * elevationStep <= topmost; ++n) {
    const double elevation = n * elevationStep;
    const double y = toPixels.map(toScene(originStation_, elevation)).y();
    addLine({plot.left(), y, plot.right(), y}, gridPen);
    addLine({plot.left() - 4, y, plot.left(), y}, axisPen);
    PlaceLabel(
        s, axisLabels, Text(FixedText(elevation, decimals)), Qt::black,
        [&](QSizeF text) {
          return std::vector<QRectF>{
              {QPointF(plot.left() - 6 - text.width(), y - text.height() / 2), text}};
        },
        toPixels);
  }
  s.addRect(fromPixels.mapRect(plot), axisPen)->setZValue(-1);
}

// The PVIs marked and named, the grade lines labelled, within the plot and
// clear of the `drawn` line where they can be; the ends first, so that BP
// and EP are named whenever a label fits at all.
void ProfileView::drawLabels(const QRectF& plot, const QTransform& toPixels,
                             const std::vector<QLineF>& drawn) {
  QGraphicsScene& s = *scene();
  const auto& pvis = profile_->pvis;
  LabelLayout labels(plot.adjusted(2, 2, -2, -2));
  const auto clear = [&drawn](const QRectF& box) { return ClearOfLines(box, drawn); };
  const QPen leaderPen(QColor(150, 150, 150), 0);
  const auto placeFirstOf = [&](const std::vector<QString>& texts, const QColor& colour,
                                QPointF anchor, LabelSide side) {
    for (const QString& text : texts)
      if (const auto label =
              PlaceLabel(s, labels, text, colour, AroundPoint(anchor, side), toPixels, clear)) {
        if (const auto leader = Leader(anchor, label->box, 8))
          s.addLine(toPixels.inverted().map(*leader), leaderPen);
        return;
      }
  };
  std::vector<QPointF> points;
  for (const Pvi& pvi : pvis) {
    points.push_back(toPixels.map(toScene(pvi.station, pvi.elevation)));
    auto* mark = s.addEllipse(-3, -3, 6, 6, QPen(Qt::black, 0), QBrush(Qt::white));
    mark->setPos(toScene(pvi.station, pvi.elevation));
    mark->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    mark->setZValue(1);
    labels.take(QRectF(points.back() - QPointF(4, 4), QSizeF(8, 8)));
  }
  std::vector<size_t> order{0, pvis.size() - 1};
  for (size_t k = 1; k + 1 < pvis.size(); ++k) order.push_back(k);
  for (const size_t k : order) {
    const QString name = Text(pvis[k].name);
    // A sag's PVI lies under its curve: its label goes under it first.
    const bool sag = k > 0 && k + 1 < pvis.size() && profile_->grades[k] > profile_->grades[k - 1];
    placeFirstOf({name + u'\n' + Text(KStationText(pvis[k].station, stationPrefix_)) + u'\n' +
                      Text(FixedText(pvis[k].elevation, 3)),
                  name},
                 Qt::black, points[k], sag ? LabelSide::Below : LabelSide::Above);
  }
  // The grade and the length of each grade line, at its middle.
  for (size_t k = 0; k + 1 < pvis.size(); ++k) {
    const double middle = (pvis[k].station + pvis[k + 1].station) / 2;
    const double length = pvis[k + 1].station - pvis[k].station;
    const QString grade = Text(GradePercentText(profile_->grades[k])) + u'%';
    placeFirstOf({grade + u'\n' + Text(FixedText(length, 3)) + u'm', grade}, kGradeColour,
                 toPixels.map(toScene(
                     middle, pvis[k].elevation + profile_->grades[k] * (middle - pvis[k].station))),
                 LabelSide::Below);
  }
}

void ProfileView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  rebuild();
}

void ProfileView::showEvent(QShowEvent* event) {
  QGraphicsView::showEvent(event);
  rebuild();
}

void ProfileView::mouseMoveEvent(QMouseEvent* event) {
  QGraphicsView::mouseMoveEvent(event);
  if (!profile_) return;
  const double station = mapToScene(event->position().toPoint()).x() + originStation_;
  if (const auto at = ProfileAt(*profile_, station)) emit cursorMoved(station, at->elevation);
}

}  // namespace tarnvel
