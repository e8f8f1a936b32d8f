#include "command_profile.h"

#include "profile_source.h"

namespace tarnvel {

std::variant<ArgumentRefusal, std::optional<VerticalProfile>> CommandProfile(
    const RouteCommandLine& line) {
  if (!line.profile) return std::optional<VerticalProfile>();
  FileOutcome<VerticalProfile> read = LoadProfile(*line.profile, line.profileAlignment);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  return std::optional<VerticalProfile>(std::get<VerticalProfile>(std::move(read)));
}

}  // namespace tarnvel
