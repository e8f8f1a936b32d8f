// What a command of tarnvel-route gives back: a refusal for standard error,
// or the text to write and the exit status.
#pragma once

#include <string>
#include <variant>

#include "command_line.h"

namespace tarnvel {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOutOfTolerance = 1;  // check found a joint 超限
inline constexpr int kExitRefused = 2;         // an input was refused

struct CommandResult {
  std::string text;  // UTF-8, CR LF line ends
  int status = kExitSuccess;
};

using CommandOutcome = std::variant<ArgumentRefusal, CommandResult>;

CommandOutcome RunCheck(const RouteCommandLine& line);
CommandOutcome RunForward(const RouteCommandLine& line);
CommandOutcome RunInverse(const RouteCommandLine& line);
// Writes the element table file to the -o file itself; its text is the curve
// table for standard output.
CommandOutcome RunFromJd(const RouteCommandLine& line);

}  // namespace tarnvel
