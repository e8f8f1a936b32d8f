#include "io/profile/profile_file.h"

#include <gtest/gtest.h>

#include "file_test_support.h"

namespace tarnvel {
namespace {

// A header, K text and metres, R left out at the ends: the textbook crest at
// K5+030 reads to its published elevation at K5+000.
TEST(ProfileFile, ReadsKTextMetresAndMissingRadii) {
  const auto read =
      InFile(QStringLiteral("p.csv"), ParseProfileFile(QByteArray("变坡点号,桩号,高程,竖曲线半径R\n"
                                                                  "BP,K4+800,416.18\n"
                                                                  "BPD1,K5+030.000,427.68,2000\n"
                                                                  "EP,5300,416.88,\n")));
  ASSERT_TRUE(std::holds_alternative<VerticalProfile>(read))
      << std::get<FileRefusal>(read).message.toStdString();
  const auto& profile = std::get<VerticalProfile>(read);
  ASSERT_EQ(profile.pvis.size(), 3u);
  EXPECT_NEAR(ProfileAt(profile, 5000)->elevation, 425.28, 1e-6);
}

// Regression: a circle (a LandXML CircCurve) was saved as its R alone, which
// reads back as a parabola of that R: another curve, with other heights.
TEST(ProfileFile, RefusesToSaveACircleAsAParabola) {
  const std::vector<Pvi> pvis{
      {"BP", 0, 100}, {"SJD1", 200, 110, 1000, VerticalCurveKind::kCircle}, {"EP", 400, 100}};
  const auto saved = ProfileFileBytes(QStringLiteral("p.csv"), pvis);
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(saved));
  EXPECT_EQ(std::get<FileRefusal>(saved).message.toStdString(),
            "无法保存文件“p.csv”：变坡点“SJD1”的竖曲线是圆曲线，变坡点表只能记抛物线竖曲线，"
            "请保存为LandXML！");
}

struct Refused {
  const char* name;
  const char* bytes;
  const char* message;
};

class ProfileFileRefusalTest : public testing::TestWithParam<Refused> {};

TEST_P(ProfileFileRefusalTest, NamesTheFileTheLineAndTheField) {
  const auto read = InFile(QStringLiteral("p.csv"), ParseProfileFile(QByteArray(GetParam().bytes)));
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(read)) << GetParam().bytes;
  EXPECT_EQ(std::get<FileRefusal>(read).message.toStdString(), GetParam().message)
      << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileFileRefusalTest,
    testing::Values(Refused{"ElevationNotANumber", "A,0,10\nB,100,1o\n",
                            "文件“p.csv”第2行“高程”的值“1o”不是有效的数字！"},
                    Refused{"StationNotKText", "A,K0+000,10\nB,K0+1x0,11\n",
                            "文件“p.csv”第2行“桩号”的值“K0+1x0”不是有效的桩号！"},
                    Refused{"NegativeRadius", "A,0,10\nB,100,11,-2000\nC,200,10\n",
                            "文件“p.csv”第2行“竖曲线半径R”的值“-2000”不能为负数！"},
                    // The first faulty line is refused, though a later one
                    // does not read: the negative R was once checked only
                    // once the whole file was read.
                    Refused{"NegativeRadiusBeforeAnUnreadLine",
                            "A,0,10\nB,100,11,-2000\nC,200,1o\n",
                            "文件“p.csv”第2行“竖曲线半径R”的值“-2000”不能为负数！"},
                    Refused{"RadiusAtTheStart", "A,0,10,3000\nB,100,11\n",
                            "文件“p.csv”第1行：起点“A”不能有竖曲线，“竖曲线半径R”应为空或0！"},
                    Refused{"OverlapAtItsLine",
                            "A,0,0\n# 注释\nB,100,2,3000\nC,200,0,3000\nD,300,2\n",
                            "文件“p.csv”第4行：变坡点“B”与变坡点“C”的竖曲线重叠：T1+T2=120.000 "
                            "m，大于两点间距100.000 m！"},
                    Refused{"OnlyOnePvi", "A,0,10\n",
                            "文件“p.csv”：纵断面至少需要两个变坡点（起点和终点），现有1个！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
