#include "core/slopes/design_surface.h"

#include <gtest/gtest.h>

#include "core/slopes/fill_and_cut.h"

namespace tarnvel {
namespace {

// A level road 5 m wide each side at 100.000 on ground rising 1 in 4 to
// the right (100 + x/4). Left, a fill of 1:2: 100 − (u − 5)/2 meets
// 100 − u/4 at u = 10. Right, a cut with a ditch 0.6 deep and wide with
// sides of 1:1 to (6.8, 100), a step of 1:1 up 1 m to a berm 2 m wide at
// (9.8, 101), then 1:1.5: 101 + (u − 9.8)/1.5 meets 100 + u/4 at u = 13.28.
SideSlopes FillAndCutSlopes() {
  SideSlopes slopes;
  const auto line = [](SlopeCells cells) { return std::get<SlopeLine>(MakeSlopeLine(cells)); };
  slopes.lines[1][0].push_back(line({"左", "填", {}, {2}}));
  slopes.lines[0][1].push_back(line({"右", "挖", {0.6, 0.6, 1, 1}, {1, 1, 2, 1.5}}));
  return slopes;
}

const std::vector<GroundPoint> kRising{{-30, 92.5}, {30, 107.5}};

std::vector<GroundPoint> Design() {
  SectionStation road;
  road.left = road.right = {{5, 0}};
  const SideSlopes slopes = FillAndCutSlopes();
  const SideCatch left = CatchPointAt(road, 100, kRising, slopes, 0, true);
  const SideCatch right = CatchPointAt(road, 100, kRising, slopes, 0, false);
  return DesignSurface(road, 100, left, right, slopes, 0);
}

void ExpectLine(const std::vector<GroundPoint>& line, const std::vector<GroundPoint>& expected,
                const char* what) {
  ASSERT_EQ(line.size(), expected.size()) << what;
  for (std::size_t k = 0; k < line.size(); ++k) {
    EXPECT_NEAR(line[k].offset, expected[k].offset, 1e-12) << what << " point " << k;
    EXPECT_NEAR(line[k].elevation, expected[k].elevation, 1e-12) << what << " point " << k;
  }
}

TEST(DesignSurface, RunsFromCatchPointToCatchPointThroughEveryVertex) {
  ExpectLine(Design(),
             {{-10, 97.5},
              {-5, 100},
              {0, 100},
              {5, 100},
              {5.6, 99.4},
              {6.2, 99.4},
              {6.8, 100},
              {7.8, 101},
              {9.8, 101},
              {13.28, 103.32}},
             "design");
}

// The design crosses the ground at the centre line: a fill to the left of
// it, a cut to the right, each closed along the ground. Regression: the
// right catch point, on both lines only to rounding, left a third area, a
// sliver of fill, beyond it.
TEST(FillAndCut, SplitsWhereTheDesignCrossesTheGround) {
  const std::vector<EarthworkArea> areas = FillAndCut(Design(), kRising);
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0].kind, SlopeKind::Fill);
  ExpectLine(areas[0].outline,
             {{-10, 97.5}, {-5, 100}, {0, 100}, {0, 100}, {-5, 98.75}, {-10, 97.5}}, "fill");
  EXPECT_EQ(areas[1].kind, SlopeKind::Cut);
  ASSERT_EQ(areas[1].outline.size(), 16u);
  EXPECT_NEAR(areas[1].outline[7].offset, 13.28, 1e-12);
  EXPECT_NEAR(areas[1].outline[8].elevation, 103.32, 1e-12);
  EXPECT_NEAR(areas[1].outline[9].elevation, 102.45, 1e-12);  // the ground under the berm's edge
}

// A crossing between two breaks is where the straight lines meet.
TEST(FillAndCut, CrossesBetweenBreaks) {
  const std::vector<EarthworkArea> areas = FillAndCut({{0, 1}, {4, 1}}, {{0, 0}, {4, 2}});
  ASSERT_EQ(areas.size(), 2u);
  ExpectLine(areas[0].outline, {{0, 1}, {2, 1}, {2, 1}, {0, 0}}, "fill");
  ExpectLine(areas[1].outline, {{2, 1}, {4, 1}, {4, 2}, {2, 1}}, "cut");
}

}  // namespace
}  // namespace tarnvel
