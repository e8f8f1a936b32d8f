#include "delimited_text.h"

#include <algorithm>
#include <cmath>

#include "number_reading.h"
#include "read_file.h"
#include "refusal.h"
#include "station_text.h"

namespace tarnvel {

namespace {

constexpr QChar kFullWidthComma = QChar(0xFF0C);
constexpr QChar kIdeographicSpace = QChar(0x3000);

bool IsSpace(QChar c) { return c == u' ' || c == kIdeographicSpace; }
bool IsHardSeparator(QChar c) { return c == u',' || c == kFullWidthComma || c == u'\t'; }

QStringView Trimmed(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

QStringList SplitAtSeparators(QStringView line) {
  QStringList fields;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    if (i < line.size() && !IsHardSeparator(line[i])) continue;
    fields.append(Trimmed(line.sliced(start, i - start)).toString());
    start = i + 1;
  }
  return fields;
}

QStringList SplitAtSpaces(QStringView line, qsizetype maxFields) {
  QStringList fields;
  qsizetype i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i == line.size()) break;
    if (fields.size() + 1 == maxFields) {
      fields.append(Trimmed(line.sliced(i)).toString());
      break;
    }
    const qsizetype start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    fields.append(line.sliced(start, i - start).toString());
  }
  return fields;
}

// A field a spreadsheet left empty at the end of a row is no field at all.
void DropEmptyTail(QStringList& fields) {
  while (!fields.isEmpty() && fields.back().isEmpty()) fields.removeLast();
}

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// A number too large for a double has the shape of a number still; anything
// else that strict reading refuses is simply not one.
bool LooksLikeNumber(const std::string& text) {
  return std::isinf(ReadLenient(text)) &&
         text.find_first_not_of("0123456789+-.eE ") == std::string::npos;
}

QString LinePrefix(const QString& path, int line) {
  return QStringLiteral("文件“%1”第%2行").arg(FileNameForMessage(path), QString::number(line));
}

QString FieldLabel(const QString& path, int line, const QString& name) {
  return LinePrefix(path, line) + QStringLiteral("“%1”").arg(name);
}

}  // namespace

FileOutcome<QString> DecodeDelimitedText(const QString& path, const QByteArray& bytes) {
  std::optional<QString> text = DecodeUtf8OrGbk(bytes);
  if (!text)
    return FileRefusal{QStringLiteral("文件“%1”不是UTF-8或GBK编码的文字，无法读取！")
                           .arg(FileNameForMessage(path))};
  return std::move(*text);
}

FileOutcome<QString> ReadDelimitedFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return DecodeDelimitedText(path, std::get<QByteArray>(bytes));
}

QList<DelimitedLine> SplitDelimitedLines(const QString& text, qsizetype maxFields) {
  QList<DelimitedLine> lines;
  int number = 0;
  qsizetype start = 0;
  const qsizetype size = text.size();
  while (start < size) {
    qsizetype end = start;
    while (end < size && text[end] != u'\r' && text[end] != u'\n') ++end;
    const QStringView line = QStringView(text).sliced(start, end - start);
    ++number;
    start = end + (end + 1 < size && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);

    const QStringView visible = Trimmed(line);
    if (visible.isEmpty() || visible.startsWith(u'#')) continue;
    bool hard = false;
    for (QChar c : visible) hard = hard || IsHardSeparator(c);
    QStringList fields = hard ? SplitAtSeparators(line) : SplitAtSpaces(line, maxFields);
    DropEmptyTail(fields);
    if (fields.isEmpty()) continue;  // a row of empty spreadsheet cells
    lines.append({number, std::move(fields)});
  }
  return lines;
}

bool StartsWithNumber(const QString& field) {
  qsizetype i = 0;
  if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) ++i;
  if (i < field.size() && field[i] == u'.') ++i;
  return i < field.size() && IsAsciiDigit(field[i]);
}

void DropHeader(QList<DelimitedLine>& lines, const QStringList& columns) {
  if (lines.isEmpty()) return;
  const QStringList& first = lines.front().fields;
  bool names_a_column = false;
  for (qsizetype i = 0; i < std::min(first.size(), columns.size()); ++i)
    names_a_column = names_a_column || (!columns[i].isEmpty() && first[i] == columns[i]);
  const auto reads_as_data = [](const QString& field) {
    return StartsWithNumber(field) || BeginsLikeStationText(field.toStdString());
  };
  if (names_a_column || std::none_of(first.begin(), first.end(), reads_as_data)) lines.removeFirst();
}

FileOutcome<double> ReadNumberField(const QString& path, const DelimitedLine& line,
                                    qsizetype index, const QString& name) {
  if (index >= line.fields.size() || line.fields[index].isEmpty())
    return FileRefusal{QStringLiteral("文件“%1”第%2行缺少“%3”！")
                           .arg(FileNameForMessage(path), QString::number(line.number), name)};
  const std::string text = line.fields[index].toStdString();
  if (const std::optional<double> value = ReadStrict(text)) return *value;
  const std::string quoted = name.toStdString();
  return FileRefusal{LinePrefix(path, line.number) +
                     QString::fromStdString(LooksLikeNumber(text) ? OutOfNumberRangeText(quoted)
                                                                  : NotANumberText(quoted))};
}

FileOutcome<double> ReadStationField(const QString& path, const DelimitedLine& line,
                                     qsizetype index, const QString& name) {
  if (index < line.fields.size()) {
    const std::string text = line.fields[index].toStdString();
    if (BeginsLikeStationText(text)) {
      if (const std::optional<double> station = ReadStationText(text)) return *station;
      return FileRefusal{FieldLabel(path, line.number, name) + QStringLiteral("不是有效的桩号！")};
    }
  }
  return ReadNumberField(path, line, index, name);
}

FileOutcome<std::optional<double>> ReadOptionalNumberField(const QString& path,
                                                           const DelimitedLine& line,
                                                           qsizetype index, const QString& name) {
  if (index >= line.fields.size() || line.fields[index].isEmpty()) return std::optional<double>();
  FileOutcome<double> value = ReadNumberField(path, line, index, name);
  if (auto* refusal = std::get_if<FileRefusal>(&value)) return std::move(*refusal);
  return std::optional<double>(std::get<double>(value));
}

FileRefusal TooManyFields(const QString& path, const DelimitedLine& line, qsizetype most) {
  return {QStringLiteral("文件“%1”第%2行有%3个字段，最多%4个！")
              .arg(FileNameForMessage(path), QString::number(line.number),
                   QString::number(line.fields.size()), QString::number(most))};
}

FileRefusal LineRefusal(const QString& path, int line, const QString& reason) {
  return {QStringLiteral("文件“%1”第%2行：%3")
              .arg(FileNameForMessage(path), QString::number(line), reason)};
}

FileRefusal NoRecords(const QString& path, const QString& what) {
  return {QStringLiteral("文件“%1”中没有%2！").arg(FileNameForMessage(path), what)};
}

}  // namespace tarnvel
