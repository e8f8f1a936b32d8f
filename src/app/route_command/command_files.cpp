#include "app/route_command/command_files.h"

#include "io/ground/ground_file.h"
#include "io/profile/profile_source.h"
#include "io/section/section_file.h"
#include "io/slopes/slope_file.h"

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

std::variant<ArgumentRefusal, std::optional<GroundLines>> CommandGround(
    const CommandFiles& line, const RoutePositions& positions) {
  if (!line.ground) return std::optional<GroundLines>();
  return Given(ReadGroundFile(*line.ground, positions));
}

std::variant<ArgumentRefusal, std::optional<SideSlopes>> CommandSlopes(
    const CommandFiles& line, const RoutePositions& positions) {
  if (!line.slopes) return std::optional<SideSlopes>();
  return Given(ReadSlopeFile(*line.slopes, positions));
}

}  // namespace tarnvel
