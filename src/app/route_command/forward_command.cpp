#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "app/route_command/command_pdf.h"
#include "core/stakeout/stakeout_builder.h"
#include "io/files/delimited_file.h"
#include "io/route/stakeout_input.h"
#include "io/route/station_file.h"
#include "io/route/survey_point_file.h"

namespace tarnvel {

namespace {

// A table is written as it is computed and never held, but its rows still
// take time and disk: ten offsets at each of a range's 10,000,000 stations,
// about 10 GB of CSV.
constexpr long long kMaxTableRows = 100'000'000;

ArgumentRefusal TooManyRows() {
  return {QStringLiteral("计算结果超过%1行，请分段计算！").arg(kMaxTableRows)};
}

// Writes each row as the builder makes it, counted against the cap; the
// refusal that ended the table, when one did.
class RowWriter {
 public:
  RowWriter(CommandOutput& output, const ForwardOptions& line, bool heights)
      : output_(output),
        prefix_(line.prefix),
        surveyPoints_(line.surveyPointFile),
        heights_(heights) {}

  // With a profile the row has its design elevation: 设计高程 of the CSV,
  // H of the survey point file.
  bool Write(const StakeRow& row) {
    if (++rows_ > kMaxTableRows) {
      refusal_ = TooManyRows();
      return false;
    }
    text_.clear();
    if (lines_ && surveyPoints_) {
      lines_->emplace_back();
      AppendForwardCsvRow(lines_->back(), row, prefix_, heights_);
      lines_->back().resize(lines_->back().size() - 2);
    }
    if (surveyPoints_) {
      AppendSurveyPointLine(text_, row);
    } else {
      AppendForwardCsvRow(text_, row, prefix_, heights_);
    }
    if (lines_ && !surveyPoints_) lines_->push_back(text_.substr(0, text_.size() - 2));
    if (output_.Add(text_)) return true;
    refusal_ = {output_.failure()};
    return false;
  }

  // Keeps each row's CSV line, its CR LF dropped, for the --pdf file.
  void KeepLines(std::vector<std::string>* lines) { lines_ = lines; }

  const std::optional<ArgumentRefusal>& refusal() const { return refusal_; }

 private:
  CommandOutput& output_;
  std::string_view prefix_;
  bool surveyPoints_;
  bool heights_;
  std::string text_;
  std::vector<std::string>* lines_ = nullptr;
  long long rows_ = 0;
  std::optional<ArgumentRefusal> refusal_;
};

// The 边桩 rows each station adds, and the most catch points: one a side.
std::size_t EdgesPerStation(const StakeoutRequest& request) {
  if (!request.edges || !request.sections) return 0;
  return request.sections->leftParts.size() + request.sections->rightParts.size() +
         (request.ground && request.slopes ? 2 : 0);
}

// The table's end: the writer's refusal, or the builder's stop said as a
// message (a stations file's line named in its file).
std::optional<ArgumentRefusal> Ended(const StakeoutOutcome& outcome, const RowWriter& writer,
                                     const QString& stationsPath = {}) {
  if (writer.refusal()) return writer.refusal();
  if (!outcome.stop) return std::nullopt;
  return ArgumentRefusal{StakeoutStopMessage(*outcome.stop, stationsPath)};
}

// The rows of a range, named by station and side, or by their row number.
std::optional<ArgumentRefusal> RangeRows(const Route& route, const ForwardOptions& line,
                                         StakeoutRequest& request, RowWriter& writer) {
  StakeoutRange& range = request.range.emplace();
  range.from = line.range->from;
  range.to = line.range->to;
  range.step = line.range->step;
  range.keyPoints = line.keyPoints;
  range.curveStep = line.range->curveStep;
  range.fromPass = line.range->fromPass;
  range.toPass = line.range->toPass;
  // A --to typed to the millimetre may lie a hair past the route's end.
  range.positionTolerance = request.positionTolerance;
  // Refused before the first row when the stations alone would pass the
  // cap, counted no further than it needs; a range refused for itself says
  // why first.
  if (auto refusal = RangeRefusal(route, range))
    return ArgumentRefusal{QString::fromStdString(refusal->message)};
  const double perStation = static_cast<double>(request.offsets.size());
  const double most = static_cast<double>(kMaxTableRows) / perStation;
  const double stations = RangeStationCount(route, range, most);
  if (stations > most) return TooManyRows();
  if (line.pdf)
    if (auto refusal =
            PdfRowsRefusal(stations * (perStation + static_cast<double>(EdgesPerStation(request)))))
      return refusal;
  return Ended(BuildStakeout(route, request, [&](StakeRow&& row) { return writer.Write(row); }),
               writer);
}

// How many rows a stations file gives, counted a line at a time: a line's
// own offset's, or one at each offset; and the edges of each station, which
// come once the lines at it (the same station and pass, one after another)
// are done.
class StationFileCount {
 public:
  StationFileCount(std::size_t offsets, std::size_t edgesPerStation)
      : offsets_(static_cast<double>(offsets)), edges_(static_cast<double>(edgesPerStation)) {}

  void Add(const StationLine& line) {
    rows_ += line.offset ? 1 : offsets_;
    if (lines_ == 0 || line.station != station_ || line.pass != pass_) rows_ += edges_;
    station_ = line.station;
    pass_ = line.pass;
    ++lines_;
  }

  double rows() const { return rows_; }
  long long lines() const { return lines_; }

 private:
  double offsets_, edges_;
  double rows_ = 0;
  long long lines_ = 0;
  double station_ = 0;
  int pass_ = 0;
};

// The rows of a stations file, read, computed and written a line at a time;
// a station the route does not hold refuses the whole command. A line that
// does not read is the refusal wherever it lies, as it was when the file was
// read whole before any row: once the rows stop, the rest is still read.
std::optional<ArgumentRefusal> StationRows(const Route& route, const ForwardOptions& line,
                                           StakeoutRequest& request, RowWriter& writer) {
  auto opened = DelimitedFile::Open(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened))
    return ArgumentRefusal{refusal->message};
  DelimitedFile& file = *std::get<std::unique_ptr<DelimitedFile>>(opened);
  // A PDF is refused before its first row when the table would be too
  // long, so its rows are counted first, in a reading of their own.
  if (line.pdf) {
    StationFileCount count(line.offsets.size(), EdgesPerStation(request));
    if (const auto refusal =
            ForEachFileStation(file, [&](StationLine&& station) { count.Add(station); }))
      return ArgumentRefusal{refusal->message};
    if (count.lines() > kMaxTableRows) return TooManyRows();
    if (auto refusal = PdfRowsRefusal(count.rows())) return refusal;
  }
  std::optional<FileRefusal> unread;
  request.stations = [&](const std::function<bool(const StakeStation&)>& station) {
    bool going = true;
    unread = ForEachFileStation(file, [&](StationLine&& read) {
      if (going) going = station(StakeStationOf(read));
    });
    return !unread;
  };
  const StakeoutOutcome outcome =
      BuildStakeout(route, request, [&](StakeRow&& row) { return writer.Write(row); });
  if (unread) return ArgumentRefusal{unread->message};
  return Ended(outcome, writer, *line.stations);
}

}  // namespace

CommandOutcome RunForward(const ForwardOptions& line, CommandOutput& output) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route))
    return ArgumentRefusal{refusal->message};
  auto read = CommandProfile(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  std::optional<VerticalProfile>& profile = std::get<std::optional<VerticalProfile>>(read);
  auto readSections = CommandSections(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSections)) return *refusal;
  std::optional<CrossSectionTable>& sections =
      std::get<std::optional<CrossSectionTable>>(readSections);
  const RoutePositions positions(std::get<Route>(route));
  auto readGround = CommandGround(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readGround)) return *refusal;
  const std::optional<SurveyedGround>& ground = std::get<std::optional<SurveyedGround>>(readGround);
  auto readSlopes = CommandSlopes(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSlopes)) return *refusal;
  const std::optional<SideSlopes>& slopes = std::get<std::optional<SideSlopes>>(readSlopes);
  StakeoutRequest request;
  request.offsets = line.offsets;
  request.skewDms = line.skewDms;
  request.prefix = line.prefix;
  request.serialNames = line.serialNames;
  request.profile = profile ? &*profile : nullptr;
  request.sections = sections ? &*sections : nullptr;
  request.edges = line.edges;
  if (ground) request.ground = Ground(*ground);
  request.slopes = slopes ? &*slopes : nullptr;
  request.positionTolerance = line.tolerances.position_mm / 1000;  // mm to m
  RowWriter writer(output, line, profile.has_value());
  // The PDF prints the CSV's rows whatever -o writes; it holds them as text.
  auto lines = std::make_shared<std::vector<std::string>>();
  if (line.pdf) writer.KeepLines(lines.get());
  const std::string header = std::string(kForwardCsvHeader) + (profile ? ",设计高程" : "");
  // The header waits in the output's chunk: a refusal before the first rows
  // writes nothing.
  if (!line.surveyPointFile) output.Add(ForwardCsvHeader(profile.has_value()));
  const auto refusal = line.range ? RangeRows(std::get<Route>(route), line, request, writer)
                                  : StationRows(std::get<Route>(route), line, request, writer);
  if (refusal) return *refusal;
  if (!line.pdf) return CommandResult{};
  return CsvTablePdf(*line.pdf, QStringLiteral("逐桩坐标表"), line.route, header, lines);
}

}  // namespace tarnvel
