#include "command_outcome.h"
#include "command_profile.h"
#include "command_sections.h"
#include "design_height.h"
#include "number_text.h"
#include "point_file.h"

namespace tarnvel {

namespace {

// 设计高程 at the foot's station (with sections, the surface's at the
// point's own offset), 高差 = H − 设计高程 and 挖填 as the row's last fields:
// 挖 above the design, 填 below, nothing where the difference shows as
// 0.000. A point without H gets its 设计高程 alone; a row without a foot,
// or with its foot outside the profile, gets none of the three; with
// sections, a point beyond the road gets none either, and 说明 says so.
void AppendCutFill(std::string& text, DesignHeights& heights, bool notes, const InverseCsvRow& row,
                   std::optional<double> height) {
  text.resize(text.size() - 2);  // the CR LF
  const DesignHeight at =
      row.foot ? heights.At(row.foot->station, row.foot->offset) : DesignHeight{};
  if (!at.elevation) {
    text += ",,,";
    if (notes) text += ',' + std::string(at.beyondRoad ? kBeyondRoadNote : "");
    text += "\r\n";
    return;
  }
  text += ',' + FixedText(*at.elevation, 3) + ',';
  if (height) {
    const std::string difference = FixedText(*height - *at.elevation, 3);
    text += difference + ',';
    if (difference != "0.000") text += difference.front() == '-' ? "填" : "挖";
  } else {
    text += ',';
  }
  if (notes) text += ',';
  text += "\r\n";
}

}  // namespace

CommandOutcome RunInverse(const RouteCommandLine& line, CommandOutput& output) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route))
    return ArgumentRefusal{refusal->message};
  auto points = ReadPointFile(line.points);
  if (const auto* refusal = std::get_if<FileRefusal>(&points))
    return ArgumentRefusal{refusal->message};
  auto read = CommandProfile(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  std::optional<VerticalProfile>& profile = std::get<std::optional<VerticalProfile>>(read);
  auto readSections = CommandSections(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSections)) return *refusal;
  std::optional<CrossSectionTable>& sections =
      std::get<std::optional<CrossSectionTable>>(readSections);
  std::optional<DesignHeights> heights;
  if (profile) heights.emplace(*profile, sections ? &*sections : nullptr);
  std::string text = std::string(kInverseCsvHeader) + (profile ? ",设计高程,高差,挖填" : "") +
                     (sections ? ",说明" : "") + "\r\n";
  for (const SurveyPoint& point : std::get<std::vector<SurveyPoint>>(points)) {
    const std::vector<RouteFoot> feet =
        RouteFeet(std::get<Route>(route), point.point, line.maxOffset);
    for (const InverseCsvRow& row : InverseRows(point.name.toStdString(), point.xText.toStdString(),
                                                point.yText.toStdString(), feet, line.all)) {
      AppendInverseCsvRow(text, row, line.prefix);
      if (heights) AppendCutFill(text, *heights, sections.has_value(), row, point.height);
    }
    // A point's rows go out together, as they are found.
    if (!output.Add(text)) return ArgumentRefusal{output.failure()};
    text.clear();
  }
  if (!output.Add(text)) return ArgumentRefusal{output.failure()};
  return CommandResult{};
}

}  // namespace tarnvel
