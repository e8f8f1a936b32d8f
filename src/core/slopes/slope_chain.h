// A side slope laid out from the road's edge (the hinge) outward: the
// polyline of its breaks, in the side's own outward distance (the offset's
// size on that side), the last slope running on past its last vertex.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/slopes/side_slopes.h"

namespace tarnvel {

// What a vertex of the chain is, as a break row labels it: a 平台's inner
// or outer edge, a ditch's corner; a mere change of grade has no label.
struct BreakLabel {
  enum class Kind {
    None,
    BermInner,
    BermOuter,
    DitchBottomInner,
    DitchBottomOuter,
    DitchOuterEdge
  };
  Kind kind = Kind::None;
  int berm = 0;  // 1-based, for a 平台
};

// 平台1内, 平台1外, 沟底内, 沟底外, 沟外缘; empty for None.
std::string BreakLabelText(const BreakLabel& label);

struct ChainVertex {
  double out = 0;  // outward from the centre line on the chain's side
  double elevation = 0;
  BreakLabel label;
};

struct SlopeChain {
  std::vector<ChainVertex> vertices;  // the hinge first; `out` increases (to rounding)
  double runOn = 0;  // rise per metre outward beyond the last vertex (negative for a fill)
};

// The chain of `line` from the hinge at `out` and `elevation`: a fill falls
// outward, a cut (its ditch first) rises. A 平台 of no width and a 坡高 of 0
// add no vertex.
SlopeChain MakeSlopeChain(const SlopeLine& line, double out, double elevation);

// The chain's elevation at `out`, at or beyond the hinge.
double ChainElevation(const SlopeChain& chain, double out);

// The outermost distance at which the chain, run on without end, reaches
// `elevation` (on a level part at that height, its outer end); nothing when
// it never does.
std::optional<double> OutermostReach(const SlopeChain& chain, double elevation);

}  // namespace tarnvel
