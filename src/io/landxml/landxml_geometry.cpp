#include "io/landxml/landxml_geometry.h"

#include <cmath>

#include "core/text/angle.h"
#include "io/files/echoed_text.h"

namespace tarnvel::landxml {

using namespace Qt::Literals::StringLiterals;

namespace {

double Curvature(double radius) {
  return radius == 0 ? 0 : 1 / std::fabs(radius);
}

double Reduce360(double degrees) {
  double reduced = std::fmod(degrees, kFullTurnDegrees);
  if (reduced < 0) reduced += kFullTurnDegrees;
  return reduced;
}

}  // namespace

double ReduceHalfTurn(double degrees) {
  double reduced = std::fmod(degrees, kFullTurnDegrees);
  if (reduced > kHalfTurnDegrees) reduced -= kFullTurnDegrees;
  if (reduced <= -kHalfTurnDegrees) reduced += kFullTurnDegrees;
  return reduced;
}

Built Builder::Build(const RawGeometry& g) {
  Built built;
  built.name = g.attributes.value("name"_L1).toString().toStdString();
  if (!g.start.present) Refuse(g, QStringLiteral("缺少起点（Start）"));
  built.values.X0 = g.start.X;
  built.values.Y0 = g.start.Y;

  std::optional<double> length = Finite(g, "length"_L1);
  double start_degrees = 0;         // from the points
  std::optional<double> start_dms;  // from a direction attribute

  if (g.kind == "Line"_L1) {
    if (const auto dir = Finite(g, "dir"_L1)) {
      start_dms = DirectionField(g, "dir"_L1, *dir);
    } else {
      if (!g.end.present) Refuse(g, QStringLiteral("没有方位角（dir），也没有终点（End）"));
      start_degrees = Azimuth(g, g.start, g.end);
    }
    if (!length) {
      if (!g.end.present) Refuse(g, QStringLiteral("没有长度（length），也没有终点（End）"));
      length = std::hypot(g.end.X - g.start.X, g.end.Y - g.start.Y);
    }
  } else if (g.kind == "Curve"_L1) {
    built.values.Q = Rotation(g);
    double radius = 0;
    if (const auto r = Finite(g, "radius"_L1)) {
      radius = *r;
    } else {
      if (!g.center.present) Refuse(g, QStringLiteral("没有半径（radius），也没有圆心（Center）"));
      radius = std::hypot(g.center.X - g.start.X, g.center.Y - g.start.Y);
    }
    if (radius == 0) Refuse(g, QStringLiteral("半径为0"));
    built.values.RQ = built.values.RN = radius;
    if (const auto dir = Finite(g, "dirStart"_L1)) {
      start_dms = DirectionField(g, "dirStart"_L1, *dir);
    } else if (g.pi.present) {
      start_degrees = Azimuth(g, g.start, g.pi);
    } else if (g.center.present) {
      start_degrees =
          Reduce360(Azimuth(g, g.start, g.center) - kQuarterTurnDegrees * built.values.Q);
    } else {
      Refuse(g, QStringLiteral("没有起点方位角（dirStart），也没有交点（PI）或圆心（Center）"));
    }
    if (!length) {
      if (const auto delta = Finite(g, "delta"_L1)) {
        length = std::fabs(radius * AngleToDegrees(*delta, angular_unit_) * kPi / kHalfTurnDegrees);
      } else if (g.center.present && g.end.present) {
        const double from = Azimuth(g, g.center, g.start);
        const double to = Azimuth(g, g.center, g.end);
        const double sweep = Reduce360(built.values.Q > 0 ? to - from : from - to);
        length = std::fabs(radius) * sweep * kPi / kHalfTurnDegrees;
      } else {
        Refuse(g, QStringLiteral("没有长度（length），也无法由圆心角（delta）或圆心与终点求得"));
      }
    }
  } else {  // Spiral
    const QString type = g.attributes.value("spiType"_L1).toString();
    if (type != "clothoid"_L1) {
      Refuse(g, type.isEmpty()
                    ? QStringLiteral("没有注明缓和曲线类型（spiType），只能导入回旋线（clothoid）")
                    : QStringLiteral("缓和曲线类型“%1”不能导入，只能导入回旋线（clothoid）")
                          .arg(EchoedText(type)));
    }
    built.values.Q = Rotation(g);
    built.values.RQ = SpiralRadius(g, "radiusStart"_L1);
    built.values.RN = SpiralRadius(g, "radiusEnd"_L1);
    if (const auto dir = Finite(g, "dirStart"_L1)) {
      start_dms = DirectionField(g, "dirStart"_L1, *dir);
    } else if (g.pi.present) {
      start_degrees = Azimuth(g, g.start, g.pi);
    } else {
      Refuse(g, QStringLiteral("没有起点方位角（dirStart），也没有交点（PI）"));
    }
    if (!length) {
      const double curvatures = Curvature(built.values.RQ) + Curvature(built.values.RN);
      double theta_degrees = 0;
      if (const auto theta = Finite(g, "theta"_L1)) {
        theta_degrees = std::fabs(AngleToDegrees(*theta, angular_unit_));
      } else if (g.pi.present && g.end.present) {
        theta_degrees =
            std::fabs(ReduceHalfTurn(Azimuth(g, g.pi, g.end) - Azimuth(g, g.start, g.pi)));
      } else {
        Refuse(g, QStringLiteral("没有长度（length），也无法由偏角（theta）或交点与终点求得"));
      }
      if (curvatures == 0) {
        Refuse(g, QStringLiteral("没有长度（length），两端半径又都是无穷大，无法求得长度"));
      }
      length = 2 * theta_degrees * kPi / kHalfTurnDegrees / curvatures;
    }
  }
  built.values.F = start_dms ? *start_dms : DegreesToDmsField(start_degrees);
  built.length = *length;
  return built;
}

std::optional<double> Builder::EndDirection(const RawGeometry& g) {
  const auto dir = Finite(g, "dirEnd"_L1);
  if (!dir) return std::nullopt;
  return AngleToDegrees(*dir, direction_unit_);
}

std::optional<double> Builder::Finite(int line, const QString& element,
                                      const QXmlStreamAttributes& attributes,
                                      QLatin1StringView name) {
  if (!attributes.hasAttribute(name)) return std::nullopt;
  const QString text = attributes.value(name).toString();
  const auto value = ReadXsDouble(text.toStdString());
  if (!value || !std::isfinite(*value)) {
    reader_.Refuse(line, element,
                   QStringLiteral("%1的值“%2”不是有效的数").arg(QString(name), EchoedText(text)));
  }
  return value;
}

std::optional<double> Builder::Finite(const RawGeometry& g, QLatin1StringView name) {
  return Finite(g.line, g.kind, g.attributes, name);
}

void Builder::Refuse(const RawGeometry& g, const QString& reason) {
  reader_.Refuse(g.line, g.kind, reason);
}

void Builder::ReadUnits() {
  const RawUnits& units = reader_.Units();
  if (!units.declared) return;
  if (units.system != "Metric"_L1) {
    reader_.Refuse(units.line, units.system,
                   QStringLiteral("只能导入公制（Metric）、以米为长度单位的文件"));
  }
  const QString linear = units.attributes.value("linearUnit"_L1).toString();
  if (units.attributes.hasAttribute("linearUnit"_L1) && linear != "meter"_L1) {
    reader_.Refuse(units.line, units.system,
                   QStringLiteral("长度单位“%1”不能导入，只能导入以米（meter）为单位的文件")
                       .arg(EchoedText(linear)));
  }
  angular_unit_ = UnitOf(units, "angularUnit"_L1);
  direction_unit_ = UnitOf(units, "directionUnit"_L1);
}

AngleUnit Builder::UnitOf(const RawUnits& units, QLatin1StringView name) {
  if (!units.attributes.hasAttribute(name)) return AngleUnit::kRadians;
  const QString text = units.attributes.value(name).toString();
  const auto unit = AngleUnitNamed(text.toStdString());
  if (!unit) {
    reader_.Refuse(
        units.line, units.system,
        QStringLiteral("%1的值“%2”不是LandXML的角度单位").arg(QString(name), EchoedText(text)));
  }
  return *unit;
}

// The F of a direction attribute. One given in d.mmss is the field itself,
// digit for digit; one in decimal degrees is as exact as its text.
double Builder::DirectionField(const RawGeometry& g, QLatin1StringView name, double value) const {
  switch (direction_unit_) {
    case AngleUnit::kDecimalDms:
      return value;
    case AngleUnit::kDecimalDegrees:
      return DegreesToDmsField(
          value, TrustedSecondDecimals(g.attributes.value(name).toString().toStdString()));
    default:
      return DegreesToDmsField(AngleToDegrees(value, direction_unit_));
  }
}

double Builder::Rotation(const RawGeometry& g) {
  const QString rot = g.attributes.value("rot"_L1).toString();
  if (rot == "cw"_L1) return 1;
  if (rot == "ccw"_L1) return -1;
  Refuse(g, rot.isEmpty() ? QStringLiteral("没有注明转向（rot）")
                          : QStringLiteral("转向（rot）“%1”不是cw或ccw").arg(EchoedText(rot)));
}

// "INF", "-INF" or a missing radius is infinite, held as 0.
double Builder::SpiralRadius(const RawGeometry& g, QLatin1StringView name) {
  if (!g.attributes.hasAttribute(name)) return 0;
  const QString text = g.attributes.value(name).toString();
  const auto value = ReadXsDouble(text.toStdString());
  if (!value || std::isnan(*value)) {
    Refuse(g, QStringLiteral("%1的值“%2”不是有效的数").arg(QString(name), EchoedText(text)));
  }
  if (std::isinf(*value)) return 0;
  if (*value == 0) Refuse(g, QStringLiteral("%1为0，无穷大应写作INF").arg(QString(name)));
  return *value;
}

// Clockwise from north, in [0, 360).
double Builder::Azimuth(const RawGeometry& g, const RawPoint& from, const RawPoint& to) {
  const double dX = to.X - from.X;
  const double dY = to.Y - from.Y;
  if (dX == 0 && dY == 0) {
    Refuse(g, QStringLiteral("第%1行与第%2行的点重合，无法求得方位角").arg(from.line).arg(to.line));
  }
  return Reduce360(std::atan2(dY, dX) * kHalfTurnDegrees / kPi);
}

}  // namespace tarnvel::landxml
