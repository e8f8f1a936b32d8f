// The --profile and --sections a command was given, each read once for
// every command that takes it.
#pragma once

#include <optional>
#include <variant>

#include "command_options.h"
#include "cross_section.h"
#include "vertical_profile.h"

namespace tarnvel {

// Nothing without the option; what the file holds, or its refusal, with it.
std::variant<ArgumentRefusal, std::optional<VerticalProfile>> CommandProfile(
    const CommandFiles& line);
std::variant<ArgumentRefusal, std::optional<CrossSectionTable>> CommandSections(
    const CommandFiles& line);

}  // namespace tarnvel
