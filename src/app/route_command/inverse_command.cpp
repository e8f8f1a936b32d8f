#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "core/section/design_height.h"
#include "core/slopes/slope_point.h"
#include "io/files/delimited_file.h"
#include "io/route/point_file.h"
#include "io/route/route_csv.h"

namespace tarnvel {

namespace {

// The points file's own refusal comes before a profile's or the cross
// sections', as it did when the file was read whole before them: the file is
// read to its end for one.
ArgumentRefusal PointsRefusalFirst(DelimitedFile& points, const ArgumentRefusal& other) {
  if (const auto refusal = ForEachFilePoint(points, [](SurveyPoint&&) {}))
    return ArgumentRefusal{refusal->message};
  return other;
}

}  // namespace

CommandOutcome RunInverse(const InverseOptions& line, CommandOutput& output) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route))
    return ArgumentRefusal{refusal->message};
  // Read, computed and written a point at a time: a million points held
  // whole took 300 MB.
  auto opened = DelimitedFile::Open(line.points);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened))
    return ArgumentRefusal{refusal->message};
  DelimitedFile& points = *std::get<std::unique_ptr<DelimitedFile>>(opened);
  auto read = CommandProfile(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read))
    return PointsRefusalFirst(points, *refusal);
  std::optional<VerticalProfile>& profile = std::get<std::optional<VerticalProfile>>(read);
  auto readSections = CommandSections(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSections))
    return PointsRefusalFirst(points, *refusal);
  std::optional<CrossSectionTable>& sections =
      std::get<std::optional<CrossSectionTable>>(readSections);
  const RoutePositions positions(std::get<Route>(route));
  auto readGround = CommandGround(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readGround))
    return PointsRefusalFirst(points, *refusal);
  const std::optional<GroundLines>& ground = std::get<std::optional<GroundLines>>(readGround);
  auto readSlopes = CommandSlopes(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSlopes))
    return PointsRefusalFirst(points, *refusal);
  const std::optional<SideSlopes>& slopes = std::get<std::optional<SideSlopes>>(readSlopes);
  std::size_t profileLine = 0;
  // A foot this close past an end of the profile is at that end.
  std::optional<DesignHeights> heights;
  if (profile)
    heights.emplace(*profile, sections ? &*sections : nullptr,
                    line.tolerances.position_mm / 1000);  // mm to m
  std::string text =
      InverseCsvHeader(profile.has_value(), sections.has_value(), slopes.has_value());
  // Once the output has failed the rest of the file is still read: a line
  // that does not read is the refusal, as it was when the file was read
  // whole before any row.
  bool failed = false;
  const auto refusal = ForEachFilePoint(points, [&](SurveyPoint&& point) {
    if (failed) return;
    const std::vector<RouteFoot> feet =
        RouteFeet(std::get<Route>(route), point.point, line.maxOffset,
                  line.tolerances.position_mm / 1000);  // mm to m
    for (InverseCsvRow& row : InverseRows(point.name.toStdString(), point.xText.toStdString(),
                                          point.yText.toStdString(), feet, line.all)) {
      // 设计高程 at the foot (with sections, the surface's at the point's own
      // offset), 高差 and 挖填 against the point's H; a point beyond the road
      // has none, and 说明 says so.
      if (heights) {
        DesignHeight at;
        if (row.foot) at = heights->At(row.foot->station, row.foot->offset);
        row.height = point.height;
        row.designElevation = at.elevation;
        row.beyondRoad = at.beyondRoad;
        // Beyond the road's edge a point lies on the side slope.
        if (slopes && at.beyondRoad) {
          const double tolerance = line.tolerances.position_mm / 1000;  // mm to m
          const double station = row.foot->station;
          const double position = positions.At(row.foot->element - 1, station);
          std::optional<std::vector<GroundPoint>> groundHere;
          if (ground) groundHere = GroundAt(*ground, position);
          const SlopePoint onSlope =
              SlopePointAt(heights->Section(station),
                           ProfileAt(*profile, station, profileLine, tolerance)->elevation,
                           groundHere ? &*groundHere : nullptr, *slopes, position, row.foot->offset,
                           point.height);
          row.designElevation = onSlope.designElevation;
          row.beyondRoad = false;
          row.toCatchPoint = onSlope.toCatchPoint;
          row.slopeNote = onSlope.note;
        }
      }
      AppendInverseCsvRow(text, row, line.prefix, profile.has_value(), sections.has_value(),
                          slopes.has_value());
    }
    // A point's rows go out together, as they are found.
    failed = !output.Add(text);
    text.clear();
  });
  if (refusal) return ArgumentRefusal{refusal->message};
  if (failed || !output.Add(text)) return ArgumentRefusal{output.failure()};
  return CommandResult{};
}

}  // namespace tarnvel
