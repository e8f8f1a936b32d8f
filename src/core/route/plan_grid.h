// The elements near a point by the square of the plan it falls in: one
// look-up, where the box tree descends a level for every doubling of the
// route, each level a fresh read from memory on a long route.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/element/centre_line.h"
#include "core/route/plan_box.h"

namespace tarnvel {

// Square cells of `cell` metres from (originX, originY); each lists, in
// ascending order, the elements whose box widened by `reach` meets it. Every
// element whose box widened by a margin up to `reach` holds a point is then
// listed in the point's cell, so that the boxes of the cell's elements alone
// decide which are near. No grid (cell 0) when the route would need too
// many listings, as a few straights kilometres long across the plan would.
struct PlanGrid {
  double originX = 0, originY = 0;
  double cell = 0;
  double reach = 0;
  double columns = 0, rows = 0;

  // A cell that lists elements: entries[begin, end). Unused slots have
  // column -1.
  struct Slot {
    std::int32_t column = -1, row = -1;
    std::uint32_t begin = 0, end = 0;
  };
  std::vector<Slot> table;  // open addressing, a power of two long
  // An element listed in a cell, with its box from the grid's origin in
  // floats rounded outward: a hair wider than the box, never narrower, and
  // half the bytes, so that a cell's elements come in a read or two.
  struct Entry {
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::uint32_t element = 0;

    // Whether the box, widened by `margin`, may hold the point `fromOrigin`
    // metres from the grid's origin.
    bool Near(Point fromOrigin, double margin) const {
      return fromOrigin.X >= minX - margin && fromOrigin.X <= maxX + margin &&
             fromOrigin.Y >= minY - margin && fromOrigin.Y <= maxY + margin;
    }
  };
  std::vector<Entry> entries;

  bool usable() const { return cell > 0; }
  // The elements listed in p's cell; none outside the grid.
  std::span<const Entry> ElementsAt(Point p) const;
  // The cell's slot, or the free slot that ends the search for it.
  std::size_t SlotIndex(std::int32_t column, std::int32_t row) const;
};

PlanGrid MakePlanGrid(const std::vector<PlanBox>& boxes, double cell, double reach);

}  // namespace tarnvel
