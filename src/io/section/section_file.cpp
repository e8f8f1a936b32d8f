#include "io/section/section_file.h"

#include <algorithm>
#include <vector>

#include "core/section/section_rules.h"
#include "core/text/number_text.h"
#include "io/files/delimited_text.h"
#include "io/files/gbk_text.h"
#include "io/files/read_file.h"
#include "io/files/save_file.h"

namespace tarnvel {

namespace {

// More columns than any 路基设计表 has parts; a line of spaces is split no
// further, so that the rest shows as one column, refused.
constexpr qsizetype kMostColumns = 1024;

const QString kStation = QStringLiteral("桩号");
const QString kDesignOffset = QStringLiteral("设计线偏距");

// What a column of the table holds.
struct Column {
  enum Kind { kWidth, kSlope, kDesignOffset } kind = kWidth;
  bool left = false;
  std::size_t part = 0;  // on its side, from the centre line outward
  QString name;          // as the header gives it
};

ContentRefusal HeaderRefusal(int line, qsizetype column, const QString& text,
                             const QString& reason) {
  return {line, text, QStringLiteral("第%1列“%2”%3").arg(column + 1).arg(text, reason)};
}

// The columns after 桩号, or the refusal of the header line.
ContentOutcome<std::vector<Column>> ReadHeader(const DelimitedLine& line,
                                               CrossSectionTable& table) {
  const QStringList& f = line.fields;
  if (f[0] != kStation)
    return ContentRefusal{line.number, kStation,
                          QStringLiteral("：缺少标题行，第1列应为“桩号”，而不是“%1”！").arg(f[0])};
  std::vector<Column> columns;
  for (qsizetype i = 1; i < f.size(); ++i) {
    const QString& text = f[i];
    if (text == kDesignOffset) {
      if (table.hasDesignOffset)
        return HeaderRefusal(line.number, i, text, QStringLiteral("重复！"));
      table.hasDesignOffset = true;
      columns.push_back({Column::kDesignOffset, false, 0, text});
      continue;
    }
    const bool side = text.startsWith(u'左') || text.startsWith(u'右');
    const bool end = text.endsWith(u'宽') || text.endsWith(u'坡');
    if (!side || !end || text.size() < 3)
      return HeaderRefusal(line.number, i, text,
                           QStringLiteral("不是“左/右+部位+宽/坡”或“设计线偏距”！"));
    const bool left = text.startsWith(u'左');
    const QString part = text.mid(1, text.size() - 2);
    const QString width = text.left(text.size() - 1) + u'宽';
    const QString slope = text.left(text.size() - 1) + u'坡';
    if (text.endsWith(u'坡'))
      return HeaderRefusal(line.number, i, text,
                           QStringLiteral("前面不是与之成对的“%1”！").arg(width));
    if (i + 1 == f.size() || f[i + 1] != slope)
      return HeaderRefusal(line.number, i, text,
                           QStringLiteral("后面不是与之成对的“%1”！").arg(slope));
    std::vector<std::string>& parts = left ? table.leftParts : table.rightParts;
    const std::string name = part.toStdString();
    for (const std::string& given : parts)
      if (given == name) return HeaderRefusal(line.number, i, text, QStringLiteral("重复！"));
    parts.push_back(name);
    columns.push_back({Column::kWidth, left, parts.size() - 1, text});
    columns.push_back({Column::kSlope, left, parts.size() - 1, slope});
    ++i;
  }
  return columns;
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

ContentOutcome<SectionStation> ReadStationLine(const DelimitedLine& line,
                                               const CrossSectionTable& table,
                                               const std::vector<Column>& columns) {
  const auto most = static_cast<qsizetype>(columns.size()) + 1;
  if (line.fields.size() > most) return TooManyFields(line, most);
  SectionStation s;
  s.left.resize(table.leftParts.size());
  s.right.resize(table.rightParts.size());
  ContentRefusal refusal;
  if (!Take(ReadStationField(line, 0, kStation), s.station, refusal)) return refusal;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const Column& c = columns[k];
    const auto index = static_cast<qsizetype>(k) + 1;
    if (c.kind == Column::kDesignOffset) {
      std::optional<double> offset;
      if (!Take(ReadOptionalNumberField(line, index, c.name), offset, refusal)) return refusal;
      s.designOffset = offset.value_or(0);
      continue;
    }
    SectionPart& part = (c.left ? s.left : s.right)[c.part];
    double& value = c.kind == Column::kWidth ? part.width : part.slope;
    if (!Take(ReadNumberField(line, index, c.name), value, refusal)) return refusal;
  }
  return s;
}

// The refusal of the line whose station SectionStationFault refuses, in
// the file's words, quoting the field as typed; `lastLine` and `lastText`
// are the line and station text before it.
ContentRefusal StationRefusal(const SectionFault& fault, const DelimitedLine& line,
                              const std::vector<Column>& columns, int lastLine,
                              const QString& lastText) {
  if (fault.kind == SectionFault::Kind::kStationNotIncreasing)
    return ContentRefusal{line.number, kStation,
                          QStringLiteral("的桩号“%1”不大于第%2行的桩号“%3”，桩号必须递增！")
                              .arg(line.fields[0])
                              .arg(lastLine)
                              .arg(lastText)};
  const bool width = fault.kind == SectionFault::Kind::kNegativeWidth;
  const auto at = std::find_if(columns.begin(), columns.end(), [&](const Column& c) {
    return width ? c.kind == Column::kWidth && c.left == fault.left && c.part == fault.part
                 : c.kind == Column::kDesignOffset;
  });
  const QString& text = line.fields[(at - columns.begin()) + 1];
  if (width)
    return ContentRefusal{line.number, at->name,
                          QStringLiteral("的“%1”为“%2”，宽度不能为负数！").arg(at->name, text)};
  return ContentRefusal{line.number, kDesignOffset,
                        QStringLiteral("的“设计线偏距”为“%1”，超出%2侧路基宽度%3 m！")
                            .arg(text, fault.left ? QStringLiteral("左") : QStringLiteral("右"),
                                 QString::fromStdString(FixedText(fault.sideWidth, 3)))};
}

}  // namespace

FileOutcome<CrossSectionTable> ReadSectionFile(const QString& path) {
  FileOutcome<QByteArray> bytes = ReadFileBytes(path, kDelimitedFileReadLimit);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return InFile(path, ParseSectionFile(std::get<QByteArray>(bytes)));
}

ContentOutcome<CrossSectionTable> ParseSectionFile(const QByteArray& bytes) {
  CrossSectionTable table;
  std::optional<std::vector<Column>> columns;
  // The line and text of the last station, for the refusal of the next.
  int lastLine = 0;
  QString lastText;
  const std::optional<ContentRefusal> refusal = ForEachDelimitedRecord(
      bytes, kMostColumns, [&](DelimitedLine&& line) -> std::optional<ContentRefusal> {
        if (!columns) {
          auto header = ReadHeader(line, table);
          if (auto* refused = std::get_if<ContentRefusal>(&header)) return std::move(*refused);
          columns = std::get<std::vector<Column>>(std::move(header));
          return std::nullopt;
        }
        auto read = ReadStationLine(line, table, *columns);
        if (auto* refused = std::get_if<ContentRefusal>(&read)) return std::move(*refused);
        table.stations.push_back(std::get<SectionStation>(std::move(read)));
        if (auto fault = SectionStationFault(table, table.stations.size() - 1))
          return StationRefusal(*fault, line, *columns, lastLine, lastText);
        lastLine = line.number;
        lastText = line.fields[0];
        return std::nullopt;
      });
  if (refusal) return std::move(*refusal);
  if (!columns) return NoRecords(QStringLiteral("标题行"));
  if (table.stations.empty()) return NoRecords(QStringLiteral("横断面数据"));
  return table;
}

QStringList SectionColumnNames(const CrossSectionTable& table) {
  QStringList names{kStation};
  for (const bool left : {true, false})
    for (const std::string& part : left ? table.leftParts : table.rightParts) {
      const QString name = (left ? u'左' : u'右') + QString::fromStdString(part);
      names << name + u'宽' << name + u'坡';
    }
  if (table.hasDesignOffset) names << kDesignOffset;
  return names;
}

FileOutcome<QByteArray> SectionFileBytes(const QString& path, const CrossSectionTable& table) {
  const QStringList header = SectionColumnNames(table);
  for (const QString& name : header)
    if (name.contains(u',') || name.contains(u'，') || name.contains(u'\t') ||
        name.contains(u'\r') || name.contains(u'\n'))
      return CannotSave(path, QStringLiteral("部位“%1”的名称含有逗号、制表符或换行符").arg(name));
  QString text = header.join(u',') + QStringLiteral("\r\n");
  const auto number = [](double x) { return QString::fromStdString(GeneralText(x)); };
  for (const SectionStation& s : table.stations) {
    text += number(s.station);
    for (const auto* parts : {&s.left, &s.right})
      for (const SectionPart& part : *parts)
        text += u',' + number(part.width) + u',' + number(part.slope);
    if (table.hasDesignOffset) text += u',' + number(s.designOffset);
    text += QStringLiteral("\r\n");
  }
  if (auto bytes = EncodeGbk(text)) return std::move(*bytes);
  return CannotSave(path, QStringLiteral("文件中有GBK编码无法表示的字符"));
}

std::optional<FileRefusal> SaveSectionFile(const QString& path, const CrossSectionTable& table) {
  FileOutcome<QByteArray> bytes = SectionFileBytes(path, table);
  if (auto* refusal = std::get_if<FileRefusal>(&bytes)) return std::move(*refusal);
  return SaveFileBytes(path, std::get<QByteArray>(bytes));
}

}  // namespace tarnvel
