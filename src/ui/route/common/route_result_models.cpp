#include "ui/route/common/route_result_models.h"

#include <QStringList>

#include "core/profile/cut_fill_text.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "core/text/offset_text.h"
#include "core/text/station_text.h"

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

// 设计高程, 高差 and 挖填, as the command's CSV heads them.
const QStringList kHeightColumns =
    QString::fromUtf8(kCutFillColumns.data(), static_cast<qsizetype>(kCutFillColumns.size()))
        .split(u',');

QVariant Header(const QStringList& columns, int section, Qt::Orientation orientation, int role) {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return columns.value(section);
}

// The columns of a table, those a profile adds last when the rows carry
// heights.
QStringList Columns(const QStringList& plain, const VerticalProfile* profile, int heights) {
  return profile ? plain + kHeightColumns.mid(0, heights) : plain;
}

// Why a row with a station has no 设计高程: the station is outside the profile.
QVariant OutsideNote(const VerticalProfile& profile, double station) {
  return Text(StationOutsideProfile(profile, station).message);
}

QVariant Alignment(int column, int nameColumns) {
  return column < nameColumns ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                              : QVariant(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

std::vector<StakeRow> StakeoutModel::setRows(std::vector<StakeRow> rows,
                                             std::shared_ptr<const VerticalProfile> profile) {
  beginResetModel();
  rows_.swap(rows);
  profile_ = std::move(profile);
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
  return parent.isValid() ? 0 : static_cast<int>(Columns(kStakeoutColumns, profile(), 1).size());
}

QVariant StakeoutModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return Header(Columns(kStakeoutColumns, profile(), 1), section, orientation, role);
}

QVariant StakeoutModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole)
    return index.column() == 8 ? QVariant(Qt::AlignCenter) : Alignment(index.column(), 1);
  const StakeRow& row = rows_[static_cast<std::size_t>(index.row())];
  const RoutePoint& p = row.point;
  const bool heights = index.column() == static_cast<int>(kStakeoutColumns.size());
  if (role == Qt::ToolTipRole && heights && profile_ && !row.designElevation)
    return OutsideNote(*profile_, p.station);
  if (role != Qt::DisplayRole) return {};
  if (heights) return Text(CutFillText(row.designElevation, std::nullopt).design);
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

std::vector<InverseCsvRow> InverseModel::setRows(std::vector<InverseCsvRow> rows,
                                                 std::shared_ptr<const VerticalProfile> profile,
                                                 bool notes, bool toCatchPoint) {
  beginResetModel();
  rows_.swap(rows);
  profile_ = std::move(profile);
  notes_ = notes;
  toCatchPoint_ = toCatchPoint;
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

QStringList InverseModel::columns() const {
  QStringList columns = Columns(kInverseColumns, profile(), 3);
  if (toCatchPoint_) columns << QStringLiteral("距坡脚坡口");
  if (notes_) columns << QStringLiteral("说明");
  return columns;
}

int InverseModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns().size());
}

QVariant InverseModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return Header(columns(), section, orientation, role);
}

QVariant InverseModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  // The heights after the plain columns: 设计高程, 高差, 挖填.
  const int height = index.column() - static_cast<int>(kInverseColumns.size());
  // 说明 comes after the heights, or after the plain columns without them,
  // and 距坡脚坡口 just before it.
  const bool note = notes_ && index.column() == columnCount() - 1;
  const bool toCatchPoint = toCatchPoint_ && index.column() == columnCount() - 1 - notes_;
  if (role == Qt::TextAlignmentRole)
    return note          ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
           : height == 2 ? QVariant(Qt::AlignCenter)
                         : Alignment(index.column(), 1);
  const InverseCsvRow& row = rows_[static_cast<std::size_t>(index.row())];
  const RouteFoot* foot = row.foot ? &*row.foot : nullptr;
  if (role == Qt::ToolTipRole && height == 0 && profile_ && foot && !row.designElevation &&
      !row.beyondRoad)
    return OutsideNote(*profile_, foot->station);
  if (role != Qt::DisplayRole) return {};
  if (note) return Text(std::string(InverseRowNote(row)));
  if (toCatchPoint) return row.toCatchPoint ? Text(FixedText(*row.toCatchPoint, 3)) : QString();
  if (height >= 0) {
    const CutFillTexts texts = CutFillText(row.designElevation, row.height);
    return Text(height == 0 ? texts.design : height == 1 ? texts.difference : texts.cutFill);
  }
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

}  // namespace tarnvel
