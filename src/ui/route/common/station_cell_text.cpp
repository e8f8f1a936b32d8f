#include "ui/route/common/station_cell_text.h"

#include <optional>
#include <string>

#include "core/text/station_text.h"

namespace tarnvel {

QString ReprefixedStationText(const QString& text, std::string_view from, std::string_view to) {
  const std::string utf8 = text.toStdString();
  const std::optional<double> station = ReadStationText(utf8);
  if (!station || KStationText(*station, from) != utf8) return text;
  return QString::fromStdString(KStationText(*station, to));
}

}  // namespace tarnvel
