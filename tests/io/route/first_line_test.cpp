// Whether a file's first line is a header or data, in every reader that
// guesses it. Pins a first line lost unseen: a station in K text beside a
// name ("P1,K8+652.052") or a mistyped number was taken for a header, and
// the command went on without that line. Pins too a 断链 line above the
// header, which may stand anywhere, making the header read as data.
#include <gtest/gtest.h>

#include <functional>

#include "file_test_support.h"
#include "io/route/jd_file.h"
#include "io/route/point_file.h"
#include "io/route/route_file.h"
#include "io/route/station_file.h"

namespace tarnvel {
namespace {

// The records read, as "n" (their number), or the refusal.
using Reader = std::function<std::string(const QByteArray&)>;

template <class Records>
std::string Outcome(const FileOutcome<Records>& read,
                    const std::function<size_t(const Records&)>& count) {
  if (const auto* refusal = std::get_if<FileRefusal>(&read)) return refusal->message.toStdString();
  return std::to_string(count(std::get<Records>(read)));
}

const Reader kStations = [](const QByteArray& bytes) {
  return Outcome<std::vector<StationLine>>(
      InFile(QStringLiteral("st.csv"), ParseStationFile(bytes)),
      [](const auto& r) { return r.size(); });
};
const Reader kPoints = [](const QByteArray& bytes) {
  return Outcome<std::vector<SurveyPoint>>(InFile(QStringLiteral("pt.csv"), ParsePointFile(bytes)),
                                           [](const auto& r) { return r.size(); });
};
const Reader kJd = [](const QByteArray& bytes) {
  return Outcome<JdTable>(InFile(QStringLiteral("jd.csv"), ParseJdFile(bytes)),
                          [](const JdTable& t) { return t.points.size(); });
};
const Reader kRoute = [](const QByteArray& bytes) {
  return Outcome<Route>(InFile(QStringLiteral("rt.csv"), ParseRouteFile(bytes)),
                        [](const Route& r) { return r.elements.size(); });
};

const char kSecondElement[] = "1200,1300,3378745.627,453791.354,45.3,0,500,1\n";

struct FirstLineCase {
  const char* name;
  const Reader* read;
  std::string bytes;
  std::string outcome;
};

class FirstLineTest : public ::testing::TestWithParam<FirstLineCase> {};

TEST_P(FirstLineTest, IsAHeaderOnlyWhenItIsOne) {
  const FirstLineCase& c = GetParam();
  EXPECT_EQ((*c.read)(QByteArray::fromStdString(c.bytes)), c.outcome) << "file:\n" << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Readers, FirstLineTest,
    ::testing::Values(
        FirstLineCase{"Stations_KTextBesideAName", &kStations, "P1,K8+652.052\nP2,8700\n", "2"},
        FirstLineCase{"Stations_MistypedKText", &kStations, "P1,K8+65a\nP2,8700\n",
                      "文件“st.csv”第1行“里程”的值“K8+65a”不是有效的桩号！"},
        FirstLineCase{"Stations_NamedColumns", &kStations, "点名,里程,偏距\nP1,8700\n", "1"},
        FirstLineCase{"Stations_NothingReads", &kStations, "Name,Station\nP1,8700\n", "1"},
        FirstLineCase{"Points_MistypedX", &kPoints, "P1,abc,453700\nP2,1,2\n",
                      "文件“pt.csv”第1行“X”的值“abc”不是有效的数字！"},
        FirstLineCase{"Points_NamedColumns", &kPoints, "点名,X,Y,H\nX,1,2\n", "1"},
        FirstLineCase{"Points_PointNamedAsAColumn", &kPoints, "X,1,2\nY,3,4\n", "2"},
        FirstLineCase{"Jd_MistypedX", &kJd, "BP,x3378214,512873\nJD1,10,0,300\nEP,0,50\n",
                      "文件“jd.csv”第1行“交点坐标X”的值“x3378214”不是有效的数字！"},
        FirstLineCase{"Jd_NamedColumns", &kJd, "交点号,交点坐标X,交点坐标Y\nBP,0,0\nEP,0,50\n",
                      "2"},
        FirstLineCase{
            "Route_KTextStart", &kRoute,
            std::string("K1+000,1200,3378605.445,453648.704,45.3,0,0,0\n") + kSecondElement,
            "文件“rt.csv”第1行“起点桩号K”的值“K1+000”不是有效的数字！"},
        FirstLineCase{"Route_NothingReads", &kRoute,
                      std::string("K0,K1,X,Y,F,RQ,RN,Q\n") + kSecondElement, "1"},
        FirstLineCase{
            "Route_EquationAboveHeader", &kRoute,
            std::string("断链,K1+680,K1+700\n断链,2000,1990\n起点桩号K,止点桩号K,"
                        "起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q\n") +
                kSecondElement,
            "1"},
        // The header's names still place the columns: X and Y swapped.
        FirstLineCase{"Jd_EquationAboveNamedHeader", &kJd,
                      "断链,K0+020,K0+030\n交点号,Y,X\nBP,0,0\nEP,50,-1e999\n",
                      "文件“jd.csv”第4行“交点坐标X”的值“-1e999”超出数值范围！"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
