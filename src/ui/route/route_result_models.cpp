#include "route_result_models.h"

#include <QStringList>

#include "angle.h"
#include "curve_table_text.h"
#include "number_text.h"
#include "offset_text.h"
#include "station_text.h"

namespace tarnvel {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// The offset's column says which sign is left, as the cells say each side.
const QString kOffsetColumn = QStringLiteral("偏距(左−)");

const QStringList kStakeoutColumns = {
    QStringLiteral("点名"),       QStringLiteral("桩号"), kOffsetColumn,
    QStringLiteral("偏角"),       QStringLiteral("X"),    QStringLiteral("Y"),
    QStringLiteral("切线方位角"), QStringLiteral("线元"), QStringLiteral("说明")};

const QStringList kInverseColumns = {
    QStringLiteral("点名"), QStringLiteral("X"),    QStringLiteral("Y"),   QStringLiteral("桩号"),
    kOffsetColumn,          QStringLiteral("线元"), QStringLiteral("候选")};

QVariant Header(const QStringList& columns, int section, Qt::Orientation orientation, int role) {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return columns.value(section);
}

QVariant Alignment(int column, int nameColumns) {
  return column < nameColumns ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                              : QVariant(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

std::vector<ForwardCsvRow> StakeoutModel::setRows(std::vector<ForwardCsvRow> rows) {
  beginResetModel();
  rows_.swap(rows);
  endResetModel();
  return rows;
}

void StakeoutModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  if (!rows_.empty()) emit dataChanged(index(0, 1), index(rowCount() - 1, 1));
}

int StakeoutModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int StakeoutModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kStakeoutColumns.size());
}

QVariant StakeoutModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return Header(kStakeoutColumns, section, orientation, role);
}

QVariant StakeoutModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole)
    return index.column() == 8 ? QVariant(Qt::AlignCenter) : Alignment(index.column(), 1);
  if (role != Qt::DisplayRole) return {};
  const ForwardCsvRow& row = rows_[static_cast<std::size_t>(index.row())];
  const RoutePoint& p = row.point;
  switch (index.column()) {
    case 0:
      return Text(row.name);
    case 1:
      return Text(KStationText(p.station, stationPrefix_));
    case 2:
      return Text(SidedOffsetText(p.offset, 3));
    case 3:
      return Text(GeneralText(p.skewDms));
    case 4:
      return Text(FixedText(p.result.point.X, 4));
    case 5:
      return Text(FixedText(p.result.point.Y, 4));
    case 6:
      return Text(AzimuthDmsText(p.result.azimuth));
    case 7:
      return p.element;
    case 8:
      return Text(RowNote(p));  // with 长链第2支 on a 长链's second branch
    default:
      return {};
  }
}

std::vector<InverseCsvRow> InverseModel::setRows(std::vector<InverseCsvRow> rows) {
  beginResetModel();
  rows_.swap(rows);
  endResetModel();
  return rows;
}

void InverseModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  if (!rows_.empty()) emit dataChanged(index(0, 3), index(rowCount() - 1, 3));
}

int InverseModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int InverseModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kInverseColumns.size());
}

QVariant InverseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return Header(kInverseColumns, section, orientation, role);
}

QVariant InverseModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return Alignment(index.column(), 1);
  if (role != Qt::DisplayRole) return {};
  const InverseCsvRow& row = rows_[static_cast<std::size_t>(index.row())];
  const RouteFoot* foot = row.foot ? &*row.foot : nullptr;
  switch (index.column()) {
    case 0:
      return Text(row.name);
    case 1:
      return Text(row.x);
    case 2:
      return Text(row.y);
    case 3:
      return foot ? Text(KStationText(foot->station, stationPrefix_)) : QString();
    case 4:
      return foot ? Text(SidedOffsetText(foot->offset, 3)) : QString();
    case 5:
      return foot ? QVariant(foot->element) : QVariant(QString());
    case 6:
      return QStringLiteral("%1/%2").arg(row.rank).arg(row.count);
    default:
      return {};
  }
}

void CurveTableModel::setRows(std::vector<CurveRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int CurveTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CurveTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kCurveTableColumns.size());
}

QVariant CurveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  const auto name = kCurveTableColumns[static_cast<std::size_t>(section)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QVariant CurveTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) return Alignment(index.column(), 2);
  if (role != Qt::DisplayRole) return {};
  // A curve table has tens of rows: its texts are made afresh each time.
  const auto texts = CurveRowTexts(rows_[static_cast<std::size_t>(index.row())]);
  return Text(texts[static_cast<std::size_t>(index.column())]);
}

}  // namespace tarnvel
