#include "io/surface/tin_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace tarnvel {
namespace {

// Four points, two faces and a third, invisible, face: the invisible one is
// left out and the rest are used as given.
TEST(LandXmlSurfaceTest, InvisibleFaceLeftOut) {
  const QByteArray xml = R"(<?xml version="1.0"?>
<LandXML><Surfaces><Surface name="EG"><Definition surfType="TIN">
<Pnts><P id="1">0 0 10</P><P id="2">0 10 12</P><P id="3">10 0 10</P><P id="4">10 10 14</P></Pnts>
<Faces><F>1 2 3</F><F>2 4 3</F><F i="1">1 4 2</F></Faces>
</Definition></Surface></Surfaces></LandXML>)";
  const auto read = ParseLandXmlSurface(xml);
  ASSERT_TRUE(std::holds_alternative<Tin>(read));
  const Tin& tin = std::get<Tin>(read);
  ASSERT_EQ(tin.faces.size(), 2U);
  EXPECT_EQ(tin.faces[1], (TinFace{1, 3, 2}));
  EXPECT_EQ(tin.points[3].H, 14);
}

struct RefusalCase {
  std::string name;
  QByteArray xml;
  ContentRefusal refusal;
};

class LandXmlSurfaceRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(LandXmlSurfaceRefusal, Refused) {
  const auto read = ParseLandXmlSurface(GetParam().xml);
  ASSERT_TRUE(std::holds_alternative<ContentRefusal>(read)) << GetParam().xml.toStdString();
  EXPECT_EQ(std::get<ContentRefusal>(read), GetParam().refusal) << GetParam().xml.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LandXmlSurfaceRefusal,
    testing::Values(
        RefusalCase{"FaceNamesMissingPoint",
                    "<LandXML><Surfaces><Surface>\n<Pnts><P id=\"1\">0 0 1</P></Pnts>\n"
                    "<Faces><F>1 2 1</F></Faces></Surface></Surfaces></LandXML>",
                    {3, {}, "的三角形引用了不存在的点“2”！"}},
        RefusalCase{"PointOfTwoNumbers",
                    "<LandXML><Surfaces><Surface>\n<Pnts><P id=\"7\">0 0</P></Pnts>"
                    "</Surface></Surfaces></LandXML>",
                    {2, {}, "的点“7”不是“北 东 高程”三个数！"}},
        RefusalCase{"NoSurface", "<LandXML></LandXML>", {0, {}, "中没有地面模型（Surface）！"}},
        RefusalCase{"FaceOfTwoPoints",
                    "<LandXML><Surfaces><Surface>\n<Pnts><P id=\"1\">0 0 1</P></Pnts>\n"
                    "<Faces><F>1 1</F></Faces></Surface></Surfaces></LandXML>",
                    {3, {}, "的三角形不是三个点号！"}},
        // A file cut short was read as far as it went, a surface with
        // part of its faces.
        RefusalCase{
            "CutShort",
            "<LandXML><Surfaces><Surface>\n<Pnts><P id=\"1\">0 0 1</P></Pnts>\n"
            "<Faces><F>1 1 1</F>",
            {3, {}, "不是有效的XML（系统报告“Premature end of document.”），不是LandXML文件！"}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(TinFileTest, PointWithoutHeightRefused) {
  QTemporaryDir dir;
  const QString path = dir.filePath("points.csv");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("A,0,0,10\nB,0,10,12\nC,10,0\n");
  file.close();
  const auto read = ReadTinFile(path, std::nullopt);
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(read));
  EXPECT_EQ(std::get<FileRefusal>(read).message,
            QStringLiteral("文件“%1”第3行的点“C”没有高程H，地面模型的点必须有H！")
                .arg(QDir::toNativeSeparators(path)));
}

}  // namespace
}  // namespace tarnvel
