#include "ui/route/sections/section_view.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "core/section/section_surface.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "ui/route/common/drawing_frame.h"
#include "ui/route/common/drawing_labels.h"

namespace tarnvel {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QSizeF TextSize(const QString& text) {
  return QGraphicsSimpleTextItem(text).boundingRect().size();
}

// Two colours in turn, so that neighbouring parts tell apart.
const QColor kPartColours[] = {QColor(0, 90, 200), QColor(0, 150, 90)};

// A surveyed point stands out from the parts and the design line.
const QColor kPointColour(200, 0, 140);
const QColor kDesignColour(200, 60, 0);

// The earthworks: the ground in brown, the slopes in dark grey, the fill
// and the cut shaded apart, the catch points in dark red.
const QColor kGroundColour(130, 80, 30);
const QColor kSlopeColour(60, 60, 60);
const QColor kFillShade(230, 80, 50, 70);
const QColor kCutShade(240, 180, 0, 90);
const QColor kCatchColour(160, 0, 0);
const QColor kNoCatchColour(120, 120, 120);

// Pixels between rows of labels: more than the layout keeps between two.
constexpr double kRowGap = 5;

// A label heading the drawing: over `x` on the row at `top`, moved in to
// stay within the view's `width` when a long one would run past its edge.
LabelPlaces HeadingAt(double x, double top, double width) {
  return [=](QSizeF size) {
    const double left = std::clamp(x - size.width() / 2, 2.0, width - 2 - size.width());
    return std::vector<QRectF>{QRectF(QPointF(left, top), size)};
  };
}

LabelPlaces Stacked(QPointF anchor, LabelSide side, double gap, int tiers) {
  return [=](QSizeF size) { return StackedPlaces(anchor, size, side, gap, tiers); };
}

// Over a point, else under it: a catch point has air on one side of it.
LabelPlaces AroundPoint(QPointF anchor) {
  return [=](QSizeF size) {
    std::vector<QRectF> places = StackedPlaces(anchor, size, LabelSide::Above, 6, 4);
    const std::vector<QRectF> below = StackedPlaces(anchor, size, LabelSide::Below, 6, 4);
    places.insert(places.end(), below.begin(), below.end());
    return places;
  };
}

// At the view's right edge, on the rows from `top` down.
LabelPlaces AtRightEdge(double width, double top, double row) {
  return [=](QSizeF size) {
    std::vector<QRectF> places;
    for (int n = 0; n < 3; ++n)
      places.emplace_back(QPointF(width - 4 - size.width(), top + n * row), size);
    return places;
  };
}

// What a catch point is, its offset and its elevation, as the crew stakes
// it: "坡脚 -10.000 / 97.500".
QString CatchLabel(const SideCatch& side) {
  return Text(std::string(CatchPointNote(*side.kind))) + u' ' +
         Text(FixedText(side.catchPoint->offset, 3)) + QStringLiteral(" / ") +
         Text(FixedText(side.catchPoint->elevation, 3));
}

QPen LinePen(const QColor& colour) {
  QPen pen(colour, 1.5);
  pen.setCosmetic(true);
  return pen;
}

}  // namespace

SectionView::SectionView(QWidget* parent) : QGraphicsView(parent) {
  setScene(new QGraphicsScene(this));
  setRenderHint(QPainter::Antialiasing);
  // The drawing fills the view: there is nothing to scroll to.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setBackgroundBrush(Qt::white);
}

void SectionView::setDrawing(std::optional<SectionDrawing> drawing) {
  drawing_ = std::move(drawing);
  rebuild();
}

void SectionView::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  rebuild();
}

void SectionView::setExaggeration(double times) {
  if (!(times > 0) || times == exaggeration_) return;
  exaggeration_ = times;
  rebuild();
}

QPointF SectionView::toScene(double offset, double rise) const {
  return {offset, -rise * exaggeration_};
}

QPointF SectionView::atElevation(const GroundPoint& point) const {
  const double centre =
      SurfaceElevation(drawing_->section, *drawing_->designElevation, 0).value_or(0);
  return toScene(point.offset, point.elevation - centre);
}

std::vector<GroundPoint> SectionView::shownGround() const {
  const SectionEarthworks& earthworks = *drawing_->earthworks;
  const std::vector<GroundPoint>& ground = earthworks.ground;
  const std::vector<GroundPoint>& design = earthworks.design;
  std::vector<GroundPoint> shown;
  if (ground.size() < 2 || design.empty()) return shown;
  const double margin = std::max(2.0, 0.25 * (design.back().offset - design.front().offset));
  const double first = design.front().offset - margin;
  const double last = design.back().offset + margin;
  if (const auto z = ElevationOn(ground, first)) shown.push_back({first, *z});
  for (const GroundPoint& p : ground)
    if (p.offset > first && p.offset < last) shown.push_back(p);
  if (const auto z = ElevationOn(ground, last)) shown.push_back({last, *z});
  return shown;
}

// What is drawn and said of each part, in scene units: from its inner edge
// to its outer one, with the texts of its name, slope and width and of its
// outer edge's elevation; the left side's from the centre line outward,
// then the right's.
std::vector<SectionView::Part> SectionView::parts() const {
  const SectionStation& section = drawing_->section;
  const auto rise = [&](double offset) { return RiseTo(section, offset).value_or(0); };
  std::vector<Part> parts;
  for (const bool left : {true, false}) {
    const std::vector<SectionPart>& side = left ? section.left : section.right;
    const std::vector<std::string>& names = left ? drawing_->leftParts : drawing_->rightParts;
    double inner = 0;
    for (std::size_t k = 0; k < side.size(); ++k) {
      const double outer = OuterEdgeOffset(section, left, k);
      Part part{toScene(inner, rise(inner)),
                toScene(outer, rise(outer)),
                kPartColours[k % 2],
                Text(names[k]),
                Text(FixedText(side[k].slope, 2)) + QStringLiteral("%\n") +
                    Text(FixedText(side[k].width, 3)) + u'm',
                QString()};
      if (drawing_->designElevation)
        if (const auto h = SurfaceElevation(section, *drawing_->designElevation, outer))
          part.edge = Text(FixedText(*h, 3));
      parts.push_back(std::move(part));
      inner = outer;
    }
  }
  return parts;
}

void SectionView::rebuild() {
  QGraphicsScene& s = *scene();
  s.clear();
  if (!drawing_) {
    s.setSceneRect({});
    return;
  }
  const SectionStation& section = drawing_->section;
  const std::vector<Part> drawn = parts();
  QRectF bounds(toScene(0, 0), QSizeF());
  for (const Part& part : drawn) bounds = bounds.united(QRectF(part.from, part.to).normalized());
  const bool earthworks = drawing_->earthworks && drawing_->designElevation;
  std::vector<GroundPoint> ground;
  if (earthworks) {
    ground = shownGround();
    // A point has no size: it widens the bounds by its place alone.
    const auto extend = [&bounds](QPointF p) {
      bounds.setCoords(std::min(bounds.left(), p.x()), std::min(bounds.top(), p.y()),
                       std::max(bounds.right(), p.x()), std::max(bounds.bottom(), p.y()));
    };
    for (const GroundPoint& p : ground) extend(atElevation(p));
    for (const GroundPoint& p : drawing_->earthworks->design) extend(atElevation(p));
  }
  QStringList headings;
  if (drawing_->point) {
    headings << drawing_->point->name + QStringLiteral("  ") + drawing_->point->note;
    bounds = bounds.united(QRectF(pointAt(*drawing_->point), QSizeF()));
  }
  headings << QStringLiteral("中线 ") + Text(KStationText(section.station, stationPrefix_));

  // In the view's pixels: the headings on the top rows, then the design
  // line's label, then room for the edges' elevations and the parts' names
  // over the surface, and under it for slopes and widths; at the sides the
  // widest label, for an outer edge's to hang outside it. The section is
  // drawn as large as that leaves room for.
  const QSizeF size = DrawingSize(*this);
  // A row as tall as a name in Chinese makes it.
  const double row = TextSize(QStringLiteral("中0")).height() + kRowGap;
  double side = 0;
  for (const Part& part : drawn)
    side = std::max({side, TextSize(part.edge).width(), TextSize(part.slope).width()});
  // A catch point's label goes out over the ground beyond it, most of the
  // way, or in over its slope.
  if (earthworks)
    for (const SideCatch* catches : {&drawing_->earthworks->left, &drawing_->earthworks->right})
      if (catches->catchPoint) side = std::max(side, TextSize(CatchLabel(*catches)).width() / 2);
  side += 6;
  const double designRow = 4 + headings.size() * row;
  const double top = designRow + 4 * row + 8;
  const double bottom = 4 * row + 8;
  const QRectF band(side, top, size.width() - 2 * side, size.height() - top - bottom);
  double scale = band.width() / std::max(bounds.width(), 1e-6);
  if (bounds.height() > 0) scale = std::min(scale, band.height() / bounds.height());
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1e-3;  // a view too small to hold it
  const QTransform toPixels =
      FrameScene(*this, bounds.center() - band.center() / scale, scale, size);
  const QTransform fromPixels = toPixels.inverted();
  for (const Part& part : drawn) {
    s.addLine(QLineF(part.from, part.to), QPen(part.colour, 0));
    const QPointF edge = toPixels.map(part.to);
    s.addLine(fromPixels.map(QLineF(edge, edge + QPointF(0, 6))), QPen(Qt::black, 0));
  }
  if (earthworks) drawEarthworks(ground);
  drawLabels(drawn, ground, headings, row, toPixels);
  if (drawing_->point) {
    const SectionPoint& point = *drawing_->point;
    const QPointF at = pointAt(point);
    // Up or down to the surface at its offset, as its 高差 measures it.
    if (const auto surfaceRise = RiseTo(section, point.offset))
      s.addLine(QLineF(at, toScene(point.offset, *surfaceRise)),
                QPen(kPointColour, 0, Qt::DashLine));
    auto* marker = s.addEllipse(-4, -4, 8, 8, QPen(kPointColour, 1.5));
    marker->setPos(at);
    marker->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    marker->setZValue(1);
  }
}

// The headings on rows of `row` pixels from the top, a point's first, where
// nothing else can cover them; the centre line from under them and the
// design line from its label; then the edges' elevations, as the surveyor
// stakes by them, the parts' names and their slopes and widths, clear of
// the surface where they can be.
void SectionView::drawLabels(const std::vector<Part>& drawn, const std::vector<GroundPoint>& ground,
                             const QStringList& headings, double row, const QTransform& toPixels) {
  QGraphicsScene& s = *scene();
  const SectionStation& section = drawing_->section;
  const QSizeF size = DrawingSize(*this);
  const QTransform fromPixels = toPixels.inverted();
  const auto addLine = [&](const QLineF& pixels, const QPen& pen) {
    s.addLine(fromPixels.map(pixels), pen);
  };
  std::vector<QLineF> surface;
  for (const Part& part : drawn)
    surface.emplace_back(toPixels.map(part.from), toPixels.map(part.to));
  if (drawing_->earthworks && drawing_->designElevation)
    for (const std::vector<GroundPoint>& line : {ground, drawing_->earthworks->design})
      for (std::size_t k = 1; k < line.size(); ++k)
        surface.emplace_back(toPixels.map(atElevation(line[k - 1])),
                             toPixels.map(atElevation(line[k])));
  LabelLayout labels(QRectF(QPointF(), size).adjusted(1, 1, -1, -1));
  const auto clear = [&surface](const QRectF& box) { return ClearOfLines(box, surface); };
  const QPen leaderPen(QColor(160, 160, 160), 0);
  const auto leader = [&](QPointF anchor, const std::optional<PlacedLabel>& label) {
    if (label)
      if (const auto line = Leader(anchor, label->box, 10)) addLine(*line, leaderPen);
  };

  const QPointF centre = toPixels.map(toScene(0, 0));
  for (qsizetype n = 0; n < headings.size(); ++n)
    PlaceLabel(s, labels, headings[n], drawing_->point && n == 0 ? kPointColour : QColor(Qt::black),
               HeadingAt(centre.x(), 4 + n * row, size.width()), toPixels);
  const double designRow = 4 + headings.size() * row;
  const auto rise = [&](double offset) { return RiseTo(section, offset).value_or(0); };
  addLine({centre.x(), designRow, centre.x(), toPixels.map(toScene(0, rise(0))).y() + 16},
          QPen(QColor(150, 150, 150), 0, Qt::DashDotLine));
  QString designText = QStringLiteral("设计线");
  if (drawing_->designElevation)
    designText += u' ' + Text(FixedText(*drawing_->designElevation, 3));
  const QPointF design = toPixels.map(toScene(section.designOffset, rise(section.designOffset)));
  const auto designLabel = PlaceLabel(s, labels, designText, kDesignColour,
                                      HeadingAt(design.x(), designRow, size.width()), toPixels);
  addLine({design.x(), designLabel ? designLabel->box.bottom() : designRow, design.x(), design.y()},
          QPen(kDesignColour, 0));
  if (drawing_->earthworks) {
    drawCatchLabels(labels, surface, toPixels);
    // Which shade is which, where the headings leave room, with its area
    // when the station has areas.
    const std::optional<SectionAreas>& measured = drawing_->earthworks->measured;
    bool kinds[2] = {measured.has_value(), measured.has_value()};
    for (const EarthworkArea& area : drawing_->earthworks->areas)
      kinds[area.kind == SlopeKind::Cut] = true;
    for (const bool cut : {false, true}) {
      if (!kinds[cut]) continue;
      QString legend = cut ? QStringLiteral("■ 挖方") : QStringLiteral("■ 填方");
      if (measured)
        legend += QStringLiteral("面积 %1 m²")
                      .arg(Text(FixedText((cut ? measured->cut : measured->fill).area, 2)));
      PlaceLabel(s, labels, legend, QColor((cut ? kCutShade : kFillShade).rgb()),
                 AtRightEdge(size.width(), 4 + (cut ? row : 0), row), toPixels);
    }
  }

  // On each side the outermost edge first, which has room outside it, then
  // inward.
  std::vector<const Part*> edges;
  const std::size_t leftParts = section.left.size();
  for (std::size_t k = leftParts; k-- > 0;) edges.push_back(&drawn[k]);
  for (std::size_t k = drawn.size(); k-- > leftParts;) edges.push_back(&drawn[k]);
  for (const Part* part : edges)
    if (!part->edge.isEmpty()) {
      const QPointF edge = toPixels.map(part->to);
      leader(edge, PlaceLabel(s, labels, part->edge, Qt::black,
                              Stacked(edge, LabelSide::Above, 4, 6), toPixels, clear));
    }
  for (const Part& part : drawn) {
    const QPointF middle = toPixels.map((part.from + part.to) / 2);
    leader(middle, PlaceLabel(s, labels, part.name, part.colour,
                              Stacked(middle, LabelSide::Above, 4, 6), toPixels, clear));
  }
  for (const Part& part : drawn) {
    const QPointF middle = toPixels.map((part.from + part.to) / 2);
    leader(middle, PlaceLabel(s, labels, part.slope, part.colour,
                              Stacked(middle, LabelSide::Below, 10, 3), toPixels, clear));
  }
}

void SectionView::drawEarthworks(const std::vector<GroundPoint>& ground) {
  QGraphicsScene& s = *scene();
  const SectionEarthworks& earthworks = *drawing_->earthworks;
  const auto path = [&](const std::vector<GroundPoint>& points) {
    QPainterPath line;
    for (std::size_t k = 0; k < points.size(); ++k)
      k == 0 ? line.moveTo(atElevation(points[k])) : line.lineTo(atElevation(points[k]));
    return line;
  };
  for (const EarthworkArea& area : earthworks.areas) {
    QPolygonF outline;
    for (const GroundPoint& p : area.outline) outline << atElevation(p);
    s.addPolygon(outline, Qt::NoPen, area.kind == SlopeKind::Fill ? kFillShade : kCutShade)
        ->setZValue(-1);
  }
  s.addPath(path(ground), LinePen(kGroundColour));
  // Each slope is the design beyond its hinge.
  std::vector<GroundPoint> left, right;
  for (const GroundPoint& p : earthworks.design) {
    if (p.offset <= earthworks.left.hingeOffset) left.push_back(p);
    if (p.offset >= earthworks.right.hingeOffset) right.push_back(p);
  }
  s.addPath(path(left), LinePen(kSlopeColour));
  s.addPath(path(right), LinePen(kSlopeColour));
  const auto mark = [&](const GroundPoint& p, double radius, const QColor& colour) {
    auto* marker = s.addEllipse(-radius, -radius, 2 * radius, 2 * radius, QPen(colour, 1), colour);
    marker->setPos(atElevation(p));
    marker->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    marker->setZValue(1);
  };
  for (const SideCatch* side : {&earthworks.left, &earthworks.right}) {
    for (const SlopeBreak& b : side->breaks) mark({b.offset, b.elevation}, 2, kSlopeColour);
    if (side->catchPoint) mark(*side->catchPoint, 3.5, kCatchColour);
  }
}

// A catch point's label says what it is, its offset and its elevation, as
// the crew stakes it; a side without one says why at its hinge.
void SectionView::drawCatchLabels(LabelLayout& labels, const std::vector<QLineF>& lines,
                                  const QTransform& toPixels) {
  QGraphicsScene& s = *scene();
  const SectionEarthworks& earthworks = *drawing_->earthworks;
  const auto clear = [&lines](const QRectF& box) { return ClearOfLines(box, lines); };
  const QPen leaderPen(QColor(160, 160, 160), 0);
  const QTransform fromPixels = toPixels.inverted();
  for (const SideCatch* side : {&earthworks.left, &earthworks.right}) {
    if (side->catchPoint) {
      const QPointF at = toPixels.map(atElevation(*side->catchPoint));
      const auto label =
          PlaceLabel(s, labels, CatchLabel(*side), kCatchColour, AroundPoint(at), toPixels, clear);
      if (label)
        if (const auto line = Leader(at, label->box, 10))
          s.addLine(fromPixels.map(*line), leaderPen);
      continue;
    }
    const double rise = RiseTo(drawing_->section, side->hingeOffset).value_or(0);
    const QPointF at = toPixels.map(toScene(side->hingeOffset, rise));
    PlaceLabel(s, labels, Text(std::string(NoCatchPointText(side->reason))), kNoCatchColour,
               Stacked(at, LabelSide::Below, 10, 6), toPixels, clear);
  }
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

void SectionView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  rebuild();
}

void SectionView::showEvent(QShowEvent* event) {
  QGraphicsView::showEvent(event);
  rebuild();
}

}  // namespace tarnvel
