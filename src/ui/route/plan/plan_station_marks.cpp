#include "ui/route/plan/plan_station_marks.h"

#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "ui/route/common/drawing_frame.h"
#include "ui/route/plan/plan_coordinates.h"
#include "ui/route/plan/plan_symbols.h"

namespace tarnvel {

namespace {

constexpr double kMarkSpacing = 100;
const QColor kMarkColour(90, 90, 90);
// Ticks closer than this many pixels would run into a band.
constexpr double kLeastTickPixels = 6;
// Pixels kept between two labels.
constexpr double kLabelGap = 4;

bool Kilometre(double station) {
  return std::fmod(std::fabs(station), 1000.0) == 0;
}

bool MultipleOf(double station, double step) {
  return std::fmod(std::fabs(station), step) == 0;
}

// The labels shown so far, found by the cells of a grid they touch, so that
// a route of thousands of marks is thinned at each step of the wheel.
class ShownBoxes {
 public:
  ShownBoxes(QSizeF cell, std::size_t boxes) : cell_(cell) { cells_.reserve(2 * boxes); }
  bool clear(const QRectF& box) const {
    bool found = false;
    visit(box, [&](long long key) {
      const auto cell = cells_.find(key);
      if (cell == cells_.end()) return;
      for (const QRectF& shown : cell->second) found = found || shown.intersects(box);
    });
    return !found;
  }
  void add(const QRectF& box) {
    visit(box, [&](long long key) { cells_[key].push_back(box); });
  }

 private:
  template <class F>
  void visit(const QRectF& box, F&& f) const {
    const long long left = static_cast<long long>(std::floor(box.left() / cell_.width()));
    const long long right = static_cast<long long>(std::floor(box.right() / cell_.width()));
    const long long top = static_cast<long long>(std::floor(box.top() / cell_.height()));
    const long long bottom = static_cast<long long>(std::floor(box.bottom() / cell_.height()));
    for (long long x = left; x <= right; ++x)
      for (long long y = top; y <= bottom; ++y) f(x * 4'000'000'007LL + y);
  }

  QSizeF cell_;
  std::unordered_map<long long, std::vector<QRectF>> cells_;
};

}  // namespace

StationMarks::StationMarks(const Route& route, Point origin, const QString& prefix)
    : origin_(origin) {
  setZValue(2);
  for (const LineElement& e : route.loaded) {
    const PreparedElement prepared = Prepare(e);
    const double low = std::min(e.K0, e.K1);
    const double high = std::max(e.K0, e.K1);
    // An element's end belongs to the next one, which marks it.
    for (double n = std::ceil(low / kMarkSpacing); n * kMarkSpacing < high; ++n) {
      const double station = n * kMarkSpacing;
      const ForwardResult at = ForwardPointDegrees(prepared, station, 0, 90);
      const bool kilometre = Kilometre(station);
      const double half = kilometre ? 9 : 5;
      // Across the line in the view's pixels: to the right of an azimuth A
      // (clockwise from north) lies the scene direction (cos A, sin A).
      const double a = at.azimuth * std::numbers::pi / 180;
      const QPointF across(std::cos(a), std::sin(a));
      QPainterPath path(-across * half);
      path.lineTo(across * half);
      auto* tick = new QGraphicsPathItem(path);
      tick->setPen(QPen(kMarkColour, kilometre ? 2.5 : 1));
      tick->setPos(PlanToScene(at.point, origin));
      tick->setFlag(QGraphicsItem::ItemIgnoresTransformations);
      auto* label =
          new QGraphicsSimpleTextItem(WholeMetreStationText(station, prefix.toStdString()), tick);
      label->setBrush(kMarkColour);
      QFont font = label->font();
      font.setBold(kilometre);
      label->setFont(font);
      // The label lies beyond either end of the tick, off the line: its
      // box's middle as far across as its half width and height reach, or
      // a line of text further.
      const QSizeF size = label->boundingRect().size();
      Mark mark{station, tick->pos(), size, {}, tick, label};
      for (const double reach : {half + 3, half + 3 + size.height()})
        for (const QPointF& out : {across, -across}) {
          const QPointF middle =
              out * reach + QPointF(out.x() * size.width() / 2, out.y() * size.height() / 2);
          mark.corners.push_back(middle - QPointF(size.width() / 2, size.height() / 2));
        }
      label->setPos(mark.corners.front());
      widestLabel_ = std::max(widestLabel_, size.width());
      marks_.push_back(mark);
      addToGroup(tick);
    }
  }
}

void StationMarks::thin(double scale) {
  if (marks_.empty() || !(scale > 0)) return;
  const double tickStep = std::max(kMarkSpacing, RoundStep(kLeastTickPixels / scale));
  const double labelStep =
      tickStep * RoundStep(std::max(1.0, (widestLabel_ + kLabelGap) / scale / tickStep));
  // Kilometres first, then the rounder stations, each in route order.
  const auto rank = [labelStep](double station) {
    if (Kilometre(station)) return 0;
    for (int r = 1; const double times : {10.0, 5.0, 2.0}) {
      if (MultipleOf(station, labelStep * times)) return r;
      ++r;
    }
    return 4;
  };
  std::vector<std::pair<int, std::size_t>> labelled;  // rank, mark
  for (std::size_t k = 0; k < marks_.size(); ++k)
    if (MultipleOf(marks_[k].station, labelStep)) labelled.emplace_back(rank(marks_[k].station), k);
  std::stable_sort(labelled.begin(), labelled.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const QSizeF cell(widestLabel_ + kLabelGap, widestLabel_ + kLabelGap);
  ShownBoxes shown(cell, clear_.size() + labelled.size());
  for (const ClearBox& clear : clear_)
    shown.add(clear.box.translated(PlanToScene(clear.at, origin_) * scale));
  std::vector<const QPointF*> placed(marks_.size(), nullptr);  // the corner each label takes
  for (const auto& [order, k] : labelled)
    for (const QPointF& corner : marks_[k].corners) {
      const QRectF box(marks_[k].at * scale + corner, marks_[k].size);
      if (!shown.clear(box.adjusted(-kLabelGap, -kLabelGap, kLabelGap, kLabelGap))) continue;
      shown.add(box);
      placed[k] = &corner;
      break;
    }
  // Items are touched only where they change: from one step of the wheel
  // to the next most stay as they were.
  for (std::size_t k = 0; k < marks_.size(); ++k) {
    const Mark& mark = marks_[k];
    const bool tick = MultipleOf(mark.station, tickStep);
    if (mark.tick->isVisible() != tick) mark.tick->setVisible(tick);
    if (placed[k] && mark.label->pos() != *placed[k]) mark.label->setPos(*placed[k]);
    if (mark.label->isVisible() != (placed[k] != nullptr)) mark.label->setVisible(placed[k]);
  }
}

QGraphicsItemGroup* MakeJdItems(const std::vector<JdPoint>& points, Point origin) {
  auto* group = new QGraphicsItemGroup;
  group->setZValue(1);
  if (points.empty()) return group;
  QPainterPath polygon(PlanToScene({points.front().X, points.front().Y}, origin));
  for (const JdPoint& p : points) {
    const QPointF at = PlanToScene({p.X, p.Y}, origin);
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
