#include "ui/route/sections/section_table_model.h"

#include <utility>

#include "core/section/section_rules.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/section/section_file.h"
#include "ui/route/common/station_cell_text.h"

namespace tarnvel {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

CrossSectionTable TwoLanes() {
  CrossSectionTable parts;
  parts.leftParts = parts.rightParts = {"行车道", "土路肩"};
  return parts;
}

// A cell's value as the file reader reads its field: the station in metres
// or K text, every width and slope a number, a blank 设计线偏距 the centre
// line.
std::optional<double> CellValue(const QString& text, int column, bool designOffset) {
  const std::string utf8 = text.trimmed().toStdString();
  if (column == 0) return ReadStationText(utf8);
  if (designOffset && IsBlank(utf8)) return 0;
  return ReadStrict(utf8);
}

}  // namespace

SectionTableModel::SectionTableModel(QObject* parent)
    : TextGridModel(SectionColumnNames(TwoLanes()), parent), parts_(TwoLanes()) {
  read();
}

void SectionTableModel::setTable(const CrossSectionTable& table) {
  parts_ = {table.leftParts, table.rightParts, table.hasDesignOffset, {}};
  std::vector<QStringList> rows;
  for (const SectionStation& s : table.stations) {
    QStringList row{Text(KStationText(s.station, stationPrefix_))};
    for (const auto* parts : {&s.left, &s.right})
      for (const SectionPart& part : *parts)
        row << Text(GeneralText(part.width)) << Text(GeneralText(part.slope));
    if (table.hasDesignOffset) row << Text(GeneralText(s.designOffset));
    rows.push_back(row);
  }
  setRows(std::move(rows), SectionColumnNames(parts_));
}

void SectionTableModel::setStationPrefix(const QString& prefix) {
  const std::string from = std::exchange(stationPrefix_, prefix.toStdString());
  rewriteColumn(
      0, [&](const QString& text) { return ReprefixedStationText(text, from, stationPrefix_); });
}

QString SectionTableModel::cellFault(int row, int column, const QString& text) const {
  const bool designOffset = parts_.hasDesignOffset && column + 1 == columnCount();
  if (CellValue(text, column, designOffset)) return {};
  return QStringLiteral("第%1行“%2”%3")
      .arg(row + 1)
      .arg(columnName(column),
           column == 0 ? QStringLiteral("不是有效的桩号！") : QStringLiteral("不是有效的数字！"));
}

std::optional<SectionTableModel::Fault> SectionTableModel::readRows(bool cellsRead) {
  table_.reset();
  if (!cellsRead || rows().empty()) return std::nullopt;
  CrossSectionTable table = parts_;
  for (const QStringList& row : rows()) {
    SectionStation& s = table.stations.emplace_back();
    const auto value = [&](int column) {
      return *CellValue(row[column], column, parts_.hasDesignOffset && column + 1 == row.size());
    };
    s.station = value(0);
    int column = 1;
    for (auto* side : {&s.left, &s.right}) {
      side->resize((side == &s.left ? parts_.leftParts : parts_.rightParts).size());
      for (SectionPart& part : *side) {
        part.width = value(column++);
        part.slope = value(column++);
      }
    }
    if (parts_.hasDesignOffset) s.designOffset = value(column);
  }
  auto made = MakeCrossSectionTable(std::move(table));
  if (auto* fault = std::get_if<SectionFault>(&made)) {
    const int row = static_cast<int>(fault->station);
    const auto at = [&](int column, const QString& what) {
      return Fault{row, column,
                   QStringLiteral("第%1行“%2”%3").arg(row + 1).arg(columnName(column), what)};
    };
    switch (fault->kind) {
      case SectionFault::Kind::kNegativeWidth:
        return at(1 + 2 * static_cast<int>(fault->left ? fault->part
                                                       : parts_.leftParts.size() + fault->part),
                  QStringLiteral("为负数，宽度不能为负数！"));
      case SectionFault::Kind::kDesignOffsetOffRoad:
        return at(columnCount() - 1,
                  QStringLiteral("超出%1侧路基宽度%2 m！")
                      .arg(fault->left ? QStringLiteral("左") : QStringLiteral("右"),
                           Text(FixedText(fault->sideWidth, 3))));
      case SectionFault::Kind::kStationNotIncreasing:
        return at(0, QStringLiteral("不大于第%1行的桩号，桩号必须递增！").arg(row));
    }
  }
  table_ = std::get<CrossSectionTable>(std::move(made));
  return std::nullopt;
}

}  // namespace tarnvel
