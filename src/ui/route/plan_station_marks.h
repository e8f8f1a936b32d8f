// The plan's 桩号: a tick across the line every 100 m, heavier at whole
// kilometres, each with its K text; and, for a route made from a JD table,
// the JD polygon with BP, the JDs and EP named.
#pragma once

#include <QGraphicsItemGroup>
#include <QString>
#include <vector>

#include "centre_line.h"
#include "jd_table.h"
#include "route.h"

namespace tarnvel {

// Ticks at every whole multiple of 100 m of each element's own stations, so
// that a 断链 restarts them as the stakes do. `prefix` starts the K text.
QGraphicsItemGroup* MakeStationMarks(const Route& route, Point origin, const QString& prefix);

// The JD polygon, dashed, and each point's name at it.
QGraphicsItemGroup* MakeJdItems(const std::vector<JdPoint>& points, Point origin);

}  // namespace tarnvel
