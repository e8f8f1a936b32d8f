// The --profile, --sections, --ground and --slopes a command was given, each read once for
// every command that takes it.
#pragma once

#include <optional>
#include <variant>

#include "app/route_command/command_options.h"
#include "core/ground/ground_lines.h"
#include "core/profile/vertical_profile.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"

namespace tarnvel {

// Nothing without the option; what the file holds, or its refusal, with it.
std::variant<ArgumentRefusal, std::optional<VerticalProfile>> CommandProfile(
    const CommandFiles& line);
std::variant<ArgumentRefusal, std::optional<CrossSectionTable>> CommandSections(
    const CommandFiles& line);
// The ground and the slopes are placed along the route as they are read.
std::variant<ArgumentRefusal, std::optional<GroundLines>> CommandGround(
    const CommandFiles& line, const RoutePositions& positions);
std::variant<ArgumentRefusal, std::optional<SideSlopes>> CommandSlopes(
    const CommandFiles& line, const RoutePositions& positions);

}  // namespace tarnvel
