#include "core/element/continuous_computation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "example_element.h"
#include "previous_number_text.h"

namespace tarnvel {
namespace {

using testing_support::InitialElement;
using testing_support::WithField;

TableFields Fields(const char* start, const char* end, const char* step, const char* offset = "0",
                   const char* skew = "90") {
  return {InitialElement(), start, end, step, offset, skew};
}

// The lines of a table text; every line must end with CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  for (size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
    lines.push_back(text.substr(begin, end - begin));
  EXPECT_EQ(begin, text.size()) << "text after the last CR LF";
  return lines;
}

std::vector<std::string> TableLines(const TableFields& fields) {
  const auto outcome = ComputeTable(fields);
  if (auto* refusal = std::get_if<Refusal>(&outcome)) {
    ADD_FAILURE() << refusal->message;
    return {};
  }
  return Lines(std::get<std::string>(outcome));
}

TEST(ComputeTable, WritesTheInitialTable) {
  const auto lines = TableLines(Fields("7600", "7900", "10"));
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_EQ(lines[0], "里程  偏距 偏角    坐标X       坐标Y       切线方位角F");
  EXPECT_EQ(lines[1], "7600   0  90  3378603.377  453661.835   98°57ˊ6.87″");
  EXPECT_EQ(lines[21], "7800   0  90  3378571.281  453859.241   99°45ˊ11.85″");
  EXPECT_EQ(lines[31], "7900   0  90  3378553.591  453957.663   100°41ˊ4.2″");
}

// The boxes of a table as typed, quoted so that spaces show.
std::string Typed(const TableFields& f) {
  return "element " + testing::PrintToString(f.element) + ", start " +
         testing::PrintToString(f.start) + ", end " + testing::PrintToString(f.end) + ", step " +
         testing::PrintToString(f.step) + ", offset " + testing::PrintToString(f.offset) +
         ", skew " + testing::PrintToString(f.skew);
}

struct RowsCase {
  const char* name;
  TableFields fields;
  std::vector<std::string> rows;  // every row, or its beginning when it ends with "…"
};

void PrintTo(const RowsCase& c, std::ostream* os) {
  *os << Typed(c.fields);
}

class TableRowsTest : public testing::TestWithParam<RowsCase> {};

TEST_P(TableRowsTest, HasTheseRows) {
  const auto& c = GetParam();
  const auto lines = TableLines(c.fields);
  ASSERT_EQ(lines.size(), c.rows.size() + 1) << Typed(c.fields);
  for (size_t i = 0; i < c.rows.size(); ++i) {
    const std::string& want = c.rows[i];
    if (want.ends_with("…"))
      EXPECT_TRUE(lines[i + 1].starts_with(want.substr(0, want.size() - 3)))
          << lines[i + 1] << " for " << Typed(c.fields);
    else
      EXPECT_EQ(lines[i + 1], want) << Typed(c.fields);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableRowsTest,
    testing::Values(
        RowsCase{"Offset5Right",
                 Fields("7600", "7600", "10", "5", "90"),
                 {"7600   5  90  3378598.438  453661.057   98°57ˊ6.87″"}},
        RowsCase{"Offset5Left",
                 Fields("7600", "7600", "10", "-5", "90"),
                 {"7600   -5  90  3378608.316  453662.613   98°57ˊ6.87″"}},
        RowsCase{"Skew45",
                 Fields("7600", "7600", "10", "5", "45"),
                 {"7600   5  45  3378599.334  453664.777   98°57ˊ6.87″"}},
        RowsCase{
            "EndNotReached", Fields("7600", "7605", "2"), {"7600   …", "7602   …", "7604   …"}},
        RowsCase{"RoundingDropsTheEnd",
                 Fields("7600", "7601", "0.1"),
                 {"7600   …", "7600.1   …", "7600.2   …", "7600.3   …", "7600.4   …", "7600.5   …",
                  "7600.6   …", "7600.7   …", "7600.8   …", "7600.9   …"}},
        RowsCase{"StepAwayFromTheEnd", Fields("7900", "7600", "10"), {}},
        RowsCase{"NegativeStepAwayFromTheEnd", Fields("7600", "7900", "-10"), {}},
        // A zero step from above the end stops at once, as a positive one would.
        RowsCase{"ZeroStepFromAbove", Fields("7900", "7600", "0"), {}},
        RowsCase{"BlankOffset",
                 Fields("7600", "7600", "10", "", "90"),
                 {"7600     90  3378603.377  453661.835   98°57ˊ6.87″"}},
        // A blank skew also puts the offset back to 0, and the typed 5 still shows.
        RowsCase{"BlankSkew",
                 Fields("7600", "7600", "10", "5", ""),
                 {"7600   5    3378603.377  453661.835   98°57ˊ6.87″"}},
        RowsCase{"OffsetOfSpaces",
                 Fields("7600", "7600", "10", "  ", "90"),
                 {"7600       90  3378603.377  453661.835   98°57ˊ6.87″"}},
        RowsCase{"ElementEnd",
                 Fields("7946.707", "7946.707", "1"),
                 {"7946.707   0  90  3378544.714  454003.519   101°14ˊ26.21″"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeTable, RunsDownwardWithANegativeStep) {
  const auto lines = TableLines(Fields("7900", "7600", "-10"));
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_TRUE(lines[1].starts_with("7900   "));
  EXPECT_TRUE(lines[31].starts_with("7600   "));
}

struct RefusalCase {
  const char* name;
  TableFields fields;
  Refusal refusal;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << Typed(c.fields);
}

class TableRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(TableRefusalTest, ShowsTheFirstFailure) {
  const auto outcome = ComputeTable(GetParam().fields);
  ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << Typed(GetParam().fields);
  EXPECT_EQ(std::get<Refusal>(outcome), GetParam().refusal) << Typed(GetParam().fields);
}

constexpr auto kMissing = RefusalKind::MissingInput;
constexpr auto kUnusable = RefusalKind::UnusableValue;

TableFields WithElementField(TableFields f, size_t index, const char* text) {
  f.element = WithField(f.element, index, text);
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, TableRefusalTest,
    testing::Values(
        RefusalCase{"ElementBeforeStep",
                    WithElementField(Fields("7600", "7900", ""), 0, " "),
                    {"请输入“起点桩号K”！", kMissing, Field::StartStation}},
        RefusalCase{
            "StepBlank", Fields("", "", " "), {"请输入“计算间距J”！", kMissing, Field::TableStep}},
        RefusalCase{"StartBlank",
                    Fields("", "", "10"),
                    {"请输入“起点桩号K”！", kMissing, Field::TableStart}},
        RefusalCase{"EndBlank",
                    Fields("7600", "", "10"),
                    {"请输入“止点桩号K”！", kMissing, Field::TableEnd}},
        RefusalCase{"StartBeforeElement",
                    Fields("7586.706", "7900", "10"),
                    {"输入“起点K”小于线元“起点桩号K”！", kUnusable, Field::TableStart}},
        RefusalCase{"EndAfterElement",
                    Fields("7600", "7946.708", "10"),
                    {"输入“止点K”大于线元“止点桩号K”！", kUnusable, Field::TableEnd}},
        RefusalCase{"ElementStartText",
                    WithElementField(Fields("7600", "7900", "10"), 0, "x"),
                    {"输入“起点桩号K”不是有效的数字！", kUnusable, Field::StartStation}},
        RefusalCase{"OffsetText",
                    Fields("7600", "7900", "10", "abc", "90"),
                    {"输入“偏距m”不是有效的数字！", kUnusable, Field::TableOffset}},
        RefusalCase{"SkewText",
                    Fields("7600", "7900", "10", "0", "90度"),
                    {"输入“偏角a”不是有效的数字！", kUnusable, Field::TableSkew}},
        RefusalCase{"StepTextReadsAsZero",
                    Fields("7600", "7900", "abc"),
                    {"“计算间距J”不能为零！", kUnusable, Field::TableStep}},
        RefusalCase{"ZeroStepOneRow",
                    Fields("7600", "7600", "0"),
                    {"“计算间距J”不能为零！", kUnusable, Field::TableStep}},
        RefusalCase{"StepBelowPrecision",
                    Fields("7600", "7600", "1e-20"),
                    {"“计算间距J”过小，桩号无法递增！", kUnusable, Field::TableStep}},
        RefusalCase{"StartBeyondDoubleRange",
                    Fields("1e999", "7900", "-10"),
                    {"输入“起点K”超出数值范围！", kUnusable, Field::TableStart}},
        RefusalCase{"TooManyRows",
                    Fields("7600", "7900", "0.0002"),
                    {"计算行数超过1000000行，请加大“计算间距J”！", kUnusable, Field::TableStep}},
        RefusalCase{"TurnDirection",
                    WithElementField(Fields("7600", "7900", "10"), 7, "3"),
                    {"“曲线转向Q”只能输入-1、0或1（左转为-1、右转为1、直线为0）！", kUnusable,
                     Field::TurnDirection}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeTable, AllowsAMillionRows) {
  TableFields f = Fields("0", "999999", "1");
  f.element = {"0", "1000000", "0", "0", "0", "0", "0", "0"};
  const auto outcome = ComputeTable(f);
  ASSERT_TRUE(std::holds_alternative<std::string>(outcome));
  const std::string& text = std::get<std::string>(outcome);
  EXPECT_TRUE(text.ends_with("999999   0  90  999999.000  0.000   0°0ˊ0″\r\n"));
}

// A 32,767-character offset asked a million-row table for 32 GB at once,
// and the failed allocation ended the program: a table that could pass
// kMaxTableBytes is refused before any of it is made.
TEST(ComputeTable, RefusesATableTooLargeInBytes) {
  TableFields f = Fields("0", "999999", "1");
  f.offset = "0." + std::string(32765, '0');
  f.element = {"0", "1000000", "0", "0", "0", "0", "0", "0"};
  const Refusal too_large{"计算成果表将超过128MB，请加大“计算间距J”或缩短“偏距m”“偏角a”！",
                          kUnusable, Field::TableStep};
  EXPECT_EQ(std::get<Refusal>(ComputeTable(f)), too_large);
  f.offset = "0";
  f.element[2] = "1e200";  // every X two hundred digits long
  EXPECT_EQ(std::get<Refusal>(ComputeTable(f)), too_large);
  f.step = "20";  // 50,000 such rows fit
  EXPECT_TRUE(std::holds_alternative<std::string>(ComputeTable(f)));
}

// Two threads take turns at runs of 7168 and 9216 rows; the table must be
// the one the previous single loop wrote, byte for byte, whether it ends
// inside a run or on its last row.
TEST(ComputeTable, TwoThreadsWriteThePreviousBytes) {
  struct Case {
    const char* start;
    const char* end;
    const char* step;
    const char* offset;
  } cases[] = {{"0", "9999.99", "0.1", "2.5"},   // 100,000 rows on a 10 km spiral
               {"0", "16383", "0.25", "-3"},     // 65,533 rows: ends inside a run
               {"9999.75", "0", "-0.25", "0"},   // 40,000 rows downward
               {"0", "38655.75", "0.25", "0"},   // exactly 19 runs: the first thread's last
               {"0", "40959.75", "0.25", "0"}};  // exactly 20 runs: the second's last
  for (const auto& c : cases) {
    TableFields f = Fields(c.start, c.end, c.step, c.offset, "75.3");
    f.element = {"0", "100000", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"};
    const auto previous = std::get<std::string>(previous::ComputeTable(f));
    EXPECT_TRUE(std::get<std::string>(ComputeTable(f, TableThreads::Two)) == previous)
        << c.start << " " << c.step;
    EXPECT_TRUE(std::get<std::string>(ComputeTable(f, TableThreads::One)) == previous)
        << c.start << " " << c.step;
  }
}

}  // namespace
}  // namespace tarnvel
