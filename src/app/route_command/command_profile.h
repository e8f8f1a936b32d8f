// The --profile a command was given, read once for forward, inverse and
// export alike.
#pragma once

#include <optional>
#include <variant>

#include "command_line.h"
#include "command_outcome.h"
#include "vertical_profile.h"

namespace tarnvel {

// Nothing without --profile; the profile, or the refusal of its file, with it.
std::variant<ArgumentRefusal, std::optional<VerticalProfile>> CommandProfile(
    const RouteCommandLine& line);

}  // namespace tarnvel
