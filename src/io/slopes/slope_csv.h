// The table of catch points, as `tarnvel-route slopes` writes it: a row per
// station and side, the left side first, and before a side's catch point,
// when asked, a row for each slope break the chain passes on its way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/element/centre_line.h"
#include "core/slopes/catch_point.h"

namespace tarnvel {

inline constexpr std::string_view kSlopeCsvHeader =
    "点名,桩号,里程,侧,填挖,边缘偏距,边缘高程,地面高程,填挖高,坡脚坡口偏距,X,Y,高程,平距,说明";

struct SlopeCsvRow {
  std::string name;
  double station = 0;
  const SideCatch* side = nullptr;
  const SlopeBreak* slopeBreak = nullptr;  // a break's row; the catch point's without
  std::optional<Point> point;              // where the catch point or the break lies
};

// The 说明 of a row: the break's label; 坡脚 or 坡口; or why there is no
// catch point.
std::string SlopeRowNote(const SlopeCsvRow& row);

// The header row, its CR LF included.
std::string SlopeCsvHeader();

// One row, its CR LF included, added to `out`: 桩号 as K text with `prefix`,
// 里程, offsets, elevations, 填挖高 and 平距 to the millimetre, X and Y to
// 0.1 mm; the catch point's columns empty without one.
void AppendSlopeCsvRow(std::string& out, const SlopeCsvRow& row, std::string_view prefix);

}  // namespace tarnvel
