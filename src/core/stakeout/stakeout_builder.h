// The stakeout table, built once for `tarnvel-route forward` and the route
// window's 逐桩坐标 alike: each station's rows, its 边桩, their names,
// design heights and notes, handed over in table order as they are made,
// so that a front end only formats or holds them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/stake_row.h"
#include "core/route/stakeout_stations.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"
#include "core/surface/ground.h"

namespace tarnvel {

// One line of a stations list: "点名,里程[,偏距[,偏角]]".
struct StakeStation {
  int line = 0;      // in its file, for a refusal
  std::string name;  // may be empty: the row is named by its station
  double station = 0;
  int pass = 1;                   // which pass of the route over the station
  std::optional<double> offset;   // nothing: the request's offsets
  std::optional<double> skewDms;  // nothing: the request's skew
};

// Hands each line of a stations list to `station`, in order, until it
// returns false, so that the lines need never be held together; false when
// the list could not be read to its end, which then gives no more rows.
using StakeStationSource = std::function<bool(const std::function<bool(const StakeStation&)>&)>;

struct StakeoutRequest {
  // The stations: a range, or else the lines `stations` hands over.
  std::optional<StakeoutRange> range;
  StakeStationSource stations;
  std::vector<double> offsets{0};  // one row per offset at each station
  double skewDms = 90;
  std::string prefix = "K";  // of the names made from stations
  // A range's rows (and 边桩) numbered 1, 2, 3 … instead of named by
  // station and side; a stations list keeps its names either way.
  bool serialNames = false;
  // With a profile every row gets its design elevation: the centre line's,
  // or with `sections` the surface's at the row's own offset, a row beyond
  // the road noted so in 说明 instead.
  const VerticalProfile* profile = nullptr;
  const CrossSectionTable* sections = nullptr;
  bool edges = false;  // the 边桩 of `sections` after each station's rows
  // With edges, a profile and both of these, each side's catch point (坡脚
  // or 坡口, CatchPointAt) right after that side's last 边桩, named as the
  // station's (CatchPointName), its design elevation the ground's; a side
  // without one adds no row.
  Ground ground;
  const SideSlopes* slopes = nullptr;
  // With the catch points, a row before each side's catch point for every
  // slope break its chain passes (SideCatch::breaks), named as a 边桩 at
  // the break's offset, its design elevation the break's and 说明 its label.
  bool slopeBreaks = false;
  // m: a station this close past an end of the profile is at that end.
  double positionTolerance = 0;
};

// Why a table ended short.
struct StakeoutStop {
  enum class Why {
    Refused,        // the range, or the station of line `line`: `message`
    NotComputable,  // a point came out infinite or not a number
    Ended,          // the sink returned false, or the stations list failed
  };
  Why why = Why::Ended;
  std::string message;
  int line = 0;  // of the stations list; 0 for a range
};

struct StakeoutOutcome {
  std::optional<StakeoutStop> stop;  // nothing: every row was handed over
  // Rows with a profile but no design elevation, other than those beyond
  // the road: their stations lie outside the profile.
  long long outsideProfile = 0;
};

// Hands each row to `row` as it is made, `row` returning false to end the
// table. A range's rows are those of ForEachRouteTableRow, named by station
// and side (RangePointNames) or numbered; a range refused (RangeRefusal)
// stops before the first row. A stations line gives one row per offset (its
// own offset, or each of the request's), on the branch of its pass, named
// by its 点名 (or its station) with the side added when it gives several,
// never two alike (UniquePointNames); a station or pass the route does not
// hold stops the table at that line. With edges, a station's 边桩 (EdgePoints)
// follow its last row: a range's named as its rows are, a stations list's
// by the line's name and side, or by the station's when lines of different
// names give that station's rows.
StakeoutOutcome BuildStakeout(const Route& route, const StakeoutRequest& request,
                              const std::function<bool(StakeRow&&)>& row);

}  // namespace tarnvel
