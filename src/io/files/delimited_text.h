// The text files a surveyor keeps in a spreadsheet or an editor: one record a
// line, fields apart by commas, full-width commas, tabs or spaces. The element
// table, the stations file and the points file are all read through here, so
// that they skip, split and refuse alike.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

#include "io/files/file_refusal.h"

namespace tarnvel {

// The most any of these files may hold: about a million records, far more
// than a route or a day's survey, far less than would exhaust the memory.
inline constexpr qsizetype kDelimitedFileReadLimit = 128 * 1024 * 1024;

// The longest line, in bytes, any of these files may hold: a record of a few
// numbers and a name is some dozens of bytes, and a line beyond this is no
// record but a file of another kind, refused before it is decoded.
inline constexpr qsizetype kLongestDelimitedLine = 64 * 1024;

// The text of a file's bytes: UTF-16 when they begin with its byte-order
// mark (Utf16AsUtf8), else UTF-8 when they are valid UTF-8 (a byte-order
// mark dropped), else GBK; refused when they are none of these.
ContentOutcome<QString> DecodeDelimitedText(const QByteArray& bytes);

// The whole file, read and decoded; refused as ReadFileBytes refuses.
FileOutcome<QString> ReadDelimitedFile(const QString& path);

struct DelimitedLine {
  int number = 0;      // 1-based line number in the file, for messages
  QStringList fields;  // each without surrounding spaces
};

// The fields of one line: nothing for a blank line, a line whose first
// visible character is "#", or a row of empty spreadsheet cells. A line
// holding a comma, a full-width comma or a tab is split at each of them, so an
// empty field stays in its place; any other line is split at runs of spaces
// (the ideographic space counts as one), and its field number `maxFields`
// keeps the rest of the line, spaces and all, so that a name may hold spaces.
std::optional<QStringList> SplitDelimitedLine(QStringView line, qsizetype maxFields);

// The records of a text (SplitDelimitedLine), each with its line number. CR
// LF, LF and CR each end a line.
QList<DelimitedLine> SplitDelimitedLines(const QString& text, qsizetype maxFields);

// Given each record of a file in turn; a refusal ends the reading with it.
using DelimitedLineHandler = std::function<std::optional<ContentRefusal>(DelimitedLine&&)>;

// True for a record that may stand anywhere in a file, above its header
// too, and is never the header (a route file's 断链 line).
using RecordTest = std::function<bool(const QStringList& fields)>;

// Each record of a file's whole content handed to `handle` in order, the
// first one too, for a file whose header is required and read (the cross
// sections' columns); otherwise as ForEachDelimitedLine.
std::optional<ContentRefusal> ForEachDelimitedRecord(const QByteArray& bytes, qsizetype maxFields,
                                                     const DelimitedLineHandler& handle);

// `handle` given each record but the header, as ForEachDelimitedLine gives
// them: the first record other than those `anywhere` picks out is left out
// when it is a header (IsHeader). One handler for one reading of a file.
DelimitedLineHandler SkippingHeader(const QStringList& columns, const DelimitedLineHandler& handle,
                                    const RecordTest& anywhere = {});

// Each record of a file's whole content `bytes` handed to `handle` in order,
// as SplitDelimitedLines splits the text DecodeDelimitedText gives, the first
// one other than those `anywhere` picks out left out when it is a header
// (IsHeader). Only one line is held as text at a time. Before any record, a
// line longer than kLongestDelimitedLine bytes (of UTF-8, in a UTF-16 file)
// is refused ("第3行有100000个字节，一行最多65536个字节！"), then a file
// that does not decode, as DecodeDelimitedText refuses it; the encoding is
// decided for the whole file. Nothing once every record is handled, or the
// first refusal.
std::optional<ContentRefusal> ForEachDelimitedLine(const QByteArray& bytes, qsizetype maxFields,
                                                   const QStringList& columns,
                                                   const DelimitedLineHandler& handle,
                                                   const RecordTest& anywhere = {});

// The number of lines of a file's whole content, each ended by CR LF, LF or
// CR, or by the end of the file: as many records as it may hold.
size_t LineCount(const QByteArray& bytes);

// The text of the first line of a file's whole content, empty for an empty
// file; refused as ForEachDelimitedLine refuses before any record.
ContentOutcome<QString> FirstDelimitedLine(const QByteArray& bytes);

// The fields of the record ForEachDelimitedLine takes for the header when it
// is one: the first other than those `anywhere` picks out. Nothing for a file
// without one; refused as ForEachDelimitedLine refuses before any record.
ContentOutcome<std::optional<QStringList>> FirstDelimitedRecord(const QByteArray& bytes,
                                                                qsizetype maxFields,
                                                                const RecordTest& anywhere = {});

// True when the field begins like a number: a digit, or a sign or a point
// followed by one.
bool StartsWithNumber(const QString& field);

// True when the first record `first` is a header: when one of its fields is
// the name of its column (`columns` in order, an empty name for a free text
// such as a point's name, which may be anything), or when none of its fields
// begins like a number or a station (K text). Any other first line is data,
// read and refused like the rest, never skipped unseen: a mistyped number
// ("7586.7x") or a station in K text beside a name ("P1,K8+652.052") is not a
// header.
bool IsHeader(const QStringList& first, const QStringList& columns);

// Each record of a file's whole content made a Record by `parse`
// (DelimitedLine → ContentOutcome<Record>) as ForEachDelimitedLine hands it
// over, in order, with its line number added to `lineNumbers` when given;
// the first refusal is given.
template <class Record, class Parse>
ContentOutcome<std::vector<Record>> ParseRecords(const QByteArray& bytes, qsizetype maxFields,
                                                 const QStringList& columns, Parse parse,
                                                 std::vector<int>* lineNumbers = nullptr,
                                                 const RecordTest& anywhere = {}) {
  std::vector<Record> records;
  // Room for a record a line at once: grown as they come, the list would
  // hold up to twice the room the records need.
  records.reserve(LineCount(bytes));
  if (lineNumbers) lineNumbers->reserve(records.capacity());
  std::optional<ContentRefusal> refusal = ForEachDelimitedLine(
      bytes, maxFields, columns,
      [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
        ContentOutcome<Record> record = parse(line);
        if (auto* refused = std::get_if<ContentRefusal>(&record)) return std::move(*refused);
        records.push_back(std::get<Record>(std::move(record)));
        if (lineNumbers) lineNumbers->push_back(line.number);
        return std::nullopt;
      },
      anywhere);
  if (refusal) return std::move(*refusal);
  return records;
}

// The number of field `index` of `line`, read strictly. Refusals name the
// line and the field, and quote its text as EchoedText does: missing
// ("第5行缺少“起点坐标X”！"), not a number
// ("第5行“起点坐标X”的值“3378605.4x5”不是有效的数字！") or beyond the
// double range ("第5行“起点坐标X”的值“1e999”超出数值范围！").
ContentOutcome<double> ReadNumberField(const DelimitedLine& line, qsizetype index,
                                       const QString& name);

// The station of field `index`, in metres or as K text (ReadStationText);
// refused as ReadNumberField refuses, and as
// "第5行“里程”的值“K1+19x”不是有效的桩号！" for a text that begins as K text
// but does not read. Where `pass` is given, the field may end in the suffix
// of a pass over a 长链's repeated stretch (SplitStationPass), whose pass goes
// to *pass; a refusal quotes the field, suffix and all.
ContentOutcome<double> ReadStationField(const DelimitedLine& line, qsizetype index,
                                        const QString& name, int* pass = nullptr);

// The same for a field that may be left out or empty: nothing then.
ContentOutcome<std::optional<double>> ReadOptionalNumberField(const DelimitedLine& line,
                                                              qsizetype index, const QString& name);

// "第5行有12个字段，最多9个！"
ContentRefusal TooManyFields(const DelimitedLine& line, qsizetype most);

// "第5行：" followed by the reason.
ContentRefusal LineRefusal(int line, const QString& reason);

// "中没有数据！" for a file with nothing but a header, comments and blanks.
ContentRefusal NoRecords(const QString& what);

// "：" followed by the reason, said of the file as a whole.
ContentRefusal WholeFileRefusal(const QString& reason);

}  // namespace tarnvel
