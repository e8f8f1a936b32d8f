#include "command_outcome.h"
#include "command_profile.h"
#include "number_text.h"
#include "point_file.h"

namespace tarnvel {

namespace {

// 设计高程 at the foot's station, 高差 = H − 设计高程 and 挖填 as the row's
// last fields: 挖 above the design, 填 below, nothing where the difference
// shows as 0.000. A point without H gets its 设计高程 alone; a row without a
// foot, or with its foot outside the profile, gets none of the three.
void AppendCutFill(std::string& text, const VerticalProfile& profile, const InverseCsvRow& row,
                   std::optional<double> height) {
  text.resize(text.size() - 2);  // the CR LF
  const std::optional<ProfilePoint> at =
      row.foot ? ProfileAt(profile, row.foot->station) : std::nullopt;
  if (!at) {
    text += ",,,\r\n";
    return;
  }
  text += ',' + FixedText(at->elevation, 3) + ',';
  if (height) {
    const std::string difference = FixedText(*height - at->elevation, 3);
    text += difference + ',';
    if (difference != "0.000") text += difference.front() == '-' ? "填" : "挖";
  } else {
    text += ',';
  }
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
  std::string text =
      std::string(kInverseCsvHeader) + (profile ? ",设计高程,高差,挖填" : "") + "\r\n";
  for (const SurveyPoint& point : std::get<std::vector<SurveyPoint>>(points)) {
    const std::vector<RouteFoot> feet =
        RouteFeet(std::get<Route>(route), point.point, line.maxOffset);
    for (const InverseCsvRow& row : InverseRows(point.name.toStdString(), point.xText.toStdString(),
                                                point.yText.toStdString(), feet, line.all)) {
      AppendInverseCsvRow(text, row, line.prefix);
      if (profile) AppendCutFill(text, *profile, row, point.height);
    }
    // A point's rows go out together, as they are found.
    if (!output.Add(text)) return ArgumentRefusal{output.failure()};
    text.clear();
  }
  if (!output.Add(text)) return ArgumentRefusal{output.failure()};
  return CommandResult{};
}

}  // namespace tarnvel
