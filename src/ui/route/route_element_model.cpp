#include "route_element_model.h"

#include <QBrush>
#include <QColor>
#include <variant>

#include "angle.h"
#include "joint_notes.h"
#include "line_element.h"
#include "number_reading.h"
#include "number_text.h"
#include "route_inputs.h"
#include "station_text.h"

namespace tarnvel {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString FieldName(int column) {
  if (column == RouteElementModel::kNameColumn) return QStringLiteral("名称");
  const auto name = kElementFieldNames[static_cast<size_t>(column)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

bool IsStationColumn(int column) {
  return column == 0 || column == 1;
}

// A typed field's value: the two stations in metres or as K text, the rest
// as numbers.
std::optional<double> CellValue(const QString& text, int column) {
  const std::string utf8 = text.toStdString();
  return IsStationColumn(column) ? ReadStationText(utf8) : ReadStrict(utf8);
}

// What is wrong with one typed field, or nothing. The name may be anything.
QString CellMessage(const QString& text, int row, int column) {
  if (column >= RouteElementModel::kNameColumn) return {};
  const std::string utf8 = text.toStdString();
  if (IsBlank(utf8))
    return QStringLiteral("请输入第%1行的“%2”！").arg(row + 1).arg(FieldName(column));
  if (CellValue(text, column)) return {};
  if (IsStationColumn(column))
    return QStringLiteral("第%1行“%2”").arg(row + 1).arg(FieldName(column)) + NotAStationText(text);
  return QStringLiteral("第%1行").arg(row + 1) +
         QString::fromStdString(NotANumberText(FieldName(column).toStdString()));
}

// A cell as the table shows it, rounded as the route's outputs are: a
// station as K text to the millimetre, coordinates to 0.1 mm, the azimuth
// in degrees, minutes and seconds, a radius to the millimetre. The turn
// direction, the name and a cell that does not read show as typed.
QString ShownCell(const QString& text, int column, const std::string& prefix) {
  if (column >= 7) return text;
  const std::optional<double> value = CellValue(text, column);
  if (!value) return text;
  switch (column) {
    case 0:
    case 1:
      return Text(KStationText(*value, prefix));
    case 2:
    case 3:
      return Text(FixedText(*value, 4));
    case 4:
      return Text(AzimuthDmsText(DmsToDegrees(*value)));
    default:
      return Text(FixedText(*value, 3));
  }
}

const QColor kFaultColour(255, 205, 205);
const QColor kFaultText(190, 0, 0);

}  // namespace

RouteElementModel::RouteElementModel(QObject* parent) : QAbstractTableModel(parent) {
  recompute();
}

int RouteElementModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RouteElementModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant RouteElementModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case kLabelColumn:
      return QStringLiteral("接头");
    case kDkColumn:
      return QStringLiteral("ΔK(m)");
    case kDistanceColumn:
      return QStringLiteral("Δ(mm)");
    case kAzimuthColumn:
      return QStringLiteral("Δaz(″)");
    case kStatusColumn:
      return QStringLiteral("状态");
    default:
      return FieldName(section);
  }
}

Qt::ItemFlags RouteElementModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() <= kNameColumn) flags |= Qt::ItemIsEditable;
  return flags;
}

QString RouteElementModel::cellProblem(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column > kNameColumn) return {};
  QString message =
      CellMessage(rows_[static_cast<size_t>(row)][static_cast<size_t>(column)], row, column);
  if (message.isEmpty() && row == problemRow_ && column == problemColumn_) message = problem_;
  return message;
}

QVariant RouteElementModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  if (column > kNameColumn) return jointData(row, column, role);
  const QString& text = rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
  switch (role) {
    case Qt::DisplayRole:
      return ShownCell(text, column, stationPrefix_);
    case Qt::EditRole:
      return text;
    case Qt::TextAlignmentRole:
      return column == kNameColumn ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return cellProblem(row, column).isEmpty() ? QVariant() : QVariant(QBrush(kFaultColour));
    case Qt::ToolTipRole: {
      const QString message = cellProblem(row, column);
      return message.isEmpty() ? QVariant() : QVariant(message);
    }
    default:
      return {};
  }
}

QVariant RouteElementModel::jointData(int row, int column, int role) const {
  if (static_cast<size_t>(row) >= joints_.size()) return {};
  const Joint& joint = joints_[static_cast<size_t>(row)];
  switch (role) {
    case Qt::DisplayRole:
      switch (column) {
        case kLabelColumn:
          return Text(joint.label);
        case kDkColumn:
          return Text(FixedText(joint.dK, 3));
        case kDistanceColumn:
          return Text(FixedText(joint.d_mm, 1));
        case kAzimuthColumn:
          return Text(FixedText(joint.daz_sec, 1));
        case kStatusColumn:
          return StatusText(joint.closed);
        default:
          return {};
      }
    case Qt::TextAlignmentRole:
      return column == kLabelColumn || column == kStatusColumn
                 ? QVariant(Qt::AlignCenter)
                 : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return joint.closed ? QVariant() : QVariant(QBrush(kFaultColour));
    case Qt::ForegroundRole:
      return joint.closed ? QVariant() : QVariant(QBrush(kFaultText));
    case Qt::ToolTipRole: {
      // Where the joint stands: the end of the one element and, past a
      // 断链, the start of the next, as the command's joint report writes it.
      const auto& elements = route_->elements;
      const double back = elements[static_cast<size_t>(joint.left - 1)].values.K1;
      const double ahead = elements[static_cast<size_t>(joint.left)].values.K0;
      QString at = Text(joint.label);
      if (!at.isEmpty()) at += u' ';
      at += Text(KStationText(back, stationPrefix_));
      if (ahead != back) at += u'=' + Text(KStationText(ahead, stationPrefix_));
      QString tip =
          QStringLiteral(
              "第%1–%2线元接头 %3\nΔK = %4 m\nΔX = %5 mm  ΔY = %6 mm  Δ = %7 mm\n"
              "Δaz = %8″\n曲率 %9 → %10 (1/m)")
              .arg(joint.left)
              .arg(joint.left + 1)
              .arg(at)
              .arg(Text(FixedText(joint.dK, 3)), Text(FixedText(joint.dX_mm, 1)),
                   Text(FixedText(joint.dY_mm, 1)), Text(FixedText(joint.d_mm, 1)),
                   Text(FixedText(joint.daz_sec, 1)), Text(GeneralText(joint.curvatureEnd)),
                   Text(GeneralText(joint.curvatureStart)));
      if (joint.dK > 0) tip += QStringLiteral("\n短链");
      if (joint.dK < 0) tip += QStringLiteral("\n长链");
      if (joint.curvatureJump) tip += QStringLiteral("\n曲率不连续");
      // As check's 说明 says how the joint stands against the declared 断链.
      for (const std::string& note : JointEquationNotes(joint)) tip += u'\n' + Text(note);
      tip += QStringLiteral("\n限差 %1 mm, %2″：%3")
                 .arg(Text(GeneralText(tolerances_.position_mm)),
                      Text(GeneralText(tolerances_.azimuth_sec)), StatusText(joint.closed));
      return tip;
    }
    default:
      return {};
  }
}

bool RouteElementModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.column() > kNameColumn) return false;
  QString& cell = rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  const QString text = value.toString();
  if (cell == text) return true;
  cell = text;
  modified_ = true;
  recompute();
  return true;
}

bool RouteElementModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows({}, row, row + count - 1);
  rows_.insert(rows_.begin() + row, static_cast<size_t>(count), RowTexts{});
  endInsertRows();
  modified_ = true;
  recompute();
  return true;
}

bool RouteElementModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows({}, row, row + count - 1);
  rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
  endRemoveRows();
  modified_ = true;
  recompute();
  return true;
}

void RouteElementModel::setElements(const std::vector<RouteElement>& elements) {
  beginResetModel();
  rows_.clear();
  rows_.reserve(elements.size());
  for (const RouteElement& element : elements) {
    RowTexts row;
    const auto fields = FieldValues(element.values);
    for (size_t i = 0; i < fields.size(); ++i) row[i] = Text(GeneralText(fields[i]));
    row[kNameColumn] = Text(element.name);
    rows_.push_back(row);
  }
  endResetModel();
  modified_ = false;
  recompute();
}

void RouteElementModel::setEquations(const std::vector<StationEquation>& equations) {
  if (equations == equations_) return;
  equations_ = equations;
  modified_ = true;
  recompute();
}

void RouteElementModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

void RouteElementModel::setTolerances(const JointTolerances& tolerances) {
  tolerances_ = tolerances;
  recompute();
}

// Every change runs the whole check again: a route of hundreds of elements
// takes well under a millisecond, and one pass keeps the marks consistent.
void RouteElementModel::recompute() {
  route_.reset();
  joints_.clear();
  problem_.clear();
  problemRow_ = problemColumn_ = -1;

  std::vector<RouteElement> elements;
  elements.reserve(rows_.size());
  for (size_t r = 0; r < rows_.size() && problem_.isEmpty(); ++r) {
    std::array<double, 8> fields{};
    for (int c = 0; c < 8; ++c) {
      const QString message = CellMessage(rows_[r][static_cast<size_t>(c)], static_cast<int>(r), c);
      if (!message.isEmpty()) {
        problem_ = message;
        break;
      }
      fields[static_cast<size_t>(c)] = *CellValue(rows_[r][static_cast<size_t>(c)], c);
    }
    elements.push_back({FromFieldValues(fields), rows_[r][kNameColumn].toStdString()});
  }
  if (problem_.isEmpty()) {
    auto made = MakeRoute(std::move(elements));
    if (auto* error = std::get_if<RouteError>(&made)) {
      problem_ = Text(error->message);
      problemRow_ = error->element - 1;
      problemColumn_ = error->field;
    } else {
      route_ = std::move(std::get<Route>(made));
      route_->equations = equations_;
      joints_ = CheckJoints(*route_, tolerances_);
    }
  }
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
  emit routeChanged();
}

}  // namespace tarnvel
