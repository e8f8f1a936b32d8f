// The side slopes (边坡) of a design: for each side and for fill (填) or
// cut (挖), the slope from a station on, until the next line for the same
// side and kind. A slope is a run of steps, each falling (填) or rising (挖)
// at 1:m for its 坡高 and then running level for its 平台 (berm); the last
// runs on until it meets the ground. A cut may begin with a ditch (边沟).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/route/route_position.h"

namespace tarnvel {

enum class SlopeKind { Fill, Cut };  // 填, 挖

struct SlopeStep {
  double ratio = 0;   // m of 1:m, horizontal over vertical, > 0
  double height = 0;  // vertical; not for the last step, which runs on
  double berm = 0;    // the level width after it; not for the last step

  bool operator==(const SlopeStep&) const = default;
};

// Falls from the road's edge by 1:innerRatio to `depth` below it, runs level
// for `bottomWidth`, and rises by 1:outerRatio back to the edge's height.
struct Ditch {
  double bottomWidth = 0;
  double depth = 0;  // 0: no ditch
  double innerRatio = 0;
  double outerRatio = 0;

  bool operator==(const Ditch&) const = default;
};

struct SlopeLine {
  double station = 0;
  int pass = 1;
  double position = 0;  // along the route, set by MakeSideSlopes
  bool left = false;
  SlopeKind kind = SlopeKind::Fill;
  Ditch ditch;
  std::vector<SlopeStep> steps;  // at least one

  bool operator==(const SlopeLine&) const = default;
};

// The columns of a line of the file, in order: 桩号, 侧, 填挖, 边沟底宽,
// 边沟深, 边沟内坡, 边沟外坡, then 坡率, 坡高 and 平台 of each step in turn.
inline constexpr std::size_t kSlopeSideColumn = 1;
inline constexpr std::size_t kSlopeKindColumn = 2;
inline constexpr std::size_t kFirstDitchColumn = 3;
inline constexpr std::size_t kFirstStepColumn = 7;

// A line's cells as the file gives them, numbers read; an empty cell is
// nothing. `steps` holds the cells from 坡率1 on.
struct SlopeCells {
  std::string side, kind;
  std::array<std::optional<double>, 4> ditch;  // 边沟底宽, 边沟深, 边沟内坡, 边沟外坡
  std::vector<std::optional<double>> steps;
};

// What is wrong with a line, and in which column (kSlope…Column numbering).
struct SlopeFault {
  enum class Kind {
    NotASide,               // 侧 neither 左 nor 右
    NotAKind,               // 填挖 neither 填 nor 挖
    Negative,               // a 坡高, 平台 or ditch figure below 0
    RatioNotPositive,       // a 坡率 of 0 or less
    DitchRatioNotPositive,  // a ditch's 边沟内坡 or 边沟外坡 of 0 or less
    DitchOnFill,            // ditch figures on a 填 line
    NoRatio,                // a 坡率 missing: none at all, or an empty one between steps
    EmptyBetween,           // an empty 坡高 or 平台 between two slopes
    AfterLastRatio,         // a 坡高 or 平台 after the last 坡率
    StationNotIncreasing,   // not past the line before of its side and kind, in route order
    NoSuchPass,             // a pass the route does not make over the station
  };
  Kind kind = Kind::NoRatio;
  std::size_t column = 0;
};

// A line of the file made a SlopeLine (without its station), its cells
// checked in column order.
std::variant<SlopeFault, SlopeLine> MakeSlopeLine(const SlopeCells& cells);

// The lines by side and kind, each list in route order.
struct SideSlopes {
  std::array<std::array<std::vector<SlopeLine>, 2>, 2> lines;  // [left][cut]

  // The same lines at the same places: a route changed elsewhere leaves the
  // slopes as they were.
  bool operator==(const SideSlopes&) const = default;
};

// Where two lines of one side and kind are out of order: `line` is the index
// of the later one and `before` of the one it does not pass.
struct SlopeOrderFault {
  SlopeFault::Kind kind = SlopeFault::Kind::StationNotIncreasing;
  std::size_t line = 0, before = 0;
};

// The lines placed along the route and grouped, each one's station past the
// one before of its side and kind in route order.
std::variant<SlopeOrderFault, SideSlopes> MakeSideSlopes(std::vector<SlopeLine> lines,
                                                         const RoutePositions& positions);

// The line in force at `position` on a side for a kind: the last that starts
// there or before (within the position tolerance); nothing before the first.
const SlopeLine* SlopeAt(const SideSlopes& slopes, bool left, SlopeKind kind, double position);

}  // namespace tarnvel
