// The quotes a refusal makes of the file's or the user's text: short texts as
// they are, long ones cut with "…", long lists cut to a few names.
#include "io/files/echoed_text.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

struct EchoCase {
  const char* name;
  QString text;
  QString echoed;
};

class EchoedTextTest : public testing::TestWithParam<EchoCase> {};

TEST_P(EchoedTextTest, CutsOnlyWhatIsLong) {
  const EchoCase& c = GetParam();
  EXPECT_EQ(EchoedText(c.text), c.echoed) << c.text.toStdString();
}

const QString k40 = QString(40, u'9');
// U+20BB7 𠮷 is two UTF-16 units; at the cut it is kept whole or left out.
const QString kWide = QStringLiteral("\U00020BB7");

INSTANTIATE_TEST_SUITE_P(
    , EchoedTextTest,
    testing::Values(EchoCase{"empty", QString(), QString()}, EchoCase{"forty_kept", k40, k40},
                    EchoCase{"forty_one_cut", k40 + u'x', k40 + QStringLiteral("…")},
                    EchoCase{"fifty_megabytes_cut", QString(50'000'000, u'1'),
                             QString(40, u'1') + QStringLiteral("…")},
                    EchoCase{"pair_across_the_cut_left_out", QString(39, u'a') + kWide + u'b',
                             QString(39, u'a') + QStringLiteral("…")},
                    EchoCase{"pair_before_the_cut_kept", QString(38, u'a') + kWide + u'b',
                             QString(38, u'a') + kWide + QStringLiteral("…")}),
    [](const testing::TestParamInfo<EchoCase>& info) { return std::string(info.param.name); });

struct NamesCase {
  const char* name;
  QStringList names;
  QString listed;
};

class ListedNamesTest : public testing::TestWithParam<NamesCase> {};

TEST_P(ListedNamesTest, ListsAFewNames) {
  const NamesCase& c = GetParam();
  EXPECT_EQ(ListedNames(c.names), c.listed) << c.names.join(u',').left(200).toStdString();
}

QStringList Numbered(int count) {
  QStringList names;
  for (int i = 1; i <= count; ++i) names.append(QStringLiteral("L%1").arg(i));
  return names;
}

INSTANTIATE_TEST_SUITE_P(
    , ListedNamesTest,
    testing::Values(
        NamesCase{"none", {}, QString()},
        NamesCase{"five_all", Numbered(5), QStringLiteral("L1、L2、L3、L4、L5")},
        NamesCase{"six_cut", Numbered(6), QStringLiteral("L1、L2、L3、L4、L5、…等6个")},
        NamesCase{"hundred_thousand_cut", Numbered(100000),
                  QStringLiteral("L1、L2、L3、L4、L5、…等100000个")},
        NamesCase{"long_name_cut", {QString(41, u'n')}, QString(40, u'n') + QStringLiteral("…")}),
    [](const testing::TestParamInfo<NamesCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
