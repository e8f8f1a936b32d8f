// The position tolerance: how far apart two positions may lie and still be
// one point, 2 mm unless a check is told otherwise. Design tables are full of
// exact boundaries (curves that touch, an offset on a road's edge) that their
// figures reach exactly but a sum of doubles reaches only to its last bit:
// such a boundary is decided with this tolerance, never on that bit.
#pragma once

namespace tarnvel {

inline constexpr double kPositionToleranceMm = 2;
inline constexpr double kPositionTolerance = kPositionToleranceMm / 1000;  // m

}  // namespace tarnvel
