#include "station_rows.h"

#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "delimited_text.h"
#include "number_text.h"
#include "point_names.h"
#include "route_forward.h"

namespace tarnvel {

bool IsFinitePoint(const RoutePoint& p) {
  return std::isfinite(p.result.point.X) && std::isfinite(p.result.point.Y) &&
         std::isfinite(p.result.azimuth);
}

StationFileRows::StationFileRows(const Route& route, const std::vector<double>& offsets,
                                 double skewDms, std::string_view prefix, UniquePointNames& names)
    : route_(route), offsets_(offsets), skewDms_(skewDms), prefix_(prefix), names_(names) {}

std::optional<StationRowsStop> StationFileRows::Add(const StationLine& line, const Row& row) {
  const std::span<const double> offsets =
      line.offset ? std::span<const double>(&*line.offset, 1) : std::span<const double>(offsets_);
  const std::string name =
      line.name.isEmpty() ? StationPointName(line.station, prefix_) : line.name.toStdString();
  for (double offset : offsets) {
    const std::string sided = offsets.size() > 1 ? name + SideText(offset) : name;
    auto points = RouteForward(route_, line.station, offset, line.skewDms.value_or(skewDms_));
    if (const auto* refusal = std::get_if<StationRefusal>(&points))
      return LineRefusal(line.line, QString::fromStdString(refusal->message));
    // A station that a 长链 repeats is on the branch of its pass.
    std::vector<RoutePoint>& held = std::get<std::vector<RoutePoint>>(points);
    if (line.pass > static_cast<int>(held.size()))
      return LineRefusal(line.line, QStringLiteral("里程“%1_%2”不存在：线路只经过该桩号%3次！")
                                        .arg(QString::fromStdString(GeneralText(line.station)))
                                        .arg(line.pass)
                                        .arg(held.size()));
    RoutePoint& point = held[static_cast<size_t>(line.pass - 1)];
    if (!IsFinitePoint(point)) return kRouteNotComputable;
    const std::pair<double, int> at{point.station, point.element};
    if (station_ != at)
      edgeName_ = name;
    else if (edgeName_ != name)
      edgeName_ = StationPointName(point.station, prefix_);
    station_ = at;
    if (!row({names_.Take(sided), std::move(point)}, edgeName_)) return QString();
  }
  return std::nullopt;
}

std::optional<StationRowsStop> ForEachStationFileRow(
    const Route& route, const std::vector<StationLine>& lines, const std::vector<double>& offsets,
    double skewDms, const std::function<bool(ForwardCsvRow&&, const std::string& edgeName)>& row,
    const std::function<bool(size_t)>& keepGoing, std::string_view prefix,
    UniquePointNames* given) {
  UniquePointNames own;
  StationFileRows rows(route, offsets, skewDms, prefix, given ? *given : own);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (keepGoing && !keepGoing(i)) return QString();
    if (auto stop = rows.Add(lines[i], row)) return stop;
  }
  return std::nullopt;
}

QString StopMessage(const QString& path, const StationRowsStop& stop) {
  if (const auto* refusal = std::get_if<ContentRefusal>(&stop))
    return InFile(path, *refusal).message;
  return std::get<QString>(stop);
}

std::optional<QString> StopMessage(const QString& path,
                                   const std::optional<StationRowsStop>& stop) {
  if (!stop) return std::nullopt;
  return StopMessage(path, *stop);
}

}  // namespace tarnvel
