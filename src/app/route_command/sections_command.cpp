#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/route_command/command_options.h"
#include "core/profile/profile_range.h"
#include "core/route/point_names.h"
#include "core/section/cross_section.h"
#include "core/text/number_text.h"
#include "core/text/table_line.h"
#include "io/route/station_file.h"
#include "io/section/section_file.h"

namespace tarnvel {

namespace {

// A range of more stations than this is refused before its first row, as
// the profile's is.
constexpr long long kMaxRangeStations = 10'000'000;

// Writes a row of widths and slopes for each station it is handed, in the
// columns of the sections file.
class SectionRows {
 public:
  SectionRows(const CrossSectionTable& table, const SectionsOptions& line, CommandOutput& output)
      : table_(table), prefix_(line.prefix), output_(output) {
    if (line.range) rangeNames_.emplace(line.prefix);
    std::vector<std::string> header{"点名", "里程"};
    for (const bool left : {true, false})
      for (const std::string& part : left ? table_.leftParts : table_.rightParts) {
        const std::string side = left ? "左" : "右";
        header.push_back(side + part + "宽");
        header.push_back(side + part + "坡");
      }
    if (table_.hasDesignOffset) header.emplace_back("设计线偏距");
    output_.Add(TableLine(header, ','));
  }

  // An empty name is the station's own.
  bool Write(std::string name, double station) {
    SectionAt(table_, station, interval_, section_);
    cells_.assign({Unique(std::move(name), station), FixedText(station, 3)});
    for (const auto* parts : {&section_.left, &section_.right})
      for (const SectionPart& part : *parts) {
        cells_.push_back(FixedText(part.width, 3));
        cells_.push_back(FixedText(part.slope, 3));
      }
    if (table_.hasDesignOffset) cells_.push_back(FixedText(section_.designOffset, 3));
    if (output_.Add(TableLine(cells_, ','))) return true;
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

  const CrossSectionTable& table_;
  std::string_view prefix_;
  CommandOutput& output_;
  UniquePointNames names_;
  std::optional<RangePointNames> rangeNames_;
  std::size_t interval_ = 0;
  SectionStation section_;
  std::vector<std::string> cells_;
  std::optional<ArgumentRefusal> refusal_;
};

std::optional<ArgumentRefusal> RangeSections(const CrossSectionTable& table,
                                             const SectionsOptions& line, CommandOutput& output) {
  const StationRange& range = *line.range;
  if (range.from > range.to)
    return ArgumentRefusal{QStringLiteral("“--from”的桩号不能大于“--to”的桩号！")};
  // A step so small that its multiples cannot be walked one by one is too
  // small as well.
  if ((range.to - range.from) / range.step > static_cast<double>(kMaxRangeStations) ||
      !std::isfinite(ProfileRangeStationCount(range.from, range.to, range.step)))
    return ArgumentRefusal{
        QStringLiteral("里程范围超过%1个桩号，请增大“--step”或分段计算！").arg(kMaxRangeStations)};
  SectionRows rows(table, line, output);
  // The range's stations are the profile command's, without its key points:
  // no profile is walked.
  ForEachProfileRangeStation(VerticalProfile{}, range.from, range.to, range.step, false,
                             [&](ProfileStation&& point) { return rows.Write({}, point.station); });
  return rows.refusal();
}

std::optional<ArgumentRefusal> FileSections(const CrossSectionTable& table,
                                            const SectionsOptions& line, CommandOutput& output) {
  auto read = ReadStationFile(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  const auto& stations = std::get<std::vector<StationLine>>(read);
  // The cross sections run along one line of stations, as the profile does.
  if (auto refusal = LaterPassRefusal(stations, QStringLiteral("横断面")))
    return ArgumentRefusal{InFile(*line.stations, *refusal).message};
  SectionRows rows(table, line, output);
  for (const StationLine& station : stations)
    if (!rows.Write(station.name.toStdString(), station.station)) break;
  return rows.refusal();
}

}  // namespace

CommandOutcome RunSections(const SectionsOptions& line, CommandOutput& output) {
  FileOutcome<CrossSectionTable> read = ReadSectionFile(*line.sections);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  const CrossSectionTable& table = std::get<CrossSectionTable>(read);
  const std::optional<ArgumentRefusal> refusal =
      line.range ? RangeSections(table, line, output) : FileSections(table, line, output);
  if (refusal) return *refusal;
  return CommandResult{};
}

}  // namespace tarnvel
