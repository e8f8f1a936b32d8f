// The texts of the curve table (直线、曲线及转角表): what the command prints
// and what the route window shows, cell for cell.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/jd/route_from_jd.h"

namespace tarnvel {

inline constexpr std::array<std::string_view, 16> kCurveTableColumns = {
    "交点号", "转角", "R", "Ls1", "Ly", "Ls2", "T1", "T2",
    "L",      "E",    "J", "ZH",  "HY", "QZ",  "YH", "HZ"};

// One row's cells: the turn as "右" or "左" and its degree–minute–second
// text, every length and station fixed to 3 decimals. E is empty for an
// asymmetric curve, HY without an entry spiral and YH without an exit spiral
// (the curve starts at ZY, in the ZH column, and ends at YZ, in HZ's).
std::array<std::string, 16> CurveRowTexts(const CurveRow& row);

// The header and one line per row, cells apart by tabs, each line ended by
// "\n".
std::string CurveTableText(const std::vector<CurveRow>& rows);

}  // namespace tarnvel
