// How the plan draws: the colour of each kind of element, of the joints and
// of the two layers of points, and the markers of the points. The plan's
// items and its legend share them, so the legend always matches the plan.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <vector>

#include "core/element/element_kind.h"

namespace tarnvel {

inline const QColor kStraightColour(30, 90, 210);
inline const QColor kArcColour(0, 150, 60);
inline const QColor kSpiralColour(225, 125, 0);
inline const QColor kJointColour(60, 60, 60);
inline const QColor kBadJointColour(220, 0, 0);
inline const QColor kStakeoutColour(140, 0, 160);
// Quiet under the route: where the ground surface ends.
inline const QColor kGroundOutlineColour(176, 150, 110);
inline const QColor kInverseColour(0, 140, 160);

QColor ColourOf(ElementKind kind);

// A pen of `width` pixels at any zoom.
QPen CosmeticPen(const QColor& colour, double width);

// Stakeout points are crosses, surveyed points rings, in the plan and legend.
enum class MarkerShape { Cross, Ring };

void DrawMarker(QPainter& painter, MarkerShape shape, QPointF at);

// Many markers at once: the crosses in one call.
void DrawMarkers(QPainter& painter, MarkerShape shape, const std::vector<QPointF>& at);

}  // namespace tarnvel
