// The route's own items in the plan: each element's centre line, coloured by
// its kind, and each joint's mark and label, in scene coordinates about
// `origin` (PlanToScene).
#pragma once

#include <QGraphicsItemGroup>
#include <QRectF>
#include <vector>

#include "core/element/centre_line.h"
#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "ui/route/plan/route_points_item.h"

namespace tarnvel {

// Each element sampled along its centre line, with its number and name as a
// tooltip; `bounds` is united with every element's path.
QGraphicsItemGroup* MakeLineItems(const Route& route, Point origin, QRectF& bounds);

// A mark for each joint (超限 larger and filled red) and its label, drawn
// over the points; the boxes the points must leave clear are added to
// `clear`.
QGraphicsItemGroup* MakeJointItems(const Route& route, const std::vector<Joint>& joints,
                                   Point origin, std::vector<ClearBox>& clear);

}  // namespace tarnvel
