#include <cmath>
#include <functional>
#include <utility>

#include "command_files.h"
#include "command_options.h"
#include "command_pdf.h"
#include "delimited_file.h"
#include "design_height.h"
#include "edge_points.h"
#include "number_text.h"
#include "point_names.h"
#include "row_height.h"
#include "stakeout_stations.h"
#include "station_file.h"
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
// ended the table, when one did. With edges, the 边桩 rows of a station
// follow its own rows, once the next station's first row or the table's end
// shows they are all in.
class RowWriter {
 public:
  RowWriter(CommandOutput& output, const ForwardOptions& line, const Route& route,
            const VerticalProfile* profile, const CrossSectionTable* sections)
      : output_(output),
        route_(route),
        prefix_(line.prefix),
        surveyPoints_(line.surveyPointFile),
        profile_(profile),
        sections_(sections),
        edges_(line.edges) {
    // A station this close past an end of the profile is at that end.
    if (profile_) heights_.emplace(*profile_, sections_, line.tolerances.position_mm / 1000);
  }

  // Names the edge rows: by station and side, or by row number.
  void NameEdgesBy(std::function<std::string(const RoutePoint&)> name) {
    edgeName_ = std::move(name);
  }

  // Takes note of the station of the row to come: the edges of the one
  // before go out first, before the new row is named, so that their names
  // are checked against the rows of their own station.
  bool Next(const RoutePoint& point) {
    if (!edges_) return true;
    if (pending_ && (pending_->station != point.station || pending_->element != point.element) &&
        !WriteEdges())
      return false;
    if (!pending_) pending_ = StationOf{point.station, point.element};
    return true;
  }

  // With a profile the row gets its design elevation: 设计高程 of the CSV,
  // H of the survey point file.
  bool Write(ForwardCsvRow& row) { return Next(row.point) && WriteRow(row); }

  // The edges of the last station; false when they could not be written.
  bool Finish() { return !edges_ || !pending_ || WriteEdges(); }

  // Keeps each row's CSV line, its CR LF dropped, for the --pdf file.
  void KeepLines(std::vector<std::string>* lines) { lines_ = lines; }

  // The 边桩 rows each station adds.
  std::size_t edgesPerStation() const {
    return edges_ && sections_ ? sections_->leftParts.size() + sections_->rightParts.size() : 0;
  }

  long long rows() const { return rows_; }
  const std::optional<ArgumentRefusal>& refusal() const { return refusal_; }

 private:
  struct StationOf {
    double station;
    int element;
  };

  bool WriteRow(ForwardCsvRow& row) {
    if (++rows_ > kMaxTableRows) {
      refusal_ = TooManyRows();
      return false;
    }
    text_.clear();
    const DesignHeight height =
        heights_ ? RowDesignHeight(*heights_, route_, row.point) : DesignHeight{};
    row.designElevation = height.elevation;
    if (height.beyondRoad) {
      if (!row.point.label.empty()) row.point.label += "；";
      row.point.label += kBeyondRoadNote;
    }
    if (lines_ && surveyPoints_) {
      lines_->emplace_back();
      AppendForwardCsvRow(lines_->back(), row, prefix_, profile_ != nullptr);
      lines_->back().resize(lines_->back().size() - 2);
    }
    if (surveyPoints_) {
      AppendSurveyPointLine(text_, row);
    } else {
      AppendForwardCsvRow(text_, row, prefix_, profile_ != nullptr);
    }
    if (lines_ && !surveyPoints_) lines_->push_back(text_.substr(0, text_.size() - 2));
    if (output_.Add(text_)) return true;
    refusal_ = {output_.failure()};
    return false;
  }

  // One row at the outer edge of every part, the left side's from the centre
  // line outward, then the right side's; square to the station.
  bool WriteEdges() {
    const StationOf at = *pending_;
    pending_.reset();
    EdgePoints(route_, *sections_, heights_->Section(at.station), at.station, at.element,
               edgePoints_);
    for (RoutePoint& point : edgePoints_) {
      std::string name = edgeName_(point);
      ForwardCsvRow edge{std::move(name), std::move(point)};
      if (!WriteRow(edge)) return false;
    }
    return true;
  }

  CommandOutput& output_;
  const Route& route_;
  std::string_view prefix_;
  bool surveyPoints_;
  const VerticalProfile* profile_;
  const CrossSectionTable* sections_;
  bool edges_;
  std::optional<DesignHeights> heights_;
  std::optional<StationOf> pending_;
  std::vector<RoutePoint> edgePoints_;
  std::function<std::string(const RoutePoint&)> edgeName_;
  std::string text_;
  std::vector<std::string>* lines_ = nullptr;
  long long rows_ = 0;
  std::optional<ArgumentRefusal> refusal_;
};

// The rows of a range, named by station and side, or by their row number.
std::optional<ArgumentRefusal> RangeRows(const Route& route, const ForwardOptions& line,
                                         RowWriter& writer) {
  RouteTableRequest request;
  request.from = line.range->from;
  request.to = line.range->to;
  request.step = line.range->step;
  request.offsets = line.offsets;
  request.skewDms = line.skewDms;
  request.keyPoints = line.keyPoints;
  request.curveStep = line.range->curveStep;
  request.fromPass = line.range->fromPass;
  request.toPass = line.range->toPass;
  // A --to typed to the millimetre may lie a hair past the route's end.
  request.positionTolerance = line.tolerances.position_mm / 1000;  // mm to m
  // Refused before the first row when the stations alone would pass the
  // cap, counted no further than it needs; a range refused for itself says
  // why first.
  if (auto refusal = RangeRefusal(route, RangeOf(request)))
    return ArgumentRefusal{QString::fromStdString(refusal->message)};
  const double perStation = static_cast<double>(request.offsets.size());
  const double most = static_cast<double>(kMaxTableRows) / perStation;
  const double stations = RangeStationCount(route, RangeOf(request), most);
  if (stations > most) return TooManyRows();
  if (line.pdf)
    if (auto refusal =
            PdfRowsRefusal(stations * (perStation + static_cast<double>(writer.edgesPerStation()))))
      return refusal;
  std::optional<ArgumentRefusal> unfinished;
  RangePointNames names(route, line.prefix);
  const auto name = [&](const RoutePoint& point) {
    return line.serialNames ? std::to_string(writer.rows() + 1) : names.Name(point);
  };
  writer.NameEdgesBy(name);
  const auto refusal = ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
    if (!IsFinitePoint(point)) {
      unfinished = ArgumentRefusal{kRouteNotComputable};
      return false;
    }
    if (!writer.Next(point)) return false;
    ForwardCsvRow row{name(point), std::move(point)};
    return writer.Write(row);
  });
  if (refusal) return ArgumentRefusal{QString::fromStdString(refusal->message)};
  if (unfinished) return unfinished;
  if (!writer.refusal()) writer.Finish();
  return writer.refusal();
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
                                           RowWriter& writer) {
  auto opened = DelimitedFile::Open(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened))
    return ArgumentRefusal{refusal->message};
  DelimitedFile& file = *std::get<std::unique_ptr<DelimitedFile>>(opened);
  // A PDF is refused before its first row when the table would be too
  // long, so its rows are counted first, in a reading of their own.
  if (line.pdf) {
    StationFileCount count(line.offsets.size(), writer.edgesPerStation());
    if (const auto refusal =
            ForEachFileStation(file, [&](StationLine&& station) { count.Add(station); }))
      return ArgumentRefusal{refusal->message};
    if (count.lines() > kMaxTableRows) return TooManyRows();
    if (auto refusal = PdfRowsRefusal(count.rows())) return refusal;
  }
  // The edges are named by their line (or station) and side among the
  // names the file's rows take: a file's name, or a station's with its
  // side, may read as an edge's.
  UniquePointNames names;
  // The name of the line, or the station, whose 边桩 are written next.
  std::string edgeName;
  writer.NameEdgesBy(
      [&](const RoutePoint& point) { return names.Take(edgeName + SideText(point.offset)); });
  const StationFileRows::Row write = [&](ForwardCsvRow&& row, const std::string& rowEdgeName) {
    // The edges of the station before go out first, by its name.
    if (!writer.Next(row.point)) return false;
    edgeName = rowEdgeName;
    return writer.Write(row);
  };
  StationFileRows rows(route, line.offsets, line.skewDms, line.prefix, names);
  std::optional<StationRowsStop> stop;
  if (const auto refusal = ForEachFileStation(file, [&](StationLine&& station) {
        if (!stop) stop = rows.Add(station, write);
      }))
    return ArgumentRefusal{refusal->message};
  const auto message = StopMessage(*line.stations, stop);
  if (message && !message->isEmpty()) return ArgumentRefusal{*message};
  if (!writer.refusal()) writer.Finish();
  return writer.refusal();
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
  RowWriter writer(output, line, std::get<Route>(route), profile ? &*profile : nullptr,
                   sections ? &*sections : nullptr);
  // The PDF prints the CSV's rows whatever -o writes; it holds them as text.
  auto lines = std::make_shared<std::vector<std::string>>();
  if (line.pdf) writer.KeepLines(lines.get());
  const std::string header = std::string(kForwardCsvHeader) + (profile ? ",设计高程" : "");
  // The header waits in the output's chunk: a refusal before the first rows
  // writes nothing.
  if (!line.surveyPointFile) output.Add(ForwardCsvHeader(profile.has_value()));
  const auto refusal = line.range ? RangeRows(std::get<Route>(route), line, writer)
                                  : StationRows(std::get<Route>(route), line, writer);
  if (refusal) return *refusal;
  CommandResult result;
  if (!line.pdf) return result;
  TableDocument document;
  document.title = QStringLiteral("逐桩坐标表");
  document.notes = CommandTitleBlock(line.route);
  document.header = CsvLineCells(header);
  document.rowCount = static_cast<qsizetype>(lines->size());
  document.row = [lines](qsizetype i) { return CsvLineCells((*lines)[static_cast<size_t>(i)]); };
  auto pdf = WriteCommandPdf(*line.pdf, document);
  if (const auto* failure = std::get_if<FileRefusal>(&pdf))
    return ArgumentRefusal{failure->message};
  result.pdf = std::get<std::shared_ptr<SavingFile>>(pdf);
  return result;
}

}  // namespace tarnvel
