#include "ui/route/common/drawing_frame.h"

#include <cmath>

#include "core/text/station_text.h"

namespace tarnvel {

namespace {

// About the drawing pane of a new route window on a common screen.
constexpr QSizeF kUnshownSize(800, 500);

}  // namespace

QSizeF DrawingSize(const QGraphicsView& view) {
  return view.isVisible() ? QSizeF(view.viewport()->size()) : kUnshownSize;
}

QTransform FrameScene(QGraphicsView& view, QPointF topLeft, double scale, QSizeF size) {
  view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  view.setTransform(QTransform::fromScale(scale, scale));
  // A hair under the viewport, so that rounding never makes it scroll.
  view.setSceneRect(QRectF(topLeft, (size - QSizeF(0.5, 0.5)) / scale));
  return QTransform(scale, 0, 0, scale, -topLeft.x() * scale, -topLeft.y() * scale);
}

double RoundStep(double least) {
  if (!(least > 0) || !std::isfinite(least)) return 1;
  double step = std::pow(10.0, std::floor(std::log10(least)));
  for (const double times : {1.0, 2.0, 5.0, 10.0})
    if (step * times >= least * (1 - 1e-12)) return step * times;
  return step * 10;
}

QString WholeMetreStationText(double station, const std::string& prefix) {
  const std::string text = KStationText(station, prefix);
  const auto point = text.rfind('.');
  return QString::fromStdString(point == std::string::npos ? text : text.substr(0, point));
}

}  // namespace tarnvel
