#include "core/route/point_label.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tarnvel {
namespace {

struct LabelCase {
  const char* name;
  std::string text, appended, joined;
};

class PointLabelTest : public testing::TestWithParam<LabelCase> {};

// Reads back as the std::string it replaces, copied, moved and appended to.
TEST_P(PointLabelTest, HoldsTheTextAsAString) {
  const LabelCase& c = GetParam();
  PointLabel label(c.text);
  EXPECT_EQ(std::string(label), c.text) << "text \"" << c.text << '"';
  EXPECT_EQ(label.empty(), c.text.empty()) << "text \"" << c.text << '"';
  EXPECT_EQ(std::string(label.c_str()), c.text.substr(0, c.text.find('\0')));
  const PointLabel copy = label;
  PointLabel moved = std::move(label);
  EXPECT_EQ(copy, moved) << "text \"" << c.text << '"';
  moved += c.appended;
  EXPECT_EQ(std::string(moved), c.joined) << "text \"" << c.text << "\" + \"" << c.appended << '"';
  EXPECT_EQ(std::string(copy), c.text) << "text \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Labels, PointLabelTest,
    testing::Values(LabelCase{"None", "", "", ""},
                    LabelCase{"KeyPoint", "ZH", "；超出路基范围", "ZH；超出路基范围"},
                    LabelCase{"NoneAppended", "", "超出路基范围", "超出路基范围"},
                    LabelCase{"Edge", "左行车道外", "", "左行车道外"},
                    LabelCase{"InnerNul", std::string("a\0b", 3), "c", std::string("a\0bc", 4)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
