#include "io/route/point_file.h"

#include "io/files/delimited_text.h"
#include "io/files/read_file.h"
#include "io/route/survey_point_file.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 5;

ContentOutcome<SurveyPoint> ParsePointLine(const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  SurveyPoint point;
  point.line = line.number;
  point.name = line.fields[0];
  ContentOutcome<double> X = ReadNumberField(line, 1, QStringLiteral("X"));
  if (auto* refusal = std::get_if<ContentRefusal>(&X)) return std::move(*refusal);
  ContentOutcome<double> Y = ReadNumberField(line, 2, QStringLiteral("Y"));
  if (auto* refusal = std::get_if<ContentRefusal>(&Y)) return std::move(*refusal);
  point.point = {std::get<double>(X), std::get<double>(Y)};
  point.xText = line.fields[1];
  point.yText = line.fields[2];
  auto H = ReadOptionalNumberField(line, 3, QStringLiteral("H"));
  if (auto* refusal = std::get_if<ContentRefusal>(&H)) return std::move(*refusal);
  point.height = std::get<std::optional<double>>(H);
  if (line.fields.size() > 4) point.code = line.fields[4];
  return point;
}

// A line of the survey point file: 点名,编码,Y,X,H, east before north.
ContentOutcome<SurveyPoint> ParseSurveyPointLine(const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  SurveyPoint point;
  point.line = line.number;
  point.name = line.fields[0];
  if (line.fields.size() > 1) point.code = line.fields[1];
  ContentOutcome<double> Y = ReadNumberField(line, 2, QStringLiteral("Y"));
  if (auto* refusal = std::get_if<ContentRefusal>(&Y)) return std::move(*refusal);
  ContentOutcome<double> X = ReadNumberField(line, 3, QStringLiteral("X"));
  if (auto* refusal = std::get_if<ContentRefusal>(&X)) return std::move(*refusal);
  point.point = {std::get<double>(X), std::get<double>(Y)};
  point.xText = line.fields[3];
  point.yText = line.fields[2];
  auto H = ReadOptionalNumberField(line, 4, QStringLiteral("H"));
  if (auto* refusal = std::get_if<ContentRefusal>(&H)) return std::move(*refusal);
  point.height = std::get<std::optional<double>>(H);
  return point;
}

QStringList PointColumns() {
  return {QString(), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("H")};
}

QStringList SurveyPointColumns() {
  return {QString(), QStringLiteral("编码"), QStringLiteral("Y"), QStringLiteral("X"),
          QStringLiteral("H")};
}

}  // namespace

FileOutcome<std::vector<SurveyPoint>> ReadPointFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParsePointsOf(path, std::get<QByteArray>(bytes)));
}

ContentOutcome<std::vector<SurveyPoint>> ParsePointsOf(const QString& path,
                                                       const QByteArray& bytes) {
  return IsSurveyPointPath(path) ? ParseSurveyPointFile(bytes) : ParsePointFile(bytes);
}

ContentOutcome<std::vector<SurveyPoint>> ParseSurveyPointFile(const QByteArray& bytes) {
  auto points =
      ParseRecords<SurveyPoint>(bytes, kFieldCount, SurveyPointColumns(), ParseSurveyPointLine);
  if (auto* refusal = std::get_if<ContentRefusal>(&points)) return std::move(*refusal);
  if (std::get<std::vector<SurveyPoint>>(points).empty()) return NoRecords(QStringLiteral("点"));
  return points;
}

ContentOutcome<std::vector<SurveyPoint>> ParsePointFile(const QByteArray& bytes) {
  auto points = ParseRecords<SurveyPoint>(bytes, kFieldCount, PointColumns(), ParsePointLine);
  if (auto* refusal = std::get_if<ContentRefusal>(&points)) return std::move(*refusal);
  if (std::get<std::vector<SurveyPoint>>(points).empty()) return NoRecords(QStringLiteral("点"));
  return points;
}

std::optional<FileRefusal> ForEachFilePoint(DelimitedFile& file,
                                            const std::function<void(SurveyPoint&&)>& point) {
  const bool survey = IsSurveyPointPath(file.path());
  bool any = false;
  const auto refusal =
      file.ForEachRecord(kFieldCount, survey ? SurveyPointColumns() : PointColumns(),
                         [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
                           ContentOutcome<SurveyPoint> read =
                               survey ? ParseSurveyPointLine(line) : ParsePointLine(line);
                           if (auto* refused = std::get_if<ContentRefusal>(&read))
                             return std::move(*refused);
                           any = true;
                           point(std::get<SurveyPoint>(std::move(read)));
                           return std::nullopt;
                         });
  if (refusal) return refusal;
  if (!any) return InFile(file.path(), NoRecords(QStringLiteral("点")));
  return std::nullopt;
}

}  // namespace tarnvel
