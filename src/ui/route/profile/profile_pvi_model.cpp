#include "ui/route/profile/profile_pvi_model.h"

#include <algorithm>
#include <utility>

#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/profile/profile_file.h"
#include "ui/route/common/station_cell_text.h"

namespace tarnvel {

namespace {

QStringList FieldNames() {
  QStringList names;
  for (const std::string_view name : kProfileFieldNames)
    names.append(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  return names;
}

// A cell's text as it reads, trimmed as the file reader trims a field.
std::string Read(const QString& text) {
  return text.trimmed().toStdString();
}

// A blank R is 0, a plain grade break.
std::optional<double> Radius(const QString& text) {
  const std::string radius = Read(text);
  return IsBlank(radius) ? std::optional<double>(0) : ReadStrict(radius);
}

}  // namespace

ProfilePviModel::ProfilePviModel(QObject* parent) : TextGridModel(FieldNames(), parent) {
  // A row the user adds holds a parabola, as the file gives one.
  connect(this, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) {
            kinds_.insert(kinds_.begin() + first, static_cast<size_t>(last - first + 1),
                          VerticalCurveKind::kParabola);
          });
  connect(this, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex&, int first, int last) {
            kinds_.erase(kinds_.begin() + first, kinds_.begin() + last + 1);
          });
  read();
}

QVariant ProfilePviModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::ToolTipRole && index.column() == kRadiusColumn &&
      kinds_[static_cast<size_t>(index.row())] == VerticalCurveKind::kCircle &&
      cellProblem(index.row(), index.column()).isEmpty())
    return QStringLiteral("圆曲线竖曲线");
  return TextGridModel::data(index, role);
}

QString ProfilePviModel::cellFault(int row, int column, const QString& text) const {
  const auto fault = [&](const QString& what) {
    return QStringLiteral("第%1行“%2”%3").arg(row + 1).arg(columnName(column), what);
  };
  switch (column) {
    case kStationColumn:
      return ReadStationText(Read(text)) ? QString() : fault(QStringLiteral("不是有效的桩号！"));
    case kElevationColumn:
      return ReadStrict(Read(text)) ? QString() : fault(QStringLiteral("不是有效的数字！"));
    case kRadiusColumn:
      return Radius(text) ? QString() : fault(QStringLiteral("不是有效的半径！"));
    default:
      return {};
  }
}

bool ProfilePviModel::isHeaderRow(const QStringList& cells) const {
  return std::none_of(cells.begin(), cells.end(), [](const QString& cell) {
    const std::string t = cell.toStdString();
    return ReadStrict(t) || ReadStationText(t);
  });
}

void ProfilePviModel::setProfile(const VerticalProfile& profile) {
  std::vector<QStringList> rows;
  kinds_.clear();
  for (const Pvi& p : profile.pvis) {
    // A station of a LandXML file may hold more than millimetres.
    std::string station = KStationText(p.station, stationPrefix_);
    if (ReadStationText(station) != p.station) station = GeneralText(p.station);
    rows.push_back({QString::fromStdString(p.name), QString::fromStdString(station),
                    QString::fromStdString(GeneralText(p.elevation)),
                    p.radius == 0 ? QString() : QString::fromStdString(GeneralText(p.radius))});
    kinds_.push_back(p.curve);
  }
  setRows(std::move(rows));
}

void ProfilePviModel::setStationPrefix(const QString& prefix) {
  const std::string from = std::exchange(stationPrefix_, prefix.toStdString());
  rewriteColumn(kStationColumn, [&](const QString& text) {
    return ReprefixedStationText(text, from, stationPrefix_);
  });
}

std::optional<ProfilePviModel::Fault> ProfilePviModel::readRows(bool cellsRead) {
  profile_.reset();
  if (!cellsRead || rows().empty()) return std::nullopt;
  std::vector<Pvi> pvis;
  for (size_t r = 0; r < rows().size(); ++r) {
    const QStringList& row = rows()[r];
    pvis.push_back({Read(row[kNameColumn]), *ReadStationText(Read(row[kStationColumn])),
                    *ReadStrict(Read(row[kElevationColumn])), *Radius(row[kRadiusColumn]),
                    kinds_[r]});
  }
  auto made = MakeVerticalProfile(std::move(pvis));
  if (auto* refusal = std::get_if<ProfileRefusal>(&made)) {
    const int row = static_cast<int>(refusal->pvi) - 1;
    const auto radius = [&](const QString& what) {
      return Fault{
          row, kRadiusColumn,
          QStringLiteral("第%1行“%2”%3").arg(row + 1).arg(columnName(kRadiusColumn), what)};
    };
    switch (refusal->fault) {
      case ProfileRefusal::Fault::kNegativeRadius:
        return radius(QStringLiteral("不是有效的半径！"));
      case ProfileRefusal::Fault::kCurveAtEnd:
        return radius(QStringLiteral("应为空或0：起点和终点没有竖曲线！"));
      case ProfileRefusal::Fault::kStation:
        return Fault{row, kStationColumn, QString::fromStdString(refusal->message)};
      default:
        return Fault{row, -1, QString::fromStdString(refusal->message)};
    }
  }
  profile_ = std::get<VerticalProfile>(std::move(made));
  return std::nullopt;
}

}  // namespace tarnvel
