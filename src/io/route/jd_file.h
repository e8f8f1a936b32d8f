// The JD file (交点表): the designer's 直线、曲线及转角表 as a text file, one
// point a line: 交点号, X, Y, R, Ls1, Ls2 and 交点桩号. The first line is BP,
// the last EP.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "core/jd/jd_table.h"
#include "core/jd/route_from_jd.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

struct JdTable {
  std::vector<JdPoint> points;
  std::vector<int> lines;                  // the 1-based file line of each point, for messages
  std::vector<StationEquation> equations;  // the 断链 the file declares
};

// Reads the table. Separators, skipped lines and encodings are those of the
// element table file (SplitDelimitedLines, DecodeDelimitedText); the first
// line may be a header (DropHeader; 交点号 is a name, "BP", "JD1", so it never
// makes a line a header). Fields are in kJdFieldNames' order, unless the
// file's first line is a header whose every cell names one of them (交点号,
// X, Y, R, Ls1, Ls2, 交点桩号, or their names in kJdFieldNames): then they
// are where it puts them, and those it leaves out are empty. 交点号, X and Y
// must be there; R, Ls1, Ls2 and 交点桩号 may be empty or left out, and read
// as 0 (交点桩号 as not given). Every number is read strictly, 交点桩号 in
// metres or as K text; a refusal names the file, the line and the field
// ("文件“…”第5行“交点坐标X”不是有效的数字！"). A file with fewer than two
// points is refused. A line "断链,等号前桩号,等号后桩号" anywhere declares a
// 断链 (ReadStationEquationLine), which the route the table gives holds.
FileOutcome<JdTable> ReadJdFile(const QString& path);

// The same from the whole content of a file already read, its refusals said
// of the line and the field; the caller that read the file names it (InFile).
ContentOutcome<JdTable> ParseJdFile(const QByteArray& bytes);

// The route the table gives from BP at `startStation` (RouteFromJd), with its
// refusals said of the line of the JD at fault
// ("第4行：交点“JD3”的两条边共线，不能设曲线！"). Its stations jump at the
// 断链 the table declares (WithDeclaredChains), and it holds them.
ContentOutcome<JdRoute> JdRouteOfTable(const JdTable& table, double startStation);

// BP's station: the one given, else BP's 交点桩号 in the table, else 0.
double JdStartStation(const JdTable& table, std::optional<double> given);

// ReadJdFile, then JdRouteOfTable from JdStartStation.
FileOutcome<JdRoute> ReadJdRoute(const QString& path, std::optional<double> startStation);

}  // namespace tarnvel
