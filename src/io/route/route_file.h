// The element table file (线元表): a whole route, one element a line, as
// design tables give it and spreadsheets export it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/route/route.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// The fields of a line, in order; the ninth, the element's name, may be left
// out. Messages and the header line written use these names.
inline const QStringList kRouteFileFieldNames = {
    QStringLiteral("起点桩号K"),  QStringLiteral("止点桩号K"),   QStringLiteral("起点坐标X"),
    QStringLiteral("起点坐标Y"),  QStringLiteral("起点方位角F"), QStringLiteral("起点半径RQ"),
    QStringLiteral("止点半径RN"), QStringLiteral("曲线转向Q"),   QStringLiteral("名称")};

// Reads the route. Each line holds the eight values (F in d.mmss, a radius of
// 0 for infinite, Q −1, 0 or 1) and optionally a name; the separators, the
// skipped lines and the encodings are those of SplitDelimitedLines and
// DecodeDelimitedText, and the first line may be a header (DropHeader). Every value is read
// strictly. A refusal names the file, the line and the field
// ("文件“…”第5行“起点坐标X”不是有效的数字！"), and an element the route cannot take (K1 ≤ K0, Q of
// 2, …) is named by its line.
//
// A line "断链,等号前桩号,等号后桩号" anywhere declares a 断链
// (ReadStationEquationLine); the route holds the declarations in file order.
//
// The main window's element data file is read too, as a one-element route:
// a file whose first line holds one number and nothing else, or one number
// and the description of the start station.
FileOutcome<Route> ReadRouteFile(const QString& path);

// The same from the whole content of a file already read, its refusals said
// of the line and the field; the caller that read the file names it (InFile).
ContentOutcome<Route> ParseRouteFile(const QByteArray& bytes);

// The file's text: the header line of kRouteFileFieldNames, then one line per
// element, fields apart by commas, each number in the general decimal form
// (GeneralText), the name last when there is one, then a line per declared
// 断链 in order (StationEquationLineText); every line ends in CR LF.
QString RouteFileText(const std::vector<RouteElement>& elements,
                      const std::vector<StationEquation>& equations = {});

// Writes the file in code page 936, all or nothing, replacing any file of
// that name. A name that holds a separator or a line break, or a character
// without a GBK form, is refused before anything is written, naming the
// element, since the file could not give it back. Nothing on success.
std::optional<FileRefusal> SaveRouteFile(const QString& path,
                                         const std::vector<RouteElement>& elements,
                                         const std::vector<StationEquation>& equations = {});

// The bytes SaveRouteFile writes, or its refusal, for a save made elsewhere.
FileOutcome<QByteArray> RouteFileBytes(const QString& path,
                                       const std::vector<RouteElement>& elements,
                                       const std::vector<StationEquation>& equations = {});

}  // namespace tarnvel
