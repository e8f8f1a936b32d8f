// The 边桩 rows of the window's stakeout: after each station's own rows, a
// row at the outer edge of every part of its cross section, as `forward
// --edges` writes them (EdgePoints).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cross_section.h"
#include "route.h"
#include "route_csv.h"

namespace tarnvel {

class StakeoutEdges {
 public:
  // Names an edge row: by the row's number, or by its station and side.
  using Name = std::function<std::string(const RoutePoint& edge, std::size_t rowNumber)>;

  StakeoutEdges(const Route& route, const CrossSectionTable& table, Name name)
      : route_(route), table_(table), name_(std::move(name)) {}

  // The edges a station adds: one per part on each side.
  std::size_t perStation() const { return table_.leftParts.size() + table_.rightParts.size(); }

  // Takes note of the station of the row to be added next; when it is
  // another station's, the edges of the one before are added first.
  void before(const RoutePoint& next, std::vector<ForwardCsvRow>& rows);
  // The edges of the last station, once every row is in.
  void finish(std::vector<ForwardCsvRow>& rows);

 private:
  struct StationOf {
    double station;
    int element;
  };

  const Route& route_;
  const CrossSectionTable& table_;
  Name name_;
  std::optional<StationOf> pending_;
  std::size_t interval_ = 0;
  SectionStation section_;
  std::vector<RoutePoint> points_;
};

}  // namespace tarnvel
