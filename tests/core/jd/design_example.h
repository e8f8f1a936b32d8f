// The design table the JD tests share.
#pragma once

#include <vector>

#include "core/jd/jd_table.h"

namespace tarnvel {

// A design's 直线、曲线及转角表 as it is printed: coordinates and stations to
// the millimetre, p and q by the series, the start at K10+000. JD3 and JD4
// are back to back: the rounded coordinates leave a straight of 0.3 mm.
inline const std::vector<JdPoint> kDesign = {{"BP", 3378214.562, 512873.319},
                                             {"JD1", 3378545.189, 513388.324, 800, 120, 120},
                                             {"JD2", 3378712.105, 514418.894, 1500, 150, 150},
                                             {"JD3", 3379003.005, 515089.519, 450, 100, 80},
                                             {"JD4", 3378921.048, 515390.135, 600, 0, 0},
                                             {"JD5", 3378990.083, 516041.487, 300, 60, 90},
                                             {"EP", 3378629.804, 516443.730}};

}  // namespace tarnvel
