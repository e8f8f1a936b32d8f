#include "core/stakeout/stakeout_builder.h"

#include <span>
#include <utility>

#include "core/route/point_names.h"
#include "core/route/route_position.h"
#include "core/section/design_height.h"
#include "core/section/edge_points.h"
#include "core/section/row_height.h"
#include "core/slopes/catch_point.h"
#include "core/text/number_text.h"

namespace tarnvel {

namespace {

using Stop = StakeoutStop::Why;

StakeoutStop Stopped(Stop why, std::string message = {}, int line = 0) {
  return {why, std::move(message), line};
}

// Gives each row its height and note and hands it on, and with edges puts
// a station's 边桩 after its last row, once the next station's first row
// or the table's end shows they are all in.
class RowSink {
 public:
  RowSink(const Route& route, const StakeoutRequest& request,
          const std::function<bool(StakeRow&&)>& sink)
      : route_(route), sections_(request.edges ? request.sections : nullptr), sink_(sink) {
    if (request.profile)
      heights_.emplace(*request.profile, request.sections, request.positionTolerance);
    if (sections_ && request.profile && request.ground && request.slopes)
      catchPoints_.emplace(CatchPoints{*request.profile, request.ground, *request.slopes,
                                       RoutePositions(route), request.positionTolerance,
                                       request.slopeBreaks});
  }

  // Names the edge rows; asked once per edge, after the rows before it.
  // A catch point's is its station's name, `base` (asked with the point
  // at the station's centre line), with the side and kind added.
  void NameEdgesBy(std::function<std::string(const RoutePoint&)> name,
                   std::function<std::string(const RoutePoint& at, const SideCatch&)> catchName) {
    edgeName_ = std::move(name);
    catchName_ = std::move(catchName);
  }

  // Takes note of the station of the row to come: the edges of the one
  // before go out first, before the new row is named, so that their names
  // come before its own.
  bool Next(const RoutePoint& point) {
    if (!sections_) return true;
    if (pending_ && (pending_->station != point.station || pending_->element != point.element) &&
        !Edges())
      return false;
    if (!pending_) pending_ = StationOf{point.station, point.element};
    return true;
  }

  bool Add(std::string name, RoutePoint&& point) {
    StakeRow row{std::move(name), std::move(point)};
    if (heights_) {
      const DesignHeight height = RowDesignHeight(*heights_, route_, row.point);
      row.designElevation = height.elevation;
      if (height.beyondRoad) {
        if (!row.point.label.empty()) row.point.label += "；";
        row.point.label += kBeyondRoadNote;
      } else if (!height.elevation) {
        ++outsideProfile_;
      }
    }
    ++rows_;
    return sink_(std::move(row));
  }

  // The edges of the last station.
  bool Finish() { return !sections_ || !pending_ || Edges(); }

  long long rows() const { return rows_; }
  long long outsideProfile() const { return outsideProfile_; }

 private:
  struct StationOf {
    double station;
    int element;
  };

  // One row at the outer edge of every part, the left side's from the
  // centre line outward, then the right side's; square to the station.
  // Each side's catch point follows its last edge.
  bool Edges() {
    const StationOf at = *pending_;
    pending_.reset();
    EdgePoints(route_, *sections_, Section(at.station), at.station, at.element, edgePoints_);
    bool leftDone = !catchPoints_;
    for (RoutePoint& point : edgePoints_) {
      if (!leftDone && point.offset > 0) {
        leftDone = true;
        if (!CatchPoint(at, true)) return false;
      }
      std::string name = edgeName_(point);
      if (!Add(std::move(name), std::move(point))) return false;
    }
    if (!catchPoints_) return true;
    return (leftDone || CatchPoint(at, true)) && CatchPoint(at, false);
  }

  // The catch point of a side, when it has one, after the breaks its
  // chain passes when they are asked for.
  bool CatchPoint(const StationOf& at, bool left) {
    CatchPoints& c = *catchPoints_;
    const std::optional<ProfilePoint> design =
        ProfileAt(c.profile, at.station, c.profileLine, c.tolerance);
    const double position = c.positions.At(at.element - 1, at.station);
    const SideCatch side =
        CatchPointAt(Section(at.station), design ? std::optional(design->elevation) : std::nullopt,
                     GroundAcross(c.ground, position), c.slopes, position, left);
    if (!side.catchPoint) return true;
    const auto index = static_cast<std::size_t>(at.element - 1);
    const bool prepared = route_.prepared.size() == route_.loaded.size();
    const ForwardResult frame =
        FrameAt(prepared ? route_.prepared[index] : Prepare(route_.loaded[index]), at.station);
    RoutePoint point{.element = at.element, .station = at.station, .result = frame, .label = {}};
    if (c.breaks)
      for (const SlopeBreak& slopeBreak : side.breaks) {
        RoutePoint stake = point;
        stake.offset = slopeBreak.offset;
        stake.result = PointOff(frame, stake.offset, 90);
        std::string name = edgeName_(stake);
        stake.label = slopeBreak.label;
        ++rows_;
        if (!sink_({std::move(name), std::move(stake), slopeBreak.elevation})) return false;
      }
    std::string name = catchName_(point, side);
    point.offset = side.catchPoint->offset;
    point.result = PointOff(frame, point.offset, 90);
    point.label = std::string(CatchPointNote(*side.kind));
    ++rows_;
    return sink_({std::move(name), std::move(point), side.catchPoint->elevation});
  }

  const SectionStation& Section(double station) {
    if (heights_) return heights_->Section(station);
    SectionAt(*sections_, station, interval_, section_);
    return section_;
  }

  // What a side's catch point is found from.
  struct CatchPoints {
    const VerticalProfile& profile;
    Ground ground;
    const SideSlopes& slopes;
    RoutePositions positions;
    double tolerance;
    bool breaks;  // a row for each slope break before the catch point
    std::size_t profileLine = 0;
  };

  const Route& route_;
  const CrossSectionTable* sections_;  // with edges only
  std::optional<CatchPoints> catchPoints_;
  std::function<std::string(const RoutePoint&, const SideCatch&)> catchName_;
  const std::function<bool(StakeRow&&)>& sink_;
  std::optional<DesignHeights> heights_;
  std::function<std::string(const RoutePoint&)> edgeName_;
  std::optional<StationOf> pending_;
  std::vector<RoutePoint> edgePoints_;
  std::size_t interval_ = 0;
  SectionStation section_;
  long long rows_ = 0;
  long long outsideProfile_ = 0;
};

std::optional<StakeoutStop> RangeRows(const Route& route, const StakeoutRequest& request,
                                      RowSink& rows) {
  const StakeoutRange& range = *request.range;
  RouteTableRequest table;
  table.from = range.from;
  table.to = range.to;
  table.step = range.step;
  table.offsets = request.offsets;
  table.skewDms = request.skewDms;
  table.keyPoints = range.keyPoints;
  table.curveStep = range.curveStep;
  table.positionTolerance = range.positionTolerance;
  table.fromPass = range.fromPass;
  table.toPass = range.toPass;
  std::optional<RangePointNames> names;
  // A catch point's name starts from its station's, made apart from the
  // other stations' as a row's is.
  std::optional<RangePointNames> stationNames;
  if (!request.serialNames) {
    names.emplace(route, request.prefix);
    stationNames.emplace(route, request.prefix);
  }
  const auto name = [&](const RoutePoint& point) {
    return names ? names->Name(point) : std::to_string(rows.rows() + 1);
  };
  // Both sides of a station start from one name.
  std::optional<std::pair<std::pair<double, int>, std::string>> station;
  rows.NameEdgesBy(name, [&](const RoutePoint& at, const SideCatch& side) {
    if (!stationNames) return std::to_string(rows.rows() + 1);
    const std::pair<double, int> key{at.station, at.element};
    if (!station || station->first != key) station.emplace(key, stationNames->Name(at.station));
    return CatchPointName(station->second, side);
  });
  std::optional<StakeoutStop> stop;
  const auto refusal = ForEachRouteTableRow(route, table, [&](RoutePoint&& point) {
    if (!IsFinitePoint(point)) {
      stop = Stopped(Stop::NotComputable);
      return false;
    }
    if (rows.Next(point) && rows.Add(name(point), std::move(point))) return true;
    stop = Stopped(Stop::Ended);
    return false;
  });
  if (refusal) return Stopped(Stop::Refused, refusal->message);
  // The edges of the last station are named among the rows' names.
  if (!stop && !rows.Finish()) return Stopped(Stop::Ended);
  return stop;
}

// The rows of a stations list a line at a time, and the name each line's
// 边桩 take.
class StationRows {
 public:
  StationRows(const Route& route, const StakeoutRequest& request, RowSink& rows)
      : route_(route), request_(request), rows_(rows) {
    // The edges are named by their line (or station) and side among the
    // names the list's rows take: a list's name, or a station's with its
    // side, may read as an edge's.
    rows_.NameEdgesBy(
        [this](const RoutePoint& point) { return names_.Take(edgeName_ + SideText(point.offset)); },
        [this](const RoutePoint&, const SideCatch& side) {
          return names_.Take(CatchPointName(edgeName_, side));
        });
  }

  std::optional<StakeoutStop> Add(const StakeStation& line) {
    const std::span<const double> offsets = line.offset ? std::span<const double>(&*line.offset, 1)
                                                        : std::span<const double>(request_.offsets);
    const std::string name =
        line.name.empty() ? StationPointName(line.station, request_.prefix) : line.name;
    for (double offset : offsets) {
      const std::string sided = offsets.size() > 1 ? name + SideText(offset) : name;
      auto points =
          RouteForward(route_, line.station, offset, line.skewDms.value_or(request_.skewDms));
      if (const auto* refusal = std::get_if<StationRefusal>(&points))
        return Stopped(Stop::Refused, refusal->message, line.line);
      // A station that a 长链 repeats is on the branch of its pass.
      std::vector<RoutePoint>& held = std::get<std::vector<RoutePoint>>(points);
      if (line.pass > static_cast<int>(held.size()))
        return Stopped(Stop::Refused,
                       "里程“" + GeneralText(line.station) + "_" + std::to_string(line.pass) +
                           "”不存在：线路只经过该桩号" + std::to_string(held.size()) + "次！",
                       line.line);
      RoutePoint& point = held[static_cast<size_t>(line.pass - 1)];
      if (!IsFinitePoint(point)) return Stopped(Stop::NotComputable);
      const std::pair<double, int> at{point.station, point.element};
      if (station_ != at)
        stationEdgeName_ = name;
      else if (stationEdgeName_ != name)
        stationEdgeName_ = StationPointName(point.station, request_.prefix);
      station_ = at;
      // The row's name is taken before the edges of the station before.
      std::string rowName = names_.Take(sided);
      if (!rows_.Next(point)) return Stopped(Stop::Ended);
      edgeName_ = stationEdgeName_;
      if (!rows_.Add(std::move(rowName), std::move(point))) return Stopped(Stop::Ended);
    }
    return std::nullopt;
  }

 private:
  const Route& route_;
  const StakeoutRequest& request_;
  RowSink& rows_;
  UniquePointNames names_;
  // The station whose rows came last, and the name its edges take.
  std::optional<std::pair<double, int>> station_;
  std::string stationEdgeName_;
  // The name the edges written next take: their station's.
  std::string edgeName_;
};

}  // namespace

StakeoutOutcome BuildStakeout(const Route& route, const StakeoutRequest& request,
                              const std::function<bool(StakeRow&&)>& row) {
  RowSink rows(route, request, row);
  StakeoutOutcome outcome;
  if (request.range) {
    outcome.stop = RangeRows(route, request, rows);
  } else if (request.stations) {
    StationRows lines(route, request, rows);
    const bool read = request.stations([&](const StakeStation& line) {
      if (!outcome.stop) outcome.stop = lines.Add(line);
      return !outcome.stop;
    });
    if (!outcome.stop && (!read || !rows.Finish())) outcome.stop = Stopped(Stop::Ended);
  }
  outcome.outsideProfile = rows.outsideProfile();
  return outcome;
}

}  // namespace tarnvel
