#include "core/section/section_surface.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/section/cross_section.h"

namespace tarnvel {
namespace {

// Two parts a side, 行车道 then 土路肩; a station's figures are given as
// {行车道宽, 行车道坡, 土路肩宽, 土路肩坡} left, then right.
SectionStation Listed(double station, std::vector<double> l, std::vector<double> r,
                      double designOffset = 0) {
  return {station, {{l[0], l[1]}, {l[2], l[3]}}, {{r[0], r[1]}, {r[2], r[3]}}, designOffset};
}

CrossSectionTable Table(std::vector<SectionStation> stations) {
  return {{"行车道", "土路肩"}, {"行车道", "土路肩"}, false, std::move(stations)};
}

// The sections the cases are worked on. A normal crown, 3.75 m at −2% and
// 0.75 m at −4% a side: the lane's edge falls 3.75 × 0.02 = 0.075 and the
// shoulder 0.75 × 0.04 = 0.03 more.
const CrossSectionTable& Crown() {
  static const auto table = Table({Listed(0, {3.75, -2, 0.75, -4}, {3.75, -2, 0.75, -4})});
  return table;
}

// A full 超高 transition over 50 m: −2/−2 at K0+100 to +4/−4 at K0+150 on the
// 行车道, the 土路肩 at −4 throughout.
const CrossSectionTable& Superelevation() {
  static const auto table = Table({Listed(100, {3.75, -2, 0.75, -4}, {3.75, -2, 0.75, -4}),
                                   Listed(150, {3.75, 4, 0.75, -4}, {3.75, -4, 0.75, -4})});
  return table;
}

// A 加宽 of the right lane from 3.75 m at K0+200 to 4.75 m at K0+240.
const CrossSectionTable& Widening() {
  static const auto table = Table({Listed(200, {3.75, -2, 0.75, -4}, {3.75, -2, 0.75, -4}),
                                   Listed(240, {3.75, -2, 0.75, -4}, {4.75, -2, 0.75, -4})});
  return table;
}

// The crown, with the profile giving the left shoulder's edge (设计线偏距 −4.5).
const CrossSectionTable& DesignLineLeft() {
  static const auto table = Table({Listed(0, {3.75, -2, 0.75, -4}, {3.75, -2, 0.75, -4}, -4.5)});
  return table;
}

// Parts 3.75 at −2 %, 1.8 at −2 % and 0.6 at −4 % a side, whose sum
// 3.75 + 1.8 + 0.6 is 6.1499999999999995 in doubles: the outer edges fall
// 0.075 + 0.036 + 0.024 to 99.865.
const CrossSectionTable& ThreeParts() {
  static const CrossSectionTable table{
      {"行车道", "硬路肩", "土路肩"},
      {"行车道", "硬路肩", "土路肩"},
      false,
      {{0, {{3.75, -2}, {1.8, -2}, {0.6, -4}}, {{3.75, -2}, {1.8, -2}, {0.6, -4}}, 0}}};
  return table;
}

// The design line on the right edge while the 硬路肩 widens from 2.5 at K0+100
// to 3.5 at K0+200: 6.25 to 7.25. Between, the interpolated design line lies
// a last bit beyond the interpolated widths' sum at 13 of 101 whole metres,
// K0+103 and K0+131 among them. The centre line is 0.075 + 0.04 × (2.5 + t)
// above the design line: 100.1762 at K0+103, 100.1874 at K0+131.
const CrossSectionTable& DesignLineOnWidenedEdge() {
  static const auto table = Table({Listed(100, {3.75, -2, 0.75, -4}, {3.75, -2, 2.5, -4}, 6.25),
                                   Listed(200, {3.75, -2, 0.75, -4}, {3.75, -2, 3.5, -4}, 7.25)});
  return table;
}

struct SurfaceCase {
  std::string name;
  const CrossSectionTable& (*table)();
  double station;
  double offset;
  std::optional<double> elevation;  // nothing: beyond the road
};

// Shown by its name, not as bytes, when a case fails.
void PrintTo(const SurfaceCase& c, std::ostream* os) {
  *os << c.name;
}

class SectionSurface : public testing::TestWithParam<SurfaceCase> {};

// The design line's elevation is 100.000 everywhere; every expected figure
// is worked by hand beside its case.
TEST_P(SectionSurface, ElevationAtOffset) {
  const SurfaceCase& c = GetParam();
  const std::optional<double> at = SurfaceElevation(SectionAt(c.table(), c.station), 100, c.offset);
  ASSERT_EQ(at.has_value(), c.elevation.has_value())
      << c.name << " at " << c.station << " offset " << c.offset;
  if (at) {
    EXPECT_NEAR(*at, *c.elevation, 1e-9) << c.name << " at " << c.station << " offset " << c.offset;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SectionSurface,
    testing::Values(
        // Crown: 2 m out falls 0.04; past 4.5 m (and the 2 mm position
        // tolerance) there is no road.
        SurfaceCase{"CrownCentre", Crown, 50, 0, 100},
        SurfaceCase{"CrownInsideLeft", Crown, 50, -2, 99.96},
        SurfaceCase{"CrownLaneEdgeLeft", Crown, 50, -3.75, 99.925},
        SurfaceCase{"CrownShoulderEdgeRight", Crown, 50, 4.5, 99.895},
        SurfaceCase{"CrownBeyondRight", Crown, 50, 4.51, std::nullopt},
        SurfaceCase{"CrownBeyondLeft", Crown, 50, -4.5021, std::nullopt},
        // Pins an offset typed on the outer edge getting no height, the
        // parts' sum a hair short of it: within the position tolerance
        // beyond the edge, the edge's height.
        SurfaceCase{"EdgeTypedLeft", ThreeParts, 0, -6.15, 99.865},
        SurfaceCase{"EdgeTypedRight", ThreeParts, 0, 6.15, 99.865},
        SurfaceCase{"EdgeWithinToleranceLeft", Crown, 50, -4.5019, 99.895},
        // Pins a design line on the edge between listed stations losing the
        // whole section, centre line included.
        SurfaceCase{"DesignLineOnEdgeK103", DesignLineOnWidenedEdge, 103, 0, 100.1762},
        SurfaceCase{"DesignLineOnEdgeK131", DesignLineOnWidenedEdge, 131, 0, 100.1874},
        SurfaceCase{"DesignLineOnEdgeK131Edge", DesignLineOnWidenedEdge, 131, 6.56, 100},
        // 超高: before the table the nearest line holds (99.925 at either lane
        // edge). At the middle K0+125 the slopes are +1 left and −3 right: the
        // left lane edge rises 3.75 × 0.01 = 0.0375 (100.0375), its shoulder
        // edge, the part boundary's neighbour, falls 0.03 from there
        // (100.0075); the right lane edge falls 3.75 × 0.03 = 0.1125
        // (99.8875). One fifth in, at K0+110, the left slope is −0.8: 2 m out
        // is 99.984. At K0+150 the lane edges are 100 ± 3.75 × 0.04 = 100.15
        // and 99.85, and so after the table.
        SurfaceCase{"SuperBeforeTable", Superelevation, 0, -3.75, 99.925},
        SurfaceCase{"SuperStartLeft", Superelevation, 100, -3.75, 99.925},
        SurfaceCase{"SuperStartRight", Superelevation, 100, 3.75, 99.925},
        SurfaceCase{"SuperMiddleLaneEdgeLeft", Superelevation, 125, -3.75, 100.0375},
        SurfaceCase{"SuperMiddleShoulderEdgeLeft", Superelevation, 125, -4.5, 100.0075},
        SurfaceCase{"SuperMiddleLaneEdgeRight", Superelevation, 125, 3.75, 99.8875},
        SurfaceCase{"SuperFifthInsideLeft", Superelevation, 110, -2, 99.984},
        SurfaceCase{"SuperEndLeft", Superelevation, 150, -3.75, 100.15},
        SurfaceCase{"SuperEndRight", Superelevation, 150, 3.75, 99.85},
        SurfaceCase{"SuperAfterTable", Superelevation, 900, 3.75, 99.85},
        // 加宽: at K0+200 the right edge is 4.5 m out (99.895) and 5.0 m is
        // beyond the road. At the middle K0+220 the lane is 4.25 m: its edge,
        // the part boundary, is 100 − 0.085 = 99.915 and the shoulder's edge,
        // 5.0 m out, 0.03 lower (99.885). At K0+240 the shoulder's edge is
        // 5.5 m out at 100 − 0.095 − 0.03 = 99.875. The left side stays.
        SurfaceCase{"WidenStartEdge", Widening, 200, 4.5, 99.895},
        SurfaceCase{"WidenStartBeyond", Widening, 200, 5.0, std::nullopt},
        SurfaceCase{"WidenMiddleLaneEdge", Widening, 220, 4.25, 99.915},
        SurfaceCase{"WidenMiddleShoulderEdge", Widening, 220, 5.0, 99.885},
        SurfaceCase{"WidenEndShoulderEdge", Widening, 240, 5.5, 99.875},
        SurfaceCase{"WidenLeftUnchanged", Widening, 220, -4.5, 99.895},
        // The design line on the left shoulder's edge at 100.000: the centre
        // line is 0.075 + 0.03 = 0.105 higher (100.105), the left lane edge
        // 100.03, the right shoulder edge back at 100.000.
        SurfaceCase{"OffCentreDesignLine", DesignLineLeft, 0, -4.5, 100},
        SurfaceCase{"OffCentreCentre", DesignLineLeft, 0, 0, 100.105},
        SurfaceCase{"OffCentreLaneEdgeLeft", DesignLineLeft, 0, -3.75, 100.03},
        SurfaceCase{"OffCentreShoulderEdgeRight", DesignLineLeft, 0, 4.5, 100}),
    [](const testing::TestParamInfo<SurfaceCase>& info) { return info.param.name; });

// The edges of the widened section at its middle, where the part boundary
// has moved out with the lane.
TEST(SectionEdges, WidenedMiddle) {
  const SectionStation middle = SectionAt(Widening(), 220);
  EXPECT_EQ(OuterEdgeOffset(middle, false, 0), 4.25);
  EXPECT_EQ(OuterEdgeOffset(middle, false, 1), 5.0);
  EXPECT_EQ(OuterEdgeOffset(middle, true, 1), -4.5);
}

// Stations taken in order, then back: the interval remembered from the last
// station must not hold a station that lies in another one.
TEST(SectionInterval, StationsInAnyOrderFindTheirInterval) {
  const auto table = Table({Listed(0, {3.75, -2, 0.75, -4}, {3.75, -2, 0.75, -4}),
                            Listed(100, {3.75, 4, 0.75, -4}, {3.75, -2, 0.75, -4}),
                            Listed(200, {3.75, -2, 0.75, -4}, {3.75, -2, 0.75, -4})});
  std::size_t interval = 0;
  SectionStation section;
  for (const auto& [station, slope] : std::vector<std::pair<double, double>>{
           {50, 1}, {150, 1}, {175, -0.5}, {25, -0.5}, {100, 4}, {300, -2}, {-5, -2}}) {
    SectionAt(table, station, interval, section);
    EXPECT_EQ(section.left[0].slope, slope) << "at " << station;
  }
}

}  // namespace
}  // namespace tarnvel
