#include "profile_range.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace tarnvel {
namespace {

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
