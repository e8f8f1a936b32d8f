#include "core/profile/vertical_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "core/profile/vertical_curve_table_text.h"

namespace tarnvel {
namespace {

VerticalProfile Made(std::vector<Pvi> pvis) {
  auto made = MakeVerticalProfile(std::move(pvis));
  if (auto* r = std::get_if<ProfileRefusal>(&made)) ADD_FAILURE() << r->message;
  return std::get<VerticalProfile>(made);
}

struct Expected {
  const char* name;
  double station;
  double elevation;
  double gradePercent;
};

void ExpectAt(const VerticalProfile& p, const Expected& e) {
  const auto at = ProfileAt(p, e.station);
  ASSERT_TRUE(at) << e.name << " at " << e.station;
  EXPECT_NEAR(at->elevation, e.elevation, 1e-6) << e.name << " at " << e.station;
  EXPECT_NEAR(at->grade * 100, e.gradePercent, 1e-9) << e.name << " at " << e.station;
}

// The textbook crest: PVI K5+030 at 427.68 m, +5% to −4%, R 2000 (道路勘测设计,
// the 山岭区二级公路 exercise). Published: L 180, T 90, E 2.03 (2.025 exact),
// the curve from K4+940 to K5+120; 425.28 at K5+000, 425.455 at K5+010,
// 425.28 at K5+080 and 424.78 at K5+100.
TEST(VerticalProfile, TextbookCrest) {
  const auto p = Made({{"A", 4800, 427.68 - 230 * 0.05, 0},
                       {"BPD1", 5030, 427.68, 2000},
                       {"B", 5300, 427.68 - 270 * 0.04, 0}});
  const auto rows = VerticalCurveRows(p);
  ASSERT_EQ(rows.size(), 1u);
  const auto cells = VerticalCurveRowTexts(rows[0]);
  EXPECT_EQ(cells[1], "K5+030.000");
  EXPECT_EQ(cells[3], "凸");
  EXPECT_EQ(cells[5], "90.000");
  EXPECT_EQ(cells[6], "2.025");
  EXPECT_EQ(cells[7], "180.000");
  EXPECT_EQ(cells[8], "K4+940.000");
  EXPECT_EQ(cells[9], "K5+120.000");
  EXPECT_EQ(cells[10], "5.000");
  EXPECT_EQ(cells[11], "-4.000");
  for (const Expected& e :
       {Expected{"K5p000", 5000, 425.28, 2.0}, Expected{"K5p010", 5010, 425.455, 1.5},
        Expected{"K5p080", 5080, 425.28, -2.0}, Expected{"K5p100", 5100, 424.78, -3.0}})
    ExpectAt(p, e);
}

// A crest (R 4000 at 200), a plain grade break (at 500) and a sag (R 3000 at
// 800) in one profile: 2%, −2%, 2%, 4%. Worked by hand: the crest runs
// 120–280 with E 0.8, the sag 770–830 with E 0.15.
TEST(VerticalProfile, CrestBreakAndSag) {
  const auto p = Made({{"P0", 0, 100, 0},
                       {"P1", 200, 104, 4000},
                       {"P2", 500, 98, 0},
                       {"P3", 800, 104, 3000},
                       {"P4", 1000, 112, 0}});
  for (const Expected& e :
       {Expected{"Start", 0, 100, 2}, Expected{"CrestStart", 120, 102.4, 2},
        Expected{"CrestPvi", 200, 103.2, 0}, Expected{"CrestEnd", 280, 102.4, -2},
        Expected{"MidGrade", 350, 101, -2}, Expected{"BreakTakesGradeBefore", 500, 98, -2},
        Expected{"AfterBreak", 650, 101, 2}, Expected{"SagStart", 770, 103.4, 2},
        Expected{"SagInside", 785, 103.7375, 2.5}, Expected{"SagPvi", 800, 104.15, 3},
        Expected{"SagEnd", 830, 105.2, 4}, Expected{"End", 1000, 112, 4}})
    ExpectAt(p, e);
  const auto rows = VerticalCurveRows(p);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(VerticalCurveRowTexts(rows[1])[3], "凹");
  EXPECT_EQ(VerticalCurveRowTexts(rows[1])[7], "0.000");
  EXPECT_EQ(VerticalCurveRowTexts(rows[2])[6], "0.150");
}

// True circles, worked by hand from the geometry rather than the code's
// formula. A crest of R 10000 between +5% and −5%, PVI K1+000 at 100: by
// symmetry the centre lies straight below the PVI at R·secθ = R·√1.0025, so
// H = 100 − R·√1.0025 + √(R² − (s − 1000)²); T = R·tan θ = 500 exactly,
// reaching 500/√1.0025 in station each way; E = R·(√1.0025 − 1); L = 2R·atan
// 0.05. A sag of R 2000 from level to +10%, PVI K1+000 at 100: the centre
// lies R straight above the start, so H = 100 + R − √(R² − x²) with x from
// the start, and T = R·tan(θ/2) = 0.1R/(1 + √1.01).
TEST(VerticalProfile, CircularCurves) {
  const VerticalCurveKind circle = VerticalCurveKind::kCircle;
  const auto crest = Made({{"A", 0, 50, 0}, {"C", 1000, 100, 10000, circle}, {"B", 2000, 50, 0}});
  for (const Expected& e : {Expected{"CrestStart", 500.6238305610777, 75.03119152805448, 5},
                            Expected{"CrestPvi", 1000, 87.50780274960744, 0},
                            Expected{"CrestInside", 1300, 83.00678979372606, -3.0013509119339763},
                            Expected{"CrestEnd", 1499.3761694389223, 75.03119152805448, -5}})
    ExpectAt(crest, e);
  const auto row = VerticalCurveRows(crest).at(0);
  EXPECT_EQ(row.T, 500);
  EXPECT_NEAR(row.E, 12.4921972503933, 1e-9);
  EXPECT_NEAR(row.L, 999.1679144388553, 1e-9);
  EXPECT_NEAR(row.start, 500.6238305610777, 1e-9);

  const auto sag = Made({{"A", 0, 100, 0}, {"S", 1000, 100, 2000, circle}, {"B", 1500, 150, 0}});
  EXPECT_NEAR(sag.tangents[1], 99.75124224178053, 1e-9);
  for (const Expected& e :
       {Expected{"SagStart", 900.2487577582194, 100, 0},
        Expected{"SagInside", 950.2487577582194, 100.62509768677955, 2.5007816164017767},
        Expected{"SagEnd", 1099.2561958002173, 109.92561958002173, 10}})
    ExpectAt(sag, e);
}

// Pins the grade at a plain grade break where the next curve starts
// exactly (1 % to 2 % at K0+100; R 2500 at K0+150 turning to −2 % makes T
// 50; 10 m in, 1.18 at 1.6 %): the grade after it where the curve's start,
// summed, fell on the PVI's last bit, the grade before it otherwise. It is
// the grade before.
TEST(VerticalProfile, BreakWhereTheNextCurveStartsTakesTheGradeBefore) {
  const auto p =
      Made({{"BP", 0, 0, 0}, {"P1", 100, 1, 0}, {"P2", 150, 2, 2500}, {"EP", 350, -2, 0}});
  ASSERT_EQ(CurveStart(p, 2), 100);
  ExpectAt(p, {"Break", 100, 1, 1});
  ExpectAt(p, {"CurveInside", 110, 1.18, 1.6});
}

// A table walks its stations in order with the grade line it was last on;
// the answers must be those of a search, whichever way it walks.
TEST(VerticalProfile, WalkingInOrderFindsWhatASearchFinds) {
  const auto p = Made({{"P0", 0, 100, 0},
                       {"P1", 200, 104, 4000},
                       {"P2", 500, 98, 0},
                       {"P3", 800, 104, 3000},
                       {"P4", 1000, 112, 0}});
  std::size_t line = 0;
  for (double s : {0.0, 119.9, 120.0, 500.0, 500.0, 770.5, 1000.0, 650.0, 10.0, 999.99}) {
    const auto walked = ProfileAt(p, s, line);
    const auto searched = ProfileAt(p, s);
    ASSERT_TRUE(walked && searched) << s;
    EXPECT_EQ(walked->elevation, searched->elevation) << s;
    EXPECT_EQ(walked->grade, searched->grade) << s;
  }
}

struct TouchingCase {
  const char* name;
  std::vector<Pvi> pvis;
  Expected at;
};

// Shown by its name, not as bytes, when a case fails.
void PrintTo(const TouchingCase& c, std::ostream* os) {
  *os << c.name;
}

class TouchingCurves : public testing::TestWithParam<TouchingCase> {};

// Pins curves that touch each other, BP or EP being refused when their sums
// of doubles missed the exact boundary by a last bit ("T1+T2=225.000 m，大于
// 两点间距225.000 m"): within the position tolerance they touch.
TEST_P(TouchingCurves, AreAcceptedAndRead) {
  const TouchingCase& c = GetParam();
  const auto made = MakeVerticalProfile(c.pvis);
  const auto* refusal = std::get_if<ProfileRefusal>(&made);
  ASSERT_FALSE(refusal) << c.name << ": " << refusal->message;
  ExpectAt(std::get<VerticalProfile>(made), c.at);
}

// Grades +2 %, −7 %, +2 % and R 2500: T = 112.5, E = 2.53125. The crest ends
// and the sag starts at K1+312.5, on the grade line at 104 − 0.07 × 112.5.
// A tie past the start: +3 % to −5 % at R 125.0125 makes T = 5.0005, the
// PVI's distance from BP. Two curves 1.6 mm into each other: T = 50.0008.
INSTANTIATE_TEST_SUITE_P(
    Profiles, TouchingCurves,
    testing::Values(
        TouchingCase{"EachOther",
                     {{"BP", 1000, 100, 0},
                      {"V1", 1200, 104, 2500},
                      {"V2", 1425, 88.25, 2500},
                      {"EP", 1625, 92.25, 0}},
                     {"Touch", 1312.5, 96.125, -7}},
        TouchingCase{"EachOtherCrest",
                     {{"BP", 1000, 100, 0},
                      {"V1", 1200, 104, 2500},
                      {"V2", 1425, 88.25, 2500},
                      {"EP", 1625, 92.25, 0}},
                     {"Crest", 1200, 101.46875, -2.5}},
        TouchingCase{"Start",
                     {{"BP", 1000, 100, 0}, {"V1", 1112.5, 102.25, 2500}, {"EP", 1312.5, 88.25, 0}},
                     {"Crest", 1112.5, 99.71875, -2.5}},
        TouchingCase{"End",
                     {{"BP", 1000, 100, 0}, {"V1", 1200, 104, 2500}, {"EP", 1312.5, 96.125, 0}},
                     {"End", 1312.5, 96.125, -7}},
        TouchingCase{
            "TieAtStart",
            {{"BP", 0, 0, 0}, {"V1", 5.0005, 0.150015, 125.0125}, {"EP", 105.0005, -4.849985, 0}},
            {"Start", 0, 0, 3}},
        TouchingCase{
            "OverlapWithinTolerance",
            {{"A", 0, 0, 0}, {"B", 100, 2, 2500.04}, {"C", 200, 0, 2500.04}, {"D", 300, 2, 0}},
            {"End", 300, 2, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

// Pins a curve accepted 1 mm past BP (+2 % to −2 % at R 2500.05, T =
// 50.001) having no elevation at its own start, which the drawing reads.
TEST(VerticalProfile, ACurvePastBpWithinToleranceIsReadThere) {
  const auto p = Made({{"A", 0, 0, 0}, {"B", 50, 1, 2500.05}, {"C", 550, -9, 0}});
  const auto at = ProfileAt(p, CurveStart(p, 1));
  ASSERT_TRUE(at) << CurveStart(p, 1);
  EXPECT_NEAR(at->elevation, -0.00002, 1e-9);
  EXPECT_NEAR(at->grade, 0.02, 1e-12);
  EXPECT_FALSE(ProfileAt(p, -0.0011));
}

struct Refused {
  const char* name;
  std::vector<Pvi> pvis;
  const char* message;
};

class ProfileRefusalTest : public testing::TestWithParam<Refused> {};

TEST_P(ProfileRefusalTest, NamesThePvisAndTheFigures) {
  const auto made = MakeVerticalProfile(GetParam().pvis);
  ASSERT_TRUE(std::holds_alternative<ProfileRefusal>(made)) << GetParam().name;
  EXPECT_EQ(std::get<ProfileRefusal>(made).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ProfileRefusalTest,
    testing::Values(
        Refused{"OnePvi", {{"A", 0, 10, 0}}, "纵断面至少需要两个变坡点（起点和终点），现有1个！"},
        Refused{"StationRepeated",
                {{"A", 100, 10, 0}, {"B", 100, 11, 0}},
                "变坡点“B”的桩号K0+100.000不大于变坡点“A”的桩号K0+100.000，桩号必须递增！"},
        Refused{"CurvesOverlap",
                {{"A", 0, 0, 0}, {"B", 100, 2, 3000}, {"C", 200, 0, 3000}, {"D", 300, 2, 0}},
                "变坡点“B”与变坡点“C”的竖曲线重叠：T1+T2=120.000 m，大于两点间距100.000 m！"},
        // Beyond the position tolerance the two figures differ by more
        // than their last digit.
        Refused{"CurvesOverlapBeyondTolerance",
                {{"A", 0, 0, 0}, {"B", 100, 2, 2500.1}, {"C", 200, 0, 2500.1}, {"D", 300, 2, 0}},
                "变坡点“B”与变坡点“C”的竖曲线重叠：T1+T2=100.004 m，大于两点间距100.000 m！"},
        Refused{"PastTheStartBeyondTolerance",
                {{"A", 0, 0, 0}, {"B", 50, 1, 2500.15}, {"C", 550, -9, 0}},
                "变坡点“B”的竖曲线切线长T=50.003 m，超出起点变坡点“A”（相距50.000 m）！"},
        Refused{"PastTheStart",
                {{"A", 0, 0, 0}, {"B", 50, 1, 10000}, {"C", 550, -4, 0}},
                "变坡点“B”的竖曲线切线长T=150.000 m，超出起点变坡点“A”（相距50.000 m）！"},
        Refused{"PastTheEnd",
                {{"A", 0, 0, 0}, {"B", 500, 10, 10000}, {"C", 550, 9, 0}},
                "变坡点“B”的竖曲线切线长T=200.000 m，超出终点变坡点“C”（相距50.000 m）！"},
        // The three below were refused by the profile file and the window
        // alone: made directly, the profile took them.
        Refused{"NegativeRadius",
                {{"A", 0, 0, 0}, {"B", 500, 10, -2000}, {"C", 1000, 0, 0}},
                "变坡点“B”的竖曲线半径R为-2000.000 m，不能为负数！"},
        Refused{"CurveAtBp",
                {{"A", 0, 0, 2000}, {"B", 500, 10, 0}, {"C", 1000, 0, 0}},
                "起点“A”不能有竖曲线，“竖曲线半径R”应为空或0！"},
        Refused{"CurveAtEp",
                {{"A", 0, 0, 0}, {"B", 500, 10, 0}, {"C", 1000, 0, 2000}},
                "终点“C”不能有竖曲线，“竖曲线半径R”应为空或0！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VerticalProfile, StationOutsideIsRefusedWithTheRange) {
  const auto p = Made({{"A", 1000, 10, 0}, {"B", 2000, 20, 0}});
  EXPECT_FALSE(ProfileAt(p, 999.9999));
  EXPECT_FALSE(ProfileAt(p, std::nan("")));
  EXPECT_EQ(StationOutsideProfile(p, 2000.5).message,
            "桩号K2+000.500不在纵断面范围K1+000.000～K2+000.000内！");
}

struct OutsideCase {
  const char* name;
  double station;
  const char* message;
};

void PrintTo(const OutsideCase& c, std::ostream* os) {
  *os << c.name;
}

class StationJustOutside : public testing::TestWithParam<OutsideCase> {};

// Pins the refusal of a station a hair outside printing the range's end as
// the station ("桩号K12+372.500不在纵断面范围K12+372.500～…").
TEST_P(StationJustOutside, SaysHowFarOutside) {
  const auto p = Made({{"A", 12372.5, 10, 0}, {"B", 13000, 20, 0}});
  EXPECT_EQ(StationOutsideProfile(p, GetParam().station).message, GetParam().message)
      << GetParam().station;
}

INSTANTIATE_TEST_SUITE_P(
    Stations, StationJustOutside,
    testing::Values(
        OutsideCase{"BeforeStart", 12372.4996,
                    "桩号K12+372.500不在纵断面范围K12+372.500～K13+000.000内（在起点前0.4 mm）！"},
        OutsideCase{"PastEnd", 13000.0003,
                    "桩号K13+000.000不在纵断面范围K12+372.500～K13+000.000内（在终点后0.3 mm）！"},
        OutsideCase{"PastEndByLessThanItsTenth", 13000.00001,
                    "桩号K13+000.000不在纵断面范围K12+372.500～K13+000.000内（在终点后不足0.1 "
                    "mm）！"},
        OutsideCase{"PrintedApart", 12372.4994,
                    "桩号K12+372.499不在纵断面范围K12+372.500～K13+000.000内！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
