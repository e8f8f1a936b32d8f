// The texts of the 竖曲线表: what `tarnvel-route profile` prints and the
// route window shows, cell for cell.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile/vertical_profile.h"

namespace tarnvel {

inline constexpr std::array<std::string_view, 14> kVerticalCurveColumns = {
    "变坡点", "桩号",       "高程",       "凸凹",      "R",         "T",      "E",
    "L",      "竖曲线起点", "竖曲线终点", "前坡度(%)", "后坡度(%)", "前坡长", "后坡长"};

// One row's cells: stations as K text with `prefix`, lengths and elevations to the
// millimetre, grades in percent to 3 decimals. A plain grade break (R 0)
// shows its 凸凹 and zero T, E and L.
std::array<std::string, 14> VerticalCurveRowTexts(const VerticalCurveRow& row,
                                                  std::string_view prefix = "K");

// A grade as a percentage to 3 decimals: 0.05 is "5.000".
std::string GradePercentText(double grade);

}  // namespace tarnvel
