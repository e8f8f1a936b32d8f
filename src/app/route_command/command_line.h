// What the user asked tarnvel-route for, read from its arguments: one of the
// commands of RouteCommands() with its files and options, the help, or the
// version.
#pragma once

#include <QString>
#include <QStringList>
#include <variant>

#include "app/route_command/command_outcome.h"
#include "app/route_command/command_table.h"

namespace tarnvel {

// A text to print to standard output, then stop: the help or the version.
struct InformationText {
  QString text;
};

// The arguments without the program's name. Every value is read strictly,
// a station in metres or as K text;
// an option given to a command it does not serve is refused, so that a
// mistyped command line never quietly computes something else.
std::variant<ArgumentRefusal, InformationText, ReadyCommand> ParseRouteCommandLine(
    const QStringList& arguments);

}  // namespace tarnvel
