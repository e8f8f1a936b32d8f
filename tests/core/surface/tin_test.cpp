#include "core/surface/tin.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core/surface/surface_cut.h"

namespace tarnvel {
namespace {

// A 10 m square with a raised centre: four triangles meeting at (5, 5),
// whose cut is worked by hand along each edge.
std::vector<TinPoint> Square() {
  return {{0, 0, 10}, {0, 10, 12}, {10, 0, 10}, {10, 10, 12}, {5, 5, 16}};
}

struct CutCase {
  std::string name;
  Point centre;
  double azimuth, width;
  std::vector<std::vector<GroundPoint>> pieces;
};

std::ostream& operator<<(std::ostream& out, const CutCase& c) {
  return out << c.name << ": centre " << c.centre.X << "," << c.centre.Y << " azimuth " << c.azimuth
             << " width " << c.width;
}

class SurfaceCutTest : public testing::TestWithParam<CutCase> {};

TEST_P(SurfaceCutTest, CrossesEachEdgeExactly) {
  const CutCase& c = GetParam();
  const Tin tin = TinOfPoints(Square(), std::nullopt).tin;
  const auto pieces = SurfaceCut(tin, {c.centre, c.azimuth}, c.width);
  ASSERT_EQ(pieces.size(), c.pieces.size()) << c;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    ASSERT_EQ(pieces[i].size(), c.pieces[i].size()) << c << " piece " << i;
    for (std::size_t k = 0; k < pieces[i].size(); ++k) {
      EXPECT_NEAR(pieces[i][k].offset, c.pieces[i][k].offset, 1e-9) << c << " point " << k;
      EXPECT_NEAR(pieces[i][k].elevation, c.pieces[i][k].elevation, 1e-9) << c << " point " << k;
    }
  }
}

// Along X = 4 the line crosses (4,0), (4,4), (4,6) and (4,10): heights
// 10, 14.8, 15.2 and 12 from the edges' ends.
INSTANTIATE_TEST_SUITE_P(
    Square, SurfaceCutTest,
    testing::Values(
        CutCase{"WholeWidth", {4, 3}, 0, 50, {{{-3, 10}, {1, 14.8}, {3, 15.2}, {7, 12}}}},
        CutCase{"EndsAtWidth", {4, 3}, 0, 5, {{{-3, 10}, {1, 14.8}, {3, 15.2}, {5, 13.6}}}},
        CutCase{"Southward", {4, 3}, 180, 50, {{{-7, 12}, {-3, 15.2}, {-1, 14.8}, {3, 10}}}},
        CutCase{"MissesSurface", {20, 3}, 0, 50, {}},
        // Along the surface's first edge, every triangle ahead of the line:
        // the edge on the line was no crossing, and the cut found nothing.
        CutCase{"AlongFirstEdge", {0, 3}, 0, 50, {{{-3, 10}, {7, 12}}}},
        CutCase{"AlongLastEdge", {10, 3}, 0, 50, {{{-3, 10}, {7, 12}}}},
        // A straight's tangent is turned by its curvature of 1e-45: corners
        // a hair behind the line on the left and ahead on the right left
        // half the first edge off the surface.
        CutCase{"AlongFirstEdgeTurnedByAHair", {0, 3}, 1e-42, 50, {{{-3, 10}, {7, 12}}}}),
    [](const testing::TestParamInfo<CutCase>& info) { return info.param.name; });

TEST(TinTest, DuplicateWithinMillimetreKeepsFirst) {
  std::vector<TinPoint> points = Square();
  points.push_back({0.0009, 0, 99});
  points.push_back({0.0011, 0, 20});  // 1.1 mm from the first: a point of its own
  const TinFromPoints made = TinOfPoints(points, std::nullopt);
  EXPECT_EQ(made.duplicates, 1U);
  EXPECT_EQ(made.tin.points.size(), 6U);
  EXPECT_EQ(made.tin.points[0].H, 10);
}

// A grid of 1 m cells (a hundred faces over 10 × 5 m, all but one tiny, in
// the corners) and a sliver from (0.5, 0.3) to (9.5, 4.8): it lies in the
// 14 cells along it, not in the 50 of its box. A winding survey's outline
// has such triangles across its bays, and their boxes filled the index.
TEST(TinTest, SliverIndexedWhereItLies) {
  std::vector<TinPoint> points{{0, 0, 0},     {0.01, 0, 0},  {0, 0.01, 0},
                               {10, 5, 0},    {9.99, 5, 0},  {10, 4.99, 0},
                               {0.5, 0.3, 0}, {9.5, 4.8, 0}, {9.5, 4.78, 0}};
  std::vector<TinFace> faces(98, TinFace{0, 1, 2});
  faces.push_back({3, 4, 5});
  faces.push_back({6, 7, 8});
  const Tin tin = TinOfFaces(points, faces);
  ASSERT_EQ(tin.cell, 1);
  std::vector<std::pair<std::size_t, std::size_t>> cells;
  for (std::size_t i = 0; i + 1 < tin.cellStart.size(); ++i)
    for (std::uint32_t k = tin.cellStart[i]; k < tin.cellStart[i + 1]; ++k)
      if (tin.cellFaces[k] == 99) cells.emplace_back(i / tin.columns, i % tin.columns);
  const std::vector<std::pair<std::size_t, std::size_t>> along{
      {0, 0}, {1, 0}, {1, 1}, {2, 1}, {3, 1}, {3, 2}, {4, 2},
      {5, 2}, {5, 3}, {6, 3}, {7, 3}, {7, 4}, {8, 4}, {9, 4}};
  EXPECT_EQ(cells, along);
}

// Regression: a point far out on its own (a digit slipped in a surveyed
// file) asked for a grid of 10^23 cells a side, past what a size holds, and
// the section cut was undefined. The grid holds no more cells a side than
// faces, and the square's own cut is found as before.
TEST(TinTest, FarPointKeepsTheGridSmall) {
  for (const double far : {6.7e45, 1e300, -1e300}) {
    std::vector<TinPoint> points = Square();
    points.push_back({10, far, 0});
    const Tin tin = TinOfFaces(points, {{0, 1, 4}, {1, 3, 4}, {3, 2, 4}, {2, 0, 4}, {2, 3, 5}});
    EXPECT_LE(tin.rows * tin.columns, 11U * 11U) << far;
    const auto pieces = SurfaceCut(tin, {{5, 5}, 0}, 4);
    ASSERT_EQ(pieces.size(), 1U) << far;
    EXPECT_EQ(pieces[0].front().offset, -4) << far;
  }
}

// A point 20 m out east of the square bridges it with a long thin
// triangle; peeling at 15 m takes it off and leaves the square's four.
TEST(TinTest, MaxEdgePeelsOutline) {
  std::vector<TinPoint> points = Square();
  points.push_back({5, 30, 0});
  EXPECT_EQ(TinOfPoints(points, std::nullopt).tin.faces.size(), 5U);
  const Tin peeled = TinOfPoints(points, 15).tin;
  EXPECT_EQ(peeled.faces.size(), 4U);
  EXPECT_TRUE(SurfaceCut(peeled, {{5, 20}, 90}, 50).empty());
  EXPECT_EQ(TinOfPoints(points, 9).tin.faces.size(), 0U);
}

}  // namespace
}  // namespace tarnvel
