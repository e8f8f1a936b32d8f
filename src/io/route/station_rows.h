// The stakeout rows of a stations file along a route, as `tarnvel-route
// forward --stations` writes them and the route window shows them.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "file_refusal.h"
#include "point_names.h"
#include "route.h"
#include "route_csv.h"
#include "station_file.h"

namespace tarnvel {

// The message for a point that came out infinite or not a number.
inline const QString kRouteNotComputable = QStringLiteral("计算结果超出数值范围，请检查输入数据！");

// True when the point and its tangent are finite numbers.
bool IsFinitePoint(const RoutePoint& point);

// How the rows of a stations file end short: at a line whose station the
// route does not hold, said of that line for the caller that read the file to
// name it (StopMessage); else with the message to show (kRouteNotComputable),
// or with an empty one when the caller ended the work.
using StationRowsStop = std::variant<ContentRefusal, QString>;

// The rows of a stations file, handed to `row` one at a time as they are
// computed, so that no table is held whole: one row per offset for each
// line, the line's own offset or else each of `offsets`; the line's skew,
// or else `skewDms`. A row is named by its line's 点名 (by the station, K
// text with `prefix`, when the line has none), the side added when the line
// gives rows at several offsets ("A" → "AL5.00", "AR5.00"); a name already
// given gets "_2", "_3" … (a name repeated in the file). `names`, when
// given, also hold those of the caller's other rows (the 边桩 it adds
// between them), which the rows' names are kept apart from. A station that
// a 长链 repeats gives the row of its pass's branch: the first, or the second
// with "_2". A station, or a pass, that the route does not hold refuses the
// whole table. `keepGoing`, when given, is asked before each line with the
// lines done so far; false ends the work (cancelled), as does `row`
// returning false, with an empty message. Nothing once every row is given,
// or the stop. Each row comes with the name its station's 边桩 start from,
// the side added after it: its line's name ("S11750" → "S11750L10.00"), or
// the station's when lines of different names give that station's rows.
std::optional<StationRowsStop> ForEachStationFileRow(
    const Route& route, const std::vector<StationLine>& lines, const std::vector<double>& offsets,
    double skewDms, const std::function<bool(ForwardCsvRow&&, const std::string& edgeName)>& row,
    const std::function<bool(size_t)>& keepGoing = {}, std::string_view prefix = "K",
    UniquePointNames* names = nullptr);

// The rows of a stations file's lines as ForEachStationFileRow gives them,
// the lines given one at a time, for a file read a line at a time and never
// held. The names are taken among `names`.
class StationFileRows {
 public:
  using Row = std::function<bool(ForwardCsvRow&&, const std::string& edgeName)>;

  StationFileRows(const Route& route, const std::vector<double>& offsets, double skewDms,
                  std::string_view prefix, UniquePointNames& names);
  // The rows of the next line, each to `row`: nothing once they all are,
  // or the stop.
  std::optional<StationRowsStop> Add(const StationLine& line, const Row& row);

 private:
  const Route& route_;
  const std::vector<double>& offsets_;
  double skewDms_;
  std::string_view prefix_;
  UniquePointNames& names_;
  // The station whose rows came last, as the 边桩 are grouped after them,
  // and the name its edges take.
  std::optional<std::pair<double, int>> station_;
  std::string edgeName_;
};

// The message a stop shows, a line's said of the stations file at `path`
// ("文件“…”第3行：…").
QString StopMessage(const QString& path, const StationRowsStop& stop);
std::optional<QString> StopMessage(const QString& path, const std::optional<StationRowsStop>& stop);

}  // namespace tarnvel
