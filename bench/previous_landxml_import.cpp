// The LandXML import as it stood when each station equation searched every
// station and element for its place, frozen so that the benchmark times it
// beside today's. Not used by the program.
#include "previous_landxml_import.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "io/files/read_file.h"
#include "io/landxml/landxml_numbers.h"

namespace tarnvel::previous {

using namespace Qt::Literals::StringLiterals;

namespace {

// A station equation this close to an element joint (in internal station) is
// at that joint: design software writes both to the millimetre or finer.
constexpr double kEquationAtJoint = 1e-4;
constexpr double kMillimetresPerMetre = 1000;
constexpr double kSecondsPerDegree = kMinutesPerDegree * kSecondsPerMinute;
constexpr double kHalfTurnDegrees = 180;
constexpr double kFullTurnDegrees = 360;
constexpr double kQuarterTurnDegrees = 90;

// Thrown inside this file only, to leave the nested reading at the first fault.
struct Refused {
  FileRefusal refusal;
};

struct RawPoint {
  bool present = false;
  double X = 0;  // northing
  double Y = 0;  // easting
  int line = 0;
};

struct RawGeometry {
  QString kind;  // "Line", "Curve" or "Spiral"
  int line = 0;
  QXmlStreamAttributes attributes;
  RawPoint start, end, center, pi;
};

struct RawEquation {
  int line = 0;
  QXmlStreamAttributes attributes;
};

struct RawAlignment {
  QString name;
  int line = 0;
  QXmlStreamAttributes attributes;
  std::vector<RawGeometry> geometry;
  std::vector<RawEquation> equations;
};

struct RawUnits {
  bool declared = false;
  int line = 0;
  QString system;  // "Metric" or "Imperial"
  QXmlStreamAttributes attributes;
};

double Reduce360(double degrees) {
  double reduced = std::fmod(degrees, kFullTurnDegrees);
  if (reduced < 0) reduced += kFullTurnDegrees;
  return reduced;
}

// Into (−180, 180].
double ReduceHalfTurn(double degrees) {
  double reduced = std::fmod(degrees, kFullTurnDegrees);
  if (reduced > kHalfTurnDegrees) reduced -= kFullTurnDegrees;
  if (reduced <= -kHalfTurnDegrees) reduced += kFullTurnDegrees;
  return reduced;
}

class Reader {
 public:
  Reader(const QString& path, QByteArrayView bytes, const QString& wanted)
      : path_(path), xml_(QByteArray::fromRawData(bytes.data(), bytes.size())), wanted_(wanted) {}

  // Reads the whole document; the chosen alignment and the units are kept.
  void Read() {
    if (!xml_.readNextStartElement()) NotXml();
    root_line_ = Line();
    if (xml_.name() != "LandXML"_L1) {
      Refuse(root_line_, xml_.name().toString(), QStringLiteral("不是LandXML文件"));
    }
    namespace_ = xml_.namespaceUri().toString();
    while (xml_.readNextStartElement()) {
      if (Is("Units"_L1)) {
        ReadUnits();
      } else if (Is("Alignments"_L1)) {
        ReadAlignments();
      } else {
        xml_.skipCurrentElement();
      }
    }
    while (!xml_.atEnd()) xml_.readNext();
    if (xml_.hasError()) NotXml();
  }

  [[noreturn]] void Refuse(int line, const QString& element, const QString& reason) const {
    throw Refused{{QStringLiteral("文件“%1”第%2行<%3>：%4！")
                       .arg(FileNameForMessage(path_))
                       .arg(line)
                       .arg(element, reason)}};
  }

  const QString& Path() const { return path_; }
  int RootLine() const { return root_line_; }
  const std::optional<RawAlignment>& Chosen() const { return chosen_; }
  const QStringList& AllNames() const { return all_names_; }
  const RawUnits& Units() const { return units_; }

 private:
  int Line() const { return static_cast<int>(xml_.lineNumber()); }

  bool Is(QLatin1StringView name) const {
    return xml_.name() == name && xml_.namespaceUri() == namespace_;
  }

  [[noreturn]] void NotXml() const {
    throw Refused{{QStringLiteral("文件“%1”第%2行不是有效的XML（系统报告“%3”），不是LandXML文件！")
                       .arg(FileNameForMessage(path_))
                       .arg(xml_.lineNumber())
                       .arg(xml_.errorString())}};
  }

  void ReadUnits() {
    while (xml_.readNextStartElement()) {
      if (!units_.declared && (Is("Metric"_L1) || Is("Imperial"_L1))) {
        units_.declared = true;
        units_.line = Line();
        units_.system = xml_.name().toString();
        units_.attributes = xml_.attributes();
      }
      xml_.skipCurrentElement();
    }
  }

  void ReadAlignments() {
    while (xml_.readNextStartElement()) {
      if (!Is("Alignment"_L1)) {
        xml_.skipCurrentElement();
        continue;
      }
      const QString name = xml_.attributes().value("name"_L1).toString();
      all_names_.append(name);
      if (chosen_ || (!wanted_.isEmpty() && name != wanted_)) {
        xml_.skipCurrentElement();
        continue;
      }
      RawAlignment alignment;
      alignment.name = name;
      alignment.line = Line();
      alignment.attributes = xml_.attributes();
      while (xml_.readNextStartElement()) {
        if (Is("CoordGeom"_L1)) {
          ReadCoordGeom(alignment);
        } else if (Is("StaEquation"_L1)) {
          alignment.equations.push_back({Line(), xml_.attributes()});
          xml_.skipCurrentElement();
        } else {
          xml_.skipCurrentElement();
        }
      }
      chosen_ = std::move(alignment);
    }
  }

  void ReadCoordGeom(RawAlignment& alignment) {
    while (xml_.readNextStartElement()) {
      if (Is("Line"_L1) || Is("Curve"_L1) || Is("Spiral"_L1)) {
        RawGeometry geometry;
        geometry.kind = xml_.name().toString();
        geometry.line = Line();
        geometry.attributes = xml_.attributes();
        while (xml_.readNextStartElement()) {
          if (Is("Start"_L1)) {
            geometry.start = ReadPoint();
          } else if (Is("End"_L1)) {
            geometry.end = ReadPoint();
          } else if (Is("Center"_L1)) {
            geometry.center = ReadPoint();
          } else if (Is("PI"_L1)) {
            geometry.pi = ReadPoint();
          } else {
            xml_.skipCurrentElement();
          }
        }
        alignment.geometry.push_back(std::move(geometry));
      } else if (Is("IrregularLine"_L1) || Is("Chain"_L1)) {
        Refuse(Line(), xml_.name().toString(),
               QStringLiteral("只能导入直线（Line）、圆曲线（Curve）和缓和曲线（Spiral）"));
      } else {
        xml_.skipCurrentElement();
      }
    }
  }

  // "northing easting" or "northing easting elevation": X, then Y.
  RawPoint ReadPoint() {
    RawPoint point;
    point.line = Line();
    const QString element = xml_.name().toString();
    const bool reference = xml_.attributes().hasAttribute("pntRef"_L1);
    const QString text = xml_.readElementText(QXmlStreamReader::SkipChildElements).simplified();
    if (xml_.hasError()) NotXml();
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    if (parts.isEmpty() && reference) {
      Refuse(point.line, element, QStringLiteral("只给出了点名引用（pntRef），没有坐标"));
    }
    std::optional<double> north, east;
    if (parts.size() == 2 || parts.size() == 3) {
      north = ReadXsDouble(parts[0].toStdString());
      east = ReadXsDouble(parts[1].toStdString());
    }
    if (!north || !east || !std::isfinite(*north) || !std::isfinite(*east)) {
      Refuse(point.line, element,
             QStringLiteral("坐标“%1”不是“北坐标 东坐标”形式的两个数").arg(text));
    }
    point.present = true;
    point.X = *north;
    point.Y = *east;
    return point;
  }

  QString path_;
  QXmlStreamReader xml_;
  QString wanted_;
  QString namespace_;
  int root_line_ = 0;
  std::optional<RawAlignment> chosen_;
  QStringList all_names_;
  RawUnits units_;
};

// One element as read, before stations are given.
struct Built {
  ElementValues values;  // K0, K1 set later
  double length = 0;
  std::string name;
};

class Builder {
 public:
  explicit Builder(const Reader& reader) : reader_(reader) { ReadUnits(); }

  Built Build(const RawGeometry& g) {
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
        if (!g.center.present)
          Refuse(g, QStringLiteral("没有半径（radius），也没有圆心（Center）"));
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
          length =
              std::fabs(radius * AngleToDegrees(*delta, angular_unit_) * kPi / kHalfTurnDegrees);
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
        Refuse(
            g,
            type.isEmpty()
                ? QStringLiteral("没有注明缓和曲线类型（spiType），只能导入回旋线（clothoid）")
                : QStringLiteral("缓和曲线类型“%1”不能导入，只能导入回旋线（clothoid）").arg(type));
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

  // The file's `dirEnd` of an element in decimal degrees, if it gives one.
  std::optional<double> EndDirection(const RawGeometry& g) {
    const auto dir = Finite(g, "dirEnd"_L1);
    if (!dir) return std::nullopt;
    return AngleToDegrees(*dir, direction_unit_);
  }

  // A number attribute of an element or equation: nothing when absent,
  // refused when present but not a finite number.
  std::optional<double> Finite(int line, const QString& element,
                               const QXmlStreamAttributes& attributes, QLatin1StringView name) {
    if (!attributes.hasAttribute(name)) return std::nullopt;
    const QString text = attributes.value(name).toString();
    const auto value = ReadXsDouble(text.toStdString());
    if (!value || !std::isfinite(*value)) {
      reader_.Refuse(line, element,
                     QStringLiteral("%1的值“%2”不是有效的数").arg(QString(name), text));
    }
    return value;
  }

  std::optional<double> Finite(const RawGeometry& g, QLatin1StringView name) {
    return Finite(g.line, g.kind, g.attributes, name);
  }

  [[noreturn]] void Refuse(const RawGeometry& g, const QString& reason) {
    reader_.Refuse(g.line, g.kind, reason);
  }

 private:
  void ReadUnits() {
    const RawUnits& units = reader_.Units();
    if (!units.declared) return;
    if (units.system != "Metric"_L1) {
      reader_.Refuse(units.line, units.system,
                     QStringLiteral("只能导入公制（Metric）、以米为长度单位的文件"));
    }
    const QString linear = units.attributes.value("linearUnit"_L1).toString();
    if (units.attributes.hasAttribute("linearUnit"_L1) && linear != "meter"_L1) {
      reader_.Refuse(
          units.line, units.system,
          QStringLiteral("长度单位“%1”不能导入，只能导入以米（meter）为单位的文件").arg(linear));
    }
    angular_unit_ = UnitOf(units, "angularUnit"_L1);
    direction_unit_ = UnitOf(units, "directionUnit"_L1);
  }

  AngleUnit UnitOf(const RawUnits& units, QLatin1StringView name) {
    if (!units.attributes.hasAttribute(name)) return AngleUnit::kRadians;
    const QString text = units.attributes.value(name).toString();
    const auto unit = AngleUnitNamed(text.toStdString());
    if (!unit) {
      reader_.Refuse(units.line, units.system,
                     QStringLiteral("%1的值“%2”不是LandXML的角度单位").arg(QString(name), text));
    }
    return *unit;
  }

  // The F of a direction attribute. One given in d.mmss is the field itself,
  // digit for digit; one in decimal degrees is as exact as its text.
  double DirectionField(const RawGeometry& g, QLatin1StringView name, double value) const {
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

  double Rotation(const RawGeometry& g) {
    const QString rot = g.attributes.value("rot"_L1).toString();
    if (rot == "cw"_L1) return 1;
    if (rot == "ccw"_L1) return -1;
    Refuse(g, rot.isEmpty() ? QStringLiteral("没有注明转向（rot）")
                            : QStringLiteral("转向（rot）“%1”不是cw或ccw").arg(rot));
  }

  // "INF", "-INF" or a missing radius is infinite, held as 0.
  double SpiralRadius(const RawGeometry& g, QLatin1StringView name) {
    if (!g.attributes.hasAttribute(name)) return 0;
    const QString text = g.attributes.value(name).toString();
    const auto value = ReadXsDouble(text.toStdString());
    if (!value || std::isnan(*value)) {
      Refuse(g, QStringLiteral("%1的值“%2”不是有效的数").arg(QString(name), text));
    }
    if (std::isinf(*value)) return 0;
    if (*value == 0) Refuse(g, QStringLiteral("%1为0，无穷大应写作INF").arg(QString(name)));
    return *value;
  }

  static double Curvature(double radius) { return radius == 0 ? 0 : 1 / std::fabs(radius); }

  // Clockwise from north, in [0, 360).
  double Azimuth(const RawGeometry& g, const RawPoint& from, const RawPoint& to) {
    const double dX = to.X - from.X;
    const double dY = to.Y - from.Y;
    if (dX == 0 && dY == 0) {
      Refuse(g,
             QStringLiteral("第%1行与第%2行的点重合，无法求得方位角").arg(from.line).arg(to.line));
    }
    return Reduce360(std::atan2(dY, dX) * kHalfTurnDegrees / kPi);
  }

  const Reader& reader_;
  AngleUnit angular_unit_ = AngleUnit::kRadians;
  AngleUnit direction_unit_ = AngleUnit::kRadians;
};

// The rest of an element from `distance` along it, where a station equation
// splits it: its start, tangent and radius there as Tarnvel computes them,
// the azimuth to 0.000001″. Stations are set by the caller.
ElementValues SplitAt(const Built& element, double distance) {
  const ElementValues& v = element.values;
  LineElement whole = LoadElement(v);
  whole.K0 = 0;
  whole.K1 = element.length;
  const ForwardResult there = ForwardPoint(whole, distance, 0, kQuarterTurnDegrees);
  // The curvature runs linearly from 1/RQ to 1/RN along the element.
  const auto curvature = [](double radius) { return radius == 0 ? 0 : 1 / radius; };
  const double k =
      curvature(v.RQ) + (curvature(v.RN) - curvature(v.RQ)) * distance / element.length;
  ElementValues rest = v;
  rest.X0 = there.point.X;
  rest.Y0 = there.point.Y;
  rest.F = DegreesToDmsField(there.azimuth);
  if (v.RQ != v.RN) rest.RQ = k == 0 ? 0 : 1 / k;  // an arc keeps its radius as typed
  return rest;
}

LandXmlAlignment Import(const Reader& reader, const JointTolerances& tolerances,
                        const QString& wanted) {
  const auto& chosen = reader.Chosen();
  if (!chosen) {
    if (wanted.isEmpty() || reader.AllNames().isEmpty()) {
      reader.Refuse(reader.RootLine(), QStringLiteral("LandXML"),
                    QStringLiteral("文件中没有路线（Alignment）"));
    }
    throw Refused{{QStringLiteral("文件“%1”中没有名为“%2”的路线（Alignment），文件中的路线有：%3！")
                       .arg(FileNameForMessage(reader.Path()), wanted,
                            reader.AllNames().join(QStringLiteral("、")))}};
  }
  const RawAlignment& alignment = *chosen;
  const QString alignment_element = QStringLiteral("Alignment");
  if (alignment.geometry.empty()) {
    reader.Refuse(alignment.line, alignment_element,
                  QStringLiteral("路线“%1”没有线元（Line、Curve或Spiral）").arg(alignment.name));
  }

  Builder builder(reader);
  const auto sta_start =
      builder.Finite(alignment.line, alignment_element, alignment.attributes, "staStart"_L1);
  if (!sta_start) {
    reader.Refuse(alignment.line, alignment_element, QStringLiteral("没有起点桩号（staStart）"));
  }

  std::vector<Built> built;
  built.reserve(alignment.geometry.size());
  for (const RawGeometry& g : alignment.geometry) built.push_back(builder.Build(g));

  // Internal stations (staStart plus the lengths, no equation applied) of
  // each element's start and of the last end.
  std::vector<double> internal(built.size() + 1, *sta_start);
  for (std::size_t i = 0; i < built.size(); ++i) internal[i + 1] = internal[i] + built[i].length;

  // Each equation starts the stations afresh at an element's start, or
  // within an element, which is then split there.
  std::vector<std::optional<double>> ahead(built.size());
  std::vector<std::vector<std::pair<double, double>>> splits(built.size());  // (distance, station)
  for (const RawEquation& equation : alignment.equations) {
    const QString element = QStringLiteral("StaEquation");
    const auto at = builder.Finite(equation.line, element, equation.attributes, "staInternal"_L1);
    const auto new_station =
        builder.Finite(equation.line, element, equation.attributes, "staAhead"_L1);
    if (!at || !new_station) {
      reader.Refuse(equation.line, element, QStringLiteral("缺少staInternal或staAhead"));
    }
    if (equation.attributes.value("staIncrement"_L1) == "decreasing"_L1) {
      reader.Refuse(equation.line, element, QStringLiteral("桩号递减（decreasing）的断链不能导入"));
    }
    const auto joint = std::find_if(internal.begin(), internal.end(), [&](double station) {
      return std::fabs(station - *at) <= kEquationAtJoint;
    });
    if (joint != internal.end()) {
      const auto index = static_cast<std::size_t>(joint - internal.begin());
      // An equation at the very end of the alignment changes no element.
      if (index < built.size()) ahead[index] = *new_station;
      continue;
    }
    std::size_t index = 0;
    while (index < built.size() && !(internal[index] < *at && *at < internal[index + 1])) ++index;
    if (index == built.size()) {
      reader.Refuse(equation.line, element,
                    QStringLiteral("staInternal=%1不在路线上")
                        .arg(QString::fromStdString(RoundTripText(*at))));
    }
    splits[index].emplace_back(*at - internal[index], *new_station);
  }

  std::vector<RouteElement> elements;
  std::vector<std::size_t> source;      // the geometry element of each route element
  std::vector<std::size_t> last_piece;  // the route element ending each geometry element
  double station = *sta_start;
  for (std::size_t i = 0; i < built.size(); ++i) {
    if (ahead[i]) station = *ahead[i];
    std::sort(splits[i].begin(), splits[i].end());
    ElementValues piece = built[i].values;
    double done = 0;
    for (const auto& [distance, new_station] : splits[i]) {
      piece.K0 = station;
      piece.K1 = station + (distance - done);
      elements.push_back({piece, built[i].name});
      source.push_back(i);
      piece = SplitAt(built[i], distance);
      station = new_station;
      done = distance;
    }
    piece.K0 = station;
    piece.K1 = station + (built[i].length - done);
    station = piece.K1;
    elements.push_back({piece, built[i].name});
    source.push_back(i);
    last_piece.push_back(elements.size() - 1);
  }

  auto made = MakeRoute(std::move(elements));
  if (const auto* error = std::get_if<RouteError>(&made)) {
    const auto index = static_cast<std::size_t>(std::max(error->element, 1) - 1);
    const RawGeometry& g = alignment.geometry[source[std::min(index, source.size() - 1)]];
    QString message = QString::fromStdString(error->message);
    if (message.endsWith(u'！')) message.chop(1);  // Refuse ends the sentence
    reader.Refuse(g.line, g.kind, message);
  }

  LandXmlAlignment result;
  result.name = alignment.name;
  result.allNames = reader.AllNames();
  result.route = std::get<Route>(std::move(made));
  for (std::size_t i = 0; i < alignment.geometry.size(); ++i) {
    const RawGeometry& g = alignment.geometry[i];
    if (!g.end.present) continue;
    const LineElement& loaded = result.route.loaded[last_piece[i]];
    const ForwardResult end = ForwardPoint(loaded, loaded.K1, 0, kQuarterTurnDegrees);
    LandXmlEndCheck check;
    check.element = static_cast<int>(last_piece[i]) + 1;
    check.line = g.end.line;
    check.dX_mm = (g.end.X - end.point.X) * kMillimetresPerMetre;
    check.dY_mm = (g.end.Y - end.point.Y) * kMillimetresPerMetre;
    check.d_mm = std::hypot(check.dX_mm, check.dY_mm);
    if (const auto dir_end = builder.EndDirection(g)) {
      check.hasAzimuth = true;
      check.daz_sec = ReduceHalfTurn(*dir_end - end.azimuth) * kSecondsPerDegree;
    }
    check.closed = EndCheckClosed(check, tolerances);
    result.endChecks.push_back(check);
  }
  return result;
}

}  // namespace

FileOutcome<LandXmlAlignment> ParseLandXmlAlignment(const QString& path, QByteArrayView bytes,
                                                    const QString& alignment,
                                                    const JointTolerances& tolerances) {
  try {
    Reader reader(path, bytes, alignment);
    reader.Read();
    return Import(reader, tolerances, alignment);
  } catch (const Refused& refused) {
    return refused.refusal;
  }
}

}  // namespace tarnvel::previous
