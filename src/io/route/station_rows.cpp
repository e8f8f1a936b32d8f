#include "station_rows.h"

#include <cmath>

#include "point_names.h"
#include "route_forward.h"

namespace tarnvel {

bool IsFinitePoint(const RoutePoint& p) {
  return std::isfinite(p.result.point.X) && std::isfinite(p.result.point.Y) &&
         std::isfinite(p.result.azimuth);
}

std::optional<QString> ForEachStationFileRow(const Route& route, const QString& path,
                                             const std::vector<StationLine>& lines,
                                             const std::vector<double>& offsets, double skewDms,
                                             const std::function<bool(ForwardCsvRow&&)>& row,
                                             const std::function<bool(size_t)>& keepGoing,
                                             std::string_view prefix) {
  // The lines are held whole, so their names may be too.
  UniquePointNames names;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (keepGoing && !keepGoing(i)) return QString();
    const StationLine& line = lines[i];
    const std::vector<double> own = line.offset ? std::vector<double>{*line.offset} : offsets;
    const std::string name =
        line.name.isEmpty() ? StationPointName(line.station, prefix) : line.name.toStdString();
    for (double offset : own) {
      const std::string sided = own.size() > 1 ? name + SideText(offset) : name;
      auto points = RouteForward(route, line.station, offset, line.skewDms.value_or(skewDms));
      if (const auto* refusal = std::get_if<StationRefusal>(&points))
        return QStringLiteral("文件“%1”第%2行：%3")
            .arg(FileNameForMessage(path), QString::number(line.line),
                 QString::fromStdString(refusal->message));
      for (RoutePoint& point : std::get<std::vector<RoutePoint>>(points)) {
        if (!IsFinitePoint(point)) return kRouteNotComputable;
        if (!row({names.Take(sided), std::move(point)})) return QString();
      }
    }
  }
  return std::nullopt;
}

std::variant<QString, std::vector<ForwardCsvRow>> StationFileRows(
    const Route& route, const QString& path, const std::vector<StationLine>& lines,
    const std::vector<double>& offsets, double skewDms,
    const std::function<bool(size_t)>& keepGoing, std::string_view prefix) {
  std::vector<ForwardCsvRow> rows;
  if (auto refusal = ForEachStationFileRow(
          route, path, lines, offsets, skewDms,
          [&](ForwardCsvRow&& row) {
            rows.push_back(std::move(row));
            return true;
          },
          keepGoing, prefix))
    return *refusal;
  return rows;
}

}  // namespace tarnvel
