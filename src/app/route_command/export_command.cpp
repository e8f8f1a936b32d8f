#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "io/landxml/landxml_export.h"

namespace tarnvel {

// The alignment is named as the route's source names it: a LandXML
// alignment's own name, or the table file's base name. A profile given
// goes into it; a LandXML profile is taken from the alignment --alignment
// names, as the route is.
CommandOutcome RunExport(const ExportOptions& line, CommandOutput& output) {
  FileOutcome<RouteSource> source = LoadRouteSource(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&source))
    return ArgumentRefusal{refusal->message};
  auto read = CommandProfile(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  std::optional<VerticalProfile>& profile = std::get<std::optional<VerticalProfile>>(read);
  const RouteSource& loaded = std::get<RouteSource>(source);
  // A file format of its own, written in UTF-8 as it is.
  const QByteArray bytes = LandXmlAlignmentBytes(
      loaded.route, loaded.name, QDateTime::currentDateTime(), profile ? &*profile : nullptr);
  if (!output.Add(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))))
    return ArgumentRefusal{output.failure()};
  return CommandResult{};
}

}  // namespace tarnvel
