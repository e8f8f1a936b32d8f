// The compact set of names against a set of strings, over the ways a table
// gives names: a stations file's, all held; a range's, each forgotten soon
// after, a million times over; names long enough to need a block of their own
// or a length of several bytes.
#include "core/route/name_set.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarnvel {
namespace {

struct SetCase {
  const char* name;
  int names;           // given in turn, each once and then again
  std::size_t length;  // of each name, its number padded with 'x'
  int keptFor;         // names given before one is taken out; 0: never
};

std::string NameOf(int i, std::size_t length) {
  std::string name = std::to_string(i);
  if (name.size() < length) name.append(length - name.size(), 'x');
  return name;
}

class NameSetTest : public testing::TestWithParam<SetCase> {};

TEST_P(NameSetTest, HoldsWhatASetOfStringsHolds) {
  const SetCase& c = GetParam();
  NameSet set;
  std::set<std::string> strings;
  for (int i = 0; i < c.names; ++i) {
    const std::string name = NameOf(i, c.length);
    ASSERT_EQ(set.Insert(name), strings.insert(name).second) << c.name << " name " << i;
    ASSERT_FALSE(set.Insert(name)) << c.name << " name " << i << " given again";
    if (c.keptFor > 0 && i >= c.keptFor) {
      const std::string old = NameOf(i - c.keptFor, c.length);
      set.Erase(old);
      strings.erase(old);
      ASSERT_TRUE(set.Insert(old)) << c.name << " name " << i - c.keptFor << " taken out";
      set.Erase(old);
    }
    ASSERT_EQ(set.size(), strings.size()) << c.name << " name " << i;
  }
  for (int i = 0; i < c.names; ++i) {
    const std::string name = NameOf(i, c.length);
    EXPECT_EQ(set.Insert(name), strings.count(name) == 0) << c.name << " name " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NameSetTest,
    testing::Values(SetCase{"StationsFile", 300000, 0, 0}, SetCase{"EmptyNameAmongOthers", 3, 0, 0},
                    SetCase{"RangeComeAndGo", 400000, 12, 3},
                    SetCase{"LengthOfOneByteAtMost", 300, 127, 0},
                    SetCase{"LengthOfTwoBytes", 300, 128, 0},
                    SetCase{"LongerThanABlock", 3, (std::size_t{1} << 20) + 1, 0},
                    SetCase{"LongNamesComeAndGo", 600, 20000, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
