#include "core/route/plan_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tarnvel {
namespace {

// A point's cell lists every element whose box, widened by the reach, holds
// it, in ascending order, down to the widened box's very edge and corner.
TEST(PlanGrid, ListsEveryBoxThatHoldsAPointToItsEdge) {
  std::mt19937 random(5);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution(a, b)(random); };
  std::vector<PlanBox> boxes;
  for (int i = 0; i < 300; ++i) {
    const double x = uniform(3378000, 3381000), y = uniform(453000, 456000);
    boxes.push_back({x, y, x + uniform(0, 600), y + uniform(0, 600)});
  }
  const double reach = 100;
  const PlanGrid grid = MakePlanGrid(boxes, 256, reach);
  ASSERT_TRUE(grid.usable());
  std::vector<Point> points;
  for (const PlanBox& b : boxes)
    for (double x : {b.minX - reach, b.maxX + reach})
      for (double y : {b.minY - reach, (b.minY + b.maxY) / 2, b.maxY + reach})
        points.push_back({x, y});
  for (int i = 0; i < 2000; ++i)
    points.push_back({uniform(3377800, 3381800), uniform(452800, 456800)});
  for (const Point& p : points) {
    const Point fromOrigin{p.X - grid.originX, p.Y - grid.originY};
    std::vector<std::uint32_t> listed;
    for (const PlanGrid::Entry& entry : grid.ElementsAt(p)) {
      // Listed with its box, rounded outward by less than a millimetre.
      const PlanBox& box = boxes[entry.element];
      ASSERT_LE(entry.minX, box.minX - grid.originX);
      ASSERT_GE(entry.maxY, box.maxY - grid.originY);
      ASSERT_NEAR(entry.maxX, box.maxX - grid.originX, 1e-3);
      if (box.Near(p, reach)) {
        ASSERT_TRUE(entry.Near(fromOrigin, reach))
            << "box " << entry.element << " at (" << p.X << ", " << p.Y << ")";
      }
      listed.push_back(entry.element);
    }
    ASSERT_TRUE(std::is_sorted(listed.begin(), listed.end()));
    for (std::uint32_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].Near(p, reach)) {
        ASSERT_TRUE(std::binary_search(listed.begin(), listed.end(), i))
            << "box " << i << " at (" << p.X << ", " << p.Y << ")";
      }
    }
  }
}

// A route whose boxes would need too many cells gets no grid: the tree
// serves it.
TEST(PlanGrid, NoneForBoxesSpanningTooManyCells) {
  const std::vector<PlanBox> boxes = {{0, 0, 1e6, 1e6}, {0, 0, 10, 10}};
  EXPECT_FALSE(MakePlanGrid(boxes, 256, 100).usable());
}

}  // namespace
}  // namespace tarnvel
