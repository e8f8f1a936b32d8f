// The texts of the 直线、曲线及转角表 (DesignRow): what from-jd prints and
// saves, cell for cell.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/jd/design_table.h"

namespace tarnvel {

inline constexpr std::array<std::string_view, 21> kDesignTableColumns = {
    "交点号", "交点桩号", "X",  "Y",  "转角值", "R",  "Ls1", "Ls2",    "T1",       "T2",        "L",
    "E",      "J",        "ZH", "HY", "QZ",     "YH", "HZ",  "直线长", "交点间距", "计算方位角"};

// One row's cells. Stations are K text to the millimetre (KStationText,
// with `prefix`), X and Y have 4 decimals, every length 3; the turn is "右"
// or "左" and its degree–minute–second text, the azimuth that of the route's
// other outputs (AzimuthDmsText). E is the JD's distance to QZ, for an
// asymmetric curve too. A curve without an entry spiral starts at ZY, in the
// ZH column, and leaves HY empty; without an exit spiral it ends at YZ, in
// HZ's, and leaves YH empty. BP and EP have no curve cells, EP no leg cells.
std::array<std::string, 21> DesignRowTexts(const DesignRow& row, std::string_view prefix = "K");

// The header line, or a row's line, with cells apart by `separator` and the
// line ended by CR LF. With a comma, a cell holding a comma, a quote or a line
// break is quoted, its quotes doubled, as CSV readers take it back.
std::string DesignTableHeaderLine(char separator);
std::string DesignTableLine(const DesignRow& row, char separator, std::string_view prefix = "K");

// A mismatch of row `i` of `count` (JdStationMismatch) as a message: the
// point by its role and name, the 交点桩号 given and computed, and their
// difference in mm to the tenth, computed less given
// ("交点“JD5”的交点桩号K2+752.115与计算所得K2+752.125相差+10.0 mm！").
std::string JdStationMismatchText(const DesignRow& row, size_t i, size_t count, double difference,
                                  std::string_view prefix = "K");

}  // namespace tarnvel
