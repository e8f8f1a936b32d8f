// The --profile, --sections, --ground (or --tin) and --slopes a command was
// given, each read once for every command that takes it.
#pragma once

#include <optional>
#include <variant>

#include "app/route_command/command_options.h"
#include "core/profile/vertical_profile.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"
#include "core/surface/ground.h"

namespace tarnvel {

// Nothing without the option; what the file holds, or its refusal, with it.
std::variant<ArgumentRefusal, std::optional<VerticalProfile>> CommandProfile(
    const CommandFiles& line);
std::variant<ArgumentRefusal, std::optional<CrossSectionTable>> CommandSections(
    const CommandFiles& line);
// The ground and the slopes are placed along the route as they are read. A
// surface's sections are cut square to the route of `positions`, which
// must outlive it; Ground views what is read; the points left out as
// duplicates are said on standard error.
std::variant<ArgumentRefusal, std::optional<SurveyedGround>> CommandGround(
    const CommandFiles& line, const RoutePositions& positions);
std::variant<ArgumentRefusal, std::optional<SideSlopes>> CommandSlopes(
    const CommandFiles& line, const RoutePositions& positions);

// What catch points and areas are computed from, none of it optional.
struct SlopeFiles {
  VerticalProfile profile;
  CrossSectionTable sections;
  SurveyedGround ground;
  SideSlopes slopes;
};

// The four read in that order, the first refusal ending it. The command
// line has made sure each was given.
std::variant<ArgumentRefusal, SlopeFiles> CommandSlopeFiles(const CommandFiles& line,
                                                            const RoutePositions& positions);

}  // namespace tarnvel
