// What the plan draws over the route in the viewport's pixels, at any zoom:
// the legend of colours and markers, the north arrow and the scale bar.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

namespace tarnvel {

// In the top left corner, within LegendRect; with the ground's outline's
// entry while it is drawn.
void DrawLegend(QPainter& painter, bool groundOutline);
QRect LegendRect(const QFontMetrics& metrics, bool groundOutline);

// In the top right corner of a viewport `width` pixels wide.
void DrawNorthArrow(QPainter& painter, int width);

// In the bottom left corner of a viewport `height` pixels high, for a view
// of `pixelsPerMetre`; nothing for a scale that is not a positive number.
void DrawScaleBar(QPainter& painter, double pixelsPerMetre, int height);

}  // namespace tarnvel
