// How the route window's drawings (纵断面, 横断面) fill their views: each
// is laid out anew for the view's size in pixels, its scene shown whole at
// one scale with nothing to scroll, and its grid lines at round steps.
#pragma once

#include <QGraphicsView>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <string>

namespace tarnvel {

// The size the drawing is laid out for: the viewport's; for a view not
// shown yet, which has no size of its own, a pane of the window's usual
// size, until it is shown.
QSizeF DrawingSize(const QGraphicsView& view);

// Shows the scene at `scale` pixels a scene unit with `topLeft` at the
// viewport's top left, the scene just the viewport's `size`. The map of the
// scene to the viewport's pixels.
QTransform FrameScene(QGraphicsView& view, QPointF topLeft, double scale, QSizeF size);

// The least of 1, 2 and 5 times a power of ten that is at least `least`.
double RoundStep(double least);

// "K1+200" for 1200: a grid line falls on a whole metre, so the millimetres
// of the K text say nothing.
QString WholeMetreStationText(double station, const std::string& prefix);

}  // namespace tarnvel
