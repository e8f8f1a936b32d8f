#include "core/slopes/side_slopes.h"

#include <algorithm>

#include "core/route/position_tolerance.h"

namespace tarnvel {

namespace {

using Kind = SlopeFault::Kind;

// The ditch's cells, checked in column order.
std::optional<SlopeFault> DitchFault(const SlopeCells& cells, bool cut) {
  const double depth = cells.ditch[1].value_or(0);
  for (std::size_t k = 0; k < cells.ditch.size(); ++k) {
    const double value = cells.ditch[k].value_or(0);
    const std::size_t column = kFirstDitchColumn + k;
    if (!cut && value != 0) return SlopeFault{Kind::DitchOnFill, column};
    if (value < 0) return SlopeFault{Kind::Negative, column};
    // Only a ditch that is there needs its sides.
    if (k >= 2 && depth > 0 && value <= 0) return SlopeFault{Kind::DitchRatioNotPositive, column};
  }
  return std::nullopt;
}

}  // namespace

std::variant<SlopeFault, SlopeLine> MakeSlopeLine(const SlopeCells& cells) {
  SlopeLine line;
  if (cells.side != "左" && cells.side != "右") return SlopeFault{Kind::NotASide, kSlopeSideColumn};
  line.left = cells.side == "左";
  if (cells.kind != "填" && cells.kind != "挖") return SlopeFault{Kind::NotAKind, kSlopeKindColumn};
  line.kind = cells.kind == "挖" ? SlopeKind::Cut : SlopeKind::Fill;
  if (auto fault = DitchFault(cells, line.kind == SlopeKind::Cut)) return *fault;
  if (line.kind == SlopeKind::Cut)
    line.ditch = {cells.ditch[0].value_or(0), cells.ditch[1].value_or(0),
                  cells.ditch[2].value_or(0), cells.ditch[3].value_or(0)};
  // The last cell given ends the line: it must be a 坡率.
  std::size_t given = cells.steps.size();
  while (given > 0 && !cells.steps[given - 1]) --given;
  if (given == 0) return SlopeFault{Kind::NoRatio, kFirstStepColumn};
  for (std::size_t k = 0; k < given; ++k) {
    const std::size_t column = kFirstStepColumn + k;
    const std::optional<double>& cell = cells.steps[k];
    const bool ratio = k % 3 == 0;
    if (!cell) return SlopeFault{ratio ? Kind::NoRatio : Kind::EmptyBetween, column};
    if (ratio && !(*cell > 0)) return SlopeFault{Kind::RatioNotPositive, column};
    if (!ratio && *cell < 0) return SlopeFault{Kind::Negative, column};
  }
  if ((given - 1) % 3 != 0) return SlopeFault{Kind::AfterLastRatio, kFirstStepColumn + given - 1};
  for (std::size_t k = 0; k < given; k += 3)
    line.steps.push_back({*cells.steps[k], k + 1 < given ? *cells.steps[k + 1] : 0,
                          k + 2 < given ? *cells.steps[k + 2] : 0});
  return line;
}

std::variant<SlopeOrderFault, SideSlopes> MakeSideSlopes(std::vector<SlopeLine> lines,
                                                         const RoutePositions& positions) {
  SideSlopes slopes;
  // The index of each list's last line, for the refusal of the next.
  std::array<std::array<std::size_t, 2>, 2> last{};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SlopeLine& line = lines[i];
    const std::optional<double> position = positions.OfStation(line.station, line.pass);
    if (!position) return SlopeOrderFault{Kind::NoSuchPass, i, i};
    line.position = *position;
    const std::size_t cut = line.kind == SlopeKind::Cut;
    std::vector<SlopeLine>& list = slopes.lines[line.left][cut];
    if (!list.empty() && !(line.position > list.back().position))
      return SlopeOrderFault{Kind::StationNotIncreasing, i, last[line.left][cut]};
    last[line.left][cut] = i;
    list.push_back(std::move(line));
  }
  return slopes;
}

const SlopeLine* SlopeAt(const SideSlopes& slopes, bool left, SlopeKind kind, double position) {
  const std::vector<SlopeLine>& list = slopes.lines[left][kind == SlopeKind::Cut];
  const auto after =
      std::upper_bound(list.begin(), list.end(), position + kPositionTolerance,
                       [](double value, const SlopeLine& line) { return value < line.position; });
  return after == list.begin() ? nullptr : &*(after - 1);
}

}  // namespace tarnvel
