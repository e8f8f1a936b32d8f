#include "core/profile/profile_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "previous_profile_range.h"

namespace tarnvel {
namespace {

// The textbook crest (K5+030, +5 % to −4 %, R 2000: its curve K4+940 to
// K5+120) and a sag after it (K5+140 to K5+280).
VerticalProfile Crests() {
  auto made = MakeVerticalProfile({{"BP", 4800, 416.18, 0},
                                   {"V1", 5030, 427.68, 2000},
                                   {"V2", 5210, 420.48, 2000},
                                   {"EP", 5600, 432.18, 0}});
  if (auto* refusal = std::get_if<ProfileRefusal>(&made)) ADD_FAILURE() << refusal->message;
  return std::get<VerticalProfile>(std::move(made));
}

struct RangeCase {
  const char* name;
  double from, to, step;
  bool keyPoints;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
  *os << c.name;
}

class ProfileRangeTest : public testing::TestWithParam<RangeCase> {};

// Held to the walk that held every station of the range before handing the
// first: the same stations with the same notes, now made one at a time.
TEST_P(ProfileRangeTest, StationsAsBefore) {
  const RangeCase& c = GetParam();
  const VerticalProfile profile = Crests();
  std::vector<std::pair<double, std::string>> today, before;
  ForEachProfileRangeStation(profile, c.from, c.to, c.step, c.keyPoints, [&](ProfileStation&& s) {
    today.emplace_back(s.station, s.note);
    return true;
  });
  previous::ForEachProfileRangeStation(profile, c.from, c.to, c.step, c.keyPoints,
                                       [&](ProfileStation&& s) {
                                         before.emplace_back(s.station, s.note);
                                         return true;
                                       });
  EXPECT_EQ(today, before) << c.from << "～" << c.to << " step " << c.step
                           << (c.keyPoints ? " with key points" : "");
  if (!c.keyPoints) {
    EXPECT_LE(static_cast<double>(today.size()), ProfileRangeStationCount(c.from, c.to, c.step));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ProfileRangeTest,
    testing::Values(RangeCase{"EndsOnMultiples", 4800, 5600, 20, false},
                    RangeCase{"EndsOffTheGrid", 4801.5, 5598.25, 20, false},
                    RangeCase{"EndsWithinAMicrometreOfMultiples", 4819.9999995, 4880.0000004, 20,
                              false},
                    RangeCase{"OneStation", 5030, 5030, 20, true},
                    RangeCase{"StepLongerThanTheRange", 5001, 5019, 50, false},
                    RangeCase{"KeyPointsOnAndOffTheGrid", 4800, 5600, 20, true},
                    RangeCase{"KeyPointsAtTheEnds", 4940, 5120, 7.5, true},
                    RangeCase{"FineStep", 5000, 5010, 0.0001, true}),
    [](const testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

struct CountCase {
  const char* name;
  double from, to, step;
  bool walkable;
};

void PrintTo(const CountCase& c, std::ostream* os) {
  *os << c.name;
}

class ProfileRangeCountTest : public testing::TestWithParam<CountCase> {};

// Pins the steps whose multiples could not be walked one by one (past 2^53
// a multiple plus one is itself, and a subnormal step overflows): the walk
// stood on one station for ever. Their count is infinite, so every cap
// refuses them before the walk.
TEST_P(ProfileRangeCountTest, InfiniteWhereTheWalkCannotStep) {
  const CountCase& c = GetParam();
  EXPECT_EQ(std::isfinite(ProfileRangeStationCount(c.from, c.to, c.step)), c.walkable)
      << c.from << "～" << c.to << " step " << c.step;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ProfileRangeCountTest,
    testing::Values(CountCase{"Metre", 0, 3000000, 1, true},
                    CountCase{"TenthOfAMillimetreFarOut", 1e6, 1e6 + 1, 1e-4, true},
                    CountCase{"MultiplesPast2To53", 10000, 10000.000002, 2.1e-13, false},
                    CountCase{"Subnormal", 10000, 10000, 1e-320, false},
                    CountCase{"NegativeStationsPast2To53", -10000.000002, -10000, 2.1e-13, false}),
    [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

struct BreakCase {
  const char* name;
  std::vector<Pvi> pvis;
};

// Shown by its name, not as bytes, when a case fails.
void PrintTo(const BreakCase& c, std::ostream* os) {
  *os << c.name;
}

class CurveStartingAtABreak : public testing::TestWithParam<BreakCase> {};

// Pins the rows at a plain grade break where the next curve starts (T 30
// from K0+130 back to K0+100): the break and the curve's start are one
// station, but the start summed a last bit before or after it, and the rows
// took the grade after the break where it fell on or after it. Both take
// the grade before, 1 %, at 1.000.
TEST_P(CurveStartingAtABreak, BothRowsTakeTheGradeBefore) {
  const auto made = MakeVerticalProfile(GetParam().pvis);
  ASSERT_TRUE(std::holds_alternative<VerticalProfile>(made)) << GetParam().name;
  const auto& p = std::get<VerticalProfile>(made);
  std::vector<std::string> rows;
  ForEachProfileRangeStation(p, 100, 100, 10, true, [&](ProfileStation&& s) {
    const auto at = ProfileAt(p, s.station);
    rows.push_back(
        s.note + " " +
        (at ? std::to_string(at->elevation) + " " + std::to_string(at->grade * 100) : "none"));
    return true;
  });
  EXPECT_EQ(rows,
            (std::vector<std::string>{"P1 1.000000 1.000000", "竖曲线起点 1.000000 1.000000"}))
      << GetParam().name;
}

// 1 % to the break, then 3 % or 0.5 % to a curve turning to 1.5 %.
INSTANTIATE_TEST_SUITE_P(
    Profiles, CurveStartingAtABreak,
    testing::Values(
        BreakCase{
            "StartSummedAfter",
            {{"BP", 0, 0, 0}, {"P1", 100, 1, 0}, {"P2", 130, 1.9, 4000}, {"EP", 330, 4.9, 0}}},
        BreakCase{
            "StartSummedBefore",
            {{"BP", 0, 0, 0}, {"P1", 100, 1, 0}, {"P2", 130, 1.15, 6000}, {"EP", 330, 4.15, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
