// The stakeout builder's side of the files: a stations file's lines as the
// builder takes them, and why a table stopped as the command and the route
// window say it.
#pragma once

#include <QString>

#include "core/stakeout/stakeout_builder.h"
#include "io/route/station_file.h"

namespace tarnvel {

// The message for a point that came out infinite or not a number.
inline const QString kRouteNotComputable = QStringLiteral("计算结果超出数值范围，请检查输入数据！");

// The line as the builder takes it.
StakeStation StakeStationOf(const StationLine& line);

// The message a stop shows: a range's refusal as it is, a line's said of
// the stations file at `stationsPath` ("文件“…”第3行：…"), kRouteNotComputable,
// or "" when the caller ended the table.
QString StakeoutStopMessage(const StakeoutStop& stop, const QString& stationsPath = {});

}  // namespace tarnvel
