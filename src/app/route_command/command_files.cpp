#include "app/route_command/command_files.h"

#include <cstdio>

#include "io/ground/ground_file.h"
#include "io/profile/profile_source.h"
#include "io/section/section_file.h"
#include "io/slopes/slope_file.h"
#include "io/surface/tin_file.h"

namespace tarnvel {

namespace {

template <class T>
std::variant<ArgumentRefusal, std::optional<T>> Given(FileOutcome<T> read) {
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  return std::optional<T>(std::get<T>(std::move(read)));
}

}  // namespace

std::variant<ArgumentRefusal, std::optional<VerticalProfile>> CommandProfile(
    const CommandFiles& line) {
  if (!line.profile) return std::optional<VerticalProfile>();
  return Given(LoadProfile(*line.profile, line.profileAlignment));
}

std::variant<ArgumentRefusal, std::optional<CrossSectionTable>> CommandSections(
    const CommandFiles& line) {
  if (!line.sections) return std::optional<CrossSectionTable>();
  return Given(ReadSectionFile(*line.sections));
}

std::variant<ArgumentRefusal, std::optional<SurveyedGround>> CommandGround(
    const CommandFiles& line, const RoutePositions& positions) {
  if (line.ground) {
    FileOutcome<GroundLines> read = ReadGroundFile(*line.ground, positions);
    if (const auto* refusal = std::get_if<FileRefusal>(&read))
      return ArgumentRefusal{refusal->message};
    return std::optional<SurveyedGround>(std::get<GroundLines>(std::move(read)));
  }
  if (!line.tin) return std::optional<SurveyedGround>();
  FileOutcome<TinFromPoints> read = ReadTinFile(*line.tin, line.maxEdge);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  TinFromPoints& made = std::get<TinFromPoints>(read);
  if (made.duplicates > 0)
    std::fputs(QStringLiteral("文件“%1”中有%2个点与前面的点平面距离不到1毫米，已略去。\n")
                   .arg(FileNameForMessage(*line.tin))
                   .arg(made.duplicates)
                   .toUtf8()
                   .constData(),
               stderr);
  return std::optional<SurveyedGround>(
      SurfaceGround{std::move(made.tin), positions, line.groundWidth});
}

std::variant<ArgumentRefusal, std::optional<SideSlopes>> CommandSlopes(
    const CommandFiles& line, const RoutePositions& positions) {
  if (!line.slopes) return std::optional<SideSlopes>();
  return Given(ReadSlopeFile(*line.slopes, positions));
}

}  // namespace tarnvel
