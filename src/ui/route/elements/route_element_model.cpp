#include "ui/route/elements/route_element_model.h"

#include <QBrush>
#include <QColor>
#include <array>
#include <variant>

#include "core/element/line_element.h"
#include "core/route/joint_notes.h"
#include "core/text/angle.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "ui/route/common/route_inputs.h"

namespace tarnvel {

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QStringList FieldNames() {
  QStringList names;
  for (const std::string_view name : kElementFieldNames)
    names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  names.append(QStringLiteral("名称"));
  return names;
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

RouteElementModel::RouteElementModel(QObject* parent) : TextGridModel(FieldNames(), parent) {
  read();
}

int RouteElementModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant RouteElementModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation == Qt::Vertical)
    return TextGridModel::headerData(section, orientation, role);
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
      return TextGridModel::headerData(section, orientation, role);
  }
}

// The name may be anything.
QString RouteElementModel::cellFault(int row, int column, const QString& text) const {
  if (column >= kNameColumn) return {};
  if (IsBlank(text.toStdString()))
    return QStringLiteral("请输入第%1行的“%2”！").arg(row + 1).arg(columnName(column));
  if (CellValue(text, column)) return {};
  if (IsStationColumn(column))
    return QStringLiteral("第%1行“%2”").arg(row + 1).arg(columnName(column)) +
           NotAStationText(text);
  return QStringLiteral("第%1行").arg(row + 1) +
         QString::fromStdString(NotANumberText(columnName(column).toStdString()));
}

QVariant RouteElementModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int column = index.column();
  if (column > kNameColumn) return jointData(index.row(), column, role);
  if (role == Qt::DisplayRole)
    return ShownCell(rows()[static_cast<size_t>(index.row())][column], column, stationPrefix_);
  if (role == Qt::TextAlignmentRole)
    return column == kNameColumn ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return TextGridModel::data(index, role);
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

void RouteElementModel::setElements(const std::vector<RouteElement>& elements) {
  std::vector<QStringList> rows;
  rows.reserve(elements.size());
  for (const RouteElement& element : elements) {
    QStringList& row = rows.emplace_back();
    for (const double field : FieldValues(element.values)) row.append(Text(GeneralText(field)));
    row.append(Text(element.name));
  }
  setRows(std::move(rows));
}

void RouteElementModel::setEquations(const std::vector<StationEquation>& equations) {
  if (equations == equations_) return;
  equations_ = equations;
  setModified(true);
  read();
}

void RouteElementModel::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix.toStdString();
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

void RouteElementModel::setTolerances(const JointTolerances& tolerances) {
  tolerances_ = tolerances;
  read();
}

std::optional<RouteElementModel::Fault> RouteElementModel::readRows(bool cellsRead) {
  route_.reset();
  joints_.clear();
  if (!cellsRead) return std::nullopt;
  std::vector<RouteElement> elements;
  elements.reserve(rows().size());
  for (const QStringList& row : rows()) {
    std::array<double, 8> fields{};
    for (int c = 0; c < 8; ++c) fields[static_cast<size_t>(c)] = *CellValue(row[c], c);
    elements.push_back({FromFieldValues(fields), row[kNameColumn].toStdString()});
  }
  auto made = MakeRoute(std::move(elements));
  if (auto* error = std::get_if<RouteError>(&made))
    return Fault{error->element - 1, error->field, Text(error->message)};
  route_ = std::move(std::get<Route>(made));
  route_->equations = equations_;
  joints_ = CheckJoints(*route_, tolerances_);
  return std::nullopt;
}

}  // namespace tarnvel
