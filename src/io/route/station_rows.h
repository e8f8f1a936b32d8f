// The stakeout rows of a stations file along a route, as `tarnvel-route
// forward --stations` writes them and the route window shows them.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "route.h"
#include "route_csv.h"
#include "station_file.h"

namespace tarnvel {

// The message for a point that came out infinite or not a number.
inline const QString kRouteNotComputable = QStringLiteral("计算结果超出数值范围，请检查输入数据！");

// True when the point and its tangent are finite numbers.
bool IsFinitePoint(const RoutePoint& point);

// One row per offset for each line: the line's own offset, or else each of
// `offsets`; the line's skew, or else `skewDms`. A row is named by its
// line's 点名 (by the station, K text with `prefix`, when the line has none),
// the side added when the line gives rows at several offsets
// ("A" → "AL5.00", "AR5.00"); a name already given gets "_2", "_3" … (a
// name repeated in the file, or the second branch of a 长链). A station the
// route does not hold refuses the whole table, naming the file `path` and
// the line.
// `keepGoing`, when given, is asked before each line with the lines done so
// far; false ends the work with an empty message (cancelled).
std::variant<QString, std::vector<ForwardCsvRow>> StationFileRows(
    const Route& route, const QString& path, const std::vector<StationLine>& lines,
    const std::vector<double>& offsets, double skewDms,
    const std::function<bool(size_t)>& keepGoing = {}, std::string_view prefix = "K");

// The same rows handed to `row` one at a time as they are computed, so that
// no table is held whole; `row` returning false ends the work with an empty
// message. Nothing once every row is given, or the refusal.
std::optional<QString> ForEachStationFileRow(const Route& route, const QString& path,
                                             const std::vector<StationLine>& lines,
                                             const std::vector<double>& offsets, double skewDms,
                                             const std::function<bool(ForwardCsvRow&&)>& row,
                                             const std::function<bool(size_t)>& keepGoing = {},
                                             std::string_view prefix = "K");

}  // namespace tarnvel
