#include "io/files/delimited_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/text/number_reading.h"
#include "core/text/refusal.h"
#include "core/text/station_text.h"
#include "io/files/echoed_text.h"
#include "io/files/read_file.h"
#include "io/files/text_lines.h"
#include "io/files/utf16_text.h"

namespace tarnvel {

namespace {

constexpr QChar kFullWidthComma = QChar(0xFF0C);
constexpr QChar kIdeographicSpace = QChar(0x3000);

bool IsSpace(QChar c) {
  return c == u' ' || c == kIdeographicSpace;
}
bool IsHardSeparator(QChar c) {
  return c == u',' || c == kFullWidthComma || c == u'\t';
}

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

bool IsAsciiDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// A number too large for a double has the shape of a number still; anything
// else that strict reading refuses is simply not one.
bool LooksLikeNumber(const std::string& text) {
  return std::isinf(ReadLenient(text)) &&
         text.find_first_not_of("0123456789+-.eE ") == std::string::npos;
}

// The number `text` of field `index`, the field's whole text or the part
// of it that holds the number; a refusal quotes the whole field.
ContentOutcome<double> ReadNumberText(const DelimitedLine& line, qsizetype index,
                                      const QString& name, const std::string& text) {
  if (const std::optional<double> value = ReadStrict(text)) return *value;
  const std::string quoted = EchoedText(line.fields[index]).toStdString();
  return ContentRefusal{
      line.number, name,
      QStringLiteral("“%1”的值").arg(name) +
          QString::fromStdString(LooksLikeNumber(text) ? OutOfNumberRangeText(quoted)
                                                       : NotANumberText(quoted))};
}

}  // namespace

ContentOutcome<QString> DecodeDelimitedText(const QByteArray& bytes) {
  if (HasUtf16ByteOrderMark(bytes)) {
    std::optional<QByteArray> utf8 = Utf16AsUtf8(bytes);
    if (!utf8) return NeitherUtf8NorGbk();
    return QString::fromUtf8(*utf8);
  }
  std::optional<QString> text = DecodeUtf8OrGbk(bytes);
  if (!text) return NeitherUtf8NorGbk();
  return std::move(*text);
}

FileOutcome<QString> ReadDelimitedFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, DecodeDelimitedText(std::get<QByteArray>(bytes)));
}

std::optional<QStringList> SplitDelimitedLine(QStringView line, qsizetype maxFields) {
  const QStringView visible = Trimmed(line);
  if (visible.isEmpty() || visible.startsWith(u'#')) return std::nullopt;
  bool hard = false;
  for (QChar c : visible) hard = hard || IsHardSeparator(c);
  QStringList fields = hard ? SplitAtSeparators(line) : SplitAtSpaces(line, maxFields);
  DropEmptyTail(fields);
  if (fields.isEmpty()) return std::nullopt;  // a row of empty spreadsheet cells
  return fields;
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
    if (std::optional<QStringList> fields = SplitDelimitedLine(line, maxFields))
      lines.append({number, std::move(*fields)});
  }
  return lines;
}

namespace {

// Each line of a file's whole content as text, to `line` until it returns
// false; refused as ForEachDelimitedLine refuses before any record.
std::optional<ContentRefusal> ForEachTextLine(
    const QByteArray& bytes, const std::function<bool(int number, QString&& text)>& line) {
  // A UTF-16 file's lines are read from its text made UTF-8, where a line
  // end is a single byte as ByteLines needs, never part of a character's
  // bytes.
  if (HasUtf16ByteOrderMark(bytes)) {
    const std::optional<QByteArray> utf8 = Utf16AsUtf8(bytes);
    if (!utf8) return NeitherUtf8NorGbk();
    return ForEachTextLine(*utf8, line);
  }
  const BytePieces whole = [&bytes](const std::function<bool(QByteArrayView)>& piece) {
    piece(bytes);
    return true;
  };
  ContentOutcome<bool> utf8 = CheckTextLines(whole, kLongestDelimitedLine);
  if (auto* refusal = std::get_if<ContentRefusal>(&utf8)) return std::move(*refusal);
  ForEachLineText(whole, std::get<bool>(utf8), line);
  return std::nullopt;
}

}  // namespace

std::optional<ContentRefusal> ForEachDelimitedRecord(const QByteArray& bytes, qsizetype maxFields,
                                                     const DelimitedLineHandler& handle) {
  std::optional<ContentRefusal> refusal;
  if (auto unread = ForEachTextLine(bytes, [&](int number, QString&& text) {
        std::optional<QStringList> fields = SplitDelimitedLine(text, maxFields);
        if (!fields) return true;
        refusal = handle(DelimitedLine{number, std::move(*fields)});
        return !refusal;
      }))
    return unread;
  return refusal;
}

DelimitedLineHandler SkippingHeader(const QStringList& columns, const DelimitedLineHandler& handle,
                                    const RecordTest& anywhere) {
  return [columns, handle, anywhere,
          header_unseen = true](DelimitedLine&& line) mutable -> std::optional<ContentRefusal> {
    if (header_unseen && !(anywhere && anywhere(line.fields))) {
      header_unseen = false;
      if (IsHeader(line.fields, columns)) return std::nullopt;
    }
    return handle(std::move(line));
  };
}

std::optional<ContentRefusal> ForEachDelimitedLine(const QByteArray& bytes, qsizetype maxFields,
                                                   const QStringList& columns,
                                                   const DelimitedLineHandler& handle,
                                                   const RecordTest& anywhere) {
  return ForEachDelimitedRecord(bytes, maxFields, SkippingHeader(columns, handle, anywhere));
}

size_t LineCount(const QByteArray& bytes) {
  if (HasUtf16ByteOrderMark(bytes)) {
    const std::optional<QByteArray> utf8 = Utf16AsUtf8(bytes);
    return utf8 ? LineCount(*utf8) : 0;
  }
  // Each CR LF, LF or CR ends a line, and the bytes after the last end are
  // one more, as ByteLines splits them.
  size_t count = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    ++count;
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
  }
  if (!bytes.isEmpty() && bytes.back() != '\r' && bytes.back() != '\n') ++count;
  return count;
}

ContentOutcome<QString> FirstDelimitedLine(const QByteArray& bytes) {
  QString first;
  if (auto refusal = ForEachTextLine(bytes, [&](int, QString&& text) {
        first = std::move(text);
        return false;
      }))
    return std::move(*refusal);
  return first;
}

ContentOutcome<std::optional<QStringList>> FirstDelimitedRecord(const QByteArray& bytes,
                                                                qsizetype maxFields,
                                                                const RecordTest& anywhere) {
  std::optional<QStringList> first;
  if (auto refusal = ForEachTextLine(bytes, [&](int, QString&& text) {
        first = SplitDelimitedLine(text, maxFields);
        if (first && anywhere && anywhere(*first)) first.reset();
        return !first;
      }))
    return std::move(*refusal);
  return first;
}

bool StartsWithNumber(const QString& field) {
  qsizetype i = 0;
  if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) ++i;
  if (i < field.size() && field[i] == u'.') ++i;
  return i < field.size() && IsAsciiDigit(field[i]);
}

bool IsHeader(const QStringList& first, const QStringList& columns) {
  bool names_a_column = false;
  for (qsizetype i = 0; i < std::min(first.size(), columns.size()); ++i)
    names_a_column = names_a_column || (!columns[i].isEmpty() && first[i] == columns[i]);
  const auto reads_as_data = [](const QString& field) {
    return StartsWithNumber(field) || BeginsLikeStationText(field.toStdString());
  };
  return names_a_column || std::none_of(first.begin(), first.end(), reads_as_data);
}

ContentOutcome<double> ReadNumberField(const DelimitedLine& line, qsizetype index,
                                       const QString& name) {
  if (index >= line.fields.size() || line.fields[index].isEmpty())
    return ContentRefusal{line.number, name, QStringLiteral("缺少“%1”！").arg(name)};
  return ReadNumberText(line, index, name, line.fields[index].toStdString());
}

ContentOutcome<double> ReadStationField(const DelimitedLine& line, qsizetype index,
                                        const QString& name, int* pass) {
  if (index >= line.fields.size() || line.fields[index].isEmpty())
    return ReadNumberField(line, index, name);
  const std::string whole = line.fields[index].toStdString();
  const StationPass split = SplitStationPass(whole);
  const std::string text(pass ? split.station : std::string_view(whole));
  if (pass) *pass = split.pass;
  if (!BeginsLikeStationText(text)) return ReadNumberText(line, index, name, text);
  if (const std::optional<double> station = ReadStationText(text)) return *station;
  return ContentRefusal{
      line.number, name,
      QStringLiteral("“%1”的值“%2”不是有效的桩号！").arg(name, EchoedText(line.fields[index]))};
}

ContentOutcome<std::optional<double>> ReadOptionalNumberField(const DelimitedLine& line,
                                                              qsizetype index,
                                                              const QString& name) {
  if (index >= line.fields.size() || line.fields[index].isEmpty()) return std::optional<double>();
  ContentOutcome<double> value = ReadNumberField(line, index, name);
  if (auto* refusal = std::get_if<ContentRefusal>(&value)) return std::move(*refusal);
  return std::optional<double>(std::get<double>(value));
}

ContentRefusal TooManyFields(const DelimitedLine& line, qsizetype most) {
  return {line.number,
          {},
          QStringLiteral("有%1个字段，最多%2个！")
              .arg(QString::number(line.fields.size()), QString::number(most))};
}

ContentRefusal LineRefusal(int line, const QString& reason) {
  return {line, {}, u'：' + reason};
}

ContentRefusal NoRecords(const QString& what) {
  return {0, {}, QStringLiteral("中没有%1！").arg(what)};
}

ContentRefusal WholeFileRefusal(const QString& reason) {
  return {0, {}, u'：' + reason};
}

}  // namespace tarnvel
