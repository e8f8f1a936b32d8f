#include "profile_pvi_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <utility>
#include <variant>

#include "number_reading.h"
#include "number_text.h"
#include "pasted_cells.h"
#include "profile_file.h"
#include "station_cell_text.h"
#include "station_text.h"

namespace tarnvel {

namespace {

QString FieldName(int column) {
  const auto name = kProfileFieldNames[static_cast<size_t>(column)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

const QColor kFaultColour(255, 205, 205);

}  // namespace

ProfilePviModel::ProfilePviModel(QObject* parent) : QAbstractTableModel(parent) {
  recompute();
}

int ProfilePviModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProfilePviModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ProfilePviModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return FieldName(section);
}

QVariant ProfilePviModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const QString& text =
      rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  if (role == Qt::DisplayRole || role == Qt::EditRole) return text;
  if (role == Qt::BackgroundRole && index.row() == problemRow_) return QBrush(kFaultColour);
  if (role == Qt::ToolTipRole && index.row() == problemRow_) return problem_;
  if (role == Qt::ToolTipRole && index.column() == kRadiusColumn &&
      kinds_[static_cast<size_t>(index.row())] == VerticalCurveKind::kCircle)
    return QStringLiteral("圆曲线竖曲线");
  return {};
}

Qt::ItemFlags ProfilePviModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool ProfilePviModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())] =
      value.toString().trimmed();
  emit dataChanged(index, index);
  recompute();
  return true;
}

bool ProfilePviModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows(parent, row, row + count - 1);
  rows_.insert(rows_.begin() + row, static_cast<size_t>(count), RowTexts{});
  kinds_.insert(kinds_.begin() + row, static_cast<size_t>(count), VerticalCurveKind::kParabola);
  endInsertRows();
  recompute();
  return true;
}

void ProfilePviModel::paste(int row, int column, const QString& text) {
  QList<QStringList> cells = PastedCells(text);
  if (!cells.isEmpty() &&
      std::none_of(cells.front().begin(), cells.front().end(), [](const QString& cell) {
        const std::string t = cell.toStdString();
        return ReadStrict(t) || ReadStationText(t);
      }))
    cells.removeFirst();
  if (cells.isEmpty() || row < 0 || column < 0 || column >= kColumnCount) return;
  const int needed = row + static_cast<int>(cells.size());
  if (needed > rowCount()) {
    beginInsertRows({}, rowCount(), needed - 1);
    rows_.resize(static_cast<size_t>(needed));
    kinds_.resize(static_cast<size_t>(needed), VerticalCurveKind::kParabola);
    endInsertRows();
  }
  for (qsizetype i = 0; i < cells.size(); ++i) {
    RowTexts& texts = rows_[static_cast<size_t>(row + i)];
    for (qsizetype c = 0; c < cells[i].size() && column + c < kColumnCount; ++c)
      texts[static_cast<size_t>(column + c)] = cells[i][c];
  }
  emit dataChanged(index(row, column), index(needed - 1, kColumnCount - 1));
  recompute();
}

bool ProfilePviModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows(parent, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  kinds_.erase(kinds_.begin() + row, kinds_.begin() + row + count);
  endRemoveRows();
  recompute();
  return true;
}

void ProfilePviModel::setProfile(const VerticalProfile& profile) {
  beginResetModel();
  rows_.clear();
  kinds_.clear();
  for (const Pvi& p : profile.pvis) {
    // A station of a LandXML file may hold more than millimetres.
    std::string station = KStationText(p.station, stationPrefix_);
    if (ReadStationText(station) != p.station) station = GeneralText(p.station);
    rows_.push_back({QString::fromStdString(p.name), QString::fromStdString(station),
                     QString::fromStdString(GeneralText(p.elevation)),
                     p.radius == 0 ? QString() : QString::fromStdString(GeneralText(p.radius))});
    kinds_.push_back(p.curve);
  }
  endResetModel();
  recompute();
}

void ProfilePviModel::setStationPrefix(const QString& prefix) {
  const std::string from = std::exchange(stationPrefix_, prefix.toStdString());
  for (RowTexts& row : rows_)
    row[kStationColumn] = ReprefixedStationText(row[kStationColumn], from, stationPrefix_);
  if (!rows_.empty())
    emit dataChanged(index(0, kStationColumn), index(rowCount() - 1, kStationColumn));
}

std::vector<Pvi> ProfilePviModel::pvis() const {
  return profile_ ? profile_->pvis : std::vector<Pvi>{};
}

void ProfilePviModel::recompute() {
  const int oldRow = problemRow_;
  profile_.reset();
  problem_.clear();
  problemRow_ = -1;
  std::vector<Pvi> pvis;
  for (size_t r = 0; r < rows_.size() && problem_.isEmpty(); ++r) {
    const RowTexts& row = rows_[r];
    const auto fault = [&](int column, const QString& what) {
      problem_ = QStringLiteral("第%1行“%2”%3").arg(r + 1).arg(FieldName(column), what);
      problemRow_ = static_cast<int>(r);
    };
    Pvi pvi;
    pvi.name = row[kNameColumn].toStdString();
    const auto station = ReadStationText(row[kStationColumn].toStdString());
    const auto elevation = ReadStrict(row[kElevationColumn].toStdString());
    const std::string radius = row[kRadiusColumn].toStdString();
    const auto r_value = IsBlank(radius) ? std::optional<double>(0) : ReadStrict(radius);
    if (!station)
      fault(kStationColumn, QStringLiteral("不是有效的桩号！"));
    else if (!elevation)
      fault(kElevationColumn, QStringLiteral("不是有效的数字！"));
    else if (!r_value || *r_value < 0)
      fault(kRadiusColumn, QStringLiteral("不是有效的半径！"));
    else if (*r_value != 0 && (r == 0 || r + 1 == rows_.size()))
      fault(kRadiusColumn, QStringLiteral("应为空或0：起点和终点没有竖曲线！"));
    else
      pvis.push_back({pvi.name, *station, *elevation, *r_value, kinds_[r]});
  }
  if (problem_.isEmpty() && !rows_.empty()) {
    auto made = MakeVerticalProfile(std::move(pvis));
    if (auto* refusal = std::get_if<ProfileRefusal>(&made)) {
      problem_ = QString::fromStdString(refusal->message);
      problemRow_ = static_cast<int>(refusal->pvi) - 1;
    } else {
      profile_ = std::get<VerticalProfile>(std::move(made));
    }
  }
  for (int row : {oldRow, problemRow_})
    if (row >= 0 && row < rowCount()) emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
  emit profileChanged();
}

}  // namespace tarnvel
