#include "app/route_command/command_files.h"

#include <cstdio>
#include <utility>

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

template <class T>
std::variant<ArgumentRefusal, T> Required(std::variant<ArgumentRefusal, std::optional<T>> read) {
  if (auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  return std::move(*std::get<std::optional<T>>(read));
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

std::variant<ArgumentRefusal, SlopeFiles> CommandSlopeFiles(const CommandFiles& line,
                                                            const RoutePositions& positions) {
  auto profile = Required(CommandProfile(line));
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&profile)) return *refusal;
  auto sections = Required(CommandSections(line));
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&sections)) return *refusal;
  auto ground = Required(CommandGround(line, positions));
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&ground)) return *refusal;
  auto slopes = Required(CommandSlopes(line, positions));
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&slopes)) return *refusal;
  return SlopeFiles{std::get<VerticalProfile>(std::move(profile)),
                    std::get<CrossSectionTable>(std::move(sections)),
                    std::get<SurveyedGround>(std::move(ground)),
                    std::get<SideSlopes>(std::move(slopes))};
}

}  // namespace tarnvel
