#include <gtest/gtest.h>

#include "core/earthworks/station_areas.h"
#include "core/earthworks/volume_table.h"

namespace tarnvel {
namespace {

// A level road 5 m each side at 100.000 on planar ground falling 1 in 5 to
// the right, slopes 1:1 both ways: the left hinge is 1 m under the ground
// and cuts, the right 1 m above it and fills, each slope meeting the ground
// 1.25 m out. By hand: each area 1.25 × 1 / 2 + 5 × 1 / 2 = 3.125 m², its
// moment −(0.625 × 5.41666… + 2.5 × 3.33333…) = −11.71875 m³ for the cut
// and the same, positive, for the fill; heights of 1,000 m lose nothing.
struct Crossing {
  SectionStation section;
  SideSlopes slopes;
  double height = 100;
  Crossing() {
    section.left = {{5, 0}};
    section.right = {{5, 0}};
    for (const bool left : {true, false})
      for (const char* kind : {"填", "挖"}) {
        SlopeCells cells{left ? "左" : "右", kind, {}, {1.0}};
        SlopeLine line = std::get<SlopeLine>(MakeSlopeLine(cells));
        slopes.lines[left][line.kind == SlopeKind::Cut].push_back(line);
      }
  }
  StationAreas At() const {
    return AreasAt(section, height, {{-50, height + 10}, {50, height - 10}}, slopes, 0);
  }
};

TEST(SectionAreasTest, GroundCrossingRoadCutsLeftFillsRight) {
  for (const double height : {100.0, 1000.0}) {
    Crossing road;
    road.height = height;
    const StationAreas station = road.At();
    ASSERT_TRUE(station.areas) << height;
    EXPECT_NEAR(station.areas->cut.area, 3.125, 1e-12) << height;
    EXPECT_NEAR(station.areas->fill.area, 3.125, 1e-12) << height;
    EXPECT_NEAR(station.areas->cut.moment, -11.71875, 1e-12) << height;
    EXPECT_NEAR(station.areas->fill.moment, 11.71875, 1e-12) << height;
  }
}

TEST(SectionAreasTest, NoCatchPointNoAreas) {
  Crossing road;
  road.slopes.lines[0][0].clear();  // no right fill slope
  const StationAreas station = road.At();
  EXPECT_FALSE(station.areas);
  EXPECT_EQ(station.note, "右侧无边坡");
}

// Level ground half a millimetre under the level road: both catch points
// at their hinges, a fill 10 m × 0.0005 m. Regression: the left catch
// point, at the hinge's offset but the ground's height, was taken as the
// design's height there, and the fill lost a quarter of its area.
TEST(SectionAreasTest, CatchPointsAtTheHingesFillUnderTheWholeRoad) {
  const Crossing road;
  const auto areas = AreasAt(road.section, 100, {{-50, 99.9995}, {50, 99.9995}}, road.slopes, 0);
  ASSERT_TRUE(areas.areas);
  EXPECT_NEAR(areas.areas->fill.area, 0.005, 1e-12);
  EXPECT_EQ(areas.areas->cut.area, 0);
}

// Three stations 20 m apart, the middle one without areas: both stretches
// beside it are left out, the 累计 stay where they were, and the length
// counts them.
TEST(VolumeTableTest, StretchBesideStationWithoutAreasLeftOut) {
  const SectionAreas areas{{2, 0}, {4, 0}};
  VolumeTable table(false);
  const VolumeRow first = table.Add({0, 0, 0, areas, ""});
  EXPECT_FALSE(first.distance);
  const VolumeRow gap = table.Add({20, 20, 0, std::nullopt, "左侧无边坡"});
  EXPECT_EQ(gap.note, "左侧无边坡；相邻桩号无面积，不计体积");
  EXPECT_FALSE(gap.cutVolume);
  const VolumeRow after = table.Add({40, 40, 0, areas, ""});
  EXPECT_EQ(after.note, "相邻桩号无面积，不计体积");
  const VolumeRow last = table.Add({50, 50, 0, SectionAreas{{4, 0}, {0, 0}}, ""});
  EXPECT_EQ(*last.cutVolume, 30);
  EXPECT_EQ(*last.fillVolume, 20);
  EXPECT_EQ(table.length(), 50);
  EXPECT_EQ(table.totalCut(), 30);
}

}  // namespace
}  // namespace tarnvel
