#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/route_command/command_options.h"
#include "core/profile/profile_range.h"
#include "core/profile/vertical_curve_table_text.h"
#include "core/route/point_names.h"
#include "core/text/number_text.h"
#include "core/text/table_line.h"
#include "io/files/delimited_text.h"
#include "io/profile/profile_source.h"
#include "io/route/station_file.h"

namespace tarnvel {

namespace {

// A range of more stations than this is refused before its first row, as
// the stakeout's is.
constexpr long long kMaxRangeStations = 10'000'000;

// The 竖曲线表: tab-separated for the terminal, CSV for the -o file.
std::optional<ArgumentRefusal> CurveTable(const VerticalProfile& profile,
                                          const ProfileOptions& line, CommandOutput& output) {
  const char separator = line.output ? ',' : '\t';
  const std::vector<std::string> header(kVerticalCurveColumns.begin(), kVerticalCurveColumns.end());
  output.Add(TableLine(header, separator));
  for (const VerticalCurveRow& row : VerticalCurveRows(profile)) {
    const std::array<std::string, 14> cells = VerticalCurveRowTexts(row);
    if (!output.Add(TableLine(cells, separator))) return ArgumentRefusal{output.failure()};
  }
  return std::nullopt;
}

// Writes the elevation rows, one for each station it is handed.
class ElevationRows {
 public:
  ElevationRows(const VerticalProfile& profile, const ProfileOptions& line, CommandOutput& output)
      : profile_(profile), prefix_(line.prefix), notes_(line.keyPoints), output_(output) {
    if (line.range) rangeNames_.emplace(line.prefix);
    std::vector<std::string> header{"点名", "里程", "设计高程", "坡度"};
    if (notes_) header.emplace_back("说明");
    output_.Add(TableLine(header, ','));
  }

  // An empty name is the station's own.
  bool Write(std::string name, double station, std::string note = {}) {
    const std::optional<ProfilePoint> at = ProfileAt(profile_, station);
    if (!at) {
      refusal_ =
          ArgumentRefusal{QString::fromStdString(StationOutsideProfile(profile_, station).message)};
      return false;
    }
    std::vector<std::string> cells{Unique(std::move(name), station), FixedText(station, 3),
                                   FixedText(at->elevation, 3), GradePercentText(at->grade)};
    if (notes_) cells.push_back(std::move(note));
    if (output_.Add(TableLine(cells, ','))) return true;
    refusal_ = ArgumentRefusal{output_.failure()};
    return false;
  }
  const std::optional<ArgumentRefusal>& refusal() const { return refusal_; }

 private:
  // A range's rows are named by station as they come, holding only the
  // names near the last one; a stations file's names are held whole, as
  // its lines are.
  std::string Unique(std::string name, double station) {
    if (rangeNames_) return rangeNames_->Name(station);
    return names_.Take(name.empty() ? StationPointName(station, prefix_) : std::move(name));
  }

  const VerticalProfile& profile_;
  std::string_view prefix_;
  bool notes_;
  CommandOutput& output_;
  UniquePointNames names_;
  std::optional<RangePointNames> rangeNames_;
  std::optional<ArgumentRefusal> refusal_;
};

std::optional<ArgumentRefusal> RangeElevations(const VerticalProfile& profile,
                                               const ProfileOptions& line, CommandOutput& output) {
  const StationRange& range = *line.range;
  if (range.from > range.to)
    return ArgumentRefusal{QStringLiteral("“--from”的桩号不能大于“--to”的桩号！")};
  // Both ends are checked before the first row: a range half outside the
  // profile writes nothing.
  for (const double end : {range.from, range.to})
    if (!ProfileAt(profile, end))
      return ArgumentRefusal{QString::fromStdString(StationOutsideProfile(profile, end).message)};
  // A step so small that its multiples cannot be walked one by one is too
  // small as well.
  if ((range.to - range.from) / range.step > static_cast<double>(kMaxRangeStations) ||
      !std::isfinite(ProfileRangeStationCount(range.from, range.to, range.step)))
    return ArgumentRefusal{
        QStringLiteral("里程范围超过%1个桩号，请增大“--step”或分段计算！").arg(kMaxRangeStations)};
  ElevationRows rows(profile, line, output);
  ForEachProfileRangeStation(
      profile, range.from, range.to, range.step, line.keyPoints,
      [&](ProfileStation&& point) { return rows.Write({}, point.station, std::move(point.note)); });
  return rows.refusal();
}

std::optional<ArgumentRefusal> FileElevations(const VerticalProfile& profile,
                                              const ProfileOptions& line, CommandOutput& output) {
  auto read = ReadStationFile(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  const auto& stations = std::get<std::vector<StationLine>>(read);
  // A profile runs along one line of stations: no pass of a 长链 to name.
  if (auto refusal = LaterPassRefusal(stations, QStringLiteral("纵断面")))
    return ArgumentRefusal{InFile(*line.stations, *refusal).message};
  for (const StationLine& station : stations)
    if (!ProfileAt(profile, station.station))
      return ArgumentRefusal{
          QString::fromStdString(StationOutsideProfile(profile, station.station).message)};
  ElevationRows rows(profile, line, output);
  for (const StationLine& station : stations)
    if (!rows.Write(station.name.toStdString(), station.station)) break;
  return rows.refusal();
}

}  // namespace

CommandOutcome RunProfile(const ProfileOptions& line, CommandOutput& output) {
  FileOutcome<VerticalProfile> read = LoadProfile(*line.profile, line.profileAlignment);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  const VerticalProfile& profile = std::get<VerticalProfile>(read);
  std::optional<ArgumentRefusal> refusal;
  if (line.range) {
    refusal = RangeElevations(profile, line, output);
  } else if (line.stations) {
    refusal = FileElevations(profile, line, output);
  } else {
    refusal = CurveTable(profile, line, output);
  }
  if (refusal) return *refusal;
  return CommandResult{};
}

}  // namespace tarnvel
