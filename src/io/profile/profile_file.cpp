#include "io/profile/profile_file.h"

#include "core/text/number_text.h"
#include "io/files/delimited_text.h"
#include "io/files/echoed_text.h"
#include "io/files/gbk_text.h"
#include "io/files/read_file.h"
#include "io/files/save_file.h"

namespace tarnvel {

namespace {

constexpr qsizetype kFieldCount = 4;

QString FieldName(qsizetype index) {
  const std::string_view name = kProfileFieldNames[static_cast<size_t>(index)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

template <class T>
bool Take(ContentOutcome<T>&& read, T& value, ContentRefusal& refusal) {
  if (auto* refused = std::get_if<ContentRefusal>(&read)) {
    refusal = std::move(*refused);
    return false;
  }
  value = std::get<T>(std::move(read));
  return true;
}

ContentOutcome<Pvi> ParsePviLine(const DelimitedLine& line) {
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  if (line.fields[0].isEmpty())
    return ContentRefusal{line.number, FieldName(0),
                          QStringLiteral("缺少“%1”！").arg(FieldName(0))};
  Pvi pvi;
  pvi.name = line.fields[0].toStdString();
  ContentRefusal refusal;
  std::optional<double> radius;
  if (!Take(ReadStationField(line, 1, FieldName(1)), pvi.station, refusal) ||
      !Take(ReadNumberField(line, 2, FieldName(2)), pvi.elevation, refusal) ||
      !Take(ReadOptionalNumberField(line, 3, FieldName(3)), radius, refusal))
    return refusal;
  pvi.radius = radius.value_or(0);
  // Refused with its line, before any later line is read.
  if (PviFault(pvi, 1))
    return ContentRefusal{
        line.number, FieldName(3),
        QStringLiteral("“%1”的值“%2”不能为负数！").arg(FieldName(3), EchoedText(line.fields[3]))};
  return pvi;
}

}  // namespace

FileOutcome<VerticalProfile> ReadProfileFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseProfileFile(std::get<QByteArray>(bytes)));
}

ContentOutcome<VerticalProfile> ParseProfileFile(const QByteArray& bytes) {
  QStringList columns{QString()};
  for (qsizetype n = 1; n < kFieldCount; ++n) columns.append(FieldName(n));
  std::vector<int> lines;
  // One field more than a line may hold, so that a fifth is refused rather
  // than read as part of R.
  auto read = ParseRecords<Pvi>(
      bytes, kFieldCount + 1, columns, [](const DelimitedLine& line) { return ParsePviLine(line); },
      &lines);
  if (auto* refusal = std::get_if<ContentRefusal>(&read)) return std::move(*refusal);
  auto pvis = std::get<std::vector<Pvi>>(std::move(read));
  if (pvis.empty()) return NoRecords(QStringLiteral("变坡点"));
  auto made = MakeVerticalProfile(std::move(pvis));
  if (auto* refusal = std::get_if<ProfileRefusal>(&made)) {
    const QString message = QString::fromStdString(refusal->message);
    if (refusal->pvi < 1 || refusal->pvi > lines.size()) return WholeFileRefusal(message);
    return LineRefusal(lines[refusal->pvi - 1], message);
  }
  return std::get<VerticalProfile>(std::move(made));
}

FileOutcome<QByteArray> ProfileFileBytes(const QString& path, const std::vector<Pvi>& pvis) {
  QStringList header;
  for (qsizetype n = 0; n < kFieldCount; ++n) header.append(FieldName(n));
  QString text = header.join(u',') + QStringLiteral("\r\n");
  for (size_t i = 0; i < pvis.size(); ++i) {
    const QString name = QString::fromStdString(pvis[i].name);
    if (name.contains(u',') || name.contains(u'，') || name.contains(u'\t') ||
        name.contains(u'\r') || name.contains(u'\n'))
      return CannotSave(path,
                        QStringLiteral("第%1个变坡点的名称含有逗号、制表符或换行符").arg(i + 1));
    // The file gives R alone, which reads back as a parabola's: another
    // curve, with other heights.
    if (pvis[i].curve == VerticalCurveKind::kCircle)
      return CannotSave(path, QStringLiteral("变坡点“%1”的竖曲线是圆曲线，变坡点表只能记抛物线"
                                             "竖曲线，请保存为LandXML")
                                  .arg(name));
    text +=
        name + u',' + QString::fromStdString(GeneralText(pvis[i].station)) + u',' +
        QString::fromStdString(GeneralText(pvis[i].elevation)) + u',' +
        (pvis[i].radius == 0 ? QString() : QString::fromStdString(GeneralText(pvis[i].radius))) +
        QStringLiteral("\r\n");
  }
  if (auto bytes = EncodeGbk(text)) return std::move(*bytes);
  return CannotSave(path, QStringLiteral("文件中有GBK编码无法表示的字符"));
}

std::optional<FileRefusal> SaveProfileFile(const QString& path, const std::vector<Pvi>& pvis) {
  FileOutcome<QByteArray> bytes = ProfileFileBytes(path, pvis);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return SaveFileBytes(path, std::get<QByteArray>(bytes));
}

}  // namespace tarnvel
