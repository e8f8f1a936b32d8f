#include "io/slopes/slope_file.h"

#include <algorithm>

#include "io/files/delimited_text.h"
#include "io/files/echoed_text.h"
#include "io/files/gbk_text.h"
#include "io/files/read_file.h"
#include "io/files/save_file.h"

namespace tarnvel {

namespace {

// More steps than any design has; the rest of a longer line is one field,
// refused.
constexpr qsizetype kMostColumns = static_cast<qsizetype>(kFirstStepColumn) + 3 * 32;

const QString kStation = QStringLiteral("桩号");

QStringList ColumnNames() {
  QStringList names;
  for (qsizetype i = 0; i < kMostColumns; ++i) names << SlopeColumnName(static_cast<size_t>(i));
  return names;
}

// The line's field `index` quoted, empty when the line stops short.
QString FieldText(const QStringList& fields, std::size_t index) {
  const auto i = static_cast<qsizetype>(index);
  return i < fields.size() ? EchoedText(fields[i]) : QString();
}

// Each line's number and fields, for the refusal of its station's order.
struct Source {
  std::vector<int> lineOf;
  std::vector<QStringList> fields;
};

}  // namespace

ContentRefusal SlopeLineRefusal(int line, const QStringList& fields, const SlopeFault& fault) {
  using Kind = SlopeFault::Kind;
  const QString name = SlopeColumnName(fault.column);
  const QString value = QStringLiteral("“%1”的值“%2”").arg(name, FieldText(fields, fault.column));
  QString rest;
  switch (fault.kind) {
    case Kind::NotASide:
      rest = value + QStringLiteral("无效，应为“左”或“右”！");
      break;
    case Kind::NotAKind:
      rest = value + QStringLiteral("无效，应为“填”或“挖”！");
      break;
    case Kind::Negative:
      rest = value + QStringLiteral("不能为负数！");
      break;
    case Kind::RatioNotPositive:
      rest = value + QStringLiteral("无效，坡率必须大于0！");
      break;
    case Kind::DitchRatioNotPositive:
      rest = value + QStringLiteral("无效，有边沟时边沟内坡和边沟外坡必须大于0！");
      break;
    case Kind::DitchOnFill:
      rest = value + QStringLiteral("无效，填方没有边沟，边沟各列应为空或0！");
      break;
    case Kind::NoRatio:
      rest = QStringLiteral("缺少“%1”！").arg(name);
      break;
    case Kind::EmptyBetween:
      rest = QStringLiteral("缺少“%1”，两级边坡之间的坡高和平台不能为空！").arg(name);
      break;
    case Kind::AfterLastRatio:
      rest = value + QStringLiteral("无效，最后一级坡率之后不能再有坡高或平台！");
      break;
    case Kind::StationNotIncreasing:
    case Kind::NoSuchPass:
      break;
  }
  return {line, name, rest};
}

ContentRefusal SlopeOrderRefusal(const SlopeOrderFault& fault, const std::vector<int>& lineOf,
                                 const std::vector<QStringList>& fields) {
  const QString station = EchoedText(fields[fault.line][0]);
  if (fault.kind == SlopeFault::Kind::NoSuchPass)
    return {lineOf[fault.line], kStation,
            QStringLiteral("的桩号“%1”不在线路上，线路没有经过该桩号这么多次！").arg(station)};
  const QStringList& before = fields[fault.before];
  return {
      lineOf[fault.line], kStation,
      QStringLiteral("的桩号“%1”不在第%2行（%3%4）的桩号“%5”之后，同侧同填挖的桩号必须沿线路递增！")
          .arg(station)
          .arg(lineOf[fault.before])
          .arg(before[static_cast<qsizetype>(kSlopeSideColumn)],
               before[static_cast<qsizetype>(kSlopeKindColumn)], EchoedText(before[0]))};
}

namespace {

ContentOutcome<SlopeFileLines> ParseLines(const QByteArray& bytes,
                                          const RoutePositions& positions) {
  std::vector<SlopeLine> lines;
  Source source;
  const std::optional<ContentRefusal> refusal = ForEachDelimitedLine(
      bytes, kMostColumns + 1, ColumnNames(),
      [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
        if (line.fields.size() > kMostColumns) return TooManyFields(line, kMostColumns);
        int pass = 1;
        ContentOutcome<double> station = ReadStationField(line, 0, kStation, &pass);
        if (auto* refused = std::get_if<ContentRefusal>(&station)) return std::move(*refused);
        SlopeCells cells;
        const auto text = [&](std::size_t i) {
          const auto k = static_cast<qsizetype>(i);
          return k < line.fields.size() ? line.fields[k].toStdString() : std::string();
        };
        cells.side = text(kSlopeSideColumn);
        cells.kind = text(kSlopeKindColumn);
        const auto number = [&](std::size_t i,
                                std::optional<double>& cell) -> std::optional<ContentRefusal> {
          ContentOutcome<std::optional<double>> read =
              ReadOptionalNumberField(line, static_cast<qsizetype>(i), SlopeColumnName(i));
          if (auto* refused = std::get_if<ContentRefusal>(&read)) return std::move(*refused);
          cell = std::get<std::optional<double>>(read);
          return std::nullopt;
        };
        for (std::size_t k = 0; k < cells.ditch.size(); ++k)
          if (auto refused = number(kFirstDitchColumn + k, cells.ditch[k])) return refused;
        for (auto i = static_cast<qsizetype>(kFirstStepColumn); i < line.fields.size(); ++i)
          if (auto refused = number(static_cast<std::size_t>(i), cells.steps.emplace_back()))
            return refused;
        auto made = MakeSlopeLine(cells);
        if (const auto* fault = std::get_if<SlopeFault>(&made))
          return SlopeLineRefusal(line.number, line.fields, *fault);
        SlopeLine& slope = std::get<SlopeLine>(made);
        slope.station = std::get<double>(station);
        slope.pass = pass;
        lines.push_back(std::move(slope));
        source.lineOf.push_back(line.number);
        source.fields.push_back(line.fields);
        return std::nullopt;
      });
  if (refusal) return *refusal;
  if (lines.empty()) return NoRecords(QStringLiteral("边坡"));
  auto made = MakeSideSlopes(std::move(lines), positions);
  if (const auto* fault = std::get_if<SlopeOrderFault>(&made))
    return SlopeOrderRefusal(*fault, source.lineOf, source.fields);
  return SlopeFileLines{std::get<SideSlopes>(std::move(made)), std::move(source.fields)};
}

}  // namespace

QString SlopeColumnName(std::size_t index) {
  static const char* const kFirst[] = {"桩号",   "侧",       "填挖",    "边沟底宽",
                                       "边沟深", "边沟内坡", "边沟外坡"};
  if (index < kFirstStepColumn) return QString::fromUtf8(kFirst[index]);
  static const char* const kStep[] = {"坡率", "坡高", "平台"};
  const std::size_t k = index - kFirstStepColumn;
  return QString::fromUtf8(kStep[k % 3]) + QString::number(k / 3 + 1);
}

FileOutcome<SideSlopes> ReadSlopeFile(const QString& path, const RoutePositions& positions) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseSlopeFile(std::get<QByteArray>(bytes), positions));
}

ContentOutcome<SideSlopes> ParseSlopeFile(const QByteArray& bytes,
                                          const RoutePositions& positions) {
  ContentOutcome<SlopeFileLines> read = ParseLines(bytes, positions);
  if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
  return std::move(std::get<SlopeFileLines>(read).slopes);
}

FileOutcome<SlopeFileLines> ReadSlopeFileLines(const QString& path,
                                               const RoutePositions& positions) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseLines(std::get<QByteArray>(bytes), positions));
}

FileOutcome<QByteArray> SlopeFileBytes(const QString& path, const std::vector<QStringList>& lines) {
  qsizetype widest = 0;
  std::vector<QStringList> given;
  given.reserve(lines.size());
  for (const QStringList& line : lines) {
    QStringList& fields = given.emplace_back();
    for (const QString& field : line) fields << field.trimmed();
    // Empty cells at the end are no fields of the line.
    while (!fields.isEmpty() && fields.back().isEmpty()) fields.removeLast();
    widest = std::max(widest, fields.size());
    for (const QString& field : fields)
      if (field.contains(u',') || field.contains(u'，') || field.contains(u'\t') ||
          field.contains(u'\r') || field.contains(u'\n'))
        return CannotSave(path, QStringLiteral("“%1”含有逗号、制表符或换行符").arg(field));
  }
  QStringList header;
  for (qsizetype i = 0; i < widest; ++i) header << SlopeColumnName(static_cast<std::size_t>(i));
  QString text = header.join(u',') + QStringLiteral("\r\n");
  for (const QStringList& fields : given) text += fields.join(u',') + QStringLiteral("\r\n");
  if (auto bytes = EncodeGbk(text)) return std::move(*bytes);
  return CannotSave(path, QStringLiteral("文件中有GBK编码无法表示的字符"));
}

std::optional<FileRefusal> SaveSlopeFile(const QString& path,
                                         const std::vector<QStringList>& lines) {
  FileOutcome<QByteArray> bytes = SlopeFileBytes(path, lines);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return SaveFileBytes(path, std::get<QByteArray>(bytes));
}

}  // namespace tarnvel
