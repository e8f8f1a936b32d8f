#include "io/landxml/landxml_reader.h"

#include <algorithm>
#include <cmath>

#include "io/files/echoed_text.h"
#include "io/landxml/landxml_numbers.h"

namespace tarnvel::landxml {

using namespace Qt::Literals::StringLiterals;

namespace {

// How many elements or equations are read or built between two asks of the
// caller's keepGoing: often enough to stop within a blink, seldom enough to
// cost nothing.
constexpr std::size_t kStepsPerAsk = 4096;

}  // namespace

void Reader::Read() {
  ReadProlog();
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

void Reader::Refuse(int line, const QString& element, const QString& reason) const {
  throw Refused{{QStringLiteral("文件“%1”第%2行<%3>：%4！")
                     .arg(FileNameForMessage(path_))
                     .arg(line)
                     .arg(EchoedText(element), reason)}};
}

void Reader::Step() const {
  if (!keep_going_ || ++steps_ % kStepsPerAsk != 0) return;
  const qint64 done = xml_.atEnd() ? size_ : xml_.characterOffset();
  if (!keep_going_(std::min(done, size_))) {
    throw Refused{{QStringLiteral("已取消读取文件“%1”！").arg(FileNameForMessage(path_))}};
  }
}

int Reader::Line() const {
  return static_cast<int>(xml_.lineNumber());
}

bool Reader::Is(QLatin1StringView name) const {
  return xml_.name() == name && xml_.namespaceUri() == namespace_;
}

void Reader::NotXml() const {
  throw Refused{{QStringLiteral("文件“%1”第%2行不是有效的XML（系统报告“%3”），不是LandXML文件！")
                     .arg(FileNameForMessage(path_))
                     .arg(xml_.lineNumber())
                     .arg(xml_.errorString())}};
}

// Reads up to the root element. The reader drops a reference to an entity
// the file declares as an outside file, leaving no trace where it stood,
// so a file that declares one is refused: Tarnvel reads no entity from
// outside the file.
void Reader::ReadProlog() {
  while (!xml_.atEnd()) {
    xml_.readNext();
    if (xml_.isStartElement()) return;
    if (!xml_.isDTD()) continue;
    for (const QXmlStreamEntityDeclaration& entity : xml_.entityDeclarations()) {
      if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty()) {
        Refuse(Line(), QStringLiteral("!DOCTYPE"),
               QStringLiteral("声明了外部实体“%1”，不读取实体（entity）")
                   .arg(EchoedText(entity.name().toString())));
      }
    }
  }
  NotXml();
}

void Reader::ReadUnits() {
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

void Reader::ReadAlignments() {
  while (xml_.readNextStartElement()) {
    Step();
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
      } else if (Is("Profile"_L1)) {
        ReadProfile(alignment);
      } else if (Is("StaEquation"_L1)) {
        Step();
        alignment.equations.push_back({Line(), xml_.attributes()});
        xml_.skipCurrentElement();
      } else {
        xml_.skipCurrentElement();
      }
    }
    chosen_ = std::move(alignment);
  }
}

void Reader::ReadCoordGeom(RawAlignment& alignment) {
  while (xml_.readNextStartElement()) {
    Step();
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

// Only the first ProfAlign counts; surfaces (ProfSurf) are ground, not design.
void Reader::ReadProfile(RawAlignment& alignment) {
  while (xml_.readNextStartElement()) {
    if (Is("ProfAlign"_L1) && !alignment.profile) {
      alignment.profile = ReadProfAlign();
    } else {
      xml_.skipCurrentElement();
    }
  }
}

RawProfAlign Reader::ReadProfAlign() {
  RawProfAlign profile;
  profile.line = Line();
  while (xml_.readNextStartElement()) {
    Step();
    if (Is("PVI"_L1) || Is("ParaCurve"_L1) || Is("CircCurve"_L1)) {
      RawPvi pvi;
      pvi.kind = xml_.name().toString();
      pvi.line = Line();
      pvi.attributes = xml_.attributes();
      pvi.text = ReadPointText(pvi.kind, pvi.line);
      profile.pvis.push_back(std::move(pvi));
    } else if (Is("UnsymParaCurve"_L1)) {
      Refuse(Line(), xml_.name().toString(),
             QStringLiteral("不对称竖曲线不能导入，只能导入变坡点（PVI）、抛物线（ParaCurve）"
                            "和圆曲线（CircCurve）"));
    } else {
      xml_.skipCurrentElement();
    }
  }
  return profile;
}

// The text of a point element, its child elements skipped. An entity the
// reader cannot resolve (one the file refers to an outside DTD for) is
// refused by name rather than left out of the coordinates.
QString Reader::ReadPointText(const QString& element, int line) {
  QString text;
  while (!xml_.atEnd()) {
    switch (xml_.readNext()) {
      case QXmlStreamReader::Characters:
        text += xml_.text();
        break;
      case QXmlStreamReader::EntityReference:
        Refuse(line, element,
               QStringLiteral("坐标中引用了实体“&%1;”，不读取实体（entity），请直接写出坐标")
                   .arg(EchoedText(xml_.name().toString())));
      case QXmlStreamReader::StartElement:
        xml_.skipCurrentElement();
        break;
      case QXmlStreamReader::EndElement:
        return text;
      default:
        break;
    }
  }
  NotXml();
}

// "northing easting" or "northing easting elevation": X, then Y.
RawPoint Reader::ReadPoint() {
  RawPoint point;
  point.line = Line();
  const QString element = xml_.name().toString();
  const bool reference = xml_.attributes().hasAttribute("pntRef"_L1);
  const QString text = ReadPointText(element, point.line).simplified();
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
           QStringLiteral("坐标“%1”不是“北坐标 东坐标”形式的两个数").arg(EchoedText(text)));
  }
  point.present = true;
  point.X = *north;
  point.Y = *east;
  return point;
}

}  // namespace tarnvel::landxml
