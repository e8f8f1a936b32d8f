// The --sections a command was given, read once for forward and inverse.
#pragma once

#include <optional>
#include <variant>

#include "command_line.h"
#include "command_outcome.h"
#include "cross_section.h"

namespace tarnvel {

// Nothing without --sections; the table, or the refusal of its file, with it.
std::variant<ArgumentRefusal, std::optional<CrossSectionTable>> CommandSections(
    const RouteCommandLine& line);

}  // namespace tarnvel
