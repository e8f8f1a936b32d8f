// The XML of a LandXML import: the document read into the raw attributes
// and points of the one alignment asked for (with its profile's PVIs), and
// the file's units, each with
// its XML line for messages. Nothing here is a route's number yet: the
// geometry builder (landxml_geometry) makes elements of it. Shared by the
// import's own files only.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <cstddef>
#include <optional>
#include <vector>

#include "io/files/file_refusal.h"
#include "io/landxml/landxml_import.h"

namespace tarnvel::landxml {

// Thrown inside the import only, to leave the nested reading at the first fault.
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

// One PVI, ParaCurve or CircCurve of a ProfAlign, its "station elevation"
// text as written.
struct RawPvi {
  QString kind;
  int line = 0;
  QXmlStreamAttributes attributes;
  QString text;
};

struct RawProfAlign {
  int line = 0;
  std::vector<RawPvi> pvis;
};

struct RawAlignment {
  QString name;
  int line = 0;
  QXmlStreamAttributes attributes;
  std::vector<RawGeometry> geometry;
  std::vector<RawEquation> equations;
  // The first ProfAlign of the alignment's Profiles, if any.
  std::optional<RawProfAlign> profile;
};

struct RawUnits {
  bool declared = false;
  int line = 0;
  QString system;  // "Metric" or "Imperial"
  QXmlStreamAttributes attributes;
};

class Reader {
 public:
  Reader(const QString& path, QByteArrayView bytes, const QString& wanted,
         const LandXmlKeepGoing& keepGoing)
      : path_(path),
        xml_(QByteArray::fromRawData(bytes.data(), bytes.size())),
        wanted_(wanted),
        size_(bytes.size()),
        keep_going_(keepGoing) {}

  // Reads the whole document; the chosen alignment and the units are kept.
  void Read();

  // Throws the refusal naming the file, the XML line and the element.
  [[noreturn]] void Refuse(int line, const QString& element, const QString& reason) const;

  // One element or equation more; now and then the caller is asked whether
  // to go on, with the bytes read so far (all of them once building).
  void Step() const;

  const QString& Path() const { return path_; }
  int RootLine() const { return root_line_; }
  const std::optional<RawAlignment>& Chosen() const { return chosen_; }
  const QStringList& AllNames() const { return all_names_; }
  const RawUnits& Units() const { return units_; }

 private:
  int Line() const;
  bool Is(QLatin1StringView name) const;
  [[noreturn]] void NotXml() const;
  void ReadProlog();
  void ReadUnits();
  void ReadAlignments();
  void ReadCoordGeom(RawAlignment& alignment);
  void ReadProfile(RawAlignment& alignment);
  RawProfAlign ReadProfAlign();
  QString ReadPointText(const QString& element, int line);
  RawPoint ReadPoint();

  QString path_;
  QXmlStreamReader xml_;
  QString wanted_;
  QString namespace_;
  int root_line_ = 0;
  std::optional<RawAlignment> chosen_;
  QStringList all_names_;
  RawUnits units_;
  qint64 size_ = 0;
  const LandXmlKeepGoing& keep_going_;
  mutable std::size_t steps_ = 0;
};

}  // namespace tarnvel::landxml
