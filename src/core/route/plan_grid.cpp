#include "core/route/plan_grid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tarnvel {

namespace {

// Listings allowed per element, beyond which the tree serves instead.
constexpr double kMaxListingsPerElement = 32;
// Columns and rows a grid may have, so that a cell's place fits its slot.
constexpr double kMaxCellsAcross = 1 << 30;

std::uint64_t CellKey(std::int32_t column, std::int32_t row) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32 |
         static_cast<std::uint32_t>(row);
}

std::size_t Hash(std::int32_t column, std::int32_t row, std::size_t mask) {
  const std::uint64_t mixed = CellKey(column, row) * 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(mixed ^ (mixed >> 31)) & mask;
}

// A step outward from the nearest float leaves the bound outside the exact
// one by far more than the double rounding of the differences.
float Below(double value) {
  return std::nextafter(static_cast<float>(value), -std::numeric_limits<float>::infinity());
}
float Above(double value) {
  return std::nextafter(static_cast<float>(value), std::numeric_limits<float>::infinity());
}

PlanGrid::Entry EntryOf(const PlanBox& b, const PlanGrid& grid, std::uint32_t element) {
  return {Below(b.minX - grid.originX), Below(b.minY - grid.originY), Above(b.maxX - grid.originX),
          Above(b.maxY - grid.originY), element};
}

}  // namespace

std::size_t PlanGrid::SlotIndex(std::int32_t column, std::int32_t row) const {
  const std::size_t mask = table.size() - 1;
  std::size_t i = Hash(column, row, mask);
  while (table[i].column >= 0 && !(table[i].column == column && table[i].row == row))
    i = (i + 1) & mask;
  return i;
}

std::span<const PlanGrid::Entry> PlanGrid::ElementsAt(Point p) const {
  if (table.empty()) return {};
  const double x = std::floor((p.X - originX) / cell);
  const double y = std::floor((p.Y - originY) / cell);
  if (!(x >= 0 && x < columns && y >= 0 && y < rows)) return {};
  const Slot& slot = table[SlotIndex(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y))];
  return std::span(entries).subspan(slot.begin, slot.end - slot.begin);
}

PlanGrid MakePlanGrid(const std::vector<PlanBox>& boxes, double cell, double reach) {
  PlanGrid grid;
  if (boxes.empty() || !(cell > 0)) return grid;
  PlanBox all;
  for (const PlanBox& box : boxes) all.Add(box);
  grid.originX = all.minX - reach;
  grid.originY = all.minY - reach;
  grid.cell = cell;
  grid.reach = reach;
  // The same arithmetic as ElementsAt, so that a point that a widened box
  // holds falls in a cell the box was listed in.
  const auto index = [&](double value, double origin) {
    return std::floor((value - origin) / cell);
  };
  grid.columns = index(all.maxX + reach, grid.originX) + 1;
  grid.rows = index(all.maxY + reach, grid.originY) + 1;
  double listings = 0;
  for (const PlanBox& b : boxes)
    listings += (index(b.maxX + reach, grid.originX) - index(b.minX - reach, grid.originX) + 1) *
                (index(b.maxY + reach, grid.originY) - index(b.minY - reach, grid.originY) + 1);
  if (!(listings <= kMaxListingsPerElement * static_cast<double>(boxes.size())) ||
      !(grid.columns <= kMaxCellsAcross && grid.rows <= kMaxCellsAcross))
    return {};

  // Every listing as (cell, element), sorted: each cell's elements come
  // together and in ascending order.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> listed;
  listed.reserve(static_cast<std::size_t>(listings));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const PlanBox& b = boxes[i];
    const auto x0 = static_cast<std::int32_t>(index(b.minX - reach, grid.originX));
    const auto x1 = static_cast<std::int32_t>(index(b.maxX + reach, grid.originX));
    const auto y0 = static_cast<std::int32_t>(index(b.minY - reach, grid.originY));
    const auto y1 = static_cast<std::int32_t>(index(b.maxY + reach, grid.originY));
    for (std::int32_t x = x0; x <= x1; ++x)
      for (std::int32_t y = y0; y <= y1; ++y)
        listed.emplace_back(CellKey(x, y), static_cast<std::uint32_t>(i));
  }
  std::sort(listed.begin(), listed.end());
  std::size_t cells = 0;
  for (std::size_t j = 0; j < listed.size(); ++j)
    cells += j == 0 || listed[j].first != listed[j - 1].first;

  // At least twice as many slots as cells: a search stays short, and ends
  // at a free slot for a cell that lists nothing.
  std::size_t size = 1;
  while (size < 2 * cells) size *= 2;
  grid.table.resize(size);
  grid.entries.reserve(listed.size());
  for (std::size_t j = 0; j < listed.size();) {
    const auto column = static_cast<std::int32_t>(listed[j].first >> 32);
    const auto row = static_cast<std::int32_t>(listed[j].first & 0xFFFFFFFFu);
    PlanGrid::Slot& slot = grid.table[grid.SlotIndex(column, row)];
    slot = {column, row, static_cast<std::uint32_t>(grid.entries.size()), 0};
    for (; j < listed.size() && listed[j].first == CellKey(column, row); ++j)
      grid.entries.push_back(EntryOf(boxes[listed[j].second], grid, listed[j].second));
    slot.end = static_cast<std::uint32_t>(grid.entries.size());
  }
  return grid;
}

}  // namespace tarnvel
