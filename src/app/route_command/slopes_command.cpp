#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "app/route_command/command_pdf.h"
#include "core/route/point_names.h"
#include "core/route/stakeout_stations.h"
#include "core/slopes/catch_point.h"
#include "core/stakeout/stakeout_builder.h"
#include "io/files/delimited_file.h"
#include "io/route/stakeout_input.h"
#include "io/route/station_file.h"
#include "io/route/survey_point_file.h"
#include "io/slopes/slope_csv.h"

namespace tarnvel {

namespace {

// As forward's: a table is written as it is computed, and capped.
constexpr long long kMaxTableRows = 100'000'000;

ArgumentRefusal TooManyRows() {
  return {QStringLiteral("计算结果超过%1行，请分段计算！").arg(kMaxTableRows)};
}

// What every station's rows are computed from.
struct SlopeInputs {
  const Route& route;
  const VerticalProfile& profile;
  const CrossSectionTable& sections;
  Ground ground;
  const SideSlopes& slopes;
};

// Computes each station's two sides and writes their rows as they come.
class SlopeRows {
 public:
  SlopeRows(const SlopesOptions& line, const SlopeInputs& in, CommandOutput& output)
      : line_(line), in_(in), positions_(in.route), output_(output) {}

  // The rows of the station of `point` (its centre-line row), named from
  // `base` among `names`.
  bool Write(const RoutePoint& point, const std::string& base, UniquePointNames& names) {
    const auto element = static_cast<std::size_t>(point.element - 1);
    const bool prepared = in_.route.prepared.size() == in_.route.loaded.size();
    const ForwardResult frame = FrameAt(
        prepared ? in_.route.prepared[element] : Prepare(in_.route.loaded[element]), point.station);
    // A station this close past an end of the profile is at that end.
    const std::optional<ProfilePoint> design =
        ProfileAt(in_.profile, point.station, profileLine_, line_.tolerances.position_mm / 1000);
    SectionAt(in_.sections, point.station, sectionInterval_, section_);
    const double position = positions_.At(point.element - 1, point.station);
    const std::vector<GroundPoint> ground = GroundAcross(in_.ground, position);
    for (const bool left : {true, false}) {
      const SideCatch side =
          CatchPointAt(section_, design ? std::optional<double>(design->elevation) : std::nullopt,
                       ground, in_.slopes, position, left);
      if (line_.breaks)
        for (const SlopeBreak& slopeBreak : side.breaks)
          if (!WriteRow({names.Take(base + SideText(slopeBreak.offset)), point.station, &side,
                         &slopeBreak, PointOff(frame, slopeBreak.offset, 90).point}))
            return false;
      std::optional<Point> at;
      if (side.catchPoint) at = PointOff(frame, side.catchPoint->offset, 90).point;
      if (!WriteRow({names.Take(CatchPointName(base, side)), point.station, &side, nullptr, at}))
        return false;
    }
    return true;
  }

  void KeepLines(std::vector<std::string>* lines) { lines_ = lines; }
  const std::optional<ArgumentRefusal>& refusal() const { return refusal_; }

 private:
  bool WriteRow(const SlopeCsvRow& row) {
    if (++rows_ > kMaxTableRows) {
      refusal_ = TooManyRows();
      return false;
    }
    text_.clear();
    AppendSlopeCsvRow(text_, row, line_.prefix);
    if (lines_) lines_->push_back(text_.substr(0, text_.size() - 2));
    if (line_.surveyPointFile) {
      text_.clear();
      // Only a point that is there goes into the instrument.
      if (!row.point) return true;
      StakeRow point{row.name, {}};
      point.point.result.point = *row.point;
      point.point.label = SlopeRowNote(row);
      point.designElevation =
          row.slopeBreak ? row.slopeBreak->elevation : row.side->catchPoint->elevation;
      AppendSurveyPointLine(text_, point);
    }
    if (output_.Add(text_)) return true;
    refusal_ = {output_.failure()};
    return false;
  }

  const SlopesOptions& line_;
  const SlopeInputs& in_;
  RoutePositions positions_;
  CommandOutput& output_;
  std::size_t profileLine_ = 0;
  std::size_t sectionInterval_ = 0;
  SectionStation section_;
  std::string text_;
  std::vector<std::string>* lines_ = nullptr;
  long long rows_ = 0;
  std::optional<ArgumentRefusal> refusal_;
};

// The stakeout builder's centre-line row of each station, its name the
// base of the station's slope rows: a range's by station, a stations file's
// by its line's 点名 (or its station).
StakeoutRequest CentreLineRequest(const SlopesOptions& line) {
  StakeoutRequest request;
  request.prefix = line.prefix;
  request.positionTolerance = line.tolerances.position_mm / 1000;  // mm to m
  return request;
}

std::optional<ArgumentRefusal> Ended(const StakeoutOutcome& outcome, const SlopeRows& rows,
                                     const QString& stationsPath = {}) {
  if (rows.refusal()) return rows.refusal();
  if (!outcome.stop) return std::nullopt;
  const QString message = StakeoutStopMessage(*outcome.stop, stationsPath);
  if (message.isEmpty()) return std::nullopt;
  return ArgumentRefusal{message};
}

std::optional<ArgumentRefusal> RangeRows(const SlopesOptions& line, const Route& route,
                                         SlopeRows& rows) {
  StakeoutRequest request = CentreLineRequest(line);
  StakeoutRange& range = request.range.emplace();
  range.from = line.range->from;
  range.to = line.range->to;
  range.step = line.range->step;
  range.keyPoints = line.keyPoints;
  range.fromPass = line.range->fromPass;
  range.toPass = line.range->toPass;
  range.positionTolerance = request.positionTolerance;
  if (auto refusal = RangeRefusal(route, range))
    return ArgumentRefusal{QString::fromStdString(refusal->message)};
  // Two rows a station at least, counted before the first.
  const double most = static_cast<double>(kMaxTableRows) / 2;
  const double stations = RangeStationCount(route, range, most);
  if (stations > most) return TooManyRows();
  if (line.pdf)
    if (auto refusal = PdfRowsRefusal(2 * stations)) return refusal;
  const StakeoutOutcome outcome = BuildStakeout(route, request, [&](StakeRow&& row) {
    // Each station's names apart from one another; the station's own name
    // keeps them apart from every other station's.
    UniquePointNames own;
    return rows.Write(row.point, row.name, own);
  });
  return Ended(outcome, rows);
}

std::optional<ArgumentRefusal> StationRows(const SlopesOptions& line, const Route& route,
                                           SlopeRows& rows) {
  auto opened = DelimitedFile::Open(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened))
    return ArgumentRefusal{refusal->message};
  DelimitedFile& file = *std::get<std::unique_ptr<DelimitedFile>>(opened);
  if (line.pdf) {
    double count = 0;
    if (const auto refusal = ForEachFileStation(file, [&](StationLine&&) { count += 2; }))
      return ArgumentRefusal{refusal->message};
    if (auto refusal = PdfRowsRefusal(count)) return refusal;
  }
  StakeoutRequest request = CentreLineRequest(line);
  std::optional<FileRefusal> unread;
  request.stations = [&](const std::function<bool(const StakeStation&)>& station) {
    bool going = true;
    unread = ForEachFileStation(file, [&](StationLine&& read) {
      // A catch point is square to its station, wherever the line's own
      // offset and skew would put a stake.
      read.offset.reset();
      read.skewDms.reset();
      if (going) going = station(StakeStationOf(read));
    });
    return !unread;
  };
  UniquePointNames names;
  const StakeoutOutcome outcome = BuildStakeout(
      route, request, [&](StakeRow&& row) { return rows.Write(row.point, row.name, names); });
  if (unread) return ArgumentRefusal{unread->message};
  return Ended(outcome, rows, *line.stations);
}

}  // namespace

CommandOutcome RunSlopes(const SlopesOptions& line, CommandOutput& output) {
  FileOutcome<Route> readRoute = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&readRoute))
    return ArgumentRefusal{refusal->message};
  const Route& route = std::get<Route>(readRoute);
  const RoutePositions positions(route);
  const auto read = CommandSlopeFiles(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  const SlopeFiles& files = std::get<SlopeFiles>(read);
  const SlopeInputs inputs{route, files.profile, files.sections, Ground(files.ground),
                           files.slopes};
  SlopeRows rows(line, inputs, output);
  auto lines = std::make_shared<std::vector<std::string>>();
  if (line.pdf) rows.KeepLines(lines.get());
  // The header waits in the output's chunk: a refusal before the first
  // rows writes nothing.
  if (!line.surveyPointFile) output.Add(SlopeCsvHeader());
  const auto refusal = line.range ? RangeRows(line, route, rows) : StationRows(line, route, rows);
  if (refusal) return *refusal;
  if (!line.pdf) return CommandResult{};
  if (auto tooLong = PdfRowsRefusal(static_cast<double>(lines->size()))) return *tooLong;
  return CsvTablePdf(*line.pdf, QStringLiteral("坡脚坡口表"), line.route, kSlopeCsvHeader, lines);
}

}  // namespace tarnvel
