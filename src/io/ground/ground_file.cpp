#include "io/ground/ground_file.h"

#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/files/delimited_text.h"
#include "io/files/echoed_text.h"
#include "io/files/read_file.h"

namespace tarnvel {

namespace {

const QString kStation = QStringLiteral("桩号");
const QString kOffset = QStringLiteral("偏距");
const QString kElevation = QStringLiteral("高程");
const QStringList kTableHeader{kStation, kOffset, kElevation};

// Where each line and point came from, for the refusals.
struct Source {
  std::vector<int> lineOf;                   // each station's BEGIN (or first) line
  std::vector<QString> stationText;          // as the file gives it
  std::vector<std::vector<int>> pointLines;  // each point's line
  std::vector<std::vector<QString>> offsetTexts;
};

bool IsBegin(const QStringList& fields) {
  return fields[0].compare(QStringLiteral("BEGIN"), Qt::CaseInsensitive) == 0;
}

// The station of a BEGIN line, its ":<序号>" left out.
ContentOutcome<double> BeginStation(const DelimitedLine& line, int& pass) {
  if (line.fields.size() > 2) return TooManyFields(line, 2);
  DelimitedLine station = line;
  if (station.fields.size() > 1) {
    const qsizetype colon = station.fields[1].indexOf(u':');
    if (colon >= 0) station.fields[1].truncate(colon);
  }
  return ReadStationField(station, 1, kStation, &pass);
}

std::optional<ContentRefusal> AddPoint(const DelimitedLine& line, qsizetype first,
                                       GroundLines& ground, Source& source) {
  ContentOutcome<double> offset = ReadNumberField(line, first, kOffset);
  if (auto* refusal = std::get_if<ContentRefusal>(&offset)) return std::move(*refusal);
  ContentOutcome<double> elevation = ReadNumberField(line, first + 1, kElevation);
  if (auto* refusal = std::get_if<ContentRefusal>(&elevation)) return std::move(*refusal);
  ground.lines.back().points.push_back({std::get<double>(offset), std::get<double>(elevation)});
  source.pointLines.back().push_back(line.number);
  source.offsetTexts.back().push_back(line.fields[first]);
  return std::nullopt;
}

void AddStation(const DelimitedLine& line, qsizetype index, double station, int pass,
                GroundLines& ground, Source& source) {
  ground.lines.push_back({station, pass, 0, {}});
  source.lineOf.push_back(line.number);
  source.stationText.push_back(line.fields[index]);
  source.pointLines.emplace_back();
  source.offsetTexts.emplace_back();
}

ContentRefusal FaultRefusal(const GroundFault& fault, const Source& s) {
  using Kind = GroundFault::Kind;
  const std::size_t i = fault.line;
  switch (fault.kind) {
    case Kind::StationNotIncreasing:
      return {s.lineOf[i], kStation,
              QStringLiteral("的桩号“%1”不在第%2行的桩号“%3”之后，桩号必须沿线路递增！")
                  .arg(EchoedText(s.stationText[i]))
                  .arg(s.lineOf[i - 1])
                  .arg(EchoedText(s.stationText[i - 1]))};
    case Kind::NoSuchPass:
      return {s.lineOf[i], kStation,
              QStringLiteral("的桩号“%1”不在线路上，线路没有经过该桩号这么多次！")
                  .arg(EchoedText(s.stationText[i]))};
    case Kind::OffsetNotIncreasing:
      return {s.pointLines[i][fault.point], kOffset,
              QStringLiteral("的偏距“%1”不大于第%2行的偏距“%3”，同一桩号的偏距必须递增！")
                  .arg(EchoedText(s.offsetTexts[i][fault.point]))
                  .arg(s.pointLines[i][fault.point - 1])
                  .arg(EchoedText(s.offsetTexts[i][fault.point - 1]))};
    case Kind::TooFewPoints:
      break;
  }
  return {s.lineOf[i], kStation,
          QStringLiteral("的桩号“%1”只有%2个地面点，至少要有2个！")
              .arg(EchoedText(s.stationText[i]))
              .arg(s.pointLines[i].size())};
}

}  // namespace

FileOutcome<GroundLines> ReadGroundFile(const QString& path, const RoutePositions& positions) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseGroundFile(std::get<QByteArray>(bytes), positions));
}

ContentOutcome<GroundLines> ParseGroundFile(const QByteArray& bytes,
                                            const RoutePositions& positions) {
  ContentOutcome<std::optional<QStringList>> first = FirstDelimitedRecord(bytes, 4);
  if (auto* refusal = std::get_if<ContentRefusal>(&first)) return std::move(*refusal);
  const std::optional<QStringList>& header = std::get<std::optional<QStringList>>(first);
  const bool table = header && header->mid(0, 3) == kTableHeader;
  GroundLines ground;
  Source source;
  std::optional<ContentRefusal> refusal;
  if (table) {
    // A station's points are the lines of one station and pass in a row.
    refusal = ForEachDelimitedLine(
        bytes, 4, kTableHeader, [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
          if (line.fields.size() > 3) return TooManyFields(line, 3);
          int pass = 1;
          ContentOutcome<double> station = ReadStationField(line, 0, kStation, &pass);
          if (auto* refused = std::get_if<ContentRefusal>(&station)) return std::move(*refused);
          const double k = std::get<double>(station);
          if (ground.lines.empty() || ground.lines.back().station != k ||
              ground.lines.back().pass != pass)
            AddStation(line, 0, k, pass, ground, source);
          return AddPoint(line, 1, ground, source);
        });
  } else {
    refusal = ForEachDelimitedLine(
        bytes, 3, {kOffset, kElevation},
        [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
          if (IsBegin(line.fields)) {
            int pass = 1;
            ContentOutcome<double> station = BeginStation(line, pass);
            if (auto* refused = std::get_if<ContentRefusal>(&station)) return std::move(*refused);
            AddStation(line, 1, std::get<double>(station), pass, ground, source);
            return std::nullopt;
          }
          if (ground.lines.empty())
            return ContentRefusal{line.number,
                                  {},
                                  QStringLiteral("“%1”之前没有“BEGIN,桩号”行！")
                                      .arg(EchoedText(line.fields.join(u',')))};
          if (line.fields.size() > 2) return TooManyFields(line, 2);
          return AddPoint(line, 0, ground, source);
        });
  }
  if (refusal) return std::move(*refusal);
  if (ground.lines.empty()) return NoRecords(QStringLiteral("地面线"));
  auto made = MakeGroundLines(std::move(ground.lines), positions);
  if (const auto* fault = std::get_if<GroundFault>(&made)) return FaultRefusal(*fault, source);
  return std::get<GroundLines>(std::move(made));
}

void AppendGroundBlock(std::string& out, double station, int pass, std::string_view prefix,
                       const std::vector<GroundPoint>& points) {
  out += "BEGIN,";
  out += PassStationText(station, pass, prefix);
  out += "\r\n";
  for (const GroundPoint& point : points) {
    out += FixedText(point.offset, 3);
    out += ',';
    out += FixedText(point.elevation, 3);
    out += "\r\n";
  }
}

}  // namespace tarnvel
