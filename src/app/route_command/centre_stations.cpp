#include "app/route_command/centre_stations.h"

#include <memory>

#include "app/route_command/command_pdf.h"
#include "core/route/stakeout_stations.h"
#include "core/stakeout/stakeout_builder.h"
#include "io/files/delimited_file.h"
#include "io/route/stakeout_input.h"
#include "io/route/station_file.h"

namespace tarnvel {

namespace {

ArgumentRefusal TooManyRows() {
  return {QStringLiteral("计算结果超过%1行，请分段计算！").arg(kMaxCentreStations)};
}

std::optional<ArgumentRefusal> Ended(const StakeoutOutcome& outcome,
                                     const std::function<std::optional<ArgumentRefusal>()>& failure,
                                     const QString& stationsPath = {}) {
  if (auto refusal = failure()) return refusal;
  if (!outcome.stop) return std::nullopt;
  const QString message = StakeoutStopMessage(*outcome.stop, stationsPath);
  if (message.isEmpty()) return std::nullopt;
  return ArgumentRefusal{message};
}

}  // namespace

std::optional<ArgumentRefusal> ForEachCentreStation(
    const Route& route, const CommandFiles& line, const CentreStationsRequest& asked,
    const std::function<bool(const RoutePoint&)>& station,
    const std::function<std::optional<ArgumentRefusal>()>& failure) {
  StakeoutRequest request;
  request.positionTolerance = asked.positionTolerance;
  const auto centre = [&](StakeRow&& row) { return station(row.point); };
  if (asked.range) {
    StakeoutRange& range = request.range.emplace();
    range.from = asked.range->from;
    range.to = asked.range->to;
    range.step = asked.range->step;
    range.keyPoints = asked.keyPoints;
    range.fromPass = asked.range->fromPass;
    range.toPass = asked.range->toPass;
    range.positionTolerance = asked.positionTolerance;
    if (auto refusal = RangeRefusal(route, range))
      return ArgumentRefusal{QString::fromStdString(refusal->message)};
    const auto most = static_cast<double>(kMaxCentreStations);
    const double stations = RangeStationCount(route, range, most);
    if (stations > most) return TooManyRows();
    if (asked.pdf)
      if (auto refusal = PdfRowsRefusal(stations)) return refusal;
    return Ended(BuildStakeout(route, request, centre), failure);
  }
  auto opened = DelimitedFile::Open(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened))
    return ArgumentRefusal{refusal->message};
  DelimitedFile& file = *std::get<std::unique_ptr<DelimitedFile>>(opened);
  if (asked.pdf) {
    double count = 0;
    if (const auto refusal = ForEachFileStation(file, [&](StationLine&&) { ++count; }))
      return ArgumentRefusal{refusal->message};
    if (auto refusal = PdfRowsRefusal(count)) return refusal;
  }
  std::optional<FileRefusal> unread;
  request.stations = [&](const std::function<bool(const StakeStation&)>& take) {
    bool going = true;
    unread = ForEachFileStation(file, [&](StationLine&& read) {
      // A section is square to its station, wherever the line's own offset
      // and skew would put a stake.
      read.offset.reset();
      read.skewDms.reset();
      if (going) going = take(StakeStationOf(read));
    });
    return !unread;
  };
  const StakeoutOutcome outcome = BuildStakeout(route, request, centre);
  if (unread) return ArgumentRefusal{unread->message};
  return Ended(outcome, failure, *line.stations);
}

}  // namespace tarnvel
