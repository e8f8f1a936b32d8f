// tarnvel-route forward and inverse as they were before their stations and
// points files were read a line at a time: the whole file read into its
// records before the first row, and a stations file's names held in a set
// of strings. Built with the rest of the command into previous_tarnvel_route,
// for bench/input_stream_memory.sh to measure beside today's program.
#include <cmath>
#include <functional>
#include <string>
#include <unordered_set>
#include <utility>
#include <variant>

#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "app/route_command/command_pdf.h"
#include "core/route/point_names.h"
#include "core/route/route_forward.h"
#include "core/route/stakeout_stations.h"
#include "core/section/design_height.h"
#include "core/section/edge_points.h"
#include "core/section/row_height.h"
#include "core/text/number_text.h"
#include "io/files/delimited_text.h"
#include "io/route/point_file.h"
#include "io/route/stakeout_input.h"
#include "io/route/survey_point_file.h"

namespace tarnvel {

namespace {

// How the rows of a stations file ended short: at a line the route does not
// hold, or with the message to show ("" when the caller ended the work).
using StationRowsStop = std::variant<ContentRefusal, QString>;

std::optional<QString> StopMessage(const QString& path,
                                   const std::optional<StationRowsStop>& stop) {
  if (!stop) return std::nullopt;
  if (const auto* refusal = std::get_if<ContentRefusal>(&*stop))
    return InFile(path, *refusal).message;
  return std::get<QString>(*stop);
}

// The names of the rows made unique, each string held in a set.
class PreviousUniquePointNames {
 public:
  std::string Take(std::string name) {
    if (taken_.insert(name).second) return name;
    for (long long n = 2;; ++n) {
      std::string numbered = name + '_' + std::to_string(n);
      if (taken_.insert(numbered).second) return numbered;
    }
  }

 private:
  std::unordered_set<std::string> taken_;
};

// The rows of a stations file held whole, as ForEachStationFileRow gave them.
std::optional<StationRowsStop> PreviousForEachStationFileRow(
    const Route& route, const std::vector<StationLine>& lines, const std::vector<double>& offsets,
    double skewDms, const std::function<bool(StakeRow&&, const std::string& edgeName)>& row,
    const std::function<bool(size_t)>& keepGoing, std::string_view prefix,
    PreviousUniquePointNames* given) {
  // The lines are held whole, so their names may be too.
  PreviousUniquePointNames own;
  PreviousUniquePointNames& names = given ? *given : own;
  // The station whose rows came last, as the 边桩 are grouped after them,
  // and the name its edges take.
  std::optional<std::pair<double, int>> station;
  std::string edgeName;
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
      if (station != at)
        edgeName = name;
      else if (edgeName != name)
        edgeName = StationPointName(point.station, prefix);
      station = at;
      if (!row({names.Take(sided), std::move(point)}, edgeName)) return QString();
    }
  }
  return std::nullopt;
}

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
  bool Write(StakeRow& row) { return Next(row.point) && WriteRow(row); }

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

  bool WriteRow(StakeRow& row) {
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
      StakeRow edge{std::move(name), std::move(point)};
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
    StakeRow row{name(point), std::move(point)};
    return writer.Write(row);
  });
  if (refusal) return ArgumentRefusal{QString::fromStdString(refusal->message)};
  if (unfinished) return unfinished;
  if (!writer.refusal()) writer.Finish();
  return writer.refusal();
}

// How many rows a stations file gives: a line's own offset's, or one at
// each offset; and the edges of each station, which come once the lines at
// it (the same station and pass, one after another) are done.
double StationFileRows(const std::vector<StationLine>& lines, std::size_t offsets,
                       std::size_t edgesPerStation) {
  double rows = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    rows += static_cast<double>(lines[i].offset ? 1 : offsets);
    if (i == 0 || lines[i].station != lines[i - 1].station || lines[i].pass != lines[i - 1].pass)
      rows += static_cast<double>(edgesPerStation);
  }
  return rows;
}

// The rows of a stations file; a station the route does not hold refuses the
// whole command.
std::optional<ArgumentRefusal> StationRows(const Route& route, const ForwardOptions& line,
                                           RowWriter& writer) {
  auto stations = ReadStationFile(*line.stations);
  if (const auto* refusal = std::get_if<FileRefusal>(&stations))
    return ArgumentRefusal{refusal->message};
  const auto& lines = std::get<std::vector<StationLine>>(stations);
  if (static_cast<long long>(lines.size()) > kMaxTableRows) return TooManyRows();
  if (line.pdf)
    if (auto refusal =
            PdfRowsRefusal(StationFileRows(lines, line.offsets.size(), writer.edgesPerStation())))
      return refusal;
  // The edges are named by their line (or station) and side among the
  // names the file's rows take: a file's name, or a station's with its
  // side, may read as an edge's.
  PreviousUniquePointNames names;
  // The name of the line, or the station, whose 边桩 are written next.
  std::string edgeName;
  writer.NameEdgesBy(
      [&](const RoutePoint& point) { return names.Take(edgeName + SideText(point.offset)); });
  const auto write = [&](StakeRow&& row, const std::string& rowEdgeName) {
    // The edges of the station before go out first, by its name.
    if (!writer.Next(row.point)) return false;
    edgeName = rowEdgeName;
    return writer.Write(row);
  };
  const auto refusal = StopMessage(
      *line.stations, PreviousForEachStationFileRow(route, lines, line.offsets, line.skewDms, write,
                                                    {}, line.prefix, &names));
  if (refusal && !refusal->isEmpty()) return ArgumentRefusal{*refusal};
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

namespace tarnvel {

CommandOutcome RunInverse(const InverseOptions& line, CommandOutput& output) {
  FileOutcome<Route> route = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&route))
    return ArgumentRefusal{refusal->message};
  auto points = ReadPointFile(line.points);
  if (const auto* refusal = std::get_if<FileRefusal>(&points))
    return ArgumentRefusal{refusal->message};
  auto read = CommandProfile(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  std::optional<VerticalProfile>& profile = std::get<std::optional<VerticalProfile>>(read);
  auto readSections = CommandSections(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&readSections)) return *refusal;
  std::optional<CrossSectionTable>& sections =
      std::get<std::optional<CrossSectionTable>>(readSections);
  // A foot this close past an end of the profile is at that end.
  std::optional<DesignHeights> heights;
  if (profile)
    heights.emplace(*profile, sections ? &*sections : nullptr,
                    line.tolerances.position_mm / 1000);  // mm to m
  std::string text = InverseCsvHeader(profile.has_value(), sections.has_value());
  for (const SurveyPoint& point : std::get<std::vector<SurveyPoint>>(points)) {
    const std::vector<RouteFoot> feet =
        RouteFeet(std::get<Route>(route), point.point, line.maxOffset,
                  line.tolerances.position_mm / 1000);  // mm to m
    for (InverseCsvRow& row : InverseRows(point.name.toStdString(), point.xText.toStdString(),
                                          point.yText.toStdString(), feet, line.all)) {
      // 设计高程 at the foot (with sections, the surface's at the point's own
      // offset), 高差 and 挖填 against the point's H; a point beyond the road
      // has none, and 说明 says so.
      if (heights) {
        DesignHeight at;
        if (row.foot) at = heights->At(row.foot->station, row.foot->offset);
        row.height = point.height;
        row.designElevation = at.elevation;
        row.beyondRoad = at.beyondRoad;
      }
      AppendInverseCsvRow(text, row, line.prefix, profile.has_value(), sections.has_value());
    }
    // A point's rows go out together, as they are found.
    if (!output.Add(text)) return ArgumentRefusal{output.failure()};
    text.clear();
  }
  if (!output.Add(text)) return ArgumentRefusal{output.failure()};
  return CommandResult{};
}

}  // namespace tarnvel
