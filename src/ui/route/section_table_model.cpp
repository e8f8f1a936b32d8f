#include "section_table_model.h"

#include <QBrush>
#include <QColor>
#include <cmath>
#include <utility>

#include "number_reading.h"
#include "number_text.h"
#include "pasted_cells.h"
#include "section_file.h"
#include "section_surface.h"
#include "station_cell_text.h"
#include "station_text.h"

namespace tarnvel {

namespace {

const QColor kFaultColour(255, 205, 205);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

SectionTableModel::SectionTableModel(QObject* parent) : QAbstractTableModel(parent) {
  parts_.leftParts = parts_.rightParts = {"行车道", "土路肩"};
  columns_ = SectionColumnNames(parts_);
  recompute();
}

int SectionTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SectionTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SectionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return columns_.value(section);
}

QVariant SectionTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return rows_[static_cast<size_t>(index.row())][index.column()];
  if (role == Qt::BackgroundRole && index.row() == problemRow_) return QBrush(kFaultColour);
  if (role == Qt::ToolTipRole && index.row() == problemRow_) return problem_;
  return {};
}

Qt::ItemFlags SectionTableModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool SectionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  rows_[static_cast<size_t>(index.row())][index.column()] = value.toString().trimmed();
  emit dataChanged(index, index);
  recompute();
  return true;
}

bool SectionTableModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows(parent, row, row + count - 1);
  QStringList blank;
  for (qsizetype k = 0; k < columns_.size(); ++k) blank.append(QString());
  rows_.insert(rows_.begin() + row, static_cast<size_t>(count), blank);
  endInsertRows();
  recompute();
  return true;
}

bool SectionTableModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows(parent, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  endRemoveRows();
  recompute();
  return true;
}

void SectionTableModel::paste(int row, int column, const QString& text) {
  const QList<QStringList> cells = PastedCells(text);
  if (cells.isEmpty() || row < 0 || column < 0 || column >= columnCount()) return;
  const int needed = row + static_cast<int>(cells.size());
  if (needed > rowCount()) {
    beginInsertRows({}, rowCount(), needed - 1);
    QStringList blank;
    for (qsizetype k = 0; k < columns_.size(); ++k) blank.append(QString());
    rows_.resize(static_cast<size_t>(needed), blank);
    endInsertRows();
  }
  for (qsizetype i = 0; i < cells.size(); ++i) {
    QStringList& texts = rows_[static_cast<size_t>(row + i)];
    for (qsizetype c = 0; c < cells[i].size() && column + c < columns_.size(); ++c)
      texts[column + c] = cells[i][c];
  }
  emit dataChanged(index(row, column), index(needed - 1, columnCount() - 1));
  recompute();
}

void SectionTableModel::setTable(const CrossSectionTable& table) {
  beginResetModel();
  parts_ = {table.leftParts, table.rightParts, table.hasDesignOffset, {}};
  columns_ = SectionColumnNames(parts_);
  rows_.clear();
  for (const SectionStation& s : table.stations) {
    QStringList row{Text(KStationText(s.station, stationPrefix_))};
    for (const auto* parts : {&s.left, &s.right})
      for (const SectionPart& part : *parts)
        row << Text(GeneralText(part.width)) << Text(GeneralText(part.slope));
    if (table.hasDesignOffset) row << Text(GeneralText(s.designOffset));
    rows_.push_back(row);
  }
  endResetModel();
  recompute();
}

void SectionTableModel::setStationPrefix(const QString& prefix) {
  const std::string from = std::exchange(stationPrefix_, prefix.toStdString());
  for (QStringList& row : rows_) row[0] = ReprefixedStationText(row[0], from, stationPrefix_);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

namespace {

// What is wrong with a row: the column and what is said of it.
struct RowFault {
  qsizetype column;
  QString what;
};

// One row read into `s` as the file reader reads a line: a station in
// metres or K text, every width and slope a number, a width never negative,
// the design line on the road (a blank 设计线偏距 the centre line).
std::optional<RowFault> ReadRow(const QStringList& row, const CrossSectionTable& parts,
                                SectionStation& s) {
  const auto station = ReadStationText(row[0].toStdString());
  if (!station) return RowFault{0, QStringLiteral("不是有效的桩号！")};
  s.station = *station;
  qsizetype column = 1;
  for (const bool left : {true, false}) {
    std::vector<SectionPart>& side = left ? s.left : s.right;
    side.resize((left ? parts.leftParts : parts.rightParts).size());
    for (SectionPart& part : side) {
      for (double* value : {&part.width, &part.slope}) {
        const auto read = ReadStrict(row[column].toStdString());
        if (!read) return RowFault{column, QStringLiteral("不是有效的数字！")};
        if (value == &part.width && *read < 0)
          return RowFault{column, QStringLiteral("为负数，宽度不能为负数！")};
        *value = *read;
        ++column;
      }
    }
  }
  if (!parts.hasDesignOffset) return std::nullopt;
  const std::string text = row[column].toStdString();
  const auto offset = IsBlank(text) ? std::optional<double>(0) : ReadStrict(text);
  if (!offset) return RowFault{column, QStringLiteral("不是有效的数字！")};
  s.designOffset = *offset;
  const double side = SideWidth(s.designOffset < 0 ? s.left : s.right);
  if (std::fabs(s.designOffset) > side)
    return RowFault{column,
                    QStringLiteral("超出%1侧路基宽度%2 m！")
                        .arg(s.designOffset < 0 ? QStringLiteral("左") : QStringLiteral("右"),
                             Text(FixedText(side, 3)))};
  return std::nullopt;
}

}  // namespace

// The rows make a table when each reads and the stations increase.
void SectionTableModel::recompute() {
  const int oldRow = problemRow_;
  table_.reset();
  problem_.clear();
  problemRow_ = -1;
  CrossSectionTable table = parts_;
  for (size_t r = 0; r < rows_.size(); ++r) {
    SectionStation s;
    std::optional<RowFault> fault = ReadRow(rows_[r], parts_, s);
    if (!fault && !table.stations.empty() && !(s.station > table.stations.back().station))
      fault = RowFault{0, QStringLiteral("不大于第%1行的桩号，桩号必须递增！").arg(r)};
    if (fault) {
      problem_ =
          QStringLiteral("第%1行“%2”%3").arg(r + 1).arg(columns_[fault->column], fault->what);
      problemRow_ = static_cast<int>(r);
      break;
    }
    table.stations.push_back(std::move(s));
  }
  if (problem_.isEmpty() && !table.stations.empty()) table_ = std::move(table);
  for (int row : {oldRow, problemRow_})
    if (row >= 0 && row < rowCount())
      emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  emit tableChanged();
}

}  // namespace tarnvel
