#include "io/landxml/landxml_export.h"

#include <QXmlStreamWriter>
#include <cmath>
#include <vector>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "io/files/save_file.h"
#include "io/landxml/landxml_numbers.h"

namespace tarnvel {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNamespace = u"http://www.landxml.org/schema/LandXML-1.2"_s;
constexpr double kQuarterTurnDegrees = 90;
constexpr double kFullTurnDegrees = 360;
// Tangents closer to parallel than this have no useful intersection.
constexpr double kParallel = 1e-12;
// How many neighbouring doubles are tried for a length that adds up exactly.
constexpr int kLengthSteps = 4;

QString Text(double value) {
  return QString::fromStdString(RoundTripText(value));
}

QString PointText(const Point& point) {
  return Text(point.X) + u' ' + Text(point.Y);
}

double Reduce360(double degrees) {
  double reduced = std::fmod(degrees, kFullTurnDegrees);
  if (reduced < 0) reduced += kFullTurnDegrees;
  return reduced;
}

// The length that the reader adds to K0 to get K1 back exactly, where one
// exists next to K1 − K0.
double ExactLength(double K0, double K1) {
  const double difference = K1 - K0;
  if (K0 + difference == K1) return difference;
  double up = difference;
  double down = difference;
  for (int step = 0; step < kLengthSteps; ++step) {
    up = std::nextafter(up, HUGE_VAL);
    down = std::nextafter(down, -HUGE_VAL);
    if (K0 + up == K1) return up;
    if (K0 + down == K1) return down;
  }
  return difference;
}

// The ParaCurve length that the reader divides by ω to get R back exactly,
// where one exists next to R·ω.
double ExactParabolaLength(double R, double omega) {
  const double length = R * omega;
  if (length / omega == R) return length;
  double up = length;
  double down = length;
  for (int step = 0; step < kLengthSteps; ++step) {
    up = std::nextafter(up, HUGE_VAL);
    down = std::nextafter(down, -HUGE_VAL);
    if (up / omega == R) return up;
    if (down / omega == R) return down;
  }
  return length;
}

// Where the tangents at the start and the end of a spiral meet; the chord's
// middle when they are parallel.
Point Intersection(const Point& start, double start_degrees, const Point& end, double end_degrees) {
  const double ux = CosDeg(start_degrees), uy = SinDeg(start_degrees);
  const double vx = CosDeg(end_degrees), vy = SinDeg(end_degrees);
  const double determinant = ux * vy - uy * vx;
  if (std::fabs(determinant) < kParallel) {
    return {(start.X + end.X) / 2, (start.Y + end.Y) / 2};
  }
  const double dX = end.X - start.X, dY = end.Y - start.Y;
  const double t = (dX * vy - dY * vx) / determinant;
  return {start.X + t * ux, start.Y + t * uy};
}

// The chord's middle in place of a point that is not finite, which only
// radii and turns near the double range give: the reader takes the radius,
// the direction and the length, and no program could use such a point.
Point Writable(const Point& point, const Point& start, const Point& end) {
  if (std::isfinite(point.X) && std::isfinite(point.Y)) return point;
  return {(start.X + end.X) / 2, (start.Y + end.Y) / 2};
}

class Writer {
 public:
  explicit Writer(QByteArray* bytes) : xml_(bytes) { xml_.setAutoFormatting(true); }

  void Write(const Route& route, const QString& name, const QDateTime& when,
             const VerticalProfile* profile) {
    xml_.writeStartDocument();
    xml_.writeDefaultNamespace(kNamespace);
    Start(u"LandXML"_s);
    xml_.writeAttribute(u"date"_s, when.toString(u"yyyy-MM-dd"_s));
    xml_.writeAttribute(u"time"_s, when.toString(u"HH:mm:ss"_s));
    xml_.writeAttribute(u"version"_s, u"1.2"_s);

    Start(u"Units"_s);
    Empty(u"Metric"_s);
    xml_.writeAttribute(u"areaUnit"_s, u"squareMeter"_s);
    xml_.writeAttribute(u"linearUnit"_s, u"meter"_s);
    xml_.writeAttribute(u"volumeUnit"_s, u"cubicMeter"_s);
    xml_.writeAttribute(u"temperatureUnit"_s, u"celsius"_s);
    xml_.writeAttribute(u"pressureUnit"_s, u"HPA"_s);
    xml_.writeAttribute(u"angularUnit"_s, u"decimal degrees"_s);
    xml_.writeAttribute(u"directionUnit"_s, u"decimal degrees"_s);
    xml_.writeEndElement();

    Empty(u"Application"_s);
    xml_.writeAttribute(u"name"_s, u"Tarnvel"_s);

    const auto& elements = route.elements;
    std::vector<double> lengths;
    double total = 0;
    for (const RouteElement& element : elements) {
      lengths.push_back(ExactLength(element.values.K0, element.values.K1));
      total += lengths.back();
    }

    Start(u"Alignments"_s);
    Start(u"Alignment"_s);
    xml_.writeAttribute(u"name"_s, name);
    xml_.writeAttribute(u"length"_s, Text(total));
    const double sta_start = elements.empty() ? 0 : elements.front().values.K0;
    xml_.writeAttribute(u"staStart"_s, Text(sta_start));

    Start(u"CoordGeom"_s);
    for (std::size_t i = 0; i < elements.size(); ++i) {
      WriteElement(elements[i], route.loaded[i], lengths[i]);
    }
    xml_.writeEndElement();  // CoordGeom

    // The station without equations runs on exactly as the reader adds it up.
    double internal = sta_start;
    for (std::size_t i = 0; i + 1 < elements.size(); ++i) {
      internal += lengths[i];
      const double back = elements[i].values.K1;
      const double ahead = elements[i + 1].values.K0;
      if (ahead == back) continue;
      Empty(u"StaEquation"_s);
      xml_.writeAttribute(u"staAhead"_s, Text(ahead));
      xml_.writeAttribute(u"staBack"_s, Text(back));
      xml_.writeAttribute(u"staInternal"_s, Text(internal));
    }
    if (profile) WriteProfile(*profile, name);
    xml_.writeEndElement();  // Alignment
    xml_.writeEndElement();  // Alignments
    xml_.writeEndElement();  // LandXML
    xml_.writeEndDocument();
  }

 private:
  void Start(const QString& name) { xml_.writeStartElement(kNamespace, name); }
  void Empty(const QString& name) { xml_.writeEmptyElement(kNamespace, name); }
  void PointElement(const QString& name, const Point& point) {
    xml_.writeTextElement(kNamespace, name, PointText(point));
  }

  void WriteProfile(const VerticalProfile& profile, const QString& name) {
    Start(u"Profile"_s);
    xml_.writeAttribute(u"name"_s, name);
    Start(u"ProfAlign"_s);
    xml_.writeAttribute(u"name"_s, name);
    const auto& pvis = profile.pvis;
    for (std::size_t k = 0; k < pvis.size(); ++k) {
      const Pvi& pvi = pvis[k];
      const bool inner = k > 0 && k + 1 < pvis.size();
      const double before = inner ? profile.grades[k - 1] : 0;
      const double after = inner ? profile.grades[k] : 0;
      const double omega = std::fabs(after - before);
      if (inner && pvi.radius > 0 && pvi.curve == VerticalCurveKind::kCircle) {
        Start(u"CircCurve"_s);
        xml_.writeAttribute(u"length"_s,
                            Text(pvi.radius * std::fabs(std::atan(after) - std::atan(before))));
        xml_.writeAttribute(u"radius"_s, Text(pvi.radius));
      } else if (inner && pvi.radius > 0 && omega > 0) {
        Start(u"ParaCurve"_s);
        xml_.writeAttribute(u"length"_s, Text(ExactParabolaLength(pvi.radius, omega)));
      } else {
        Start(u"PVI"_s);
      }
      if (!pvi.name.empty()) xml_.writeAttribute(u"desc"_s, QString::fromStdString(pvi.name));
      xml_.writeCharacters(Text(pvi.station) + u' ' + Text(pvi.elevation));
      xml_.writeEndElement();
    }
    xml_.writeEndElement();  // ProfAlign
    xml_.writeEndElement();  // Profile
  }

  void WriteElement(const RouteElement& element, const LineElement& loaded, double length) {
    const ElementValues& v = element.values;
    const Point start{v.X0, v.Y0};
    const ForwardResult end = ForwardPoint(loaded, loaded.K1, 0, kQuarterTurnDegrees);
    const double start_degrees = DmsToDegrees(v.F);
    const QString rotation = v.Q > 0 ? u"cw"_s : u"ccw"_s;
    const QString name = QString::fromStdString(element.name);

    // The LandXML element is the one that carries the typed values back
    // exactly: a Curve only for equal radii, a Spiral for any two, so that a
    // turning element of no curvature keeps its Q and a spiral between two
    // nearly equal radii both of them. On what an element is, the export
    // agrees with KindOf: its Line is KindOf's straight with Q 0, its Curve
    // KindOf's arc.
    if (v.Q == 0) {
      Start(u"Line"_s);
      xml_.writeAttribute(u"dir"_s, Text(start_degrees));
      xml_.writeAttribute(u"length"_s, Text(length));
      if (!name.isEmpty()) xml_.writeAttribute(u"name"_s, name);
      PointElement(u"Start"_s, start);
      PointElement(u"End"_s, end.point);
    } else if (v.RQ == v.RN && v.RQ != 0) {
      Start(u"Curve"_s);
      xml_.writeAttribute(u"rot"_s, rotation);
      xml_.writeAttribute(u"dirEnd"_s, Text(Reduce360(end.azimuth)));
      xml_.writeAttribute(u"dirStart"_s, Text(start_degrees));
      xml_.writeAttribute(u"length"_s, Text(length));
      if (!name.isEmpty()) xml_.writeAttribute(u"name"_s, name);
      xml_.writeAttribute(u"radius"_s, Text(v.RQ));
      // The centre lies square to the start tangent, on the side the curve turns.
      const double to_centre = start_degrees + kQuarterTurnDegrees * v.Q;
      const Point centre{v.X0 + v.RQ * CosDeg(to_centre), v.Y0 + v.RQ * SinDeg(to_centre)};
      PointElement(u"Start"_s, start);
      PointElement(u"Center"_s, Writable(centre, start, end.point));
      PointElement(u"End"_s, end.point);
    } else {
      Start(u"Spiral"_s);
      xml_.writeAttribute(u"length"_s, Text(length));
      xml_.writeAttribute(u"radiusEnd"_s, v.RN == 0 ? u"INF"_s : Text(v.RN));
      xml_.writeAttribute(u"radiusStart"_s, v.RQ == 0 ? u"INF"_s : Text(v.RQ));
      xml_.writeAttribute(u"rot"_s, rotation);
      xml_.writeAttribute(u"spiType"_s, u"clothoid"_s);
      xml_.writeAttribute(u"dirEnd"_s, Text(Reduce360(end.azimuth)));
      xml_.writeAttribute(u"dirStart"_s, Text(start_degrees));
      if (!name.isEmpty()) xml_.writeAttribute(u"name"_s, name);
      PointElement(u"Start"_s, start);
      PointElement(u"PI"_s, Writable(Intersection(start, start_degrees, end.point, end.azimuth),
                                     start, end.point));
      PointElement(u"End"_s, end.point);
    }
    xml_.writeEndElement();
  }

  QXmlStreamWriter xml_;
};

}  // namespace

QByteArray LandXmlAlignmentBytes(const Route& route, const QString& name, const QDateTime& when,
                                 const VerticalProfile* profile) {
  QByteArray bytes;
  Writer(&bytes).Write(route, name, when, profile);
  return bytes;
}

std::optional<FileRefusal> SaveLandXmlAlignment(const QString& path, const Route& route,
                                                const QString& name,
                                                const VerticalProfile* profile) {
  return SaveFileBytes(path,
                       LandXmlAlignmentBytes(route, name, QDateTime::currentDateTime(), profile));
}

}  // namespace tarnvel
