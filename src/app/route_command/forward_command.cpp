#include <cmath>

#include "command_outcome.h"
#include "command_profile.h"
#include "number_text.h"
#include "point_names.h"
#include "stakeout_stations.h"
#include "station_rows.h"
#include "survey_point_file.h"

namespace tarnvel {

namespace {

// A table is written as it is computed and never held, but its rows still
// take time and disk: ten offsets at each of a range's 10,000,000 stations,
// about 10 GB of CSV.
constexpr long long kMaxTableRows = 100'000'000;

ArgumentRefusal TooManyRows() {
  return {QStringLiteral("计算结果超过%1行，请分段计算！").arg(kMaxTableRows)};
}

// Writes each row as it comes, counted against the cap; the refusal that
// ended the table, when one did.
class RowWriter {
 public:
  RowWriter(CommandOutput& output, const RouteCommandLine& line, const VerticalProfile* profile)
      : output_(output),
        prefix_(line.prefix),
        surveyPoints_(line.surveyPointFile),
        profile_(profile),
        profileEndTolerance_(line.tolerances.position_mm / 1000) {}  // mm to m

  // With a profile the row gets the centre line's design elevation at its
  // station: 设计高程 of the CSV, H of the survey point file. A station
  // outside the profile has none: the route may run on past the profile's
  // ends.
  bool Write(ForwardCsvRow& row) {
    if (++rows_ > kMaxTableRows) {
      refusal_ = TooManyRows();
      return false;
    }
    text_.clear();
    if (profile_) SetDesignElevation(row, *profile_, profileLine_, profileEndTolerance_);
    if (surveyPoints_) {
      AppendSurveyPointLine(text_, row);
    } else {
      AppendForwardCsvRow(text_, row, prefix_, profile_ != nullptr);
    }
    if (output_.Add(text_)) return true;
    refusal_ = {output_.failure()};
    return false;
  }
  long long rows() const { return rows_; }
  const std::optional<ArgumentRefusal>& refusal() const { return refusal_; }

 private:
  CommandOutput& output_;
  std::string_view prefix_;
  bool surveyPoints_;
  const VerticalProfile* profile_;
  double profileEndTolerance_;
  std::size_t profileLine_ = 0;  // the grade line of the last row's station
  std::string text_;
  long long rows_ = 0;
  std::optional<ArgumentRefusal> refusal_;
};

// The rows of a range, named by station and side, or by their row number.
std::optional<ArgumentRefusal> RangeRows(const Route& route, const RouteCommandLine& line,
                                         RowWriter& writer) {
  RouteTableRequest request;
  request.from = line.range->from;
  request.to = line.range->to;
  request.step = line.range->step;
  request.offsets = line.offsets;
  request.skewDms = line.skewDms;
  request.keyPoints = line.keyPoints;
  request.curveStep = line.range->curveStep;
  // A --to typed to the millimetre may lie a hair past the route's end.
  request.endTolerance = line.tolerances.position_mm / 1000;  // mm to m
  // Refused before the first row when the stations alone would pass the cap.
  const double stations = RangeStationCount(route, RangeOf(request));
  if (std::isfinite(stations) &&
      stations * static_cast<double>(request.offsets.size()) > kMaxTableRows)
    return TooManyRows();
  std::optional<ArgumentRefusal> unfinished;
  RangePointNames names(route, line.prefix);
  const auto refusal = ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
    if (!IsFinitePoint(point)) {
      unfinished = ArgumentRefusal{kRouteNotComputable};
      return false;
    }
    std::string name = line.serialNames ? std::to_string(writer.rows() + 1) : names.Name(point);
    ForwardCsvRow row{std::move(name), std::move(point)};
    return writer.Write(row);
  });
  if (refusal) return ArgumentRefusal{QString::fromStdString(refusal->message)};
  if (unfinished) return unfinished;
  return writer.refusal();
}

// The rows of a stations file; a station the route does not hold refuses the
// whole command.
std::optional<ArgumentRefusal> StationRows(const Route& route, const RouteCommandLine& line,
                                           RowWriter& writer) {
  auto stations = ReadStationFile(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&stations))
    return ArgumentRefusal{refusal->message};
  const auto& lines = std::get<std::vector<StationLine>>(stations);
  if (static_cast<long long>(lines.size()) > kMaxTableRows) return TooManyRows();
  const auto refusal = StopMessage(
      *line.stations, ForEachStationFileRow(
                          route, lines, line.offsets, line.skewDms,
                          [&](ForwardCsvRow&& row) { return writer.Write(row); }, {}, line.prefix));
  if (refusal && !refusal->isEmpty()) return ArgumentRefusal{*refusal};
  return writer.refusal();
}

}  // namespace

CommandOutcome RunForward(const RouteCommandLine& line, CommandOutput& output) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route))
    return ArgumentRefusal{refusal->message};
  auto read = CommandProfile(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  std::optional<VerticalProfile>& profile = std::get<std::optional<VerticalProfile>>(read);
  RowWriter writer(output, line, profile ? &*profile : nullptr);
  // The header waits in the output's chunk: a refusal before the first rows
  // writes nothing.
  if (!line.surveyPointFile) output.Add(ForwardCsvHeader(profile.has_value()));
  const auto refusal = line.range ? RangeRows(std::get<Route>(route), line, writer)
                                  : StationRows(std::get<Route>(route), line, writer);
  if (refusal) return *refusal;
  return CommandResult{};
}

}  // namespace tarnvel
