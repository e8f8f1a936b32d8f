#include "command_sections.h"

#include "section_file.h"

namespace tarnvel {

std::variant<ArgumentRefusal, std::optional<CrossSectionTable>> CommandSections(
    const RouteCommandLine& line) {
  if (!line.sections) return std::optional<CrossSectionTable>();
  FileOutcome<CrossSectionTable> read = ReadSectionFile(*line.sections);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  return std::optional<CrossSectionTable>(std::get<CrossSectionTable>(std::move(read)));
}

}  // namespace tarnvel
