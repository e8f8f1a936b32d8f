// The labels of a drawing, laid out in the view's pixels: each inside the
// view and clear of the others. A label takes the first free place of those
// it may take, nearest its point first; one that finds none is left out, to
// be read in the table beside the drawing, where a label drawn over another
// would be read by no one.
#pragma once

#include <QColor>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <functional>
#include <optional>
#include <vector>

namespace tarnvel {

class LabelLayout {
 public:
  // Labels stay within `area` and at least `gap` apart, in pixels.
  explicit LabelLayout(QRectF area, double gap = 3);

  // Whether `box` lies within the area and clear of every box taken.
  bool free(const QRectF& box) const;
  // Keeps later labels off `box`: a label placed, or a mark they must not hide.
  void take(const QRectF& box) { taken_.push_back(box); }
  // The first of `places` that is free and that `clear` (when given) finds
  // clear of the drawing's lines; failing that, the first that is free.
  // The place found is taken.
  std::optional<QRectF> place(const std::vector<QRectF>& places,
                              const std::function<bool(const QRectF&)>& clear = nullptr);

 private:
  QRectF area_;
  double gap_;
  std::vector<QRectF> taken_;
};

// Which side of its point a label goes.
enum class LabelSide { Above, Below };

// The places of a box of `size` on `side` of `anchor`, `gap` from it: centred
// on it, then ending at it and starting at it (so that a label at either end
// of a drawing still fits inside it), tier after tier further out.
std::vector<QRectF> StackedPlaces(QPointF anchor, QSizeF size, LabelSide side, double gap,
                                  int tiers);

// Whether the box clears every segment of `lines` (in pixels).
bool ClearOfLines(const QRectF& box, const std::vector<QLineF>& lines);

// Where a label's places are, given its size in pixels.
using LabelPlaces = std::function<std::vector<QRectF>(QSizeF)>;

// A label put in the drawing, with its box in pixels.
struct PlacedLabel {
  QGraphicsSimpleTextItem* item = nullptr;
  QRectF box;
};

// The label `text` in `colour`, put at the place `layout` finds for it among
// `places`, its size in pixels whatever the view's scale; `toPixels` maps
// the scene to the view's pixels. None for a label left out.
std::optional<PlacedLabel> PlaceLabel(QGraphicsScene& scene, LabelLayout& layout,
                                      const QString& text, const QColor& colour,
                                      const LabelPlaces& places, const QTransform& toPixels,
                                      const std::function<bool(const QRectF&)>& clear = nullptr);

// A thin line from a label's point to its box, for a label placed away from
// its point; none when the box is next to the point.
std::optional<QLineF> Leader(QPointF anchor, const QRectF& box, double near);

}  // namespace tarnvel
