#include "stakeout_edges.h"

#include "edge_points.h"

namespace tarnvel {

void StakeoutEdges::before(const RoutePoint& next, std::vector<ForwardCsvRow>& rows) {
  if (pending_ && (pending_->station != next.station || pending_->element != next.element))
    finish(rows);
  if (!pending_) pending_ = StationOf{next.station, next.element};
}

void StakeoutEdges::finish(std::vector<ForwardCsvRow>& rows) {
  if (!pending_) return;
  const StationOf at = *pending_;
  pending_.reset();
  SectionAt(table_, at.station, interval_, section_);
  EdgePoints(route_, table_, section_, at.station, at.element, points_);
  for (RoutePoint& point : points_) {
    std::string name = name_(point, rows.size() + 1);
    rows.push_back({std::move(name), std::move(point)});
  }
}

}  // namespace tarnvel
