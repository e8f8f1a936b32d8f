#include "ui/common/text_grid_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <utility>

#include "ui/common/pasted_cells.h"

namespace tarnvel {

namespace {

const QColor kFaultColour(255, 205, 205);

}  // namespace

TextGridModel::TextGridModel(QStringList columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

int TextGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return columns_.value(section);
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() < columns_.size()) flags |= Qt::ItemIsEditable;
  return flags;
}

QString TextGridModel::cellProblem(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columns_.size()) return {};
  QString message = cellFault(row, column, rows_[static_cast<size_t>(row)][column]);
  if (message.isEmpty() && fault_ && fault_->row == row &&
      (fault_->column == column || fault_->column < 0))
    message = fault_->message;
  return message;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() >= columns_.size()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return rows_[static_cast<size_t>(index.row())][index.column()];
    case Qt::BackgroundRole:
      return cellProblem(index.row(), index.column()).isEmpty() ? QVariant()
                                                                : QVariant(QBrush(kFaultColour));
    case Qt::ToolTipRole: {
      const QString message = cellProblem(index.row(), index.column());
      return message.isEmpty() ? QVariant() : QVariant(message);
    }
    default:
      return {};
  }
}

bool TextGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.column() >= columns_.size()) return false;
  QString& cell = rows_[static_cast<size_t>(index.row())][index.column()];
  const QString text = value.toString();
  if (cell == text) return true;
  cell = text;
  changed();
  return true;
}

bool TextGridModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows({}, row, row + count - 1);
  rows_.insert(rows_.begin() + row, static_cast<size_t>(count), blankRow());
  endInsertRows();
  changed();
  return true;
}

bool TextGridModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows({}, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  endRemoveRows();
  changed();
  return true;
}

bool TextGridModel::isHeaderRow(const QStringList&) const {
  return false;
}

void TextGridModel::makeRoom(int) {}

void TextGridModel::paste(int row, int column, const QString& text) {
  QList<QStringList> cells = PastedCells(text);
  if (!cells.isEmpty() && isHeaderRow(cells.front())) cells.removeFirst();
  if (cells.isEmpty() || row < 0 || column < 0 || column >= columns_.size()) return;
  qsizetype widest = 0;
  for (const QStringList& line : cells) widest = std::max(widest, line.size());
  makeRoom(column + static_cast<int>(widest));
  const int needed = row + static_cast<int>(cells.size());
  if (needed > rowCount()) {
    beginInsertRows({}, rowCount(), needed - 1);
    rows_.resize(static_cast<size_t>(needed), blankRow());
    endInsertRows();
  }
  for (qsizetype i = 0; i < cells.size(); ++i) {
    QStringList& texts = rows_[static_cast<size_t>(row + i)];
    for (qsizetype c = 0; c < cells[i].size() && column + c < columns_.size(); ++c)
      texts[column + c] = cells[i][c];
  }
  changed();
}

void TextGridModel::setRows(std::vector<QStringList> rows, std::optional<QStringList> columns) {
  beginResetModel();
  if (columns) columns_ = std::move(*columns);
  rows_ = std::move(rows);
  for (QStringList& row : rows_) row.resize(columns_.size());
  endResetModel();
  modified_ = false;
  read();
}

void TextGridModel::setColumns(QStringList columns) {
  const auto count = static_cast<int>(columns.size());
  const int old = columnCount();
  if (count > old) beginInsertColumns({}, old, count - 1);
  if (count < old) beginRemoveColumns({}, count, old - 1);
  columns_ = std::move(columns);
  for (QStringList& row : rows_) row.resize(count);
  if (count > old) endInsertColumns();
  if (count < old) endRemoveColumns();
  if (count > 0) emit headerDataChanged(Qt::Horizontal, 0, count - 1);
}

void TextGridModel::rewriteColumn(int column,
                                  const std::function<QString(const QString&)>& rewrite) {
  for (QStringList& row : rows_) row[column] = rewrite(row[column]);
  if (!rows_.empty()) emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

void TextGridModel::changed() {
  modified_ = true;
  read();
  emit edited();
}

// Every change reads the whole table again: a table of hundreds of rows
// takes well under a millisecond, and one pass keeps the marks consistent.
void TextGridModel::read() {
  fault_.reset();
  problem_.clear();
  for (size_t r = 0; r < rows_.size() && problem_.isEmpty(); ++r)
    for (int c = 0; c < columns_.size() && problem_.isEmpty(); ++c)
      problem_ = cellFault(static_cast<int>(r), c, rows_[r][c]);
  fault_ = readRows(problem_.isEmpty());
  if (fault_) problem_ = fault_->message;
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  emit rowsRead();
}

QStringList TextGridModel::blankRow() const {
  QStringList row;
  row.resize(columns_.size());
  return row;
}

}  // namespace tarnvel
