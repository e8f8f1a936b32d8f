#include "core/slopes/fill_and_cut.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarnvel {

namespace {

// Where both lines are known: each offset either line breaks at, with both
// lines' elevations there.
struct Sample {
  double offset, design, ground;
};

// The design's height over the ground. A catch point is on both lines only
// to rounding: within a nanometre they meet, and leave no sliver between.
double Apart(const Sample& s) {
  const double apart = s.design - s.ground;
  return std::fabs(apart) <= 1e-9 ? 0 : apart;
}

}  // namespace

std::vector<EarthworkArea> FillAndCut(const std::vector<GroundPoint>& design,
                                      const std::vector<GroundPoint>& ground) {
  std::vector<EarthworkArea> areas;
  if (design.size() < 2 || ground.size() < 2) return areas;
  const double first = std::max(design.front().offset, ground.front().offset);
  const double last = std::min(design.back().offset, ground.back().offset);
  if (!(first < last)) return areas;
  std::vector<double> offsets{first, last};
  for (const auto* line : {&design, &ground})
    for (const GroundPoint& p : *line)
      if (p.offset > first && p.offset < last) offsets.push_back(p.offset);
  std::sort(offsets.begin(), offsets.end());
  offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
  std::vector<Sample> samples;
  for (const double offset : offsets) {
    const Sample next{offset, *ElevationOn(design, offset), *ElevationOn(ground, offset)};
    // Both lines are straight between two samples: where their difference
    // changes sign, they cross.
    if (!samples.empty()) {
      const Sample& a = samples.back();
      const double da = Apart(a);
      const double db = Apart(next);
      if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
        const double t = da / (da - db);
        const double elevation = a.ground + (next.ground - a.ground) * t;
        samples.push_back({a.offset + (offset - a.offset) * t, elevation, elevation});
      }
    }
    samples.push_back(next);
  }
  // Runs of samples with the design on one side of the ground.
  std::vector<Sample> run;
  std::optional<SlopeKind> kind;
  const auto close = [&] {
    if (kind && run.size() >= 2) {
      EarthworkArea& area = areas.emplace_back();
      area.kind = *kind;
      for (const Sample& s : run) area.outline.push_back({s.offset, s.design});
      for (auto s = run.rbegin(); s != run.rend(); ++s)
        area.outline.push_back({s->offset, s->ground});
    }
    run.clear();
    kind.reset();
  };
  for (std::size_t k = 0; k + 1 < samples.size(); ++k) {
    const Sample& a = samples[k];
    const Sample& b = samples[k + 1];
    const double apart = Apart(a) + Apart(b);
    std::optional<SlopeKind> here;
    if (apart > 0) here = SlopeKind::Fill;
    if (apart < 0) here = SlopeKind::Cut;
    if (here != kind) close();
    if (!here) continue;
    kind = here;
    if (run.empty()) run.push_back(a);
    run.push_back(b);
  }
  close();
  return areas;
}

}  // namespace tarnvel
