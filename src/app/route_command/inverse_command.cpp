#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "io/files/delimited_file.h"
#include "io/route/inverse_heights.h"
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
  const std::optional<SurveyedGround>& ground = std::get<std::optional<SurveyedGround>>(readGround);
  auto readSlopes = CommandSlopes(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSlopes))
    return PointsRefusalFirst(points, *refusal);
  const std::optional<SideSlopes>& slopes = std::get<std::optional<SideSlopes>>(readSlopes);
  // A foot this close past an end of the profile is at that end.
  std::optional<InverseHeights> heights;
  if (profile)
    heights.emplace(std::get<Route>(route), *profile, sections ? &*sections : nullptr,
                    ground ? Ground(*ground) : Ground(), slopes ? &*slopes : nullptr,
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
      // 设计高程 at the foot, and beyond the road's edge on the side slope.
      if (heights) heights->Fill(row, point.height);
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
