#include "core/route/route_position.h"

#include <algorithm>

#include "core/route/route_forward.h"

namespace tarnvel {

RoutePositions::RoutePositions(const Route& route) : route_(route) {
  starts_.reserve(route.loaded.size() + 1);
  double run = 0;
  for (const LineElement& element : route.loaded) {
    starts_.push_back(run);
    run += element.K1 - element.K0;
  }
  starts_.push_back(run);
}

double RoutePositions::At(int element, double K) const {
  const auto i = static_cast<std::size_t>(element);
  return starts_[i] + (K - route_.loaded[i].K0);
}

std::optional<double> RoutePositions::OfStation(double K, int pass) const {
  const std::vector<int> holders = ElementsAt(route_, K);
  if (pass >= 1 && static_cast<std::size_t>(pass) <= holders.size())
    return At(holders[static_cast<std::size_t>(pass - 1)], K);
  if (pass != 1 || route_.loaded.empty()) return std::nullopt;
  if (K < route_.loaded.front().K0) return K - route_.loaded.front().K0;
  if (K > route_.loaded.back().K1) return starts_.back() + (K - route_.loaded.back().K1);
  // In a gap: the first element, in route order, that starts beyond it.
  for (std::size_t i = 0; i < route_.loaded.size(); ++i)
    if (route_.loaded[i].K0 > K) return starts_[i];
  return starts_.back();
}

ForwardResult RoutePositions::FrameAt(double position) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end() - 1, position);
  const auto i = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - starts_.begin() - 1, 0));
  const double K = route_.loaded[i].K0 + (position - starts_[i]);
  if (route_.prepared.size() == route_.loaded.size())
    return tarnvel::FrameAt(route_.prepared[i], K);
  return tarnvel::FrameAt(Prepare(route_.loaded[i]), K);
}

}  // namespace tarnvel
