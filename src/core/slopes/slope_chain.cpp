#include "core/slopes/slope_chain.h"

#include <algorithm>

namespace tarnvel {

std::string BreakLabelText(const BreakLabel& label) {
  using Kind = BreakLabel::Kind;
  switch (label.kind) {
    case Kind::BermInner:
      return "平台" + std::to_string(label.berm) + "内";
    case Kind::BermOuter:
      return "平台" + std::to_string(label.berm) + "外";
    case Kind::DitchBottomInner:
      return "沟底内";
    case Kind::DitchBottomOuter:
      return "沟底外";
    case Kind::DitchOuterEdge:
      return "沟外缘";
    case Kind::None:
      break;
  }
  return {};
}

SlopeChain MakeSlopeChain(const SlopeLine& line, double out, double elevation) {
  using Kind = BreakLabel::Kind;
  SlopeChain chain;
  std::vector<ChainVertex>& v = chain.vertices;
  v.push_back({out, elevation, {}});
  const double sense = line.kind == SlopeKind::Cut ? 1 : -1;
  const auto add = [&](double across, double rise, BreakLabel label) {
    if (across > 0) v.push_back({v.back().out + across, v.back().elevation + rise, label});
  };
  const Ditch& ditch = line.ditch;
  if (line.kind == SlopeKind::Cut && ditch.depth > 0) {
    add(ditch.innerRatio * ditch.depth, -ditch.depth, {Kind::DitchBottomInner});
    add(ditch.bottomWidth, 0, {Kind::DitchBottomOuter});
    add(ditch.outerRatio * ditch.depth, ditch.depth, {Kind::DitchOuterEdge});
  }
  for (std::size_t k = 0; k + 1 < line.steps.size(); ++k) {
    const SlopeStep& step = line.steps[k];
    const int berm = static_cast<int>(k) + 1;
    add(step.ratio * step.height, sense * step.height,
        step.berm > 0 ? BreakLabel{Kind::BermInner, berm} : BreakLabel{});
    add(step.berm, 0, {Kind::BermOuter, berm});
  }
  chain.runOn = sense / line.steps.back().ratio;
  return chain;
}

double ChainElevation(const SlopeChain& chain, double out) {
  const std::vector<ChainVertex>& v = chain.vertices;
  const auto after = std::lower_bound(v.begin(), v.end(), out,
                                      [](const ChainVertex& c, double x) { return c.out < x; });
  if (after == v.end()) return v.back().elevation + (out - v.back().out) * chain.runOn;
  if (after->out == out || after == v.begin()) return after->elevation;
  const ChainVertex& a = *(after - 1);
  return a.elevation + (after->elevation - a.elevation) * (out - a.out) / (after->out - a.out);
}

std::optional<double> OutermostReach(const SlopeChain& chain, double elevation) {
  const std::vector<ChainVertex>& v = chain.vertices;
  const ChainVertex& last = v.back();
  // The run-on slope reaches every height on its side of the last vertex.
  if ((elevation - last.elevation) * chain.runOn >= 0)
    return last.out + (elevation - last.elevation) / chain.runOn;
  for (std::size_t k = v.size() - 1; k > 0; --k) {
    const ChainVertex& a = v[k - 1];
    const ChainVertex& b = v[k];
    if (b.elevation == elevation) return b.out;
    if ((a.elevation - elevation) * (b.elevation - elevation) < 0)
      return a.out + (b.out - a.out) * (elevation - a.elevation) / (b.elevation - a.elevation);
  }
  if (v.front().elevation == elevation) return v.front().out;
  return std::nullopt;
}

}  // namespace tarnvel
