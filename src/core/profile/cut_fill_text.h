// The texts a design elevation and a surveyed height give in the stakeout
// and inverse tables, wherever those are written: the command's CSV, the
// window's cells and the files the window saves.
#pragma once

#include <optional>
#include <string>

namespace tarnvel {

// Heights are printed to the millimetre.
inline constexpr int kHeightDecimals = 3;

// 设计高程 to the millimetre; 高差 = H − 设计高程 to the millimetre; 挖填:
// 挖 when the point is above the design, 填 below it, nothing when 高差
// shows as 0.000. Without a design elevation all three are empty; without H,
// 高差 and 挖填 are.
struct CutFillTexts {
  std::string design;
  std::string difference;
  std::string cutFill;
};

CutFillTexts CutFillText(std::optional<double> design, std::optional<double> height);

}  // namespace tarnvel
